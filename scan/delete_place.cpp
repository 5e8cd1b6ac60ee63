#include "scan/delete_place.h"

#include "platform/concrete_key.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "scan/found_entry.h"

namespace keytidy {

std::optional<DeletePlace> Resolve_DeletePlace(const TTreeData_RegCleaner& entry) {
  DeletePlace place{entry.Delete_Root, entry.Delete_Key, entry.Delete_Value};
  if (place.root != ROOT_HKEY_CLASSES_ROOT || !Reg_KeyExists(place.root, place.key)) return place;
  const std::optional<ConcreteKey> concrete = Reg_ConcreteKey(place.root, place.key);
  if (!concrete) return std::nullopt;
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

std::optional<DeletePlace> Resolve_EvidencePlace(const TTreeData_RegCleaner& entry) {
  const FindingEvidence& evidence = entry.Evidence;
  if (!evidence.rawTaken || evidence.root != ROOT_HKEY_CLASSES_ROOT || entry.Delete_Root != ROOT_HKEY_CLASSES_ROOT)
    return std::nullopt;
  if (!Key_Contains(entry.Delete_Root, entry.Delete_Key, evidence.root, evidence.key)) return std::nullopt;
  if (!Reg_KeyExists(evidence.root, evidence.key)) return std::nullopt;
  const std::optional<ConcreteKey> concrete = Reg_ConcreteKey(evidence.root, evidence.key);
  if (!concrete) return DeletePlace{};
  return DeletePlace{concrete->root, concrete->path, L""};
}

bool Deletion_InEvidenceHive(const DeletePlace& deletePlace, const DeletePlace& evidencePlace) {
  return evidencePlace.root != 0 &&
         Key_Contains(deletePlace.root, deletePlace.key, evidencePlace.root, evidencePlace.key);
}

}  // namespace keytidy
