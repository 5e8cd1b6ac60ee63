#pragma once
// Turning the command strings the registry holds into one file path that
// can be tested for existence.
#include <string>

#include "platform/registry_view.h"

namespace keytidy {

// A command string (quoted or not, with arguments, with %NAME% references,
// or a bare program name) reduced to the program path, as a program of
// `view` would read it: its %NAME% expansion, and its system folder for
// bare names, which are looked up in the system folder, the Windows folder
// and the PATH folders; a name found nowhere comes back as it was. Text in
// quotes at the start is the path, whole: the cuts after ".exe", before
// " /" or " -" are for unquoted commands only.
std::wstring Extract_ExePath(const std::wstring& text, RegistryView view);

// Extract_ExePath, then the long form of "~1" paths, then the rejections:
// Windows Installer cache references and resource paths inside a module
// give empty text (do not check); the MUI-cache suffixes .FriendlyAppName
// and .ApplicationCompany are cut off.
std::wstring Clean_FilePath(const std::wstring& text, RegistryView view);

}  // namespace keytidy
