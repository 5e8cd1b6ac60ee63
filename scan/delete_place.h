#pragma once
// Where the deletion of one finding acts. A finding read through the merged
// HKEY_CLASSES_ROOT view is turned into the one concrete key the view
// shows at that moment (the user's classes or the machine's), so that the
// backup records that key and the deletion removes that key only, never its
// namesake in the other hive.
#include <optional>
#include <string>

#include "platform/root_keys.h"

namespace keytidy {

struct TTreeData_RegCleaner;

struct DeletePlace {
  RootKey root = 0;
  std::wstring key;
  std::wstring value;  // for value findings; empty for the default value
};

// The finding's delete root, key and value, with a classes-root key
// replaced by its concrete key. A key the view does not show (already
// gone) keeps its classes-root name, so that the run can count it as gone.
// No value when the key is there but the platform does not say which
// one it is: such a finding is not deleted.
std::optional<DeletePlace> Resolve_DeletePlace(const TTreeData_RegCleaner& entry);

}  // namespace keytidy
