#pragma once
// A top-level window of ours: the root component of its translation walk,
// owner of its font and background, and able to run modally with a message
// loop of its own.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/component.h"
#include "ui/gdi_objects.h"
#include "ui/window.h"

namespace keytidy::ui {

class Form : public Window, public Component {
 public:
  Form(std::wstring name, int tag = 1) : Component(nullptr, std::move(name), tag) {}
  ~Form() override;
  std::wstring ClassName() const override { return L"TFORM"; }

  // The caption, which is also the form's own translated text.
  bool HasCaption() const override { return true; }
  std::wstring Caption() const override;
  void SetCaption(const std::wstring& text) override;

  // Design pixels at the window's DPI (96 gives the design value).
  int Scale(int designPixels) const;
  int Dpi() const;

  void SetColor(COLORREF color);
  COLORREF Color() const { return color_; }
  HFONT Font() const { return font_.get(); }

  // Shows the form modally over every other window of this thread and
  // returns when it has closed (it is hidden then, not destroyed).
  void ShowModal();
  bool IsModal() const { return modal_; }

  // The control that gets the focus when the form is shown modally; without
  // one, the first control in tab order.
  void SetInitialFocus(HWND control) { initialFocus_ = control; }
  // The button Enter presses while the focus is on something that is not a
  // button; without one, Enter there does nothing.
  void SetDefaultButton(HWND button) { defaultButton_ = button; }

  // The keyboard of the form a message goes to: Enter and Escape, then the
  // dialog manager's Tab, arrow and access keys (the controls are created
  // in tab order). Every message loop passes its messages here first;
  // true when the message was used up.
  static bool TranslateKeyboard(MSG& message);

  // Asks the form to close, as the close box or Alt+F4 would.
  void Close();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // Creates the window with a client area of the given design size, centred
  // on the monitor's work area. Registers the class on first use.
  bool CreateForm(const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle, int clientWidth,
                  int clientHeight, HWND owner, UINT classStyle = CS_HREDRAW | CS_VREDRAW);

  // Whether the form may close now; default yes.
  virtual bool CloseQuery() { return true; }
  // After the close was allowed, before the window goes away or is hidden.
  virtual void OnClose() {}
  // Windowless parts drawn over the background colour.
  virtual void PaintBackground(HDC dc, const RECT& client) {}
  // Escape pressed in a modal form; default: close.
  virtual void OnEscape() { Close(); }

 private:
  bool RouteKey(MSG& message);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void MoveFocus(HWND target);

  COLORREF color_ = RGB(255, 255, 255);
  UniqueBrush brush_;
  UniqueFont font_;
  int layoutDpi_ = 96;  // the DPI the controls are laid out for
  HWND initialFocus_ = nullptr;
  HWND defaultButton_ = nullptr;
  bool modal_ = false;
  bool modalRunning_ = false;
};

}  // namespace keytidy::ui
