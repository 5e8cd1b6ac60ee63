#include "ui/navi_image.h"

#include "ui/buffered_paint.h"

namespace keytidy::ui {

namespace {
constexpr wchar_t kNaviImageClass[] = L"KeytidyVellNaviImage";
}

bool NaviImage::Create(HWND parent, int x, int y, int width, int height) {
  RegisterWindowClass(kNaviImageClass);
  cursor_ = LoadCursorW(nullptr, IDC_HAND);
  return CreateOwnWindow(0, kNaviImageClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height, parent);
}

void NaviImage::Show(const Picture& picture) {
  shown_ = picture;
  if (Alive()) InvalidateRect(Handle(), nullptr, FALSE);
}

void NaviImage::SetPictureNormal(Picture picture) {
  normal_ = std::move(picture);
  Show(normal_);
}

void NaviImage::SetEnabled(bool enabled) {
  Show(!enabled ? disabled_ : tracker_.Inside() ? hover_ : normal_);
  Control::SetEnabled(enabled);
}

void NaviImage::SetActive(bool active) {
  isActive_ = active;
  Show(active ? active_ : tracker_.Inside() ? hover_ : normal_);
}

LRESULT NaviImage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintBuffered(Handle(), message, wParam, [this](HDC dc) {
        RECT client;
        GetClientRect(Handle(), &client);
        shown_.Draw(dc, 0, 0, client.right, client.bottom);
      });
      return 0;
    case WM_MOUSEMOVE:
      if (tracker_.OnMouseMove(Handle()) == HoverTracker::Change::Entered && Enabled()) {
        if (OnMouseEnter) OnMouseEnter();
        if (!isActive_) Show(hover_);
      }
      return 0;
    case WM_MOUSELEAVE:
      if (tracker_.OnMouseLeave() == HoverTracker::Change::Left && Enabled()) {
        if (OnMouseLeave) OnMouseLeave();
        if (!isActive_) Show(normal_);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      if (!Enabled()) return 0;
      Show(down_);
      const auto onMouseDown = OnMouseDown;
      if (onMouseDown)
        onMouseDown(message == WM_LBUTTONDOWN ? VK_LBUTTON : message == WM_RBUTTONDOWN ? VK_RBUTTON : VK_MBUTTON);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (Enabled() && tracker_.Inside()) Show(hover_);
      return 0;
    case WM_SETCURSOR:
      if (ApplyCursor(wParam, lParam)) return TRUE;
      break;
    default: break;
  }
  return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace keytidy::ui
