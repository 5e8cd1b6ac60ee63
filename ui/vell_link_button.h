#pragma once
// A text-and-icon link button: a caption with an optional glyph (or
// image-list icon) before it and a second glyph anywhere on it, in one font
// normally and another ("hot") font while the pointer is over it, with an
// optional one-pixel shadow. Setting the caption does not repaint: whoever
// sets it (the translation walk) repaints the button afterwards.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "ui/control.h"
#include "ui/gdi_objects.h"
#include "ui/picture.h"
#include "ui/push_control.h"

namespace keytidy::ui {

struct ButtonFont {
  std::wstring face = L"Tahoma";
  int height = -11;  // LOGFONT height in design pixels: negative is the character height
  bool bold = false;
  bool underline = false;
  COLORREF color = RGB(0, 0, 0);
};

class VellLinkButton : public PushControl {
 public:
  enum class Alignment { Left, Right, Center };

  VellLinkButton(Component* owner, std::wstring name, int tag = 0);
  bool Create(HWND parent, int x, int y, int width = 88, int height = 25);
  std::wstring ClassName() const override { return L"TVELLUNICODESTBUTTON"; }

  bool HasCaption() const override { return true; }
  std::wstring Caption() const override { return caption_; }
  void SetCaption(const std::wstring& text) override;  // no repaint, see above

  void SetGlyph(Picture glyph);
  void SetGlyphRightSide(Picture glyph, int offsetX, int offsetY);
  void SetImage(HIMAGELIST list, int index);  // borrowed
  void SetFont(const ButtonFont& font);
  void SetFontHot(const ButtonFont& font);
  void SetAutoWidth(bool on);
  void SetAlignment(Alignment alignment);
  void SetShadow(bool on, COLORREF color = RGB(0, 0, 0));

  void Paint(HDC dc) override;
  HFONT TextFont() const override { return fontHandle_.get(); }
  void OnDpiChanged() override {
    RemakeFonts();
    ApplyAutoWidth();
  }

 private:
  void RemakeFonts();
  int CaptionWidth(HDC dc) const;
  int ImageWidth() const;
  void ApplyAutoWidth();

  std::wstring caption_ = L"xxxxxx";
  Picture glyph_, rightGlyph_;
  int rightX_ = 0, rightY_ = 0;
  HIMAGELIST imageList_ = nullptr;
  int imageIndex_ = -1;
  ButtonFont font_, fontHot_;
  UniqueFont fontHandle_, fontHotHandle_;
  bool autoWidth_ = true;
  Alignment alignment_ = Alignment::Left;
  bool shadow_ = false;
  COLORREF shadowColor_ = RGB(0, 0, 0);
};

}  // namespace keytidy::ui
