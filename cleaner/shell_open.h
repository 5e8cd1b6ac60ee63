#pragma once
// Hands a file or program to the shell's "open" verb, shown normally. The
// shell returns at once and leaves what it started running; tests put an
// observer in its place so that nothing is left behind.
#include <functional>
#include <string>

namespace keytidy {

void Shell_Open(const std::wstring& file);

// While set, Shell_Open calls this instead of the shell.
void Set_ShellOpenObserver(std::function<void(const std::wstring& file)> observer);

}  // namespace keytidy
