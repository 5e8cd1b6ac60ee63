#include "ui/html_label.h"

#include <shellapi.h>

#include "ui/panel.h"
#include "ui/window_dpi.h"

namespace keytidy::ui {

namespace {
constexpr wchar_t kHtmlLabelClass[] = L"KeytidyHtmlLabel";
constexpr COLORREF kLinkColor = RGB(0, 0, 255);
}  // namespace

bool HtmlLabel::Create(HWND parent, int x, int y, int width, int height) {
  RegisterWindowClass(kHtmlLabelClass);
  return CreateOwnWindow(0, kHtmlLabelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height, parent);
}

void HtmlLabel::SetHtml(const std::wstring& markup) {
  markup_ = markup;
  pieces_ = ParseHtml(markup_);
  laidOutWidth_ = -1;
  Invalidate();
}

std::vector<std::wstring> HtmlLabel::HtmlLines() const {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start <= markup_.size()) {
    const size_t end = markup_.find(L"\r\n", start);
    if (end == std::wstring::npos) {
      if (start < markup_.size()) lines.push_back(markup_.substr(start));
      break;
    }
    lines.push_back(markup_.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void HtmlLabel::SetHtmlLines(const std::vector<std::wstring>& lines) {
  std::wstring joined;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) joined += L"\r\n";
    joined += lines[i];
  }
  SetHtml(joined);
}

void HtmlLabel::SetFontColor(COLORREF color) {
  fontColor_ = color;
  Invalidate();
}

void HtmlLabel::SetFontPoints(int points) {
  points_ = points;
  fonts_.clear();
  laidOutWidth_ = -1;
  Invalidate();
}

HFONT HtmlLabel::FontFor(const HtmlStyle& style) {
  for (const auto& [known, font] : fonts_)
    if (known == style) return font.get();
  const int points = style.points > 0 ? style.points : points_;
  fonts_.emplace_back(style, CreateUiFont(style.face.empty() ? L"Tahoma" : style.face.c_str(), points,
                                          WindowDpi(Handle()), style.bold, style.italic, style.underline));
  return fonts_.back().second.get();
}

void HtmlLabel::Layout(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  if (laidOutWidth_ == client.right) return;
  int imageWidth = 0, imageHeight = 0;
  if (images_) ImageList_GetIconSize(images_, &imageWidth, &imageHeight);
  boxes_ = LayoutHtml(pieces_, client.right, [&](const HtmlPiece& piece) {
    if (piece.kind == HtmlPiece::Kind::Image) return HtmlMeasure{imageWidth, imageHeight, 0};
    SelectionScope font(dc, FontFor(piece.style));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE size{};
    GetTextExtentPoint32W(dc, piece.text.c_str(), static_cast<int>(piece.text.size()), &size);
    return HtmlMeasure{size.cx, metrics.tmAscent, metrics.tmDescent};
  });
  laidOutWidth_ = client.right;
}

int HtmlLabel::TextHeight() {
  if (!Alive()) return 0;
  WindowDc dc(Handle());
  Layout(dc.get());
  int bottom = 0;
  for (const HtmlBox& box : boxes_) bottom = std::max<int>(bottom, box.box.bottom);
  return bottom;
}

std::wstring HtmlLabel::LinkAt(POINT point) {
  if (!Alive()) return {};
  WindowDc dc(Handle());
  Layout(dc.get());
  for (const HtmlBox& box : boxes_)
    if (PtInRect(&box.box, point) && !pieces_[box.piece].link.empty()) return pieces_[box.piece].link;
  return {};
}

void HtmlLabel::Paint(HDC dc) {
  PaintParentBackground(Handle(), dc);
  // Laid out again with the DC drawn into: text widths can differ between
  // device contexts (a printed copy, an off-screen bitmap), and a layout
  // from another DC then leaves uneven gaps.
  laidOutWidth_ = -1;
  Layout(dc);
  SetBkMode(dc, TRANSPARENT);
  // Neighbouring words of one style are drawn as one run, so the font's own
  // spacing is used inside it and rounding of word widths cannot add up.
  for (size_t i = 0; i < boxes_.size();) {
    const HtmlBox& box = boxes_[i];
    const HtmlPiece& piece = pieces_[box.piece];
    if (piece.kind == HtmlPiece::Kind::Image) {
      if (images_) ImageList_Draw(images_, piece.number, dc, box.box.left, box.box.top, ILD_TRANSPARENT);
      ++i;
      continue;
    }
    std::wstring run = piece.text;
    size_t next = i + 1;
    while (next < boxes_.size()) {
      const HtmlBox& following = boxes_[next];
      const HtmlPiece& other = pieces_[following.piece];
      if (other.kind != HtmlPiece::Kind::Text || !(other.style == piece.style) || other.link != piece.link ||
          following.baseline != box.baseline || following.box.left != boxes_[next - 1].box.right)
        break;
      run += other.text;
      ++next;
    }
    HtmlStyle style = piece.style;
    if (!piece.link.empty()) style.underline = true;
    SelectionScope font(dc, FontFor(style));
    SetTextColor(dc, piece.style.color ? *piece.style.color : !piece.link.empty() ? kLinkColor : fontColor_);
    TextOutW(dc, box.box.left, box.box.top, run.c_str(), static_cast<int>(run.size()));
    i = next;
  }
}

LRESULT HtmlLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
      laidOutWidth_ = -1;
      Invalidate();
      return 0;
    case kDpiChangedAfterParent:
      fonts_.clear();  // made for the old DPI
      laidOutWidth_ = -1;
      Invalidate();
      return 0;
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_PAINT: {
      PaintScope scope(Handle());
      // Painted off-screen first: the parent's background and the text
      // would flicker if drawn one after the other on screen.
      RECT client;
      GetClientRect(Handle(), &client);
      UniqueMemoryDc memory(CreateCompatibleDC(scope.dc()));
      UniqueBitmap bitmap(
          CreateCompatibleBitmap(scope.dc(), std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
      {
        SelectionScope selected(memory.get(), bitmap.get());
        Paint(memory.get());
        BitBlt(scope.dc(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
      }
      return 0;
    }
    case WM_SETCURSOR: {
      POINT point;
      GetCursorPos(&point);
      ScreenToClient(Handle(), &point);
      if (LOWORD(lParam) == HTCLIENT && !LinkAt(point).empty()) {
        ::SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_LBUTTONUP: {
      const std::wstring link = LinkAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      if (link.empty()) return 0;
      if (OnLinkClick) {
        OnLinkClick(link);
      } else {
        ShellExecuteW(Handle(), L"open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      }
      return 0;
    }
    default: break;
  }
  return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace keytidy::ui
