#include "ui/label.h"

#include "ui/buffered_paint.h"
#include "ui/window_dpi.h"

namespace keytidy::ui {

namespace {
constexpr wchar_t kLabelClass[] = L"KeytidyLabel";
}

bool Label::Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height) {
  RegisterWindowClass(kLabelClass);
  caption_ = caption;
  // The window text mirrors the caption for screen readers and the like.
  return CreateOwnWindow(0, kLabelClass, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height,
                         parent);
}

void Label::SetCaption(const std::wstring& text) {
  caption_ = text;
  if (Alive()) SetWindowTextW(Handle(), text.c_str());
  Invalidate();
}

void Label::SetFontColor(COLORREF color) {
  fontColor_ = color;
  Invalidate();
}

void Label::SetBold(bool bold) {
  bold_ = bold;
  boldFont_.reset();
  Invalidate();
}

HFONT Label::DrawingFont() {
  // A parent of another kind may have no font of its own: the form's counts then.
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(GetParent(Handle()), WM_GETFONT, 0, 0));
  if (!font) font = reinterpret_cast<HFONT>(SendMessageW(GetAncestor(Handle(), GA_ROOT), WM_GETFONT, 0, 0));
  if (bold_ && !boldFont_ && font) {
    LOGFONTW description{};
    GetObjectW(font, sizeof(description), &description);
    description.lfWeight = FW_BOLD;
    boldFont_.reset(CreateFontIndirectW(&description));
  }
  if (bold_ && boldFont_) font = boldFont_.get();
  return font;
}

void Label::Paint(HDC dc) {
  HFONT font = DrawingFont();
  SelectionScope fontScope(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, IsWindowEnabled(Handle()) ? fontColor_ : GetSysColor(COLOR_GRAYTEXT));
  RECT client;
  GetClientRect(Handle(), &client);
  DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &client,
            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

LRESULT Label::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: PaintBuffered(Handle(), message, wParam, [this](HDC dc) { Paint(dc); }); return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;  // clicks belong to what lies below
    case WM_GETFONT: return reinterpret_cast<LRESULT>(DrawingFont());
    case kDpiChangedAfterParent:
      boldFont_.reset();  // made from the parent's font at the old DPI
      Invalidate();
      return 0;
    default: return Control::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace keytidy::ui
