#include "scan/delete_place.h"

#include "platform/concrete_key.h"
#include "platform/text.h"
#include "scan/evidence_hive.h"
#include "model/found_entry.h"

namespace keytidy {

DeletePlace Resolve_DeletePlace(const TTreeData_RegCleaner& entry) {
  DeletePlace place{entry.Delete_Root, entry.Delete_Key, entry.Delete_Value};
  if (place.root != ROOT_HKEY_CLASSES_ROOT) return place;
  std::optional<ConcreteKey> concrete = Evidence_KeyInHive(entry.Evidence, place.root, place.key);
  if (!concrete) concrete = Reg_ConcreteKey(place.root, place.key);
  if (!concrete) return place;
  place.root = concrete->root;
  place.key = concrete->path;
  return place;
}

namespace {

// Upper-case, without doubled, leading or trailing backslashes.
std::wstring NormalKeyPath(const std::wstring& path) {
  std::wstring normal;
  for (wchar_t c : UpperCaseAscii(path)) {
    if (c == L'\\' && (normal.empty() || normal.back() == L'\\')) continue;
    normal += c;
  }
  if (!normal.empty() && normal.back() == L'\\') normal.pop_back();
  return normal;
}

}  // namespace

bool Key_Contains(RootKey outerRoot, const std::wstring& outer, RootKey innerRoot, const std::wstring& inner) {
  if (outerRoot != innerRoot) return false;
  const std::wstring o = NormalKeyPath(outer), i = NormalKeyPath(inner);
  if (o.empty()) return true;
  return i == o || (i.size() > o.size() && i.compare(0, o.size(), o) == 0 && i[o.size()] == L'\\');
}

}  // namespace keytidy
