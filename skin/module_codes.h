#pragma once
#include <string>
#include <string_view>

namespace keytidy {

// Module codes name the program's screens in backups and headers: "OPTIONS",
// "BACKUPS" and "RC" (the registry cleaner). Codes match exactly, letter case
// included.

// The message-catalogue key of a module's display name; empty for an
// unknown code. The caller looks the text up in the catalogue.
std::wstring Get_ModuleNameKey(std::wstring_view code);

// The stripe cell of a module's icon, or -1 when the code is unknown.
int Get_ModuleIcon(std::wstring_view code);

}  // namespace keytidy
