#pragma once
// What the program-leftover checks judge, shared with the deletion's
// re-check so that both reach the same verdict: the program file a start-up
// or uninstall command runs, and whether an uninstall entry belongs to a
// program that is gone with every trace it recorded.
#include <string>
#include <string_view>

#include "platform/registry_view.h"
#include "platform/root_keys.h"

namespace keytidy {

class TRegistryCleaner;

// The file a command line runs, as a program of `view` finds it, ready for
// Is_MissingFile; empty when the command names nothing that can be judged.
// A quoted path is taken whole, and so is an unquoted one that names an
// existing file or folder as it stands. Any other unquoted one is cut after
// its ".exe"; without one it counts only when it holds no blank, since the
// blank could start the arguments as well as continue the name. For
// rundll32 the library it loads is the file that matters, not rundll32
// itself, named as LoadLibrary names it ("lib" is "lib.dll").
std::wstring Program_OfCommandLine(const TRegistryCleaner& rc, const std::wstring& command, RegistryView view);

// A key name that is a product code ("{" + 32 hex digits in 8-4-4-4-12
// groups + "}"): Windows Installer owns such an uninstall entry.
bool Is_ProductCodeName(std::wstring_view name);

// The uninstall program of the entry `key` when the entry is a leftover of
// a removed program, empty otherwise. A leftover has an UninstallString
// whose program is missing, no InstallLocation folder that exists and no
// DisplayIcon file that exists. Never a leftover: an entry marked
// SystemComponent=1 or WindowsInstaller=1, one named by a product code, one
// without UninstallString, and one whose references cannot be judged (a
// drive that is not judged, a form that is not understood).
std::wstring Leftover_UninstallProgram(const TRegistryCleaner& rc, RootKey root, const std::wstring& key,
                                       RegistryView view);

}  // namespace keytidy
