#include "ui/scroll_box.h"

#include <algorithm>

namespace keytidy::ui {

namespace {
constexpr wchar_t kScrollBoxClass[] = L"KeytidyScrollBox";
}

bool ScrollBox::Create(HWND parent, int x, int y, int width, int height, COLORREF color) {
  RegisterWindowClass(kScrollBoxClass);
  SetColor(color);
  if (!CreateOwnWindow(WS_EX_CONTROLPARENT, kScrollBoxClass, L"",
                       WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL, x, y, width, height,
                       parent))
    return false;
  SetScrollRange(0);
  return true;
}

void ScrollBox::SetScrollRange(int range) {
  range_ = std::max(0, range);
  if (!Alive()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = range_ > 0 ? range_ - 1 : 0;
  info.nPage = range_ > 0 ? static_cast<UINT>(client.bottom) : 0;
  if (range_ == 0) ScrollTo(0);
  info.nPos = position_;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  ShowScrollBar(Handle(), SB_VERT, range_ > 0);
}

bool ScrollBox::ScrollBarVisible() const { return Alive() && (GetWindowLongW(Handle(), GWL_STYLE) & WS_VSCROLL) != 0; }

void ScrollBox::ScrollTo(int position) {
  RECT client{};
  if (Alive()) GetClientRect(Handle(), &client);
  const int limit = std::max(0, range_ - static_cast<int>(client.bottom));
  position = std::clamp(position, 0, limit);
  if (position == position_) return;
  const int delta = position_ - position;
  position_ = position;
  if (!Alive()) return;
  ScrollWindowEx(Handle(), 0, delta, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  SetScrollPos(Handle(), SB_VERT, position_, TRUE);
  UpdateWindow(Handle());
}

LRESULT ScrollBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_VSCROLL: {
      RECT client;
      GetClientRect(Handle(), &client);
      int position = position_;
      switch (LOWORD(wParam)) {
        case SB_LINEUP: position -= 20; break;
        case SB_LINEDOWN: position += 20; break;
        case SB_PAGEUP: position -= client.bottom; break;
        case SB_PAGEDOWN: position += client.bottom; break;
        case SB_TOP: position = 0; break;
        case SB_BOTTOM: position = range_; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
          SCROLLINFO info{};
          info.cbSize = sizeof(info);
          info.fMask = SIF_TRACKPOS;
          GetScrollInfo(Handle(), SB_VERT, &info);
          position = info.nTrackPos;
          break;
        }
        default: break;
      }
      ScrollTo(position);
      return 0;
    }
    case WM_MOUSEWHEEL: ScrollTo(position_ - GET_WHEEL_DELTA_WPARAM(wParam) * 40 / WHEEL_DELTA); return 0;
    case WM_ERASEBKGND: {
      const LRESULT done = Panel::HandleMessage(message, wParam, lParam);
      if (OnPaintBackground) OnPaintBackground(reinterpret_cast<HDC>(wParam), position_);
      return done;
    }
    case WM_PRINTCLIENT:
      // Children that show their parent's background ask through here.
      if (OnPaintBackground) OnPaintBackground(reinterpret_cast<HDC>(wParam), position_);
      return 0;
    default: return Panel::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace keytidy::ui
