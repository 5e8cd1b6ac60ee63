#include "scan/delete_place.h"

#include "platform/concrete_key.h"
#include "platform/registry.h"
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

}  // namespace keytidy
