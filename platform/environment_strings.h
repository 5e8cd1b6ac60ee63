#pragma once
// Environment variables and %NAME% references, as the path checks use them.
#include <string>

namespace keytidy {

// Replaces every %NAME% reference in `text` by the variable's value; a
// reference to an undefined variable stays as written. On failure `text` is
// left unchanged and the result is false. The expansion is never cut short:
// the buffer is sized to whatever the system reports it needs.
bool Expand_EnvStrings(std::wstring& text);

// `value` := the variable's text, expanded when `expand` is true. An absent
// or empty variable gives an empty `value` and false.
bool Get_EnvVariable(const std::wstring& name, std::wstring& value, bool expand);

}  // namespace keytidy
