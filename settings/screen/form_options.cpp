#include "settings/screen/form_options.h"

#include <algorithm>

#include "gui/internet_services.h"
#include "gui/message_dialogs.h"
#include "gui/stripe_sheet.h"
#include "lang/available_languages.h"
#include "lang/help_links.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/file_existence.h"
#include "platform/file_queries.h"
#include "platform/registry.h"
#include "scan/exception_file.h"
#include "settings/ini_file.h"
#include "settings/screen/language_menu.h"
#include "skin/button_skin.h"
#include "skin/navi_entry.h"
#include "skin/skin_folder.h"
#include "skin/skin_ini.h"
#include "ui/dib_section.h"
#include "ui/lanczos_resampler.h"

namespace keytidy {

namespace {

constexpr COLORREF kNaviColor = RGB(240, 242, 245);
constexpr COLORREF kTabLineColor = RGB(190, 196, 204);

std::unique_ptr<TForm_Options>& Instance() {
  static std::unique_ptr<TForm_Options> dialog;
  return dialog;
}

// A navigation entry's picture: its icon and text on a plain background.
ui::Picture NaviPicture(const std::wstring& text, int icon, COLORREF background, int width, int height, int dpi) {
  const auto s = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
  std::uint32_t* bits = nullptr;
  ui::UniqueBitmap bitmap(ui::CreateDib32(width, height, bits));
  if (!bitmap) return {};
  ui::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  {
    ui::SelectionScope selected(dc.get(), bitmap.get());
    ui::UniqueBrush brush(CreateSolidBrush(background));
    RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, brush.get());
    StripePicture(s(32), icon).Draw(dc.get(), s(6), (height - s(32)) / 2);
    ui::UniqueFont font = ui::CreateUiFont(L"Tahoma", 9, dpi, true);
    ui::SelectionScope fontScope(dc.get(), font.get());
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(40, 46, 56));
    RECT textArea{s(46), 0, width - s(4), height};
    DrawTextW(dc.get(), text.c_str(), -1, &textArea, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    GdiFlush();
  }
  const auto* pixels = reinterpret_cast<const std::uint8_t*>(bits);
  std::vector<std::uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    rgba[i] = pixels[i + 2];
    rgba[i + 1] = pixels[i + 1];
    rgba[i + 2] = pixels[i];
    rgba[i + 3] = 255;
  }
  return ui::Picture::FromRgba(width, height, rgba.data());
}

// The pixels of an opaque picture (a bitmap file) as an image.
RgbaImage OpaqueImageOf(const ui::Picture& picture) {
  if (picture.Empty()) return {};
  RgbaImage image(picture.Width(), picture.Height());
  const std::uint32_t* pixels = picture.Pixels();
  for (size_t i = 0, count = static_cast<size_t>(image.width) * image.height; i < count; ++i) {
    image.pixels[i * 4] = static_cast<std::uint8_t>(pixels[i] >> 16);
    image.pixels[i * 4 + 1] = static_cast<std::uint8_t>(pixels[i] >> 8);
    image.pixels[i * 4 + 2] = static_cast<std::uint8_t>(pixels[i]);
    image.pixels[i * 4 + 3] = 255;
  }
  return image;
}

HIMAGELIST NewImageList(int size) { return ImageList_Create(size, size, ILC_COLOR32, 4, 4); }

}  // namespace

// --- the dialog ----------------------------------------------------------------

TForm_Options::TForm_Options(HWND owner, InternetServices* internet) : Form(L"Form_Options", 1), internet_(internet) {
  SIGNAL_RECREATE_FORM = false;
  // 500 high: at 150 % the dialog still fits a 1280 x 800 work area.
  CreateForm(kClassName, L"Einstellungen", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, 840, 500, owner);
  BuildPages();
  LOAD_TRANSLATION_TO_FORM(ProgramFolder() + L"\\translation", LanguageCode, *this);
  Apply_ButtonSkin(*this);
  ApplyPageColours();

  const ui::Picture navigation = ui::Picture::FromFile(SkinFolder() + L"\\navi_options.bmp");
  Panel_Navi.SetBackgroundPicture(navigation);
  // The entries copy the background as the panel shows it: stretched.
  const RECT naviArea = Panel_Navi.Bounds();
  const RgbaImage background =
      ResizeLanczos(OpaqueImageOf(navigation), naviArea.right - naviArea.left, naviArea.bottom - naviArea.top);
  struct Entry {
    ui::ImageButton3State* button;
    MessageKey text;
    int icon;
  } entries[] = {{&PelkanMouseImage3State_Navi1, MessageKey::MESSAGE_OPTIONS_NAVI1, 127},
                 {&PelkanMouseImage3State_Navi2, MessageKey::MESSAGE_REGISTRY, 86}};
  for (const Entry& entry : entries) {
    const std::wstring& text = Message(entry.text);
    entry.button->MoveIfMousePressed = false;
    const RECT at = entry.button->Bounds();
    if (background.Empty()) {
      const int w = at.right - at.left, h = at.bottom - at.top;
      entry.button->SetPictureHighlight(NaviPicture(text, entry.icon, RGB(222, 232, 248), w, h, Dpi()));
      entry.button->SetPicturePressed(NaviPicture(text, entry.icon, RGB(196, 214, 242), w, h, Dpi()));
      entry.button->SetPictureNormal(NaviPicture(text, entry.icon, kNaviColor, w, h, Dpi()));
      continue;
    }
    const TNaviEntryPictures pictures =
        Paint_NaviEntry(background, at.left, at.top, at.right - at.left, at.bottom - at.top, text, entry.icon,
                        StripeSheet(), SkinFolder(), Dpi() / 96.0);
    entry.button->SetPictureHighlight(ui::Picture::FromImage(pictures.hover));
    entry.button->SetPicturePressed(ui::Picture::FromImage(pictures.pressed));
    entry.button->SetPictureNormal(ui::Picture::FromImage(pictures.normal));
  }
  PelkanMouseImage3State_Navi1.OnClick = [this] { SelectNavigation(1); };
  PelkanMouseImage3State_Navi2.OnClick = [this] { SelectNavigation(2); };

  exceptionIcons_ = NewImageList(16);
  StripeSheet().AddOneToImageList(exceptionIcons_, 48, 1.0f);
  StripeSheet().AddOneToImageList(exceptionIcons_, 49, 1.0f);
  ListView_RC_Exceptions.SetImageList(exceptionIcons_);
  const int pageIcons[] = {24, 40, 22, 29, 86};
  for (size_t i = 0; i < std::size(pageIcons); ++i) PageIcons[i]->SetPicture(StripePicture(Scale(48), pageIcons[i]));
  const RgbaImage combined = StripeSheet().CombineImages(Scale(48), 86, 16, 1.0f, 0, 0);
  if (!combined.Empty()) PageIcons[5]->SetPicture(ui::Picture::FromImage(combined));

  FillLanguageList();
  SelectNavigation(1);
  LOAD_OPTIONS();
}

TForm_Options::~TForm_Options() {
  Destroy();
  if (flags_) ImageList_Destroy(flags_);
  if (exceptionIcons_) ImageList_Destroy(exceptionIcons_);
}

void TForm_Options::PaintBackground(HDC dc, const RECT&) { Shape_Tabs.Paint(dc); }

// The pages take the skin's page colours, so that the buttons' captions
// (coloured for those pages) stay readable on a dark skin.
void TForm_Options::ApplyPageColours() {
  const TPageColors colours = Read_PageColors(SkinIniPath());
  SetColor(colours.background);
  PageControl1.SetColor(colours.background);
  for (ui::TabSheet* page :
       {&TabSheet_SKIN, &TabSheet_LANG, &TabSheet_OTHER, &TabSheet_Backups, &TabSheet_RC1, &TabSheet_RC2})
    page->SetColor(colours.background);
  std::vector<ui::NativeControl*> texts{&Label_ServiceChannels, &CheckBox_Other_Anims};
  for (auto& box : SwitchBoxes) texts.push_back(box.get());
  for (auto& radio : BackupAgeButtons) texts.push_back(radio.get());
  for (ui::NativeControl* control : texts) {
    control->SetBackColor(colours.background);
    control->SetFontColor(colours.text);
  }
  HTMLabel_Options_GUI_TranslationLinkTarget.SetFontColor(colours.text);
}

void TForm_Options::BuildPages() {
  const HWND self = Handle();
  const auto s = [this](int pixels) { return Scale(pixels); };
  // From the client area as it is: on a small screen at a high scaling it
  // can be smaller than designed, and the buttons must stay on it.
  RECT client;
  GetClientRect(self, &client);
  const int buttonsTop = client.bottom - s(42);
  Panel_Navi.Create(self, 0, 0, s(192), client.bottom, kNaviColor);
  PelkanMouseImage3State_Navi1.Create(Panel_Navi.Handle(), s(6), s(20), s(181), s(40));
  PelkanMouseImage3State_Navi2.Create(Panel_Navi.Handle(), s(6), s(66), s(181), s(40));
  AdvOfficeTabSet1.Create(self, s(202), s(8), s(630), s(26));
  AdvOfficeTabSet1.OnChange = [this] { ShowPage(AdvOfficeTabSet1.TabData(AdvOfficeTabSet1.ActiveTab())); };
  // The pages have no tabs of their own: the button-style strip above them
  // stands in, joined to the page by a one-pixel line as wide as the page.
  const RECT tabs = AdvOfficeTabSet1.Bounds();
  Shape_Tabs.bounds = RECT{tabs.left, tabs.bottom, tabs.left + s(630), tabs.bottom + 1};
  Shape_Tabs.color = kTabLineColor;
  const int pageHeight = buttonsTop - s(13) - Shape_Tabs.bounds.bottom;
  PageControl1.Create(self, s(202), Shape_Tabs.bounds.bottom, s(630), pageHeight, RGB(255, 255, 255));

  ui::TabSheet* pages[] = {&TabSheet_SKIN,    &TabSheet_LANG, &TabSheet_OTHER,
                           &TabSheet_Backups, &TabSheet_RC1,  &TabSheet_RC2};
  const wchar_t* captions[] = {L"Skin", L"Sprache", L"Sonstiges", L"Backups", L"Eintr\u00e4ge suchen", L"Ausnahmen"};
  for (size_t i = 0; i < std::size(pages); ++i) {
    pages[i]->Create(PageControl1.Handle(), 0, 0, s(630), pageHeight, RGB(255, 255, 255));
    pages[i]->SetCaption(captions[i]);
    pages[i]->SetVisible(false);
    auto icon = std::make_unique<ui::ImageBox>(this, L"Image_Page" + std::to_wstring(i));
    icon->Create(pages[i]->Handle(), s(6), s(6), s(48), s(48));
    PageIcons[i] = icon.get();
    pageIcons_.push_back(std::move(icon));
  }
  const int left = s(66);

  ListBox_Skins.Create(TabSheet_SKIN.Handle(), left, s(8), s(550), pageHeight - s(20));

  ListView_Options_Language.Create(TabSheet_LANG.Handle(), left, s(8), s(550), s(320), false);
  ListView_Options_Language.AddColumn(L"Sprache", s(200));
  ListView_Options_Language.AddColumn(L"\u00dcbersetzer", s(280));
  HTMLabel_Options_GUI_TranslationLinkTarget.Create(TabSheet_LANG.Handle(), left, s(340), s(550), s(60));
  HTMLabel_Options_GUI_TranslationLinkTarget.SetHtml(
      L"Ihre Sprache fehlt oder Sie haben einen Fehler gefunden? <a href=\"translation\">Helfen Sie uns</a>.");
  HTMLabel_Options_GUI_TranslationLinkTarget.OnLinkClick = [](const std::wstring&) { Open_LinkTarget(L"translation"); };

  Label_ServiceChannels.Create(TabSheet_OTHER.Handle(), L"Informationskan\u00e4le des Programms:", left, s(14), s(360),
                               s(18));
  Button_ConfigChannels.Create(TabSheet_OTHER.Handle(), L"&Konfigurieren", left + s(370), s(8), s(120), s(28));
  CheckBox_Other_Anims.Create(TabSheet_OTHER.Handle(), L"Animationen anzeigen (Neustart der Anwendung notwendig)", left,
                              s(52), s(520), s(20));
  CheckBox_Other_Anims.SetChecked(true);

  const auto table = OptionSwitchTable();
  for (size_t i = 0; i < table.size(); ++i) {
    auto box = std::make_unique<ui::CheckBox>(this, table[i].name, 1);
    HWND parent = TabSheet_RC1.Handle();
    int x = 0, y = 0, width = s(250);
    if (i < kCategorySwitchCount) {
      x = left + (i % 2) * s(270);
      y = s(8) + static_cast<int>(i / 2) * s(26);
    } else if (table[i].id == OptionSwitch::RC_IgnoreNoHDDs || table[i].id == OptionSwitch::RC_RestorePoint) {
      const int below = table[i].id == OptionSwitch::RC_RestorePoint ? 1 : 0;
      x = left;
      y = s(8) + static_cast<int>((kCategorySwitchCount + 1) / 2) * s(26) + s(16) + below * s(26);
      width = s(540);
    } else {
      parent = TabSheet_Backups.Handle();
      x = left;
      y = s(8) + 4 * s(24) + s(12) +
          static_cast<int>(i - static_cast<size_t>(OptionSwitch::Backups_Ask_Before_AutoDelete)) * s(24);
      width = s(540);
    }
    const std::wstring caption = *table[i].designCaption ? table[i].designCaption : table[i].name;
    box->Create(parent, caption, x, y, width, s(20));
    box->SetChecked(table[i].checkedByDefault);
    SwitchBoxes.push_back(std::move(box));
  }
  const wchar_t* radioCaptions[] = {
      L"Backups \u00e4lter als 30 Tage l\u00f6schen", L"Backups \u00e4lter als 14 Tage l\u00f6schen",
      L"Backups \u00e4lter als 7 Tage l\u00f6schen", L"Backups nie automatisch l\u00f6schen"};
  const auto radios = BackupAutoDeleteTable();
  for (size_t i = 0; i < radios.size(); ++i) {
    auto radio = std::make_unique<ui::RadioButton>(this, radios[i].name, 1);
    radio->Create(TabSheet_Backups.Handle(), radioCaptions[i], left, s(8) + static_cast<int>(i) * s(24), s(540), s(20),
                  i == 0);
    radio->SetChecked(radios[i].id == kBackupAutoDeleteDefault);
    BackupAgeButtons.push_back(std::move(radio));
  }

  const int exceptionsHeight = pageHeight - s(70);
  ListView_RC_Exceptions.Create(TabSheet_RC2.Handle(), left, s(8), s(550), exceptionsHeight, true);
  ListView_RC_Exceptions.AddColumn(L"Typ", s(80));
  ListView_RC_Exceptions.AddColumn(L"Wurzel", s(80));
  ListView_RC_Exceptions.AddColumn(L"Ort", s(300));
  ListView_RC_Exceptions.AddColumn(L"Wert", s(80));
  Button_RC_RemoveExceptions.Create(TabSheet_RC2.Handle(), L"&Entfernen", left, s(16) + exceptionsHeight, s(110),
                                    s(28));
  Button_RC_RemoveExceptions.OnClick = [this] {
    std::vector<size_t> rows;
    for (int row : ListView_RC_Exceptions.SelectedRows()) rows.push_back(static_cast<size_t>(row));
    exceptions_.RemoveRows(std::move(rows));
    ShowExceptions();
  };

  VellButton_Reset.Create(self, s(620), buttonsTop, s(100), s(33));
  VellButton_Reset.SetCaption(L"&Zur\u00fccksetzen");
  VellButton_Ok.Create(self, s(730), buttonsTop, s(100), s(33));
  VellButton_Ok.SetCaption(L"Ok");
  VellButton_Ok.SetActionButton(true);
  Button_ConfigChannels.OnClick = [this] {
    if (internet_) internet_->StartInfoChannelsConfig(Handle());
  };
  VellButton_Ok.OnClick = [this] { Ok(); };
  SetDefaultButton(VellButton_Ok.Handle());
  VellButton_Reset.OnClick = [this] { Reset(); };
}

void TForm_Options::FillLanguageList() { FillLanguageList(ProgramFolder()); }

void TForm_Options::FillLanguageList(const std::wstring& programFolder) {
  ListView_Options_Language.ClearRows();
  if (flags_) ImageList_Destroy(flags_);
  flags_ = ImageList_Create(Scale(16), Scale(11), ILC_COLOR24 | ILC_MASK, 4, 4);
  ListView_Options_Language.SetImageList(flags_);
  const std::wstring folder = programFolder + L"\\Translation\\";
  for (const LanguageMenuItem& item : Build_LanguageMenu(flags_, programFolder + L"\\Flags")) {
    const int index = item.number - 1;
    std::wstring translator;
    if (index >= 0 && static_cast<size_t>(index) < AvailableLanguages().size()) {
      TLang store;
      store.Load_Translation(folder + AvailableLanguages()[index].baseName + L".nlang3", folder + L"index.txt");
      translator = store.Get_StringW(L"MESSAGES", L"MESSAGE_TRANSLATOR_NAME");
    }
    ListView_Options_Language.AddRow({item.caption, translator, std::to_wstring(index)}, item.imageIndex, index);
  }
}

std::vector<ui::TabSheet*> TForm_Options::PagesOf(int entry) {
  if (entry == 2) return {&TabSheet_RC1, &TabSheet_RC2};
  return {&TabSheet_SKIN, &TabSheet_LANG, &TabSheet_OTHER, &TabSheet_Backups};
}

void TForm_Options::SelectNavigation(int entry) {
  PelkanMouseImage3State_Navi1.SetEnabled(true);
  PelkanMouseImage3State_Navi2.SetEnabled(true);
  ui::ImageButton3State& chosen = entry == 2 ? PelkanMouseImage3State_Navi2 : PelkanMouseImage3State_Navi1;
  ui::ImageButton3State& other = entry == 2 ? PelkanMouseImage3State_Navi1 : PelkanMouseImage3State_Navi2;
  chosen.SetEnabled(false);
  chosen.ShowPressed();
  other.ShowNormal();

  const ui::TabSheet* all[] = {&TabSheet_SKIN,    &TabSheet_LANG, &TabSheet_OTHER,
                               &TabSheet_Backups, &TabSheet_RC1,  &TabSheet_RC2};
  AdvOfficeTabSet1.ClearTabs();
  const auto pages = PagesOf(entry);
  for (ui::TabSheet* page : pages) {
    const int pageIndex = static_cast<int>(std::find(std::begin(all), std::end(all), page) - std::begin(all));
    if (!page->Caption().empty()) AdvOfficeTabSet1.AddTab(page->Caption(), pageIndex);
  }
  AdvOfficeTabSet1.SetActiveTab(0);
  ShowPage(AdvOfficeTabSet1.TabData(0));
}

void TForm_Options::ShowPage(int pageIndex) {
  ui::TabSheet* all[] = {&TabSheet_SKIN,    &TabSheet_LANG, &TabSheet_OTHER,
                         &TabSheet_Backups, &TabSheet_RC1,  &TabSheet_RC2};
  if (pageIndex < 0 || pageIndex >= static_cast<int>(std::size(all))) return;
  activePage_ = pageIndex;
  for (int i = 0; i < static_cast<int>(std::size(all)); ++i) all[i]->SetVisible(i == pageIndex);
}

TOptionSwitches TForm_Options::Switches() const {
  TOptionSwitches switches;
  const auto table = OptionSwitchTable();
  for (size_t i = 0; i < table.size(); ++i) switches.SetChecked(table[i].id, SwitchBoxes[i]->Checked());
  auto buttons = switches.BackupAgeButtons();
  for (size_t i = 0; i < buttons.size(); ++i) buttons[i].checked = BackupAgeButtons[i]->Checked();
  return switches;
}

void TForm_Options::Set_Exceptions(TExceptionList list) {
  exceptions_ = std::move(list);
  ShowExceptions();
}

void TForm_Options::Show_BackupSwitches(const TOptionSwitches& switches) {
  SwitchBox(OptionSwitch::Backups_Ask_Before_AutoDelete)
      .SetChecked(switches.IsChecked(OptionSwitch::Backups_Ask_Before_AutoDelete));
  const auto buttons = switches.BackupAgeButtons();
  for (size_t i = 0; i < buttons.size(); ++i) BackupAgeButtons[i]->SetChecked(buttons[i].checked);
}

void TForm_Options::ShowExceptions() {
  ListView_RC_Exceptions.ClearRows();
  const std::wstring& keyCaption = Message(MessageKey::MESSAGE_RC_KEY);
  const std::wstring& valueCaption = Message(MessageKey::MESSAGE_RC_VALUE);
  for (const ExceptionRow& row : exceptions_.Rows())
    ListView_RC_Exceptions.AddRow(
        {ExceptionKindCaption(row.kind, keyCaption, valueCaption), row.rootName, row.key, row.value},
        row.kind == kExceptionKindKey ? 0 : 1);
}

void TForm_Options::LOAD_OPTIONS() {
  CheckBox_Other_Anims.SetChecked(ShowAnimations_Load());
  Fill_SkinList(ListBox_Skins);
  TOptionSwitches switches = Switches();
  switches.Load(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey);
  const auto table = OptionSwitchTable();
  for (size_t i = 0; i < table.size(); ++i) SwitchBoxes[i]->SetChecked(switches.IsChecked(table[i].id));
  exceptions_.Clear();
  Load_Exceptions(ExceptionsFilePath(), exceptions_);
  ShowExceptions();
  const auto buttons = switches.BackupAgeButtons();
  for (size_t i = 0; i < buttons.size(); ++i) BackupAgeButtons[i]->SetChecked(buttons[i].checked);
}

void TForm_Options::SAVE_OPTIONS() {
  ShowAnimations_Save(CheckBox_Other_Anims.Checked());
  Store_Skin(ListBox_Skins);
  const auto languageRows = ListView_Options_Language.SelectedRows();
  if (!languageRows.empty()) {
    const LPARAM index = ListView_Options_Language.RowData(languageRows.front());
    if (index >= 0 && static_cast<size_t>(index) < AvailableLanguages().size())
      Store_Language(AvailableLanguages()[static_cast<size_t>(index)].baseName);
  }
  Switches().Save(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey);
  Save_Exceptions(ExceptionsFilePath(), exceptions_);
}

void TForm_Options::Execute() {
  LOAD_OPTIONS();
  ShowModal();
}

void TForm_Options::Ok() {
  SAVE_OPTIONS();
  Sleep(50);
  SAVE_OPTIONS();
  Close();
}

void TForm_Options::Reset() {
  if (AskYesOrNo(Message(MessageKey::MESSAGEHTML_OPTIONS_ASKER_SURETORESET), 7) != 6) return;
  Reg_DeleteKey(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey);
  for (const wchar_t* name : {kFilesListName, kFoldersListName}) {
    const std::wstring current = ProgramFolder() + L"\\data\\" + name + L".txt";
    const std::wstring shipped = ProgramFolder() + L"\\data\\" + name + L"_default.txt";
    if (FileExists(current) && FileExists(shipped)) {
      DeleteFileW(current.c_str());
      CopyFileW(shipped.c_str(), current.c_str(), FALSE);
    }
  }
  SIGNAL_RECREATE_FORM = true;
  Close();
}

TForm_Options* Form_Options() { return Instance().get(); }

void Create_OptionsDialog(HWND owner, InternetServices* internet) {
  Instance() = std::make_unique<TForm_Options>(owner, internet);
}

void Free_OptionsDialog() { Instance().reset(); }

TOptionSwitches Current_OptionSwitches() {
  if (const TForm_Options* dialog = Form_Options()) return dialog->Switches();
  return Load_OptionSwitches();
}

}  // namespace keytidy
