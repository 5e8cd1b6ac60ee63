#pragma once
// A plain container with a solid background, optionally a picture stretched
// over it. Hosts other controls and reflects their notifications.
#include <functional>

#include "ui/control.h"
#include "ui/gdi_objects.h"
#include "ui/picture.h"

namespace keytidy::ui {

class Panel : public Control {
 public:
  Panel(Component* owner, std::wstring name, int tag = 0) : Control(owner, std::move(name), tag) {}
  bool Create(HWND parent, int x, int y, int width, int height, COLORREF color);
  std::wstring ClassName() const override { return L"TPANEL"; }

  void SetColor(COLORREF color);
  COLORREF Color() const { return color_; }
  void SetBackgroundPicture(Picture picture);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  COLORREF color_ = RGB(255, 255, 255);
  UniqueBrush brush_;
  Picture background_;
};

// Paints the parent's background under a child, so a child with transparent
// parts shows what lies behind it.
void PaintParentBackground(HWND child, HDC dc);

}  // namespace keytidy::ui

namespace keytidy::ui {

// A page of a page control: a panel whose caption names its tab.
class TabSheet : public Panel {
 public:
  using Panel::Panel;
  std::wstring ClassName() const override { return L"TTABSHEET"; }
  bool HasCaption() const override { return true; }
};

}  // namespace keytidy::ui
