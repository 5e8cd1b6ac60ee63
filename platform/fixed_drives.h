#pragma once
#include <functional>
#include <string>

#include <windows.h>

namespace keytidy {

// The upper-case letters B to Z, in order, of the drives whose type is a
// fixed disk or a RAM disk (A is never asked: probing a floppy drive is
// slow and noisy). `driveType` answers for a root such as "C:\"; by default
// the system is asked.
std::wstring Get_FixedDriveLetters();
std::wstring Get_FixedDriveLetters(const std::function<UINT(const std::wstring& root)>& driveType);

}  // namespace keytidy
