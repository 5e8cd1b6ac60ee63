#pragma once
#include <string>

namespace keytidy {

// The text with its %NAME% references replaced by the system's environment
// values. References to unknown variables stay as written. The result is at
// most 2047 characters; a longer expansion gives the text unchanged.
std::wstring Expand_Environment(const std::wstring& text);

}  // namespace keytidy
