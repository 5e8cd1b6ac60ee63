#pragma once
// Which user a finding belongs to.
#include <string>

#include "model/found_entry.h"

namespace keytidy {

// The SID of the account whose hive holds what fixing the finding deletes
// (where it was read, for a finding that deletes nothing; for a class seen
// through HKEY_CLASSES_ROOT, the hive its data came from); empty for the
// machine's keys and classes.
std::wstring FindingUser(const TTreeData_RegCleaner& entry);

}  // namespace keytidy
