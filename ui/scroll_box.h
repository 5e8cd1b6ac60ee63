#pragma once
// A panel whose children may reach below its bottom edge: a vertical
// scroll bar (shown on request) moves all of them together. Children are
// placed in the box's own coordinates; at scroll position p a child placed
// at y appears at y - p.
#include <functional>

#include "ui/panel.h"

namespace keytidy::ui {

class ScrollBox : public Panel {
 public:
  using Panel::Panel;
  bool Create(HWND parent, int x, int y, int width, int height, COLORREF color);
  std::wstring ClassName() const override { return L"TSCROLLBOX"; }

  // A range of 0 hides the bar; otherwise the content is `range` pixels high.
  void SetScrollRange(int range);
  int ScrollRange() const { return range_; }
  bool ScrollBarVisible() const;
  int ScrollPosition() const { return position_; }
  void ScrollTo(int position);

  // Paints what lies under the children (bands, frames), in the box's
  // coordinates shifted by the scroll position.
  std::function<void(HDC dc, int scrollPosition)> OnPaintBackground;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int range_ = 0;
  int position_ = 0;
};

}  // namespace keytidy::ui
