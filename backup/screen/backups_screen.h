#pragma once
// The cleaner screen's way into the backup screen: one call that shows it
// modally over `owner` and returns when the user has closed it.
#include <windows.h>

namespace keytidy {

void ShowBackupsScreen(HWND owner);

}  // namespace keytidy
