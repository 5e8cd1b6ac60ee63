#include "cleaner/entry_description.h"

#include "platform/registry.h"

namespace keytidy {

void Get_ItemDescription_and_Icon(PTreeData_RegCleaner Data, std::int32_t& imageindex, std::wstring& Text1,
                                  std::wstring& Text2) {
  Text1 = Data ? Data->DisplayName : L"";
  Text2 = Data ? (Data->FullPath.empty() ? Reg_RootKeyName(Data->RootKey) + L"\\" + Data->Key : Data->FullPath) : L"";
}

}  // namespace keytidy
