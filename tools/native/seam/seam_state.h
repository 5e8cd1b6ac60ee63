#pragma once
// Shared helpers of the native stand-ins for Windows functions.
#include <windows.h>

#include <string>

namespace seam {

// Sets the last error and gives nothing back, for "return Fail(e), 0;".
void Fail(DWORD error);
// The last error for the errno of a failed POSIX call.
void FailFromErrno();

// A Windows path (UTF-16 units, backslashes) as a POSIX path (UTF-8, slashes).
std::string NativePath(LPCWSTR path);
std::wstring WideFromUtf8(const std::string& text);

}  // namespace seam
