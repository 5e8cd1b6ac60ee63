#pragma once
#include <string_view>

namespace keytidy {

// Sends one diagnostic line to the system debug output. When the environment
// variable KEYTIDY_DEBUGLOG names a file, the line is also appended to that
// file as UTF-8 (debug output cannot be captured reliably everywhere, and
// tests read the lines from there).
void Debug_Output(std::wstring_view line);

}  // namespace keytidy
