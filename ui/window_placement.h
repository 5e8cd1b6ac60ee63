#pragma once
// Where a top-level window goes on its monitor: centred in the work area,
// and never larger than it. At a high scaling factor a window's design size
// can exceed a small screen; it then takes the whole work area and its
// layout follows the smaller client area, instead of hanging off the screen
// with its buttons out of reach.
#include <windows.h>

namespace keytidy::ui {

RECT PlaceInWorkArea(int frameWidth, int frameHeight, const RECT& workArea);

// The work area (the monitor less its taskbars) of the monitor nearest the
// window; the primary monitor's when the monitor cannot be asked.
RECT WorkAreaOf(HWND window);

}  // namespace keytidy::ui
