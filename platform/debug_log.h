#pragma once
#include <string_view>

namespace keytidy {

// Sends one diagnostic line to the system debug output. When the environment
// variable KEYTIDY_DEBUGLOG names a file, the line is also appended to that
// file as UTF-8 (debug output cannot be captured reliably everywhere, and
// tests read the lines from there).
void Debug_Output(std::wstring_view line);

// While a listener is installed, every line is also handed to it (on the
// thread that wrote it). Tests use this to read the lines of the operation
// they drive. Returns the listener installed before.
using DebugLineListener = void (*)(std::wstring_view line);
DebugLineListener Debug_SetListener(DebugLineListener listener);

}  // namespace keytidy
