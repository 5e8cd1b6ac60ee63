#pragma once
// Where the deletion of one finding acts. A finding read through the merged
// HKEY_CLASSES_ROOT view is turned into one concrete key: the key in the
// hive its evidence came from (the user's classes or the machine's), so
// that the backup records that key and the deletion removes that key only,
// never its namesake in the other hive.
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
// replaced by its concrete key: in the hive the evidence was read from when
// the key holds the evidence key, otherwise the key the view shows now. A
// key the view does not show (already gone) keeps its classes-root name, so
// that the run can count it as gone.
DeletePlace Resolve_DeletePlace(const TTreeData_RegCleaner& entry);

// True when `inner` is `outer` or a key below it: the same root, and the
// path equal or continuing after a backslash (any letter case; doubled or
// trailing backslashes do not count).
bool Key_Contains(RootKey outerRoot, const std::wstring& outer, RootKey innerRoot, const std::wstring& inner);

}  // namespace keytidy
