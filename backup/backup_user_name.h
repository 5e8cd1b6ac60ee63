#pragma once
#include <string>

namespace keytidy {

// The account name written into backup descriptors: the process's Windows
// user name, or "Default" when that name has two characters or fewer or
// does not begin with a letter A to Z (either case).
std::wstring Get_BackupUserName();

// The rule above for a given name.
std::wstring BackupUserNameFor(const std::wstring& userName);

}  // namespace keytidy
