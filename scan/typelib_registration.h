#pragma once
// Whether a type library a class or an interface refers to is registered.
#include <string>

namespace keytidy {

// True for a library identifier ("{...}") that HKEY_CLASSES_ROOT knows in
// neither view: not under "TypeLib" and not under "Wow6432Node\TypeLib".
// A library registered in either view counts as present. Empty text and
// anything that is not a braced identifier is never called missing.
bool Is_TypeLibMissing(const std::wstring& libid);

// "HKEY_CLASSES_ROOT\TypeLib\{...}", the place the user is shown.
std::wstring TypeLib_Place(const std::wstring& libid);

}  // namespace keytidy
