#include "scan/deletion_preview.h"

#include "platform/registry.h"

namespace keytidy {

namespace {

// Depth-first, counting every sub-key and value below `key`; the first
// sub-key paths are kept relative to the key the walk started at.
void WalkBelow(RootKey root, const std::wstring& key, const std::wstring& relative, std::size_t firstFew,
               DeletionPreview& preview) {
  std::vector<std::wstring> children;
  if (!Reg_GetSubKeys(root, key, children)) return;
  for (const std::wstring& child : children) {
    const std::wstring childRelative = relative.empty() ? child : relative + L"\\" + child;
    ++preview.subKeys;
    if (preview.firstSubKeys.size() < firstFew) preview.firstSubKeys.push_back(childRelative);
    preview.values += Reg_ValueCount(root, key + L"\\" + child);
    WalkBelow(root, key + L"\\" + child, childRelative, firstFew, preview);
  }
}

}  // namespace

DeletionPreview Preview_Deletion(const TTreeData_RegCleaner& entry, std::size_t firstFew) {
  DeletionPreview preview;
  if (entry.DeleteKey) {
    preview.removesKey = true;
    preview.exists = Reg_KeyExists(entry.Delete_Root, entry.Delete_Key);
    if (!preview.exists) return preview;
    std::vector<std::wstring> names;
    Reg_GetValueNames(entry.Delete_Root, entry.Delete_Key, names);
    preview.values = static_cast<std::uint32_t>(names.size());
    preview.keyValues = preview.values;
    if (names.size() > firstFew) names.resize(firstFew);
    preview.firstValues = std::move(names);
    WalkBelow(entry.Delete_Root, entry.Delete_Key, L"", firstFew, preview);
  } else if (entry.DeleteValue) {
    preview.exists = Reg_ValueExists(entry.Delete_Root, entry.Delete_Key, entry.Delete_Value);
    if (preview.exists) {
      preview.values = 1;
      if (firstFew > 0) preview.firstValues.push_back(entry.Delete_Value);
    }
  }
  return preview;
}

}  // namespace keytidy
