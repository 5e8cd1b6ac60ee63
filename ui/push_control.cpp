#include "ui/push_control.h"

#include "ui/buffered_paint.h"
#include "ui/window_dpi.h"

namespace keytidy::ui {

void PushControl::Repaint() {
  if (Alive()) InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT PushControl::OnButtonUp(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool wasDown = down_ && message == WM_LBUTTONUP;
  down_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  RECT client;
  GetClientRect(Handle(), &client);
  if (!PtInRect(&client, point) || !Enabled()) return 0;
  const int button = message == WM_LBUTTONUP ? VK_LBUTTON : message == WM_RBUTTONUP ? VK_RBUTTON : VK_MBUTTON;
  // Copies: a handler may free the control (a click that closes its form).
  const auto onMouseUp = OnMouseUp;
  const auto onClick = OnClick;
  if (onMouseUp) onMouseUp(button, wParam, point.x, point.y);
  if (wasDown && onClick) onClick();
  return 0;
}

LRESULT PushControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (keyboard_.Handle(Handle(), message, wParam, lParam, OnClick, result)) return result;
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: PaintBuffered(Handle(), message, wParam, [this](HDC dc) { Paint(dc); }); return 0;
    case WM_MOUSEMOVE:
      if (hover_.OnMouseMove(Handle()) == HoverTracker::Change::Entered && Enabled()) {
        if (OnMouseEnter) OnMouseEnter();
        Repaint();
      }
      return 0;
    case WM_MOUSELEAVE:
      if (hover_.OnMouseLeave() == HoverTracker::Change::Left && Enabled()) {
        if (OnMouseLeave) OnMouseLeave();
        Repaint();
      }
      return 0;
    case WM_LBUTTONDOWN:
      down_ = true;
      SetCapture(Handle());
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: return OnButtonUp(message, wParam, lParam);
    case WM_CAPTURECHANGED: down_ = false; return 0;
    case WM_ENABLE:
      // The system repaints nothing of ours when the state changes.
      Repaint();
      return 0;
    case WM_SETCURSOR:
      if (ApplyCursor(wParam, lParam)) return TRUE;
      break;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(TextFont());
    case kDpiChangedAfterParent:
      OnDpiChanged();
      Repaint();
      return 0;
    default: break;
  }
  return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace keytidy::ui
