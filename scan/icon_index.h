#pragma once
// Icon and bitmap references name a resource inside a module by an index
// after a comma ("C:\Tools\ctl.ocx,1", "C:\Windows\shell.dll,-5").
#include <optional>
#include <string>

namespace keytidy {

// The reference without its resource index, ready to be tested as a file.
// Nothing when the reference is a path whose file part names no module or
// icon file (".DLL", ".OCX", ".ICO", ".EXE"): a plain bitmap or an odd
// value that the checks leave alone. A reference without a backslash comes
// back unchanged.
std::optional<std::wstring> Strip_IconIndex(const std::wstring& reference);

}  // namespace keytidy
