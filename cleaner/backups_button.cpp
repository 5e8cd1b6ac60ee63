#include "cleaner/backups_button.h"

#include "backup/screen/backups_screen.h"

namespace keytidy {

void Open_BackupScreen(HWND owner, ScreenHost* host) {
  // The screen centres itself on the main window, which owns it, rather
  // than on the cleaner page inside it.
  HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
  ShowBackupsScreen(top ? top : owner, host);
}

}  // namespace keytidy
