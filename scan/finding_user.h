#pragma once
// Which user a finding belongs to.
#include <string>

#include "scan/found_entry.h"

namespace keytidy {

// The SID of the account whose hive holds what fixing the finding deletes
// (where it was read, for a finding that deletes nothing); empty for the
// machine's keys and for classes seen through HKEY_CLASSES_ROOT.
std::wstring FindingUser(const TTreeData_RegCleaner& entry);

}  // namespace keytidy
