#include "cleaner/summary_panel.h"

#include "gui/stripe_sheet.h"
#include "platform/text.h"
#include "ui/gdi_objects.h"
#include "ui/html_label.h"
#include "ui/html_markup.h"
#include "ui/image_box.h"
#include "ui/push_control.h"
#include "ui/vell_link_button.h"
#include "ui/window_dpi.h"

namespace keytidy {

namespace {

constexpr int kCountWidth = 160;
constexpr int kCountHeight = 20;
constexpr int kNothingFoundHeight = 44;
constexpr int kNothingFoundPoints = 12;

// Width of the nothing-found line: its picture, the indent and the text in
// the line's font.
int NothingFoundWidth(HWND window, const std::wstring& text) {
  ui::WindowDc dc(window);
  LOGFONTW font{};
  font.lfHeight = -MulDiv(kNothingFoundPoints, GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
  ui::UniqueFont handle(CreateFontIndirectW(&font));
  ui::SelectionScope select(dc.get(), handle.get());
  const std::wstring plain = ui::HtmlToPlainText(text);
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), plain.c_str(), static_cast<int>(plain.size()), &size);
  return 32 + ui::ScaleForWindow(window, 12 + 8) + size.cx;
}

}  // namespace

std::wstring Summary_RowHtml(const std::wstring& text) {
  std::wstring html = ReplaceAllIgnoreCase(text, L"<b>", L"");
  html = ReplaceAllIgnoreCase(html, L"</b>", L"");
  return ReplaceAllIgnoreCase(html, L"%col%\"", L"#404040\" size=\"12\"");
}

std::wstring Summary_CountText(std::int32_t count, std::int32_t checkedCount, const std::wstring& objectsWord) {
  if (checkedCount >= count) return std::to_wstring(count) + L" " + objectsWord;
  return std::to_wstring(checkedCount) + L"/" + std::to_wstring(count) + L" " + objectsWord;
}

TCleanerZusammenfassung::TCleanerZusammenfassung(ui::Component* naviLeiste, ui::ScrollBox* thePanel)
    : NaviLeiste(naviLeiste), ThePanel(thePanel) {
  ImageList32 = ImageList_Create(32, 32, ILC_COLOR32, 1, 1);
  StripeSheet().AddOneToImageList(ImageList32, 0, 1.0f);
  if (ThePanel) ThePanel->OnPaintBackground = [this](HDC dc, int position) { PaintBands(dc, position); };
}

TCleanerZusammenfassung::~TCleanerZusammenfassung() {
  if (ThePanel) ThePanel->OnPaintBackground = nullptr;
  controls_.clear();
  if (ImageList32) ImageList_Destroy(ImageList32);
}

void TCleanerZusammenfassung::Update_Begin() {
  if (ThePanel) ThePanel->ScrollTo(0);
  ui::ProcessMessages();
  controls_.clear();
  rows_.clear();
  bands_.clear();
  nothingFound_ = nullptr;
  Zusammenfassung_AddCount = 0;
  if (ThePanel) ThePanel->Invalidate();
}

void TCleanerZusammenfassung::PaintBands(HDC dc, int scrollPosition) const {
  ui::UniqueBrush fill(CreateSolidBrush(kSummaryBandFill));
  ui::UniqueBrush outline(CreateSolidBrush(kSummaryBandOutline));
  for (RECT band : bands_) {
    OffsetRect(&band, 0, -scrollPosition);
    FillRect(dc, &band, fill.get());
    FrameRect(dc, &band, outline.get());
  }
}

void TCleanerZusammenfassung::AddTo_Zusammenfassung(int y, int ImageIndex, const std::wstring& TheText,
                                                    std::int32_t Count, std::int32_t CheckedCount,
                                                    std::int64_t CheckedMB, const std::wstring& ClickThisComponentName,
                                                    bool ShowDetails) {
  if (!ThePanel || !ThePanel->Alive()) return;
  RECT client;
  GetClientRect(ThePanel->Handle(), &client);
  // The client area already lost the bar's width when one is shown; rows
  // are laid out against the full width less the room kept for it.
  const int W = client.right + (ThePanel->ScrollBarVisible() ? GetSystemMetrics(SM_CXVSCROLL) : 0);
  const int S = SCROLLBAR_WIDTH;
  HWND parent = ThePanel->Handle();
  // `y` is already at the panel's DPI; the row's own offsets are design pixels.
  const auto s = [parent](int pixels) { return ui::ScaleForWindow(parent, pixels); };
  RowInfo row;
  row.top = y;
  row.target = ClickThisComponentName;

  if (Zusammenfassung_AddCount % 2 == 1) bands_.push_back(RECT{s(4), y, s(4) + W - S - s(8), y + s(kSummaryRowHeight)});

  auto icon = std::make_unique<ui::ImageBox>(ThePanel, L"");
  icon->Create(parent, s(8), y + s(4), s(32), s(32));
  icon->SetPicture(StripePicture(s(32), ImageIndex));
  controls_.push_back(std::move(icon));

  auto text = std::make_unique<ui::HtmlLabel>(ThePanel, L"");
  text->Create(parent, s(48), y + s(1), W - S - s(64), s(38));
  row.html = Summary_RowHtml(TheText);
  text->SetHtml(row.html);
  row.text = text.get();
  controls_.push_back(std::move(text));

  const std::wstring target = ClickThisComponentName;
  auto count = std::make_unique<ui::VellLinkButton>(ThePanel, L"");
  const int countLeft = W - s(32) - s(kCountWidth) - S;
  const int countTop = CheckedMB > 0 ? y + s(3) : y + s(12);
  count->Create(parent, countLeft, countTop, s(kCountWidth), s(kCountHeight));
  // Fixed width, right-aligned: the counts line up whatever their length.
  count->SetAutoWidth(false);
  count->SetBounds(countLeft, countTop, s(kCountWidth), s(kCountHeight));
  count->SetAlignment(ui::VellLinkButton::Alignment::Right);
  ui::ButtonFont font;
  font.color = kSummaryCountColor;
  count->SetFont(font);
  ui::ButtonFont hot = font;
  hot.underline = true;
  count->SetFontHot(hot);
  row.countText = Summary_CountText(Count, CheckedCount, str_Objects);
  count->SetCaption(row.countText);
  count->OnClick = [this, target] { ClickEvent_Zusammenfassung_Details(target); };
  // Over the text label, which reaches under the count and paints the
  // panel's background where it has no text.
  count->BringToFront();
  count->Invalidate();
  row.countLabel = count.get();
  controls_.push_back(std::move(count));

  if (ShowDetails) {
    auto arrow = std::make_unique<ui::ImageBox>(ThePanel, L"");
    arrow->Create(parent, countLeft + s(kCountWidth) + s(8), y + s(12), s(16), s(16));
    arrow->SetPicture(StripePicture(s(16), 15));
    arrow->SetCursor(LoadCursorW(nullptr, IDC_HAND));
    arrow->OnMouseDown = [this, target](int button) {
      if (button == VK_LBUTTON) ClickEvent_Zusammenfassung_Details(target);
    };
    arrow->BringToFront();
    row.arrow = arrow.get();
    controls_.push_back(std::move(arrow));
  }
  rows_.push_back(row);
  ++Zusammenfassung_AddCount;
}

void TCleanerZusammenfassung::Update_PaintNothingFound(int y) {
  if (!ThePanel || !ThePanel->Alive()) return;
  HWND parent = ThePanel->Handle();
  const std::wstring html = L"<IMG src=\"idx:0\" align=\"middle\"><IND x=\"12\">" + str_NothingFound;
  auto line = std::make_unique<ui::HtmlLabel>(ThePanel, L"");
  const int width = NothingFoundWidth(parent, str_NothingFound);
  const int height = ui::ScaleForWindow(parent, kNothingFoundHeight);
  line->Create(parent, 0, y, width, height);
  line->SetFontPoints(kNothingFoundPoints);
  line->SetFontColor(RGB(0, 0, 0));
  line->SetImageList(ImageList32);
  line->SetHtml(html);
  ui::ProcessMessages();
  RECT client;
  GetClientRect(parent, &client);
  const int W = client.right, S = SCROLLBAR_WIDTH;
  const int left = (W + S - width + 28) / 2;
  const int top = (static_cast<int>(client.bottom) - height) / 2;
  line->SetBounds(left, top, width, height);
  nothingFound_ = line.get();
  controls_.push_back(std::move(line));
}

void TCleanerZusammenfassung::ClickEvent_Zusammenfassung_Details(const std::wstring& helpKeyword) {
  if (helpKeyword.empty() || !NaviLeiste) return;
  for (TranslatableComponent* owned : NaviLeiste->OwnedComponents()) {
    auto* button = dynamic_cast<ui::PushControl*>(owned);
    if (button && owned->Name() == helpKeyword && button->OnClick) {
      // The click may rebuild the summary, and with it this row: run it
      // from a copy.
      const auto click = button->OnClick;
      click();
      return;
    }
  }
}

}  // namespace keytidy
