#include "ui/image_button.h"

#include "ui/gdi_objects.h"
#include "ui/panel.h"

namespace keytidy::ui {

namespace {
constexpr wchar_t kImageButtonClass[] = L"KeytidyImageButton";
}

bool ImageButton3State::Create(HWND parent, int x, int y, int width, int height) {
  RegisterWindowClass(kImageButtonClass);
  cursor_ = LoadCursorW(nullptr, IDC_HAND);
  return CreateOwnWindow(0, kImageButtonClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, x, y, width,
                         height, parent);
}

void ImageButton3State::SetPictureNormal(Picture picture) {
  normal_ = std::move(picture);
  Show(normal_);
}

void ImageButton3State::Show(const Picture& picture) {
  shown_ = picture;
  Invalidate();
}

void ImageButton3State::Nudge(int delta) {
  if (!MoveIfMousePressed) return;
  const RECT r = Bounds();
  SetWindowPos(Handle(), nullptr, r.left + delta, r.top + delta, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT ImageButton3State::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (keyboard_.Handle(Handle(), message, wParam, lParam, OnClick, result)) return result;
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      auto paint = [&](HDC dc) {
        PaintParentBackground(Handle(), dc);
        RECT client;
        GetClientRect(Handle(), &client);
        // A disabled button keeps the picture its owner chose; focus shows as hover.
        const bool focusCue = ShowsFocus(Handle()) && Enabled() && !down_ && !highlight_.Empty();
        (focusCue ? highlight_ : shown_).Draw(dc, 0, 0, client.right, client.bottom);
      };
      if (message == WM_PRINTCLIENT) {
        paint(reinterpret_cast<HDC>(wParam));
      } else {
        PaintScope scope(Handle());
        paint(scope.dc());
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (hover_.OnMouseMove(Handle()) == HoverTracker::Change::Entered && Enabled()) {
        if (OnMouseEnter) OnMouseEnter();
        Show(highlight_);
      }
      return 0;
    case WM_MOUSELEAVE:
      if (hover_.OnMouseLeave() == HoverTracker::Change::Left && Enabled()) {
        if (OnMouseLeave) OnMouseLeave();
        Show(normal_);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      if (!Enabled()) return 0;
      const int button = message == WM_LBUTTONDOWN ? VK_LBUTTON : message == WM_RBUTTONDOWN ? VK_RBUTTON : VK_MBUTTON;
      if (!down_) {
        down_ = true;
        Nudge(1);
        Show(pressed_);
        SetCapture(Handle());
      }
      if (OnMouseDown) OnMouseDown(button);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      if (!down_) return 0;
      down_ = false;
      if (GetCapture() == Handle()) ReleaseCapture();
      Nudge(-1);
      POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      RECT client;
      GetClientRect(Handle(), &client);
      const bool over = PtInRect(&client, point) != FALSE;
      if (over) Show(highlight_);
      // The click may close the window that owns this button: nothing of
      // this object is touched after it.
      if (over && message == WM_LBUTTONUP && OnClick) OnClick();
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (down_) {
        down_ = false;
        Nudge(-1);
      }
      return 0;
    case WM_SETCURSOR:
      if (ApplyCursor(wParam, lParam)) return TRUE;
      break;
    default: break;
  }
  return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace keytidy::ui
