#pragma once
// The pointer behaviour our flat buttons share: hover tracking with enter and
// leave events, capture while pressed, and a click only when the left button
// goes up inside an enabled control; the keyboard presses it as it presses
// the system's buttons. Subclasses only paint.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/control.h"
#include "ui/keyboard_button.h"

namespace keytidy::ui {

class PushControl : public Control {
 public:
  using Control::Control;

  bool MouseIsInside() const { return hover_.Inside(); }

  std::function<void()> OnClick;
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;
  std::function<void(int button, WPARAM keys, int x, int y)> OnMouseUp;

  // Draws the whole control into a context of its size.
  virtual void Paint(HDC dc) = 0;
  // The font the caption is drawn in, which WM_GETFONT answers (for anyone
  // measuring the text); none for a control without text.
  virtual HFONT TextFont() const { return nullptr; }
  // The window now has another DPI (moved to another monitor).
  virtual void OnDpiChanged() {}
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void Repaint();

 private:
  LRESULT OnButtonUp(UINT message, WPARAM wParam, LPARAM lParam);

  HoverTracker hover_;
  KeyboardButton keyboard_;
  bool down_ = false;
};

}  // namespace keytidy::ui
