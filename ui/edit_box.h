#pragma once
// The system's one-line text box, with an optional grey hint shown while it
// is empty.
#include <functional>

#include "ui/native_controls.h"

namespace keytidy::ui {

class EditBox : public NativeControl {
 public:
  using NativeControl::NativeControl;
  bool Create(HWND parent, int x, int y, int width, int height, DWORD extraStyle = 0);
  std::wstring ClassName() const override { return L"TEDIT"; }
  bool HasCaption() const override { return false; }  // the user's text, never translated

  std::wstring Text() const { return Control::Caption(); }
  void SetText(const std::wstring& text) { Control::SetCaption(text); }
  void SetHint(const std::wstring& hint);
  const std::wstring& Hint() const { return hint_; }

  std::function<void()> OnChange;
  bool OnReflectedCommand(WORD code) override;

 private:
  std::wstring hint_;
};

}  // namespace keytidy::ui
