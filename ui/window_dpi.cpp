#include "ui/window_dpi.h"

#include "ui/gdi_objects.h"

namespace keytidy::ui {

namespace {
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
}

int WindowDpi(HWND window) {
  // Only present from Windows 10 on.
  static const auto getDpi = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpi && window) {
    if (UINT dpi = getDpi(window)) return static_cast<int>(dpi);
  }
  WindowDc screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

int ScaleForWindow(HWND window, int designPixels) { return MulDiv(designPixels, WindowDpi(window), 96); }

}  // namespace keytidy::ui
