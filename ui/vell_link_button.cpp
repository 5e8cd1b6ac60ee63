#include "ui/vell_link_button.h"

#include <algorithm>

#include "ui/buffered_paint.h"

namespace keytidy::ui {

namespace {

constexpr wchar_t kLinkButtonClass[] = L"KeytidyVellLinkButton";

UniqueFont MakeFont(const ButtonFont& font) {
  LOGFONTW log{};
  log.lfHeight = font.height;
  log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  log.lfUnderline = font.underline;
  log.lfCharSet = DEFAULT_CHARSET;
  log.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(log.lfFaceName, font.face.c_str(), LF_FACESIZE);
  return UniqueFont(CreateFontIndirectW(&log));
}

}  // namespace

VellLinkButton::VellLinkButton(Component* owner, std::wstring name, int tag)
    : Control(owner, std::move(name), tag), fontHandle_(MakeFont(font_)), fontHotHandle_(MakeFont(fontHot_)) {}

bool VellLinkButton::Create(HWND parent, int x, int y, int width, int height) {
  RegisterWindowClass(kLinkButtonClass);
  cursor_ = LoadCursorW(nullptr, IDC_HAND);
  if (!CreateOwnWindow(0, kLinkButtonClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height,
                       parent))
    return false;
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
  fontHandle_ = MakeFont(font);
  ApplyAutoWidth();
  Repaint();
}

void VellLinkButton::SetFontHot(const ButtonFont& font) {
  fontHot_ = font;
  fontHotHandle_ = MakeFont(font);
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

void VellLinkButton::Repaint() {
  if (Alive()) InvalidateRect(Handle(), nullptr, FALSE);
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
  const int wanted = CaptionWidth(screen.get()) + glyph_.Width() + 4;
  if (wanted != Width()) SetWindowPos(Handle(), nullptr, 0, 0, wanted, Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void VellLinkButton::Paint(HDC dc) {
  if (!IsWindowVisible(Handle())) return;
  const int width = Width(), height = Height();
  SetBkMode(dc, TRANSPARENT);
  const int y = font_.height <= 0 ? (height + font_.height) / 2 - 2 : (height - font_.height) / 2 - 2;
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

  if (caption_.empty()) return;
  const bool hot = hover_.Inside();
  SelectionScope selected(dc, hot ? fontHotHandle_.get() : fontHandle_.get());
  if (shadow_) {
    SetTextColor(dc, shadowColor_);
    TextOutW(dc, x + 1, y + 1, caption_.c_str(), static_cast<int>(caption_.size()));
  }
  SetTextColor(dc, hot ? fontHot_.color : font_.color);
  TextOutW(dc, x, y, caption_.c_str(), static_cast<int>(caption_.size()));
}

LRESULT VellLinkButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintBuffered(Handle(), message, wParam, [this](HDC dc) { Paint(dc); });
      return 0;
    case WM_MOUSEMOVE:
      if (hover_.OnMouseMove(Handle()) == HoverTracker::Change::Entered && Enabled()) {
        if (OnMouseEnter) OnMouseEnter();
        Repaint();
      }
      return 0;
    case WM_MOUSELEAVE:
      if (hover_.OnMouseLeave() == HoverTracker::Change::Left && Enabled()) {
        if (OnMouseLeave) OnMouseLeave();
        Repaint();
      }
      return 0;
    case WM_LBUTTONDOWN:
      down_ = true;
      SetCapture(Handle());
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const bool wasDown = down_ && message == WM_LBUTTONUP;
      down_ = false;
      if (GetCapture() == Handle()) ReleaseCapture();
      const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      RECT client;
      GetClientRect(Handle(), &client);
      if (!PtInRect(&client, point) || !Enabled()) return 0;
      const int button = message == WM_LBUTTONUP ? VK_LBUTTON : message == WM_RBUTTONUP ? VK_RBUTTON : VK_MBUTTON;
      const auto onMouseUp = OnMouseUp;
      const auto onClick = OnClick;
      if (onMouseUp) onMouseUp(button, wParam, point.x, point.y);
      if (wasDown && onClick) onClick();
      return 0;
    }
    case WM_CAPTURECHANGED:
      down_ = false;
      return 0;
    case WM_SETCURSOR:
      if (ApplyCursor(wParam, lParam)) return TRUE;
      break;
    default:
      break;
  }
  return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace keytidy::ui
