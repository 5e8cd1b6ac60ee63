#pragma once
// The DPI a window is shown at. The program declares per-monitor awareness,
// so on Windows 10 and later each window has its monitor's DPI; earlier
// systems have one DPI for every window (the screen's).
#include <windows.h>

namespace keytidy::ui {

// WM_DPICHANGED_AFTERPARENT: what each child hears after its top-level
// window moved to a monitor of another DPI (Windows 10 1607 on, above the
// Windows version the headers are set for).
inline constexpr UINT kDpiChangedAfterParent = 0x02E3;

// The window's DPI; without a window, the screen's.
int WindowDpi(HWND window);

// Design pixels (laid out at 96 DPI) at the window's DPI.
int ScaleForWindow(HWND window, int designPixels);

}  // namespace keytidy::ui
