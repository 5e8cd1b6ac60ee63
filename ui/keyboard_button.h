#pragma once
// The keyboard side our own-drawn buttons share with the system's buttons:
// each is a tab stop that answers WM_GETDLGCODE as a button, so the dialog
// manager moves the focus onto it and presses it for the access key in its
// window text ("&Restore"); Space and BM_CLICK press it; gaining and losing
// the focus, or the keyboard cues being switched on, repaints it.
#include <windows.h>

#include <functional>

namespace keytidy::ui {

class KeyboardButton {
 public:
  // Handles `message` when it is one of the keyboard or focus messages;
  // `press` is what a click does. Returns true (with `result`) when handled.
  bool Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const std::function<void()>& press,
              LRESULT& result);

 private:
  bool spaceDown_ = false;
};

// Whether `window` has the focus and the keyboard cues say to show it.
bool ShowsFocus(HWND window);
// The DrawText flag that hides the access key underline until the user
// works with the keyboard (the system's own buttons behave alike).
UINT AccessKeyFlag(HWND window);
// A dotted rectangle `inset` pixels inside the client area when ShowsFocus.
void DrawFocusCue(HWND window, HDC dc, int inset);

}  // namespace keytidy::ui
