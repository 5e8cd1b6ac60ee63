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

// True when `inner` is `outer` or a key below it: the same root, and the
// path equal or continuing after a backslash (any letter case; doubled or
// trailing backslashes do not count).
bool Key_Contains(RootKey outerRoot, const std::wstring& outer, RootKey innerRoot, const std::wstring& inner);

// Where a classes-root finding read its evidence, as a concrete key, for a
// finding whose evidence lies in (or below) the key it deletes: no value
// when that does not apply (another root, the names do not nest, the
// evidence key is gone); otherwise the concrete key, or an empty one when
// the platform cannot say which key it is.
std::optional<DeletePlace> Resolve_EvidencePlace(const TTreeData_RegCleaner& entry);

// The deletion must act in the hive its evidence came from: under the
// merged classes view the key to delete may be the user's own while the
// broken data was read from the machine's (or the reverse). True when the
// concrete delete key contains the concrete evidence key.
bool Deletion_InEvidenceHive(const DeletePlace& deletePlace, const DeletePlace& evidencePlace);

}  // namespace keytidy
