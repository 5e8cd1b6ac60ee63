#pragma once
// The flat push button of the screens: a caption (or a glyph) inside a
// two-pixel coloured border that lights up under the pointer. An "action
// button" is filled with the border colour instead and writes its caption in
// white; a drop-down arrow can follow the caption. With AutoWidth the button
// grows to fit its caption but is never narrower than AutoWidthMin.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "ui/control.h"
#include "ui/gdi_objects.h"
#include "ui/picture.h"
#include "ui/push_control.h"

namespace keytidy::ui {

class VellButton : public PushControl {
 public:
  VellButton(Component* owner, std::wstring name, int tag = 0);
  bool Create(HWND parent, int x, int y, int width = 100, int height = 33);
  std::wstring ClassName() const override { return L"TVELLBUTTON"; }

  bool HasCaption() const override { return true; }
  std::wstring Caption() const override { return caption_; }
  void SetCaption(const std::wstring& text) override;

  const Picture& Glyph() const { return glyph_; }
  void SetGlyph(Picture glyph);
  // The caption font: a face and a LOGFONT height in design pixels
  // (negative: the character height), made larger at a higher DPI. Tahoma,
  // -11 (8 pt) and black at first.
  void SetFont(const std::wstring& face, int height, bool bold = false);
  int FontHeight() const { return fontHeight_; }
  COLORREF FontColor() const { return fontColor_; }
  void SetFontColor(COLORREF color);

  bool AutoWidth() const { return autoWidth_; }
  void SetAutoWidth(bool on);
  // In design pixels, like the font height.
  int AutoWidthMin() const { return autoWidthMin_; }
  void SetAutoWidthMin(int width);
  void SetDropDownArrow(bool on, bool up = false);
  void SetImage(HIMAGELIST list, int index);  // the list is borrowed, not owned

  COLORREF BorderColor() const { return borderColor_; }
  COLORREF BorderColorHover() const { return borderColorHover_; }
  COLORREF BorderColorDisabled() const { return borderColorDisabled_; }
  // Border colours only take effect at the next repaint.
  void SetBorderColors(COLORREF normal, COLORREF hover, COLORREF disabled);
  bool ActionButton() const { return actionButton_; }
  void SetActionButton(bool on);
  void SetActionButtonFontColor(COLORREF color);

  void Paint(HDC dc) override;
  HFONT TextFont() const override { return font_.get(); }
  void OnDpiChanged() override {
    RemakeFont();
    ApplyAutoWidth();
  }

 private:
  int Scaled(int designPixels) const;
  void RemakeFont();
  int CaptionWidth(HDC dc) const;
  int ImageWidth() const;
  int ImageHeight() const;
  void ApplyAutoWidth();

  std::wstring caption_;
  Picture glyph_;
  std::wstring fontFace_ = L"Tahoma";
  int fontHeight_ = -11;
  bool fontBold_ = false;
  UniqueFont font_;
  COLORREF fontColor_ = RGB(0, 0, 0);
  bool autoWidth_ = true;
  int autoWidthMin_ = 80;
  bool dropDownArrow_ = false;
  bool dropDownArrowUp_ = false;
  int imageIndex_ = -1;
  HIMAGELIST imageList_ = nullptr;
  COLORREF borderColor_ = 763127;            // orange: red 247, green 164, blue 11
  COLORREF borderColorHover_ = 769527;       // red 247, green 189, blue 11
  COLORREF borderColorDisabled_ = 11578024;  // red 168, green 170, blue 176
  bool actionButton_ = false;
  COLORREF actionButtonFontColor_ = RGB(255, 255, 255);
};

}  // namespace keytidy::ui
