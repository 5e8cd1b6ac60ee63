#pragma once
// The DPI a window is shown at. The program declares per-monitor awareness,
// so on Windows 10 and later each window has its monitor's DPI; earlier
// systems have one DPI for every window (the screen's).
#include <windows.h>

namespace keytidy::ui {

// The window's DPI; without a window, the screen's.
int WindowDpi(HWND window);

// Design pixels (laid out at 96 DPI) at the window's DPI.
int ScaleForWindow(HWND window, int designPixels);

}  // namespace keytidy::ui
