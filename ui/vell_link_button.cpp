#include "ui/vell_link_button.h"

#include <algorithm>

#include "ui/keyboard_button.h"
#include "ui/window_dpi.h"

namespace keytidy::ui {

namespace {

constexpr wchar_t kLinkButtonClass[] = L"KeytidyVellLinkButton";

UniqueFont MakeFont(const ButtonFont& font, HWND window) {
  LOGFONTW log{};
  log.lfHeight = ScaleForWindow(window, font.height);
  log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  log.lfUnderline = font.underline;
  log.lfCharSet = DEFAULT_CHARSET;
  log.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(log.lfFaceName, font.face.c_str(), LF_FACESIZE);
  return UniqueFont(CreateFontIndirectW(&log));
}

}  // namespace

VellLinkButton::VellLinkButton(Component* owner, std::wstring name, int tag)
    : PushControl(owner, std::move(name), tag) {
  RemakeFonts();
}

// The heights are kept in design pixels; the fonts are made for the DPI of
// the window (the screen's before the window exists).
void VellLinkButton::RemakeFonts() {
  fontHandle_ = MakeFont(font_, Handle());
  fontHotHandle_ = MakeFont(fontHot_, Handle());
}

bool VellLinkButton::Create(HWND parent, int x, int y, int width, int height) {
  RegisterWindowClass(kLinkButtonClass);
  cursor_ = LoadCursorW(nullptr, IDC_HAND);
  // No window text: a link's caption is shown as written, and an ampersand
  // in it must not become an access key.
  if (!CreateOwnWindow(0, kLinkButtonClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, x, y, width,
                       height, parent))
    return false;
  RemakeFonts();
  ApplyAutoWidth();
  return true;
}

void VellLinkButton::SetCaption(const std::wstring& text) {
  caption_ = text;
  ApplyAutoWidth();
}

void VellLinkButton::SetGlyph(Picture glyph) {
  glyph_ = std::move(glyph);
  ApplyAutoWidth();
  Repaint();
}

void VellLinkButton::SetGlyphRightSide(Picture glyph, int offsetX, int offsetY) {
  rightGlyph_ = std::move(glyph);
  rightX_ = offsetX;
  rightY_ = offsetY;
  Repaint();
}

void VellLinkButton::SetImage(HIMAGELIST list, int index) {
  imageList_ = list;
  imageIndex_ = index;
  Repaint();
}

void VellLinkButton::SetFont(const ButtonFont& font) {
  font_ = font;
  fontHandle_ = MakeFont(font, Handle());
  ApplyAutoWidth();
  Repaint();
}

void VellLinkButton::SetFontHot(const ButtonFont& font) {
  fontHot_ = font;
  fontHotHandle_ = MakeFont(font, Handle());
  Repaint();
}

void VellLinkButton::SetAutoWidth(bool on) {
  autoWidth_ = on;
  ApplyAutoWidth();
}

void VellLinkButton::SetAlignment(Alignment alignment) {
  alignment_ = alignment;
  Repaint();
}

void VellLinkButton::SetShadow(bool on, COLORREF color) {
  shadow_ = on;
  shadowColor_ = color;
  ApplyAutoWidth();
  Repaint();
}

// Always measured in the normal font: a hot font of another size must not
// make the button change its width under the pointer.
int VellLinkButton::CaptionWidth(HDC dc) const {
  SIZE size{};
  if (!caption_.empty()) {
    SelectionScope selected(dc, fontHandle_.get());
    GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &size);
  }
  return size.cx + (shadow_ ? 1 : 0);
}

int VellLinkButton::ImageWidth() const {
  int width = 0, height = 0;
  if (imageList_ && imageIndex_ != -1) ImageList_GetIconSize(imageList_, &width, &height);
  return width;
}

void VellLinkButton::ApplyAutoWidth() {
  if (!autoWidth_ || !Alive()) return;
  WindowDc screen(Handle());
  const int wanted = CaptionWidth(screen.get()) + glyph_.Width() + ScaleForWindow(Handle(), 4);
  if (wanted != Width())
    SetWindowPos(Handle(), nullptr, 0, 0, wanted, Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void VellLinkButton::Paint(HDC dc) {
  if (!IsWindowVisible(Handle())) return;
  const int width = Width(), height = Height();
  SetBkMode(dc, TRANSPARENT);
  const int fontHeight = ScaleForWindow(Handle(), font_.height);
  const int y = fontHeight <= 0 ? (height + fontHeight) / 2 - 2 : (height - fontHeight) / 2 - 2;
  const int textWidth = CaptionWidth(dc);
  const int imageWidth = ImageWidth();
  const bool hasImage = imageList_ && imageIndex_ != -1;

  int x = glyph_.Width() + 4 + (hasImage ? imageWidth + 4 : 0);
  if (alignment_ == Alignment::Right) x = width - textWidth;
  if (alignment_ == Alignment::Center)
    x = std::max(0, (width - textWidth) / 2 + glyph_.Width() / 2 + (hasImage ? imageWidth / 2 : 0));

  glyph_.Draw(dc, x - glyph_.Width() - 4, (height - glyph_.Height()) / 2);
  if (hasImage) {
    int w = 0, h = 0;
    ImageList_GetIconSize(imageList_, &w, &h);
    ImageList_Draw(imageList_, imageIndex_, dc, x - w - 4, (height - h) / 2, ILD_TRANSPARENT);
  }
  rightGlyph_.Draw(dc, rightX_, rightY_);

  DrawFocusCue(Handle(), dc, 0);
  if (caption_.empty()) return;
  const bool hot = MouseIsInside();
  SelectionScope selected(dc, hot ? fontHotHandle_.get() : fontHandle_.get());
  if (shadow_) {
    SetTextColor(dc, shadowColor_);
    TextOutW(dc, x + 1, y + 1, caption_.c_str(), static_cast<int>(caption_.size()));
  }
  SetTextColor(dc, hot ? fontHot_.color : font_.color);
  TextOutW(dc, x, y, caption_.c_str(), static_cast<int>(caption_.size()));
}

}  // namespace keytidy::ui
