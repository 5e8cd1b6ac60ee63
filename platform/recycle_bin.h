#pragma once
#include <string>

namespace keytidy {

// Moves a file into the recycle bin without asking and without any dialog.
// False when the file does not exist or the shell did not complete the move.
// Paths of any length are accepted (the shell gets a buffer of the path's
// own size).
bool Delete_ToRecycleBin(const std::wstring& path);

}  // namespace keytidy
