#pragma once
// The cleaner screen's Backups button: opens the backup screen modally
// over the screen's window.
#include <windows.h>

#include "gui/screen_host.h"

namespace keytidy {

void Open_BackupScreen(HWND owner, ScreenHost* host);

}  // namespace keytidy
