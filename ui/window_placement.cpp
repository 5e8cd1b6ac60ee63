#include "ui/window_placement.h"

#include <algorithm>

namespace keytidy::ui {

RECT PlaceInWorkArea(int frameWidth, int frameHeight, const RECT& workArea) {
  const int workWidth = std::max(0L, workArea.right - workArea.left);
  const int workHeight = std::max(0L, workArea.bottom - workArea.top);
  const int width = std::clamp(frameWidth, 0, workWidth);
  const int height = std::clamp(frameHeight, 0, workHeight);
  const int x = workArea.left + (workWidth - width) / 2;
  const int y = workArea.top + (workHeight - height) / 2;
  return RECT{x, y, x + width, y + height};
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return monitor.rcWork;
  RECT primary{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
  return primary;
}

}  // namespace keytidy::ui
