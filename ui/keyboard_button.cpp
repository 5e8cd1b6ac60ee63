#include "ui/keyboard_button.h"

namespace keytidy::ui {

bool KeyboardButton::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const std::function<void()>& press,
                            LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_GETDLGCODE: result = DLGC_BUTTON; return true;
    case WM_KEYDOWN:
      if (wParam != VK_SPACE) return false;
      spaceDown_ = true;
      return true;
    case WM_KEYUP:
      if (wParam != VK_SPACE) return false;
      if (spaceDown_ && IsWindowEnabled(window)) {
        spaceDown_ = false;
        // A copy: the press may free the control (a button that closes its form).
        const auto action = press;
        if (action) action();
      }
      spaceDown_ = false;
      return true;
    case BM_CLICK:
      if (IsWindowEnabled(window) && IsWindowVisible(window)) {
        const auto action = press;
        if (action) action();
      }
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      spaceDown_ = false;
      InvalidateRect(window, nullptr, FALSE);
      return true;
    case WM_UPDATEUISTATE:
      result = DefWindowProcW(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, FALSE);
      return true;
    default: return false;
  }
}

bool ShowsFocus(HWND window) {
  if (GetFocus() != window) return false;
  return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

UINT AccessKeyFlag(HWND window) {
  return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
}

void DrawFocusCue(HWND window, HDC dc, int inset) {
  if (!ShowsFocus(window)) return;
  RECT client;
  GetClientRect(window, &client);
  InflateRect(&client, -inset, -inset);
  // DrawFocusRect inverts: the text colour decides nothing, the background
  // does.
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  DrawFocusRect(dc, &client);
}

}  // namespace keytidy::ui
