#pragma once
// Parts of a form that need no window of their own: a picture or a filled
// rectangle that the form paints under its controls. Controls that show
// their parent's background through transparent parts then show these too.
#include <windows.h>

#include "ui/component.h"
#include "ui/picture.h"

namespace keytidy::ui {

class WindowlessImage : public Component {
 public:
  WindowlessImage(Component* owner, std::wstring name, int tag = 0) : Component(owner, std::move(name), tag) {}
  std::wstring ClassName() const override { return L"TIMAGE"; }

  RECT bounds{};
  bool visible = true;
  bool stretch = true;
  Picture picture;

  void Paint(HDC dc) const {
    if (!visible) return;
    if (stretch) {
      picture.Draw(dc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    } else {
      picture.Draw(dc, bounds.left, bounds.top);
    }
  }
};

class WindowlessShape : public Component {
 public:
  WindowlessShape(Component* owner, std::wstring name, int tag = 0) : Component(owner, std::move(name), tag) {}
  std::wstring ClassName() const override { return L"TSHAPE"; }

  RECT bounds{};
  bool visible = true;
  COLORREF color = RGB(255, 255, 255);

  bool Contains(POINT point) const { return visible && PtInRect(&bounds, point); }
  void Paint(HDC dc) const {
    if (!visible) return;
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &bounds, brush);
    DeleteObject(brush);
  }
};

}  // namespace keytidy::ui
