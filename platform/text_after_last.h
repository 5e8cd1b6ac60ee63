#pragma once
#include <string>
#include <string_view>

namespace keytidy {

// The text after the last separator that is not the text's final character:
// Get_TextAfterLast(L"a\\b\\", L"\\") gives "b\\", so a folder path with a
// trailing backslash still yields its last folder name. Empty when there is
// no such separator (or the text is shorter than two characters).
std::wstring Get_TextAfterLast(std::wstring_view text, std::wstring_view separator);

}  // namespace keytidy
