#include "ui/progress_bar.h"

namespace keytidy::ui {

bool ProgressBar::Create(HWND parent, int x, int y, int width, int height) {
  return CreateNativeWindow(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, x, y, width, height, parent);
}

void ProgressBar::SetMaximum(int maximum) {
  if (Alive()) SendMessageW(Handle(), PBM_SETRANGE32, 0, maximum);
}

int ProgressBar::Maximum() const {
  return Alive() ? static_cast<int>(SendMessageW(Handle(), PBM_GETRANGE, FALSE, 0)) : 0;
}

void ProgressBar::SetPosition(int position) {
  if (Alive()) SendMessageW(Handle(), PBM_SETPOS, position, 0);
}

int ProgressBar::Position() const { return Alive() ? static_cast<int>(SendMessageW(Handle(), PBM_GETPOS, 0, 0)) : 0; }

}  // namespace keytidy::ui
