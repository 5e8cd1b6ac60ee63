#pragma once
// Text rules shared by every subsystem. Upper-casing touches only a to z,
// trimming removes every character of code 32 or less from both ends, and
// case-insensitive tests upper-case the tested text first.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace keytidy {

std::wstring UpperCaseAscii(std::wstring_view text);
std::wstring LowerCaseAscii(std::wstring_view text);
std::wstring Trim(std::wstring_view text);
bool Contains(std::wstring_view text, std::wstring_view part);
bool EqualsIgnoreCaseAscii(std::wstring_view a, std::wstring_view b);

// Replaces every occurrence of `from`, compared without regard to a-z case.
std::wstring ReplaceAllIgnoreCase(std::wstring_view text, std::wstring_view from, std::wstring_view to);
// Replaces only the first occurrence, compared the same way.
std::wstring ReplaceFirstIgnoreCase(std::wstring_view text, std::wstring_view from, std::wstring_view to);

// Whole-text integer parsing: optional blanks before, an optional sign,
// decimal digits or a hexadecimal number written $1F or 0x1F; anything else,
// or a number out of range, gives no value.
std::optional<std::int32_t> ParseInt32(std::wstring_view text);
std::optional<std::int64_t> ParseInt64(std::wstring_view text);
std::int32_t StrToIntDef(std::wstring_view text, std::int32_t fallback);
std::int64_t StrToInt64Def(std::wstring_view text, std::int64_t fallback);

// 0 to 15 for a hexadecimal digit (either case), -1 for anything else.
int HexDigitValue(wchar_t c);

std::string Utf16ToUtf8(std::wstring_view text);
std::wstring Utf8ToUtf16(std::string_view text);
// For text other programs read (JSON): always valid UTF-8, whatever the
// registry held. A surrogate without its partner, which registry names may
// contain, becomes U+FFFD instead of an invalid byte sequence.
std::string Utf16ToUtf8Replacing(std::wstring_view text);

}  // namespace keytidy

namespace keytidy {

// A path that starts with a drive letter and a root backslash ("C:\x"):
// its second and third characters are ":\". UNC paths and bare names are
// not drive paths; the checks report missing files only for drive paths.
bool IsDrivePath(std::wstring_view text);

// Case-insensitive (a-z only) substring test against a part that is already
// upper-case. Allocates nothing, so it suits walks over large lists.
bool ContainsUpperAscii(std::wstring_view text, std::wstring_view upperPart);

}  // namespace keytidy
