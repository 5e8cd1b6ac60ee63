#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "lang/message_keys.h"

namespace keytidy {

// Module codes name the program's screens in backups and headers: "OPTIONS",
// "BACKUPS" and "RC" (the registry cleaner). Codes match exactly, letter case
// included.

// The catalogue key of a module's display name; none for an unknown code.
std::optional<MessageKey> ModuleNameKey(std::wstring_view code);

// The module's display name from the message catalogue; empty for an
// unknown code.
std::wstring Get_ModuleName(std::wstring_view code);

// The stripe cell of a module's icon, or -1 when the code is unknown.
int Get_ModuleIcon(std::wstring_view code);

}  // namespace keytidy
