#include "cleaner/form_rc.h"

#include <shellapi.h>

#include <algorithm>

#include "clean/delete_run.h"
#include "cleaner/backups_button.h"
#include "cleaner/delete_status_text.h"
#include "cleaner/evidence_text.h"
#include "cleaner/exception_editing.h"
#include "cleaner/report_button.h"
#include "cleaner/row_drawing.h"
#include "cleaner/shell_open.h"
#include "gui/process_run_control.h"
#include "gui/stripe_sheet.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "model/categories.h"
#include "platform/debug_log.h"
#include "platform/environment.h"
#include "platform/text.h"
#include "scan/deletion_preview.h"
#include "scan/result_filter.h"
#include "scan/tree_operations.h"
#include "settings/ini_file.h"
#include "settings/option_switches.h"
#include "skin/button_skin.h"
#include "skin/skin_folder.h"
#include "ui/tab_order.h"

namespace keytidy {

namespace {

constexpr int kRowHeight = 34;
constexpr int kTopBar = 50;
constexpr int kBottomBar = 56;
constexpr int kSideBar = 240;
constexpr int kMargin = 12;
constexpr COLORREF kSideColor = RGB(246, 247, 249);
constexpr COLORREF kLineColor = RGB(221, 223, 228);

// Category icons by filter index, for the info bar and the summary rows.
constexpr std::array<int, kFilterCount> kCategoryIcons = {59,  181, 184, 182, 179, 186, 178,
                                                          180, 150, 127, 51,  165, 86,  187};

// The option switch whose caption names filter index i (1 to 13).
OptionSwitch SwitchOfFilter(std::int32_t filterIndex) {
  for (const OptionSwitchInfo& info : OptionSwitchTable())
    if (info.filterIndex == filterIndex) return info.id;
  return OptionSwitch::RC_Other;
}

std::wstring CategoryCaption(std::int32_t filterIndex) {
  if (filterIndex == Number(FilterCategory::All)) return Message(MessageKey::MESSAGE_DC_FILTER_TYP0);
  return OptionSwitchCaption(SwitchOfFilter(filterIndex));
}

// The progress bar as the engine sees it.
class BarProgress : public TScanProgress {
 public:
  explicit BarProgress(ui::ProgressBar& bar) : bar_(bar) {}
  void SetMaximum(std::int32_t maximum) override { bar_.SetMaximum(maximum); }
  void SetPosition(std::int32_t position) override { bar_.SetPosition(position); }
  std::int32_t Position() const override { return bar_.Position(); }

 private:
  ui::ProgressBar& bar_;
};

}  // namespace

std::wstring RC_StatusKeyText(RootKey root, const std::wstring& key, const std::wstring& interactiveUserSid) {
  std::wstring text = Reg_RootKeyName(root) + L"\\" + key;
  if (root == ROOT_HKEY_USERS && !interactiveUserSid.empty() && key.rfind(interactiveUserSid, 0) == 0) {
    std::wstring rest = key.substr(interactiveUserSid.size());
    if (!rest.empty() && rest[0] == L'\\') rest.erase(0, 1);
    text = L"HKEY_CURRENT_USER\\" + rest;
  }
  text = ReplaceAllIgnoreCase(text, L"\\", L" \\ ");
  return ReplaceAllIgnoreCase(text, L"-", L" - ");
}

std::wstring RC_StatusValueText(const std::wstring& value) {
  std::wstring text = value.empty() ? L"(default)" : value;
  text = ReplaceAllIgnoreCase(text, L"\\", L" \\ ");
  return ReplaceAllIgnoreCase(text, L"-", L" - ");
}

bool TFilterBox::Create(HWND parent, int x, int y, int width, int height) {
  if (!ui::Panel::Create(parent, x, y, width, height, RGB(255, 255, 255))) return false;
  Edit.Create(Handle(), 8, 5, width - 36, height - 10);
  Edit.SetBackColor(RGB(255, 255, 255));
  SearchIcon.Create(Handle(), width - 24, (height - 16) / 2, 16, 16);
  SearchIcon.SetPicture(ui::Picture::FromImage(StripeSheet().GetOnePngImage(16, 15, 0.5f)));
  return true;
}

void TFilterBox::Layout() {
  const int width = Width(), height = Height();
  Edit.SetBounds(8, (height - 16) / 2, width - 36, 16);
  SearchIcon.SetBounds(width - 24, (height - 16) / 2, 16, 16);
}

void TFilterBox::SetFilterEnabled(bool enabled) {
  Edit.SetEnabled(enabled);
  Invalidate();
}

LRESULT TFilterBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    // A rounded frame on the panel's colour; grey while the box is off.
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    GetClientRect(Handle(), &client);
    ui::UniqueBrush outside(CreateSolidBrush(OutsideColor));
    FillRect(dc, &client, outside.get());
    const bool enabled = Edit.Enabled();
    ui::UniqueBrush inside(CreateSolidBrush(enabled ? RGB(255, 255, 255) : RGB(240, 240, 240)));
    ui::UniquePen frame(CreatePen(PS_SOLID, 1, enabled ? RGB(170, 176, 186) : RGB(210, 212, 216)));
    ui::SelectionScope brush(dc, inside.get());
    ui::SelectionScope pen(dc, frame.get());
    RoundRect(dc, 0, 0, client.right, client.bottom, 10, 10);
    Edit.SetBackColor(enabled ? RGB(255, 255, 255) : RGB(240, 240, 240));
    return 1;
  }
  if (message == WM_SIZE) Layout();
  return ui::Panel::HandleMessage(message, wParam, lParam);
}

TForm_RC::TForm_RC(ScreenHost* host) : ModuleForm(L"Form_RC", 1), host_(host) {
  for (int i = 0; i < kFilterCount; ++i)
    VellUnicodeSTButton_Navi[i] =
        std::make_unique<ui::VellLinkButton>(&AdvSmoothPanel_Navi, L"VellUnicodeSTButton_Navi" + std::to_wstring(i));
}

TForm_RC::~TForm_RC() {
  VellThreadTimer_Count_Funde.SetEnabled(false);
  VellThreadTimer_AutoStartSearch.SetEnabled(false);
  VirtualDrawTree_RC.SetModel(nullptr);
  Zusammenfassung.reset();
  RC.reset();
  if (PngImageList_RC32) ImageList_Destroy(PngImageList_RC32);
  if (PngImageList_16) ImageList_Destroy(PngImageList_16);
}

bool TForm_RC::CreateModule(HWND host) {
  if (!CreateModuleWindow(kClassName, host)) return false;
  SetCaption(L"Registry-Reinigung");
  FormCreate();
  return true;
}

ModuleClass TForm_RC::Class() {
  return {kClassName, [](ScreenHost& host) { return std::make_unique<TForm_RC>(&host); }};
}

void TForm_RC::BuildElements() {
  HWND self = Handle();
  VirtualDrawTree_RC.Create(self, 0, 0, 100, 100, Scale(kRowHeight));
  VirtualDrawTree_RC.AddColumn(L"Problembeschreibung", 100);
  SendMessageW(VirtualDrawTree_RC.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
  Panel_Zusammenfassung.Create(self, 0, 0, 100, 100, RGB(255, 255, 255));
  Panel_Working.Create(self, 0, 0, 100, 100, RGB(255, 255, 255));
  Image_Anim.Create(Panel_Working.Handle(), 0, 0, Scale(130), Scale(130));
  ProgressBar_RC.Create(Panel_Working.Handle(), 0, 0, 100, Scale(16));
  Label_Anim_NothingFound.Create(Panel_Working.Handle(), L"", 0, 0, 100, Scale(24));
  SetWindowLongW(Label_Anim_NothingFound.Handle(), GWL_STYLE,
                 GetWindowLongW(Label_Anim_NothingFound.Handle(), GWL_STYLE) | SS_CENTER);
  Label_Anim_NothingFound.SetVisible(false);
  Panel_Working.SetVisible(false);

  Image_InfoBar.Create(self, 0, 0, Scale(32), Scale(32));
  Label_Small1.Create(self, L"Beschreibung", 0, 0, 100, Scale(18));
  Label_Small1.SetBackColor(kSideColor);
  HTMLabel_Status.Create(self, 0, 0, 100, 100);
  struct Counter {
    ui::TextLabel& desc;
    const wchar_t* caption;
    ui::TextLabel& result;
    ui::ImageBox& image;
  };
  for (Counter c :
       {Counter{Label_RC_Total_DESC, L"Gefunden:", Label_RC_Result_Found, Image_RC_Status_Found},
        Counter{Label_RC_Visible_DESC, L"Sichtbar:", Label_RC_Result_Visible, Image_RC_Status_Visible},
        Counter{Label_RC_Selected_DESC, L"Markiert:", Label_RC_Result_Selected, Image_RC_Status_Selected}}) {
    c.desc.Create(self, c.caption, 0, 0, 100, Scale(16));
    c.desc.SetBackColor(kSideColor);
    c.result.Create(self, L"0", 0, 0, 100, Scale(16));
    c.result.SetBackColor(kSideColor);
    c.image.Create(self, 0, 0, Scale(16), Scale(16));
  }
  CurvyEdit_Filter.Create(self, 0, 0, 200, Scale(26));

  struct Button {
    ui::VellButton& button;
    const wchar_t* caption;
  };
  for (Button b :
       {Button{VellButton_Zusammenfassung, L"< &Zusammenfassung"}, Button{VellButton_SelectAll, L"&Alle markieren"},
        Button{VellButton_SelectNone, L"&Keine markieren"}, Button{VellButton_Evidence, L"&Nachweis"},
        Button{VellButton_Options, L"&Optionen"}, Button{VellButton_Backups, L"&Backups"},
        Button{VellButton_Report, L"Be&richt erstellen"}, Button{VellButton_Stop, L"Abbr&echen"},
        Button{VellButton_Search, L"Erneut &suchen"}, Button{VellButton_Delete, L"Jetzt &l\u00f6schen"}}) {
    b.button.Create(self, 0, 0, 100, Scale(33));
    b.button.SetCaption(b.caption);
  }
  VellButton_Delete.SetActionButton(true);
  Memo_Evidence.Create(self, 0, 0, 100, 100);
  SendMessageW(Memo_Evidence.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
  Memo_Evidence.SetMargins(Scale(6));
  Memo_Evidence.SetVisible(false);
  // Tab as the eye reads the screen: the top bar, the filter, the list (or
  // the summary, which holds the counts' links), the evidence, the bottom bar.
  ui::SetTabOrder({VellButton_Zusammenfassung.Handle(), VellButton_SelectAll.Handle(), VellButton_SelectNone.Handle(),
                   VellButton_Evidence.Handle(), CurvyEdit_Filter.Handle(), VirtualDrawTree_RC.Handle(),
                   Panel_Zusammenfassung.Handle(), Memo_Evidence.Handle(), VellButton_Options.Handle(),
                   VellButton_Backups.Handle(), VellButton_Report.Handle(), VellButton_Stop.Handle(),
                   VellButton_Search.Handle(), VellButton_Delete.Handle()});

  // The hidden commands: a panel never shown, buttons never seen.
  AdvSmoothPanel_Navi.Create(self, 0, 0, 10, 10, RGB(255, 255, 255));
  AdvSmoothPanel_Navi.SetVisible(false);
  for (auto& navi : VellUnicodeSTButton_Navi) {
    navi->Create(AdvSmoothPanel_Navi.Handle(), 0, 0, 10, 10);
    ui::VellLinkButton* sender = navi.get();
    navi->OnClick = [this, sender] { VellUnicodeSTButton_Navi0Click(sender); };
  }
  VellUnicodeSTButton_NaviReport.Create(AdvSmoothPanel_Navi.Handle(), 0, 0, 10, 10);
  VellUnicodeSTButton_NaviReport.OnClick = [this] { VellUnicodeSTButton_Navi0Click(&VellUnicodeSTButton_NaviReport); };

  VellButton_Zusammenfassung.OnClick = [this] { VellButton_ZusammenfassungClick(); };
  VellButton_SelectAll.OnClick = [this] { AdvToolBarButton_RC_SelectAllClick(); };
  VellButton_SelectNone.OnClick = [this] { AdvToolBarButton_RC_SelectNoneClick(); };
  VellButton_Evidence.OnClick = [this] { VellButton_EvidenceClick(); };
  VellButton_Options.OnClick = [this] { AdvGlowButton_OptionsClick(); };
  VellButton_Backups.OnClick = [this] { VellButton_BackupsClick(); };
  VellButton_Report.OnClick = [this] { AdvGlowButton_ReportClick(); };
  VellButton_Stop.OnClick = [this] { AdvToolBarButton_RC_StopClick(); };
  VellButton_Search.OnClick = [this] { AdvToolBarButton_RC_SearchClick(); };
  VellButton_Delete.OnClick = [this] { AdvToolBarButton_RC_DeleteClick(); };
  CurvyEdit_Filter.Edit.OnChange = [this] { ComboBox_RC_FilterChange(); };

  VirtualDrawTree_RC.OnDrawNode = [this](HDC dc, const RECT& content, PVirtualNode node, bool selected, bool focused) {
    DrawNode(dc, content, node, selected, focused);
  };
  VirtualDrawTree_RC.OnChecking = [this](PVirtualNode node, CheckState state) {
    VirtualDrawTree_RCChecking(node, state);
  };
  VirtualDrawTree_RC.OnSelectionChange = [this] { VirtualDrawTree_RCChange(VirtualDrawTree_RC.FirstSelected()); };

  MenuItem_RC_Separator1.separator = true;
  MenuItem_RC_Separator2.separator = true;
  MenuItem_RC_MarkSelected.OnClick = [this] { MenuItem_RC_MarkSelectedClick(); };
  MenuItem_RC_UnmarkSelected.OnClick = [this] { MenuItem_RC_UnmarkSelectedClick(); };
  MenuItem_RC_AddToExceptions.OnClick = [this] { MenuItem_RC_AddToExceptionsClick(); };
  MenuItem_RC_OpenInRegEdit.OnClick = [this] { MenuItem_RC_OpenInRegEditClick(); };

  VellThreadTimer_Count_Funde.SetInterval(400);
  VellThreadTimer_Count_Funde.SetThreadPriority(TThreadPriority::Lower);
  VellThreadTimer_Count_Funde.SetOnTimer([this](TVellThreadTimer&) { VellThreadTimer_Count_FundeTimer(); });
  VellThreadTimer_AutoStartSearch.SetInterval(150);
  VellThreadTimer_AutoStartSearch.SetOnTimer([this](TVellThreadTimer&) { VellThreadTimer_AutoStartSearchTimer(); });
}

void TForm_RC::FillPictures() {
  const TStripeSkinner& stripe = StripeSheet();
  PngImageList_RC32 = ImageList_Create(32, 32, ILC_COLOR32, 27, 1);
  // The 27 entry icons: a plain stripe image, or one image with a second
  // one laid over it.
  constexpr int kEntryIcons[27][2] = {{58, -1},  {182, -1}, {178, -1},  {180, -1}, {179, -1},  {186, -1}, {150, -1},
                                      {127, -1}, {27, 66},  {72, 183},  {143, 51}, {181, 127}, {181, 18}, {181, 16},
                                      {181, 24}, {184, 24}, {184, 127}, {184, 24}, {184, 18},  {184, 16}, {27, 16},
                                      {127, 58}, {178, 47}, {50, 178},  {127, 48}, {187, -1},  {187, 150}};
  for (const auto& icon : kEntryIcons) {
    if (icon[1] < 0)
      stripe.AddOneToImageList(PngImageList_RC32, icon[0], 1.0f);
    else
      stripe.CombineToImageList(PngImageList_RC32, icon[0], icon[1], 1.0f, 0, 0);
  }
  PngImageList_16 = ImageList_Create(16, 16, ILC_COLOR32, 4, 1);
  stripe.AddOneToImageList(PngImageList_16, 20, 1.0f);
  stripe.AddOneToImageList(PngImageList_16, 21, 1.0f);
  stripe.CombineToImageList(PngImageList_16, 86, 16, 1.0f, 0, 0);
  stripe.AddOneToImageList(PngImageList_16, 58, 1.0f);
  // The context menu shows the same pictures, one per entry in menu order.
  MenuItem_RC_MarkSelected.picture = StripePicture(16, 20);
  MenuItem_RC_UnmarkSelected.picture = StripePicture(16, 21);
  const RgbaImage exceptionIcon = stripe.CombineImages(16, 86, 16, 1.0f, 0, 0);
  if (!exceptionIcon.Empty()) MenuItem_RC_AddToExceptions.picture = ui::Picture::FromImage(exceptionIcon);
  MenuItem_RC_OpenInRegEdit.picture = StripePicture(16, 58);
  Image_RC_Status_Found.SetPicture(StripePicture(16, 59));
  Image_RC_Status_Visible.SetPicture(StripePicture(16, 60));
  Image_RC_Status_Selected.SetPicture(StripePicture(16, 20));
  Image_InfoBar.SetPicture(StripePicture(32, 15));
}

void TForm_RC::FormCreate() {
  AutoStartSearch = true;
  ANY_SEARCH_DONE = false;
  SEARCH_COMPLETE = false;
  READING_SETTINGS_NOW = false;
  BackupFolder = ProgramFolder() + L"\\Backups";
  BuildElements();

  Zusammenfassung = std::make_unique<TCleanerZusammenfassung>(&AdvSmoothPanel_Navi, &Panel_Zusammenfassung);
  Zusammenfassung->str_Objects = Message(MessageKey::MESSAGE_IC_ZUSAMMENFASSUNG_OBJECTS);
  Zusammenfassung->str_DeleteButtonCaption = Message(MessageKey::MESSAGE_OCO_DELETENOW_BUTTONTEXT);
  Zusammenfassung->str_NothingFound = Message(MessageKey::MESSAGE_OCO_BIGSTATUS_NOTHINGFOUND);
  Zusammenfassung->str_Status_Searching.clear();
  Zusammenfassung->str_Status_Deleting = Message(MessageKey::MESSAGE_IC_ZUSAMMENFASSUNG_HEADER3);

  LOAD_TRANSLATION_TO_FORM(ProgramFolder() + L"\\translation", LanguageCode, *this);
  if (!Message(MessageKey::MESSAGE_MODULNAME_RC).empty()) SetCaption(Message(MessageKey::MESSAGE_MODULNAME_RC));

  Apply_ButtonSkin(*this);
  barColor_ =
      Ini_ReadColor(SkinFolder() + L"\\skin.ini", L"MainPages", L"BackgroundColor").value_or(RGB(255, 255, 255));
  CurvyEdit_Filter.OutsideColor = barColor_;
  FillPictures();
  CurvyEdit_Filter.Edit.SetHint(Message(MessageKey::MESSAGE_SEARCHBOXES_EMPTYTEXT));

  RC = std::make_unique<TRegistryCleaner>(&Tree, ProcessRunControl());
  RC->FrontEnd = &host_->FrontEnd();
  VirtualDrawTree_RC.SetModel(&Tree);

  SetStatus(Message(MessageKey::MESSAGEHTML_RC_STATUS_CLICKSEARCH), true);
  Refresh_Status_RC(0);

  READING_SETTINGS_NOW = true;
  ComboBox_RC_Filter.Items.clear();
  for (std::int32_t i = 0; i < kFilterCount; ++i) ComboBox_RC_Filter.Items.push_back(CategoryCaption(i));
  ComboBox_RC_Filter.ItemIndex = 0;
  READING_SETTINGS_NOW = false;

  SetRunButtons(false);
  FormResize();
  VellUnicodeSTButton_NaviReport.OnClick();
  Update_RC_Filter_ComboBoxen();
  Update_Zusammenfassung();
}

void TForm_RC::FormShow() {
  if (AutoStartSearch) VellThreadTimer_AutoStartSearch.SetEnabled(true);
}

void TForm_RC::OnClose() { VellThreadTimer_Count_Funde.SetEnabled(false); }

void TForm_RC::VellThreadTimer_AutoStartSearchTimer() {
  VellThreadTimer_AutoStartSearch.SetEnabled(false);
  if (!AutoStartSearch) return;
  AutoStartSearch = false;
  host_->StartInternetServices();
  if (VellButton_Search.OnClick) VellButton_Search.OnClick();
}

void TForm_RC::VellThreadTimer_Count_FundeTimer() {
  Label_RC_Result_Found.SetCaption(std::to_wstring(Tree.NodeCount()));
}

int TForm_RC::SideBarLeft() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.right - Scale(kSideBar);
}

// Enough for the usual dozen lines, while the list keeps at least half.
int TForm_RC::EvidenceHeight(int centreHeight) const {
  return std::min(centreHeight / 2, std::max(Scale(150), centreHeight * 2 / 5));
}

int TForm_RC::BottomBarTop() const {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.bottom - Scale(kBottomBar);
}

void TForm_RC::FormResize() {
  if (!Alive() || !VirtualDrawTree_RC.Alive()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  const int W = client.right, H = client.bottom;
  const int m = Scale(kMargin), top = Scale(kTopBar), side = SideBarLeft(), bottom = BottomBarTop();
  const int centreWidth = std::max(0, side - 2 * m), centreHeight = std::max(0, bottom - top - m);

  // Top bar: the list commands on the left, the filter over the side bar.
  int x = m;
  for (ui::VellButton* button :
       {&VellButton_Zusammenfassung, &VellButton_SelectAll, &VellButton_SelectNone, &VellButton_Evidence}) {
    button->SetBounds(x, Scale(9), button->Width(), Scale(33));
    x += button->Width() + Scale(8);
  }
  CurvyEdit_Filter.SetBounds(side + m, Scale(12), Scale(kSideBar) - 2 * m, Scale(26));

  // The centre: list, summary and working panel share one place; the
  // evidence pane takes the lower part of the list's.
  const bool evidence = evidenceShown_ && !summaryShown_;
  const int evidenceHeight = evidence ? EvidenceHeight(centreHeight) : 0;
  const int listHeight = evidence ? centreHeight - evidenceHeight - Scale(8) : centreHeight;
  VirtualDrawTree_RC.SetBounds(m, top, centreWidth, listHeight);
  Memo_Evidence.SetBounds(m, top + centreHeight - evidenceHeight, centreWidth, evidenceHeight);
  Memo_Evidence.SetVisible(evidence);
  RECT listClient;
  GetClientRect(VirtualDrawTree_RC.Handle(), &listClient);
  VirtualDrawTree_RC.SetColumnWidth(std::max(0, centreWidth - Scale(28)));
  if (Panel_Zusammenfassung.Width() != centreWidth || Panel_Zusammenfassung.Height() != centreHeight) {
    Panel_Zusammenfassung.SetBounds(m, top, centreWidth, centreHeight);
    // The rows are laid out for the panel's width.
    if (summaryShown_ && Zusammenfassung && !resizingSummary_) {
      resizingSummary_ = true;
      Update_Zusammenfassung();
      resizingSummary_ = false;
    }
  }
  Panel_Working.SetBounds(m, top, centreWidth, centreHeight);
  const int barLeft = Scale(32), barWidth = std::max(0, centreWidth - Scale(64)), barHeight = Scale(16);
  const int animSize = Scale(130), gap = Scale(24);
  const int groupTop = (centreHeight - (animSize + gap + barHeight)) / 2;
  Image_Anim.SetBounds((centreWidth - animSize) / 2, groupTop, animSize, animSize);
  ProgressBar_RC.SetBounds(barLeft, groupTop + animSize + gap, barWidth, barHeight);
  Label_Anim_NothingFound.SetBounds(barLeft, groupTop + animSize + gap, barWidth, Scale(24));

  // Side bar: category icon and heading, the status text, the counters.
  Image_InfoBar.SetBounds(side + m, top + Scale(4), Scale(32), Scale(32));
  // The heading moves up to the edge when no category icon stands before it.
  const int headingIndent = Image_InfoBar.Visible() ? Scale(40) : 0;
  Label_Small1.SetBounds(side + m + headingIndent, top + Scale(12), Scale(kSideBar) - 2 * m - headingIndent, Scale(18));
  int counterTop = bottom - m - 3 * Scale(22);
  for (auto row : {std::tie(Image_RC_Status_Found, Label_RC_Total_DESC, Label_RC_Result_Found),
                   std::tie(Image_RC_Status_Visible, Label_RC_Visible_DESC, Label_RC_Result_Visible),
                   std::tie(Image_RC_Status_Selected, Label_RC_Selected_DESC, Label_RC_Result_Selected)}) {
    std::get<0>(row).SetBounds(side + m, counterTop, Scale(16), Scale(16));
    std::get<1>(row).SetBounds(side + m + Scale(22), counterTop + 1, Scale(96), Scale(16));
    std::get<2>(row).SetBounds(side + m + Scale(120), counterTop + 1, Scale(kSideBar) - 2 * m - Scale(120), Scale(16));
    counterTop += Scale(22);
  }
  LayoutStatus();

  // Bottom bar: options, backups and report on the left; stop, search and
  // delete on the right.
  const int buttonTop = bottom + (Scale(kBottomBar) - Scale(33)) / 2;
  x = m;
  for (ui::VellButton* button : {&VellButton_Options, &VellButton_Backups, &VellButton_Report}) {
    button->SetBounds(x, buttonTop, button->Width(), Scale(33));
    x += button->Width() + Scale(8);
  }
  x = W - m;
  for (ui::VellButton* button : {&VellButton_Delete, &VellButton_Search, &VellButton_Stop}) {
    x -= button->Width();
    button->SetBounds(x, buttonTop, button->Width(), Scale(33));
    x -= Scale(8);
  }
  (void)H;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TForm_RC::LayoutStatus() {
  const int m = Scale(kMargin), top = Scale(kTopBar), side = SideBarLeft(), bottom = BottomBarTop();
  const int areaTop = top + Scale(48);
  const int areaBottom = bottom - m - 3 * Scale(22) - Scale(12);
  const int width = Scale(kSideBar) - 2 * m;
  const int areaHeight = std::max(0, areaBottom - areaTop);
  HTMLabel_Status.SetBounds(side + m, areaTop, width, areaHeight);
  if (!statusCentred_) return;
  const int needed = std::min(HTMLabel_Status.TextHeight(), areaHeight);
  HTMLabel_Status.SetBounds(side + m, areaTop + (areaHeight - needed) / 2, width, needed);
}

void TForm_RC::SetStatus(const std::wstring& html, bool centred) {
  statusCentred_ = centred;
  HTMLabel_Status.SetHtml(html);
  LayoutStatus();
  HTMLabel_Status.Invalidate();
}

void TForm_RC::PaintBackground(HDC dc, const RECT& client) {
  const int side = SideBarLeft(), top = Scale(kTopBar), bottom = BottomBarTop();
  ui::UniqueBrush bars(CreateSolidBrush(barColor_));
  RECT topBar{0, 0, client.right, top};
  FillRect(dc, &topBar, bars.get());
  RECT bottomBar{0, bottom, client.right, client.bottom};
  FillRect(dc, &bottomBar, bars.get());
  ui::UniqueBrush sideBrush(CreateSolidBrush(kSideColor));
  RECT sideBar{side, top, client.right, bottom};
  FillRect(dc, &sideBar, sideBrush.get());
  ui::UniqueBrush line(CreateSolidBrush(kLineColor));
  RECT sideEdge{side, top, side + 1, bottom};
  FillRect(dc, &sideEdge, line.get());
  RECT topEdge{0, top - 1, client.right, top};
  FillRect(dc, &topEdge, line.get());
  RECT bottomEdge{0, bottom, client.right, bottom + 1};
  FillRect(dc, &bottomEdge, line.get());
  RECT headingLine{side + Scale(kMargin), top + Scale(40), client.right - Scale(kMargin), top + Scale(41)};
  FillRect(dc, &headingLine, line.get());
}

LRESULT TForm_RC::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM:
      if (ui::VirtualCheckList::MeasureRow(lParam, Scale(kRowHeight))) return TRUE;
      break;
    case WM_SIZE: {
      const LRESULT result = ModuleForm::HandleMessage(message, wParam, lParam);
      FormResize();
      return result;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == VirtualDrawTree_RC.Handle()) {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (at.x == -1 && at.y == -1) {
          at = POINT{Scale(40), Scale(40)};
          ClientToScreen(VirtualDrawTree_RC.Handle(), &at);
        }
        ShowContextMenu(at);
        return 0;
      }
      break;
    default: break;
  }
  return ModuleForm::HandleMessage(message, wParam, lParam);
}

void TForm_RC::DrawNode(HDC dc, const RECT& content, PVirtualNode node, bool selected, bool focused) {
  if (!RC) return;
  TPaintInfo info;
  info.Canvas = dc;
  info.ContentRect = content;
  info.Selected = selected;
  info.TreeFocused = focused;
  DefaultEvent_DrawNode(PngImageList_RC32, node, info);
}

std::int32_t TForm_RC::VisibleCount() const {
  std::int32_t visible = 0;
  for (PVirtualNode node : Tree)
    if (node->visible()) ++visible;
  return visible;
}

// --- counters, filter and views ----------------------------------------------

void TForm_RC::Refresh_Status_RC(std::int32_t Offset_Selected) {
  const std::int32_t total = static_cast<std::int32_t>(Tree.NodeCount());
  const bool any = total > 0;
  VellButton_SelectAll.SetEnabled(any && !summaryShown_);
  VellButton_SelectNone.SetEnabled(any && !summaryShown_);
  VellButton_Delete.SetEnabled(any);
  VellButton_Report.SetEnabled(any);
  std::int32_t visible = 0, selected = 0;
  for (PVirtualNode node : Tree) {
    if (!node->visible()) continue;
    ++visible;
    if (IsTicked(node)) ++selected;
  }
  selected += Offset_Selected;
  if (selected == 0) VellButton_Delete.SetEnabled(false);
  Label_RC_Result_Found.SetCaption(std::to_wstring(total));
  Label_RC_Result_Selected.SetCaption(std::to_wstring(selected));
  Label_RC_Result_Visible.SetCaption(std::to_wstring(visible));
}

void TForm_RC::VirtualDrawTree_RCChecking(PVirtualNode node, CheckState newState) {
  // The counters already show the state after the change.
  std::int32_t offset = 0;
  if (node && node->visible()) {
    const bool ticked = IsTicked(node), willBeTicked = newState == CheckState::Checked;
    if (willBeTicked && !ticked) offset = 1;
    if (!willBeTicked && ticked) offset = -1;
  }
  Refresh_Status_RC(offset);
}

void TForm_RC::Update_RC_Filter_ComboBoxen() {
  const std::int32_t remembered = ComboBox_RC_Filter.ItemIndex;
  READING_SETTINGS_NOW = true;
  std::array<std::int32_t, kFilterCount> counts{};
  for (PVirtualNode node : Tree) {
    const std::int32_t index = Number(TResultTree::Data(node).ComboBoxIndex);
    if (index > 0 && index < kFilterCount) ++counts[index];
  }
  ComboBox_RC_Filter.Items.assign(kFilterCount, L"");
  for (std::int32_t i = 0; i < kFilterCount; ++i) {
    const std::int32_t count = i == 0 ? static_cast<std::int32_t>(Tree.NodeCount()) : counts[i];
    ComboBox_RC_Filter.Items[i] = CategoryCaption(i) + L" (" + std::to_wstring(count) + L")";
    VellUnicodeSTButton_Navi[i]->SetCaption(ComboBox_RC_Filter.Items[i]);
  }
  ui::ProcessMessages();
  READING_SETTINGS_NOW = false;
  ComboBox_RC_Filter.ItemIndex = remembered;
}

void TForm_RC::SelectFilter(std::int32_t index) {
  ComboBox_RC_Filter.ItemIndex = index;
  ComboBox_RC_FilterChange();
}

void TForm_RC::ComboBox_RC_FilterChange() {
  if (READING_SETTINGS_NOW) return;
  Apply_ResultFilter(Tree, static_cast<FilterCategory>(ComboBox_RC_Filter.ItemIndex), CurvyEdit_Filter.Text());
  Refresh_Status_RC(0);
}

void TForm_RC::VellButton_EvidenceClick() {
  evidenceShown_ = !evidenceShown_;
  FormResize();
}

void TForm_RC::VellButton_ZusammenfassungClick() {
  if (VellUnicodeSTButton_NaviReport.OnClick) VellUnicodeSTButton_NaviReport.OnClick();
}

void TForm_RC::VellUnicodeSTButton_Navi0Click(ui::VellLinkButton* sender) {
  summaryShown_ = sender == &VellUnicodeSTButton_NaviReport;
  const bool list = !summaryShown_;
  VirtualDrawTree_RC.SetVisible(list);
  Panel_Zusammenfassung.SetVisible(summaryShown_);
  for (ui::Control* counter :
       std::initializer_list<ui::Control*>{&Label_RC_Total_DESC, &Label_RC_Visible_DESC, &Label_RC_Selected_DESC,
                                           &Label_RC_Result_Found, &Label_RC_Result_Visible, &Label_RC_Result_Selected,
                                           &Image_RC_Status_Found, &Image_RC_Status_Visible, &Image_RC_Status_Selected})
    counter->SetVisible(list);
  CurvyEdit_Filter.SetFilterEnabled(list);
  if (summaryShown_) {
    ComboBox_RC_Filter.ItemIndex = 0;
    Update_Zusammenfassung();
    Image_InfoBar.SetVisible(false);
  } else {
    std::int32_t index = 0;
    for (std::int32_t i = 0; i < kFilterCount; ++i)
      if (VellUnicodeSTButton_Navi[i].get() == sender) index = i;
    ComboBox_RC_Filter.ItemIndex = index;
    Image_InfoBar.SetPicture(StripePicture(32, kCategoryIcons[index]));
    Image_InfoBar.SetVisible(true);
  }
  ComboBox_RC_FilterChange();
  FormResize();
  VirtualDrawTree_RC.ClearSelection();
  if (list && VirtualDrawTree_RC.RowCount() > 0) VirtualDrawTree_RC.SelectNode(VirtualDrawTree_RC.NodeOfRow(0));
  VirtualDrawTree_RCChange(list ? VirtualDrawTree_RC.FirstSelected() : nullptr);
  VellButton_Zusammenfassung.SetEnabled(list);
  VellButton_Evidence.SetEnabled(list);
}

void TForm_RC::ShowEvidence(PVirtualNode node) {
  if (!node) {
    Memo_Evidence.SetText(Message(MessageKey::MESSAGE_RC_EVIDENCE_NOSELECTION));
    return;
  }
  const TTreeData_RegCleaner& entry = TResultTree::Data(node);
  Memo_Evidence.SetText(Evidence_Text(entry, Preview_Deletion(entry), EvidenceMachine_OfThisComputer()));
}

void TForm_RC::VirtualDrawTree_RCChange(PVirtualNode node) {
  ShowEvidence(node);
  if (node) {
    const TTreeData_RegCleaner& entry = TResultTree::Data(node);
    const std::wstring keyText = RC_StatusKeyText(entry.Delete_Root, entry.Delete_Key, InteractiveUserSid());
    const std::wstring valueText = RC_StatusValueText(entry.Delete_Value);
    std::wstring status;
    if (entry.DeleteKey)
      status = ReplaceAllIgnoreCase(Message(MessageKey::MESSAGEHTML_RC_STATUS_ACTION_SELECTED_DELETE_KEY_KX15), L"%1",
                                    keyText);
    if (entry.DeleteValue) {
      status = ReplaceAllIgnoreCase(Message(MessageKey::MESSAGEHTML_RC_STATUS_ACTION_SELECTED_DELETE_VALUE_KX15), L"%1",
                                    valueText);
      status = ReplaceAllIgnoreCase(status, L"%2", keyText);
    }
    SetStatus(status, statusCentred_);
    return;
  }
  if (!ANY_SEARCH_DONE) return;
  const std::int32_t total = static_cast<std::int32_t>(Tree.NodeCount());
  if (total > 0) {
    std::wstring status = Message(MessageKey::MESSAGEHTML_RC_STATUS_FOUND_KX15) + L" " +
                          Message(MessageKey::MESSAGEHTML_RC_STATUS_FOUND_ADDER);
    status = ReplaceAllIgnoreCase(status, L"%1", std::to_wstring(total));
    status = ReplaceAllIgnoreCase(status, L"%2", std::to_wstring(Tree_CountChecked(Tree)));
    SetStatus(status, statusCentred_);
  } else {
    SetStatus(Message(MessageKey::MESSAGEHTML_RC_STATUS_NOTHINGFOUND), statusCentred_);
  }
}

void TForm_RC::Update_Zusammenfassung() {
  if (!Zusammenfassung || !Panel_Zusammenfassung.Alive()) return;
  Zusammenfassung->Update_Begin();
  int y = Scale(kSummaryTop);
  if (!VellButton_Search.Enabled()) {
    Zusammenfassung->Update_PaintSearch_or_Delete(y, RC && RC->Status_Delete());
  } else if (Tree.IsEmpty() && ANY_SEARCH_DONE) {
    // Before the first search an empty tree means nothing yet, not "no
    // problems found".
    Zusammenfassung->Update_PaintNothingFound(y);
    ShowNothingFound();
  }
  std::array<std::int32_t, kFilterCount> counts{}, ticked{};
  for (PVirtualNode node : Tree) {
    const std::int32_t index = Number(TResultTree::Data(node).ComboBoxIndex);
    const bool isTicked = IsTicked(node);
    ++counts[0];
    if (isTicked) ++ticked[0];
    if (index > 0 && index < kFilterCount) {
      ++counts[index];
      if (isTicked) ++ticked[index];
    }
  }
  for (std::int32_t i = 0; i < kFilterCount; ++i) {
    if (counts[i] == 0) continue;
    const std::wstring name = CategoryCaption(i);
    const std::wstring explanation =
        Message(static_cast<MessageKey>(static_cast<int>(MessageKey::MESSAGEHTML_RC_ZUSAMMENFASSUNG_TEXT_ID_0) + i));
    const std::wstring html = L"<b><FONT color=\"%col%\">" + name + L"</FONT></b><br>" + explanation;
    Zusammenfassung->AddTo_Zusammenfassung(y, kCategoryIcons[i], html, counts[i], ticked[i], 0,
                                           VellUnicodeSTButton_Navi[i]->Name(), true);
    y += Scale(kSummaryRowHeight);
  }
  RECT client;
  GetClientRect(Panel_Zusammenfassung.Handle(), &client);
  if (y < Panel_Zusammenfassung.Height()) {
    Zusammenfassung->SCROLLBAR_WIDTH = 0;
    Panel_Zusammenfassung.SetScrollRange(0);
  } else {
    Zusammenfassung->SCROLLBAR_WIDTH = Scale(20);
    const bool wasHidden = !Panel_Zusammenfassung.ScrollBarVisible();
    Panel_Zusammenfassung.SetScrollRange(y);
    // Rows laid out before the bar appeared are 20 pixels too wide. One
    // more pass only: should the bar still not show, a third would change
    // nothing.
    if (wasHidden && !summarySecondPass_) {
      summarySecondPass_ = true;
      Update_Zusammenfassung();
      summarySecondPass_ = false;
    }
  }
  // The panel paints its bands as its background. It may have been painted
  // while the rows were still being added: paint it again now that every
  // band is known, or the gaps between a row's controls stay white.
  Panel_Zusammenfassung.Invalidate();
}

void TForm_RC::ShowNothingFound() {
  if (!Tree.IsEmpty()) return;
  Image_Anim.LoadFromFile(SkinFolder() + L"\\status_ok.gif");
  Image_Anim.SetAnimate(ShowAnimations());
  Label_Anim_NothingFound.SetCaption(Message(MessageKey::MESSAGE_OCO_BIGSTATUS_NOTHINGFOUND));
  Label_Anim_NothingFound.SetVisible(true);
  ProgressBar_RC.SetVisible(false);
  Panel_Working.SetVisible(true);
  Panel_Working.BringToFront();
  FormResize();
}

void TForm_RC::ShowWorkingPanel(const wchar_t* animationFile) {
  Image_Anim.LoadFromFile(SkinFolder() + animationFile);
  Image_Anim.SetAnimate(ShowAnimations());
  Label_Anim_NothingFound.SetVisible(false);
  Panel_Working.SetVisible(true);
  Panel_Working.BringToFront();
  FormResize();
}

// --- ticking and the context menu ----------------------------------------------

void TForm_RC::AdvToolBarButton_RC_SelectAllClick() {
  Tree_CheckVisible(Tree, false);
  VirtualDrawTree_RC.Invalidate();
  Refresh_Status_RC(0);
}

void TForm_RC::AdvToolBarButton_RC_SelectNoneClick() {
  Tree_UncheckVisible(Tree, false);
  VirtualDrawTree_RC.Invalidate();
  Refresh_Status_RC(0);
}

void TForm_RC::MenuItem_RC_MarkSelectedClick() {
  Tree_CheckAll(Tree, true);
  VirtualDrawTree_RC.Invalidate();
  Refresh_Status_RC(0);
}

void TForm_RC::MenuItem_RC_UnmarkSelectedClick() {
  Tree_UncheckAll(Tree, true);
  VirtualDrawTree_RC.Invalidate();
  Refresh_Status_RC(0);
}

void TForm_RC::AdvPopupMenu_RCPopup() {
  const size_t selected = VirtualDrawTree_RC.SelectedCount();
  MenuItem_RC_MarkSelected.enabled = selected > 0;
  MenuItem_RC_UnmarkSelected.enabled = selected > 0;
  MenuItem_RC_AddToExceptions.enabled = selected > 0;
  MenuItem_RC_OpenInRegEdit.enabled = selected == 1;
}

void TForm_RC::ShowContextMenu(POINT screenPoint) {
  if (!VirtualDrawTree_RC.Enabled()) return;
  AdvPopupMenu_RCPopup();
  ui::PopupMenuAt(Handle(),
                  {&MenuItem_RC_MarkSelected, &MenuItem_RC_UnmarkSelected, &MenuItem_RC_Separator1,
                   &MenuItem_RC_AddToExceptions, &MenuItem_RC_Separator2, &MenuItem_RC_OpenInRegEdit},
                  screenPoint);
}

void TForm_RC::MenuItem_RC_AddToExceptionsClick() {
  const std::vector<PVirtualNode> selected = VirtualDrawTree_RC.SelectedNodes();
  if (selected.empty()) return;
  if (!RC_AddToExceptions(Tree, selected, host_->Options())) return;
  VirtualDrawTree_RCChange(nullptr);
  Refresh_Status_RC(0);
  Update_RC_Filter_ComboBoxen();
}

void TForm_RC::MenuItem_RC_OpenInRegEditClick() {
  PVirtualNode node = VirtualDrawTree_RC.FirstSelected();
  if (!node) return;
  const TTreeData_RegCleaner& entry = TResultTree::Data(node);
  RC_OpenInRegEdit(entry.Delete_Root, entry.Delete_Key);
}

void TForm_RC::AdvGlowButton_OptionsClick() { host_->RunOptionsLoop(); }

void TForm_RC::VellButton_BackupsClick() { Open_BackupScreen(Handle(), &*host_); }

void TForm_RC::AdvGlowButton_ReportClick() { RC_ReportClick(Tree); }

void TForm_RC::AdvToolBarButton_RC_StopClick() { ProcessRunControl().STOP_REQUESTED = true; }

// --- the runs ------------------------------------------------------------------

void TForm_RC::SetRunButtons(bool running) {
  VellButton_Search.SetEnabled(!running);
  VellButton_Stop.SetEnabled(running);
  VirtualDrawTree_RC.SetEnabled(!running);
  for (std::int32_t i = 1; i < kFilterCount; ++i) VellUnicodeSTButton_Navi[i]->SetEnabled(!running);
  if (running) {
    VellButton_Delete.SetEnabled(false);
    VellButton_Report.SetEnabled(false);
    VellButton_SelectAll.SetEnabled(false);
    VellButton_SelectNone.SetEnabled(false);
  }
}

void TForm_RC::AdvToolBarButton_RC_DeleteClick() {
  if (VellButton_Stop.Enabled()) return;
  std::int32_t ticked = Tree_CountChecked(Tree);
  if (ticked == 0) return;
  ProcessRunControl().STOP_REQUESTED = false;
  SetRunButtons(true);
  SetStatus(Message(MessageKey::MESSAGEHTML_RC_STATUS_DELETING), statusCentred_);
  ProgressBar_RC.SetPosition(0);
  ProgressBar_RC.SetMaximum(ticked);
  ProgressBar_RC.SetVisible(true);
  ui::ProcessMessages();
  ShowWorkingPanel(L"\\status_delete.gif");
  BarProgress progress(ProgressBar_RC);
  RC->Progress = &progress;
  host_->EnableModuleSwitching(false);
  ui::ProcessMessages();
  Update_Zusammenfassung();
  ui::ProcessMessages();

  DeleteOptions deleteOptions;
  deleteOptions.restorePoint = host_->Options().Switches().IsChecked(OptionSwitch::RC_RestorePoint);
  const DeleteRunResult result = RC_DeleteRun(*RC, BackupFolder, deleteOptions);
  RC->Progress = nullptr;
  if (result.terminated || ProcessRunControl().APP_TERMINATING) return;
  host_->EnableModuleSwitching(true);
  ui::ProcessMessages();

  SetRunButtons(false);
  ProgressBar_RC.SetVisible(false);
  Panel_Working.SetVisible(false);
  Update_Zusammenfassung();
  ui::ProcessMessages();
  SetStatus(RC_DeleteStatusText(result), statusCentred_);
  Update_RC_Filter_ComboBoxen();
  ui::ProcessMessages();
  VirtualDrawTree_RC.Invalidate();
  Refresh_Status_RC(0);
  // The selected finding may be gone now, or have lost some of its keys.
  ShowEvidence(VirtualDrawTree_RC.FirstSelected());
  ShowNothingFound();
}

}  // namespace keytidy
