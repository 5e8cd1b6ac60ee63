#include "scan/item_description.h"

#include "lang/message_catalogue.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "scan/check_table.h"

namespace keytidy {

namespace {

std::wstring DetailText(const CheckDescriptor& row, const TTreeData_RegCleaner& entry) {
  switch (row.detail) {
    case DetailSource::None: return {};
    case DetailSource::Folder: return entry.Folder;
    case DetailSource::FullPath: return entry.FullPath;
    case DetailSource::DisplayName: return entry.DisplayName;
    case DetailSource::AdditionalInfo: return entry.AdditionalInfo;
    case DetailSource::MissingKey: return entry.MissingKey;
    case DetailSource::Literal: return row.detailText;
  }
  return {};
}

// The placeholders in their fixed order. A field that itself holds a later
// placeholder gets that one replaced too, as each step works on the result
// of the one before.
std::wstring FillPlaceholders(std::wstring text, const TTreeData_RegCleaner& entry, bool withValue) {
  text = ReplaceAllIgnoreCase(text, L"%DisplayName", entry.DisplayName);
  text = ReplaceAllIgnoreCase(text, L"%FullPath", entry.FullPath);
  text = ReplaceAllIgnoreCase(text, L"%Filename", entry.Filename);
  text = ReplaceAllIgnoreCase(text, L"%Folder", entry.Folder);
  text = ReplaceAllIgnoreCase(text, L"%Key", entry.Key);
  text = ReplaceAllIgnoreCase(text, L"%MissingKey", entry.MissingKey);
  text = ReplaceAllIgnoreCase(text, L"%FullKey", Reg_RootKeyName(entry.RootKey) + L"\\" + entry.Key);
  if (withValue) text = ReplaceAllIgnoreCase(text, L"%Value", entry.Value);
  return text;
}

}  // namespace

void Get_ItemDescription_and_Icon(const TTreeData_RegCleaner* Data, std::int32_t& imageindex, std::wstring& Text1,
                                  std::wstring& Text2) {
  Text1.clear();
  Text2.clear();
  const CheckDescriptor* row = Data ? DescribeCheck(Data->GroupIndex) : nullptr;
  if (!row) return;
  imageindex = row->icon;
  Text1 = FillPlaceholders(Message(row->sentence), *Data, true);
  Text2 = FillPlaceholders(DetailText(*row, *Data), *Data, false);
}

}  // namespace keytidy
