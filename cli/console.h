#pragma once
#include <string_view>

namespace keytidy::cli {

// Writes text to standard output or standard error: as UTF-16 to a real
// console, as UTF-8 to a pipe or file.
void PrintOut(std::wstring_view text);
void PrintErr(std::wstring_view text);

}  // namespace keytidy::cli
