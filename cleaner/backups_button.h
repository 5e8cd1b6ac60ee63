#pragma once
// The cleaner screen's Backups button: opens the backup screen modally
// over the screen's window.
#include <windows.h>

namespace keytidy {

void Open_BackupScreen(HWND owner);

}  // namespace keytidy
