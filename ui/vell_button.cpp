#include "ui/vell_button.h"

#include <algorithm>

#include "ui/keyboard_button.h"
#include "ui/window_dpi.h"

namespace keytidy::ui {

namespace {

constexpr wchar_t kVellButtonClass[] = L"KeytidyVellButton";
constexpr COLORREF kDisabledText = 8421504;  // grey 128, 128, 128

UniqueFont MakeFont(const std::wstring& face, int height, bool bold) {
  LOGFONTW font{};
  font.lfHeight = height;  // already at the window's DPI
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  return UniqueFont(CreateFontIndirectW(&font));
}

void FrameRectangle(HDC dc, RECT r, COLORREF color) {
  UniqueBrush brush(CreateSolidBrush(color));
  FrameRect(dc, &r, brush.get());
}

void FillRectangle(HDC dc, RECT r, COLORREF color) {
  UniqueBrush brush(CreateSolidBrush(color));
  FillRect(dc, &r, brush.get());
}

}  // namespace

VellButton::VellButton(Component* owner, std::wstring name, int tag) : PushControl(owner, std::move(name), tag) {
  RemakeFont();
}

int VellButton::Scaled(int designPixels) const { return ScaleForWindow(Handle(), designPixels); }

// The font height is kept in design pixels; the font itself is made for the
// DPI of the window (the screen's before the window exists).
void VellButton::RemakeFont() { font_ = MakeFont(fontFace_, Scaled(fontHeight_), fontBold_); }

bool VellButton::Create(HWND parent, int x, int y, int width, int height) {
  RegisterWindowClass(kVellButtonClass);
  cursor_ = LoadCursorW(nullptr, IDC_HAND);
  if (!CreateOwnWindow(0, kVellButtonClass, caption_.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, x,
                       y, width, height, parent))
    return false;
  RemakeFont();
  ApplyAutoWidth();
  return true;
}

void VellButton::SetCaption(const std::wstring& text) {
  caption_ = text;
  // The window text carries the access key for the dialog manager.
  if (Alive()) SetWindowTextW(Handle(), text.c_str());
  ApplyAutoWidth();
  Repaint();
}

void VellButton::SetGlyph(Picture glyph) {
  glyph_ = std::move(glyph);
  ApplyAutoWidth();
  Repaint();
}

void VellButton::SetFont(const std::wstring& face, int height, bool bold) {
  fontFace_ = face;
  fontHeight_ = height;
  fontBold_ = bold;
  RemakeFont();
  ApplyAutoWidth();
  Repaint();
}

void VellButton::SetFontColor(COLORREF color) {
  fontColor_ = color;
  Repaint();
}

void VellButton::SetAutoWidth(bool on) {
  autoWidth_ = on;
  ApplyAutoWidth();
}

void VellButton::SetAutoWidthMin(int width) {
  autoWidthMin_ = width;
  ApplyAutoWidth();
}

void VellButton::SetDropDownArrow(bool on, bool up) {
  dropDownArrow_ = on;
  dropDownArrowUp_ = up;
  ApplyAutoWidth();
  Repaint();
}

void VellButton::SetImage(HIMAGELIST list, int index) {
  imageList_ = list;
  imageIndex_ = index;
}

void VellButton::SetBorderColors(COLORREF normal, COLORREF hover, COLORREF disabled) {
  borderColor_ = normal;
  borderColorHover_ = hover;
  borderColorDisabled_ = disabled;
}

void VellButton::SetActionButton(bool on) {
  actionButton_ = on;
  Repaint();
}

void VellButton::SetActionButtonFontColor(COLORREF color) {
  actionButtonFontColor_ = color;
  Repaint();
}

int VellButton::CaptionWidth(HDC dc) const {
  if (caption_.empty()) return 0;
  SelectionScope selected(dc, font_.get());
  RECT extent{};
  DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &extent, DT_CALCRECT | DT_SINGLELINE);
  return extent.right - extent.left;
}

int VellButton::ImageWidth() const {
  int width = 0, height = 0;
  if (imageList_ && imageIndex_ != -1) ImageList_GetIconSize(imageList_, &width, &height);
  return width;
}

int VellButton::ImageHeight() const {
  int width = 0, height = 0;
  if (imageList_ && imageIndex_ != -1) ImageList_GetIconSize(imageList_, &width, &height);
  return height;
}

void VellButton::ApplyAutoWidth() {
  if (!autoWidth_ || !Alive()) return;
  WindowDc screen(Handle());
  // The glyph counts with its width (0 when empty); the margins always.
  int wanted = std::max(Scaled(autoWidthMin_), CaptionWidth(screen.get()) + glyph_.Width() + Scaled(4 + 16));
  if (dropDownArrow_) wanted += Scaled(16);
  if (wanted != Width())
    SetWindowPos(Handle(), nullptr, 0, 0, wanted, Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void VellButton::Paint(HDC dc) {
  if (!IsWindowVisible(Handle())) return;
  const int width = Width(), height = Height();
  const bool enabled = Enabled();
  SetBkMode(dc, TRANSPARENT);
  const int fontHeight = Scaled(fontHeight_);
  const int y = fontHeight <= 0 ? (height + fontHeight) / 2 - 2 : (height - fontHeight) / 2 - 2;
  const int textWidth = CaptionWidth(dc);

  int x = (width - textWidth) / 2 - (dropDownArrow_ ? 8 : 0);
  if (!caption_.empty()) {
    x += glyph_.Width() / 2 + ImageWidth() / 2;
  } else {
    x = imageList_ && imageIndex_ != -1 ? (width - ImageWidth()) / 2 : (width - glyph_.Width()) / 2;
  }
  x = std::max(x, 0);

  if (enabled && actionButton_)
    FillRectangle(dc, {0, 0, width - 1, height - 1}, MouseIsInside() ? borderColorHover_ : borderColor_);

  glyph_.Draw(dc, x, (height - glyph_.Height()) / 2);
  if (imageList_ && imageIndex_ != -1)
    ImageList_Draw(imageList_, imageIndex_, dc, x, (height - ImageHeight()) / 2, ILD_TRANSPARENT);

  if (!caption_.empty()) {
    SelectionScope selected(dc, font_.get());
    SetTextColor(dc, !enabled ? kDisabledText : actionButton_ ? actionButtonFontColor_ : fontColor_);
    RECT at{x, y, x + textWidth, y + height};
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &at,
              DT_SINGLELINE | DT_NOCLIP | AccessKeyFlag(Handle()));
  }
  DrawFocusCue(Handle(), dc, 3);

  if (dropDownArrow_) {
    const int b = caption_.empty() ? -6 : x + textWidth;
    UniquePen pen(CreatePen(PS_SOLID, 1, fontColor_));
    SelectionScope selected(dc, pen.get());
    for (int i = 0; i < 4; ++i) {
      const int row = dropDownArrowUp_ ? y + 8 - i : y + 4 + i;
      MoveToEx(dc, b + 8 + i, row, nullptr);
      LineTo(dc, b + 16 - i, row);
    }
  }

  if (enabled && actionButton_) return;
  const COLORREF border = !enabled ? borderColorDisabled_ : MouseIsInside() ? borderColorHover_ : borderColor_;
  if (!dropDownArrow_ || caption_.empty()) {
    FrameRectangle(dc, {0, 0, width, height}, border);
    FrameRectangle(dc, {1, 1, width - 1, height - 1}, border);
  } else {
    // The left side stays open: the button reads as the end of a split field.
    FillRectangle(dc, {0, 0, width, 2}, border);
    FillRectangle(dc, {0, height - 2, width, height}, border);
    FillRectangle(dc, {width - 2, 0, width, height}, border);
  }
}

}  // namespace keytidy::ui
