#include "ui/tab_order.h"

namespace keytidy::ui {

void SetTabOrder(std::initializer_list<HWND> order) {
  HWND previous = HWND_TOP;
  for (HWND window : order) {
    if (!window) continue;
    SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    previous = window;
  }
}

}  // namespace keytidy::ui
