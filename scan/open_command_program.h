#pragma once
// The program file an open command (shell\open\command) starts, in the
// form the file-type checks test for existence.
#include <string>

#include "scan/registry_cleaner.h"

namespace keytidy {

// The command rewritten for the 64-bit program folder, cleaned, and cut
// after the program's ".exe". Empty when there is nothing to judge: no
// program file in the command, or the DVD-authoring tool that Windows
// registers under a path it does not always install.
std::wstring Program_OfOpenCommand(const TRegistryCleaner& rc, const std::wstring& command);

// The path up to and including its first ".exe" that ends a name (the text
// ends there, or a blank, quote, comma, semicolon or slash follows). A
// folder such as "C:\Tools\my.exec\" holds ".exe" without ending a name,
// and cutting there would test a file nobody meant. Empty when no such
// ".exe" exists.
std::wstring Cut_AfterProgramName(const std::wstring& path);

// True when the command starts with a closed pair of quotes, which say
// where its program path ends.
bool Starts_QuotedPath(const std::wstring& command);

}  // namespace keytidy
