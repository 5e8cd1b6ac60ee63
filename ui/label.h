#pragma once
// A one-line text on a form or panel, drawn by us over the parent's
// background: it takes any colour a skin asks for and shows in prints of
// its parent, which the system's static control does not do everywhere.
// Text that does not fit ends with an ellipsis.
#include <string>

#include "ui/control.h"
#include "ui/gdi_objects.h"

namespace keytidy::ui {

class Label : public Control {
 public:
  Label(Component* owner, std::wstring name, int tag = 0) : Control(owner, std::move(name), tag) {}
  bool Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"TLABEL"; }

  bool HasCaption() const override { return true; }
  std::wstring Caption() const override { return caption_; }
  void SetCaption(const std::wstring& text) override;

  void SetFontColor(COLORREF color);
  COLORREF FontColor() const { return fontColor_; }
  void SetBold(bool bold);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  // The parent's font (the form's, through panels), made bold if asked.
  HFONT DrawingFont();

  std::wstring caption_;
  COLORREF fontColor_ = RGB(0, 0, 0);
  bool bold_ = false;
  UniqueFont boldFont_;  // made from the parent's font when first needed
};

}  // namespace keytidy::ui
