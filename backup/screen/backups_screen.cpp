#include "backup/screen/backups_screen.h"

#include "backup/screen/form_backups.h"
#include "platform/product.h"

namespace keytidy {

namespace {

void CentreOn(HWND window, HWND owner) {
  if (!owner) return;
  RECT outer{}, own{};
  GetWindowRect(owner, &outer);
  GetWindowRect(window, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  SetWindowPos(window, nullptr, outer.left + ((outer.right - outer.left) - width) / 2,
               outer.top + ((outer.bottom - outer.top) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void ShowBackupsScreen(HWND owner, ScreenHost* host) {
  // A fresh screen each time: it reads the folder as it is now, and its
  // manager goes with it when it closes.
  TForm_MainNavi_Backups screen(owner, Backup_Folder(), host);
  screen.SetCaption(ProductTitle);
  CentreOn(screen.Handle(), owner);
  screen.ShowModal();
}

}  // namespace keytidy
