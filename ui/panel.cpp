#include "ui/panel.h"

namespace keytidy::ui {

namespace {
constexpr wchar_t kPanelClass[] = L"KeytidyPanel";
}

void PaintParentBackground(HWND child, HDC dc) {
  HWND parent = GetParent(child);
  if (!parent) return;
  POINT origin{0, 0};
  MapWindowPoints(child, parent, &origin, 1);
  RECT area;
  GetClientRect(child, &area);
  // The parent paints its whole background; only the part under the child
  // may land (a print into a shared bitmap has no clipping of its own).
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  RestoreDC(dc, saved);
}

bool Panel::Create(HWND parent, int x, int y, int width, int height, COLORREF color) {
  RegisterWindowClass(kPanelClass);
  SetColor(color);
  return CreateOwnWindow(WS_EX_CONTROLPARENT, kPanelClass, L"",
                         WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y, width, height, parent);
}

void Panel::SetColor(COLORREF color) {
  color_ = color;
  brush_.reset(CreateSolidBrush(color));
  Invalidate();
}

void Panel::SetBackgroundPicture(Picture picture) {
  background_ = std::move(picture);
  Invalidate();
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(dc, &client, brush_.get());
      background_.Draw(dc, 0, 0, client.right, client.bottom);
      return 1;
    }
    case WM_PRINTCLIENT: return 0;  // the background is all a panel paints itself
    case WM_PAINT: {
      PaintScope paint(Handle());
      return 0;
    }
    case WM_GETFONT:
      // A panel has no font of its own: the controls on it write in the
      // form's, at the form's DPI, not in the system font.
      if (HWND parent = GetParent(Handle())) return SendMessageW(parent, WM_GETFONT, 0, 0);
      return 0;
    default: return Control::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace keytidy::ui
