#include "ui/image_box.h"

#include "ui/gdi_objects.h"
#include "ui/panel.h"

namespace keytidy::ui {

namespace {
constexpr wchar_t kImageClass[] = L"KeytidyImage";
}

bool ImageBox::Create(HWND parent, int x, int y, int width, int height) {
  RegisterWindowClass(kImageClass);
  return CreateOwnWindow(0, kImageClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height, parent);
}

void ImageBox::SetPicture(Picture picture) {
  picture_ = std::move(picture);
  if (autoSize_ && !picture_.Empty() && Alive())
    SetWindowPos(Handle(), nullptr, 0, 0, picture_.Width(), picture_.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Invalidate();
}

LRESULT ImageBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      auto paint = [&](HDC dc) {
        PaintParentBackground(Handle(), dc);
        RECT client;
        GetClientRect(Handle(), &client);
        if (stretch_) {
          picture_.Draw(dc, 0, 0, client.right, client.bottom);
        } else {
          picture_.Draw(dc, 0, 0);
        }
      };
      if (message == WM_PRINTCLIENT) {
        paint(reinterpret_cast<HDC>(wParam));
      } else {
        PaintScope scope(Handle());
        paint(scope.dc());
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (OnMouseDown)
        OnMouseDown(message == WM_LBUTTONDOWN ? VK_LBUTTON : message == WM_RBUTTONDOWN ? VK_RBUTTON : VK_MBUTTON);
      return 0;
    case WM_SETCURSOR:
      if (ApplyCursor(wParam, lParam)) return TRUE;
      break;
    default: break;
  }
  return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace keytidy::ui
