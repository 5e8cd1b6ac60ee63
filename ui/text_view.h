#pragma once
// A read-only box of several lines the user can select and copy from: long
// lines wrap at the box's edge (inside a word when a word is wider than the
// box), and the scroll bar moves through text taller than the box. For data
// that must be shown whole, as it is.
#include "ui/native_controls.h"

namespace keytidy::ui {

class TextView : public NativeControl {
 public:
  using NativeControl::NativeControl;
  bool Create(HWND parent, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"TMEMO"; }
  bool HasCaption() const override { return false; }  // data, never translated

  // Lines are separated by CR LF; the view starts again at the top.
  void SetText(const std::wstring& text) { Control::SetCaption(text); }
  std::wstring Text() const { return Control::Caption(); }
  // Room between the frame and the text on the left and right.
  void SetMargins(int pixels);
};

}  // namespace keytidy::ui
