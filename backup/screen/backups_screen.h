#pragma once
// The cleaner screen's way into the backup screen: one call that shows it
// modally over `owner` and returns when the user has closed it. The screen
// shares the cleaner's host.
#include <windows.h>

#include "gui/screen_host.h"

namespace keytidy {

void ShowBackupsScreen(HWND owner, ScreenHost* host);

}  // namespace keytidy
