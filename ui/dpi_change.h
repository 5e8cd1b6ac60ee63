#pragma once
// A window moved to a monitor of another DPI. The program is per-monitor DPI
// aware, so Windows scales nothing of the client area itself: the form moves
// every control by the ratio of the two DPIs, gives the controls that write
// in its font the font made for the new DPI, and widens list columns alike.
#include <windows.h>

namespace keytidy::ui {

// Scales the places of `parent`'s children (and theirs, but not the parts of
// the system's compound controls, which place those themselves) from
// `fromDpi` to `toDpi`; a child writing in `oldFont` gets `newFont`.
void ScaleChildLayout(HWND parent, int fromDpi, int toDpi, HFONT oldFont, HFONT newFont);

}  // namespace keytidy::ui
