#pragma once
// Thin wrappers of the system's own controls: push button, check box, radio
// button and text label. Their notifications come back through the parent's
// reflection (Window::HandleMessage).
#include <functional>

#include "ui/control.h"
#include "ui/gdi_objects.h"

namespace keytidy::ui {

// The common part: creation with a window style and a background for the
// transparent-looking kinds.
class NativeControl : public Control {
 public:
  using Control::Control;
  bool HasCaption() const override { return true; }
  // The colour the control's surroundings are painted in (white by default,
  // the colour of our forms).
  void SetBackColor(COLORREF color);
  // The text colour of labels, check boxes and radio buttons (not of push
  // buttons, which the system paints); the system's by default.
  void SetFontColor(COLORREF color);
  COLORREF FontColor() const { return fontColor_; }
  HBRUSH OnReflectedColor(HDC dc) override;

 protected:
  bool CreateNative(const wchar_t* className, DWORD style, const std::wstring& text, HWND parent, int x, int y,
                    int width, int height);

 private:
  COLORREF backColor_ = RGB(255, 255, 255);
  UniqueBrush backBrush_;
  bool ownFontColor_ = false;
  COLORREF fontColor_ = 0;
};

class PushButton : public NativeControl {
 public:
  using NativeControl::NativeControl;
  bool Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"TBUTTON"; }
  std::function<void()> OnClick;
  bool OnReflectedCommand(WORD code) override;
  void Click();
};

class CheckBox : public NativeControl {
 public:
  using NativeControl::NativeControl;
  bool Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"TCHECKBOX"; }
  bool Checked() const;
  void SetChecked(bool checked);
  std::function<void()> OnClick;
  bool OnReflectedCommand(WORD code) override;
};

class RadioButton : public NativeControl {
 public:
  using NativeControl::NativeControl;
  // The first button of a group passes firstOfGroup = true.
  bool Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height, bool firstOfGroup);
  std::wstring ClassName() const override { return L"TRADIOBUTTON"; }
  bool Checked() const;
  void SetChecked(bool checked);
};

class TextLabel : public NativeControl {
 public:
  using NativeControl::NativeControl;
  bool Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"TLABEL"; }
};

}  // namespace keytidy::ui
