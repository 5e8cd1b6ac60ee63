#include "scan/deletion_preview.h"

#include "platform/registry.h"
#include "scan/delete_place.h"

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

// Read where the deletion would act: for a class finding, the key in the
// hive its data came from, not whatever the merged view shows.
DeletionPreview Preview_Deletion(const TTreeData_RegCleaner& entry, std::size_t firstFew) {
  DeletionPreview preview;
  const DeletePlace place = Resolve_DeletePlace(entry);
  if (entry.DeleteKey) {
    preview.removesKey = true;
    preview.exists = Reg_KeyExists(place.root, place.key);
    if (!preview.exists) return preview;
    std::vector<std::wstring> names;
    Reg_GetValueNames(place.root, place.key, names);
    preview.values = static_cast<std::uint32_t>(names.size());
    preview.keyValues = preview.values;
    if (names.size() > firstFew) names.resize(firstFew);
    preview.firstValues = std::move(names);
    WalkBelow(place.root, place.key, L"", firstFew, preview);
  } else if (entry.DeleteValue) {
    preview.exists = Reg_ValueExists(place.root, place.key, place.value);
    if (preview.exists) {
      preview.values = 1;
      if (firstFew > 0) preview.firstValues.push_back(place.value);
    }
  }
  return preview;
}

}  // namespace keytidy
