// Interfaces that name a type library no view of the registry knows. Only
// the interface's TypeLib sub-key goes, never the interface.
#include "platform/registry.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"
#include "scan/com_class_walk.h"
#include "scan/typelib_registration.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_INTERFACE_TYPELIB_INVALID(CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                                        bool USE_WOW6432Node_Now) {
  if (Run.STOP_REQUESTED) return;
  const std::wstring interfaces = USE_WOW6432Node_Now ? L"Wow6432Node\\Interface" : L"Interface";
  const KeyList iids = List_SubKeys(ROOT_HKEY_CLASSES_ROOT, interfaces);
  Progress_SetMaximum(static_cast<std::int32_t>(iids.size()));
  for (const std::wstring& iid : iids) {
    ProcessPendingMessages();
    if (Run.STOP_REQUESTED) continue;
    Count_KeysScanned(1);
    const std::wstring key = interfaces + L"\\" + iid + L"\\TypeLib";
    if (!Reg_KeyExists(ROOT_HKEY_CLASSES_ROOT, key)) continue;
    const std::wstring libid = Reg_ReadString(ROOT_HKEY_CLASSES_ROOT, key, L"");
    if (!Is_TypeLibMissing(libid)) continue;
    // Where both views show the same interface, the native pass has it.
    if (USE_WOW6432Node_Now &&
        Find_EntryByDeleteKey(GroupIndex, ROOT_HKEY_CLASSES_ROOT, L"Interface\\" + iid + L"\\TypeLib"))
      continue;
    std::wstring name = Reg_ReadString(ROOT_HKEY_CLASSES_ROOT, interfaces + L"\\" + iid, L"");
    if (name.empty()) name = iid;
    // One interface of the system whose library reference is left alone;
    // tested on the shown name, so also when it is only the identifier.
    if (UpperCaseAscii(name) == L"IBACKUPLOCATIONSSHELLFOLDERIMPL") continue;
    if (!Reg_KeyExistsWritable(ROOT_HKEY_CLASSES_ROOT, key)) continue;
    PVirtualNode node = Report_ClassesSubKey(*this, GroupIndex, ComboBoxIndex, L"", name, key,
                                             {EvidenceTest::TypeLibNotRegistered, libid});
    if (node) GetEntry(node)->AdditionalInfo = TypeLib_Place(libid);
  }
}

}  // namespace keytidy
