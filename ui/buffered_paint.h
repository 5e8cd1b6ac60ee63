#pragma once
// Double-buffered painting for our own controls: the control draws into a
// memory bitmap, which reaches the screen in one copy, so hover changes and
// fast repaints never flicker. WM_PRINTCLIENT draws straight into the given
// context (tests and parents capturing a control use it).
#include <windows.h>

#include <functional>

namespace keytidy::ui {

// Handles WM_PAINT or WM_PRINTCLIENT for `window` by calling `paint` with a
// context covering the client area (the parent's background already in it).
void PaintBuffered(HWND window, UINT message, WPARAM wParam, const std::function<void(HDC dc)>& paint);

}  // namespace keytidy::ui
