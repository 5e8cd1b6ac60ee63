#include "app/main_window.h"

#include <algorithm>
#include <memory>
#include <thread>

#include "app/form_about.h"
#include "backup/module_codes.h"
#include "gui/internet_services.h"
#include "gui/message_dialogs.h"
#include "gui/process_run_control.h"
#include "gui/stripe_sheet.h"
#include "lang/help_links.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "platform/debug_log.h"
#include "platform/environment.h"
#include "platform/product.h"
#include "settings/ini_file.h"
#include "settings/screen/form_options.h"
#include "skin/skin_folder.h"
#include "skin/skin_ini.h"
#include "ui/window_placement.h"

namespace keytidy {

namespace {

// Where a window that starts at `window`'s top left and grows to
// width × height must go so that it stays inside the work area of its
// monitor; unchanged when it already fits. A window larger than the work
// area keeps its top left corner on it.
POINT KeptInsideWorkArea(const RECT& window, int width, int height) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  POINT topLeft{window.left, window.top};
  if (!GetMonitorInfoW(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor)) return topLeft;
  const RECT& work = monitor.rcWork;
  topLeft.x = std::max<LONG>(work.left, std::min<LONG>(topLeft.x, work.right - width));
  topLeft.y = std::max<LONG>(work.top, std::min<LONG>(topLeft.y, work.bottom - height));
  return topLeft;
}

constexpr int kRedrawDelayMs = 400;
constexpr int kButtonSize = 32;
constexpr int kGripSize = 24;
constexpr int kHeaderHeight = 66;

ui::Picture SkinPicture(const std::wstring& file) { return ui::Picture::FromFile(SkinFolder() + L"\\" + file); }

void LoadButton(ui::ImageButton3State& button, const wchar_t* normal, const wchar_t* hover) {
  const ui::Picture normalPicture = SkinPicture(normal);
  button.SetPictureHighlight(SkinPicture(hover));
  button.SetPicturePressed(normalPicture);
  button.SetPictureNormal(normalPicture);
}

}  // namespace

TForm_KX7::TForm_KX7(InternetServices* internet)
    : Form(L"Form_KX7", 1), internet_(internet), frontEnd_([](const TOptionSwitches& switches) {
        if (TForm_Options* dialog = Form_Options()) dialog->Show_BackupSwitches(switches);
      }) {
  ProcessRunControl().APP_TERMINATING = false;
  fFirstOnShowDone = false;
  // The shadow is a system-wide effect: switched on for this session only,
  // never saved to the user's profile.
  SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<void*>(TRUE), 0);
  CreateForm(kClassName, ProductTitle, WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU | WS_CLIPCHILDREN,
             WS_EX_APPWINDOW, kMainDesignWidth, kMainDesignHeight, nullptr,
             CS_HREDRAW | CS_VREDRAW | CS_DROPSHADOW | CS_DBLCLKS);
  const HWND self = Handle();
  Set_DialogOwnerWindow(self);

  RECT client;
  GetClientRect(self, &client);
  const int width = client.right;
  Image_Logo.Create(self, 0, 0, 1, 1);
  // Drawn for 100 %: shown at the window's scale.
  Image_Logo.SetStretch(true);
  // Created from left to right: the creation order is the Tab order.
  ui::ImageButton3State* buttons[] = {&PelkanMouseImage3State_Feedback, &PelkanMouseImage3State_IM,
                                      &PelkanMouseImage3State_options,  &PelkanMouseImage3State_Help,
                                      &PelkanMouseImage3State_Minimize, &PelkanMouseImage3State_Maximize,
                                      &PelkanMouseImage3State_Close};
  const int designX[] = {640, 676, 712, 748, 784, 820, 856};
  for (size_t i = 0; i < std::size(buttons); ++i)
    buttons[i]->Create(self, width - Scale(kMainDesignWidth - designX[i]), Scale(2), Scale(kButtonSize),
                       Scale(kButtonSize));
  Image_SizeGrip.Create(self, width - Scale(kGripSize), client.bottom - Scale(kGripSize), Scale(kGripSize),
                        Scale(kGripSize));
  Image_SizeGrip.SetCursor(LoadCursorW(nullptr, IDC_SIZENWSE));
  Panel1.Create(self, 0, Scale(75), width, client.bottom - Scale(75), RGB(255, 255, 255));
  CreateHiddenNavigation();

  PelkanMouseImage3State_Close.OnClick = [this] { Close(); };
  PelkanMouseImage3State_Maximize.OnClick = [this] { ToggleMaximize(); };
  PelkanMouseImage3State_Minimize.OnClick = [this] { ShowWindow(Handle(), SW_MINIMIZE); };
  PelkanMouseImage3State_Help.OnClick = [this] { ShowHelpMenu(); };
  PelkanMouseImage3State_options.OnClick = [this] { RunOptionsLoop(); };
  PelkanMouseImage3State_IM.OnClick = [this] { ShowInternetMenu(); };
  PelkanMouseImage3State_Feedback.OnClick = [] { Open_LinkTarget(L"feedback"); };
  MenuItem_help_Help.OnClick = [] { Open_OnlineHelp(L"main"); };
  MenuItem_help_About.OnClick = [this] { ShowAbout(); };
  MenuItem_help_Separator.separator = true;
  VellThreadTimer_Redraw.SetInterval(kRedrawDelayMs);
  VellThreadTimer_Redraw.SetOnTimer([this](TVellThreadTimer& timer) {
    timer.SetEnabled(false);
    RECT window;
    GetWindowRect(Handle(), &window);
    SetWindowPos(Handle(), nullptr, window.left, window.top, window.right - window.left, window.bottom - window.top,
                 SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
  });
  MenuItem_help_BetaReport.visible = false;
  MenuItem_Options.OnClick = [this] { RunOptionsLoop(); };
  Image_SizeGrip.OnMouseDown = [this](int button) {
    if (button != VK_LBUTTON) return;
    ReleaseCapture();
    SendMessageW(Handle(), WM_SYSCOMMAND, 0xF008, 0);  // SC_SIZE from the bottom-right corner
  };
}

void TForm_KX7::CreateHiddenNavigation() {
  const HWND self = Handle();
  Panel_BreadNavi.Create(self, Scale(14), Scale(36), Scale(600), Scale(36), RGB(255, 255, 255));
  Panel_BreadNavi.SetVisible(false);
  const HWND bar = Panel_BreadNavi.Handle();
  const auto add = [&](const std::wstring& kind, int number, int x) {
    auto image = std::make_unique<ui::ImageBox>(this, L"Image_BreadNavi_" + kind + std::to_wstring(number));
    image->Create(bar, x, Scale(2), Scale(16), Scale(16));
    auto label = std::make_unique<ui::TextLabel>(this, L"Label_BreadNavi_" + kind + std::to_wstring(number));
    label->Create(bar, L"", x + Scale(18), Scale(2), Scale(30), Scale(16));
    BreadNaviImages.push_back(std::move(image));
    BreadNaviLabels.push_back(std::move(label));
  };
  for (int number = 1; number <= 10; ++number) add(L"Big", number, Scale(50) * (number - 1));
  for (int number = 1; number <= 7; ++number) add(L"Sub", number, Scale(50) * (number - 1));
  VellNaviImage_Back.Create(self, Scale(14), Scale(40), Scale(32), Scale(32));
  VellNaviImage_Back.SetVisible(false);
  VellLabelGDIP_CurrentModule.Create(self, L"", Scale(50), Scale(44), Scale(200), Scale(18));
  VellLabelGDIP_CurrentModule.SetVisible(false);
  Image_Schnellzugriff.Create(self, Scale(254), Scale(44), Scale(16), Scale(16));
  Image_Schnellzugriff.SetVisible(false);
}

TForm_KX7::~TForm_KX7() {
  // The switcher may be waiting for this thread; it is stopped while the
  // window can still answer it.
  switcher_.reset();
  currentModule_.reset();
  CurrentModuleForm = nullptr;
  KeepFormsLoaded.clear();
  if (PngImageList_16) ImageList_Destroy(PngImageList_16);
  if (PngImageList16_Module) ImageList_Destroy(PngImageList16_Module);
  if (DialogOwnerWindow() == Handle()) Set_DialogOwnerWindow(nullptr);
}

std::wstring TForm_KX7::SkinIni() const { return SkinFolder() + L"\\skin.ini"; }

void TForm_KX7::Perform_EveryThingAfterOnCreate() {
  CurrentModuleForm = nullptr;
  SetCaption(Caption() + L" (Version " + ProductVersion + L")");
  LOAD_TRANSLATION_TO_FORM(ProgramFolder() + L"\\translation", LanguageCode, *this);
  Image_SizeGrip.SetPicture(SkinPicture(L"grip.png"));
  MenuItem_help_BetaReport.SetCaption(Message(MessageKey::MESSAGE_SEND_BETAREPORT));
  Load_StripeSheet();
  FillImageLists();
  APPLY_Translation_and_Skin();
  switcher_ = std::make_unique<TMainMenuSwitcherThread>(this);
  switcher_->flag_ChangeModuleNow = false;
  switcher_->flag_ShowMainMenuNow = false;
  ChangeTo_DontCreate_use_thisForm = nullptr;
  switcher_->Start();
}

void TForm_KX7::FillImageLists() {
  if (!PngImageList_16) PngImageList_16 = ImageList_Create(16, 16, ILC_COLOR32, 9, 4);
  if (!PngImageList16_Module) PngImageList16_Module = ImageList_Create(16, 16, ILC_COLOR32, 43, 4);
  ImageList_RemoveAll(PngImageList_16);
  ImageList_RemoveAll(PngImageList16_Module);
  constexpr int kMenuIcons[] = {26, 23, 24, 57, 2, 3, 55, 37, 76};
  for (int index : kMenuIcons) StripeSheet().AddOneToImageList(PngImageList_16, index, 1.0f);
  // The help menu shows entries 4 and 5 of that list.
  MenuItem_help_Help.picture = StripePicture(16, kMenuIcons[4]);
  MenuItem_help_About.picture = StripePicture(16, kMenuIcons[5]);
  for (int index : {75,  84, 85,  86, 87, 88, 89, 90,  92,  91,  100, 96,  93,  99, 98,  97,  102, 101, 103, 104, 94,
                    105, 95, 106, 29, 23, 2,  40, 196, 197, 203, 204, 205, 206, 52, 218, 219, 221, 222, 223, 224})
    StripeSheet().AddOneToImageList(PngImageList16_Module, index, 1.0f);
  for (const wchar_t* code : {L"ADS", L"TASKPLANER"})
    StripeSheet().AddOneToImageList(PngImageList16_Module, Get_ModuleIcon(code), 1.0f);
}

void TForm_KX7::APPLY_Translation_and_Skin() {
  LOAD_TRANSLATION_TO_FORM(ProgramFolder() + L"\\translation", LanguageCode, *this);
  Image_Logo.SetPicture(SkinPicture(L"logo.bmp"));
  Image_Logo.SetBounds(0, 0, Scale(Image_Logo.CurrentPicture().Width()), Scale(Image_Logo.CurrentPicture().Height()));
  Image_Logo.BringToFront();
  Shape_Header.color = Ini_ReadColor(SkinIni(), L"Header", L"Color").value_or(0);
  LayoutHeader();

  LoadButton(PelkanMouseImage3State_Close, L"but_close.png", L"but_close_hover.png");
  maximizeNormal_ = SkinPicture(L"but_maximize.png");
  maximizeHover_ = SkinPicture(L"but_maximize_hover.png");
  unmaxNormal_ = SkinPicture(L"but_unmax_normal.png");
  unmaxHover_ = SkinPicture(L"but_unmax_hover.png");
  LoadButton(PelkanMouseImage3State_Maximize, L"but_maximize.png", L"but_maximize_hover.png");
  LoadButton(PelkanMouseImage3State_Minimize, L"but_minimize.png", L"but_minimize_hover.png");
  LoadButton(PelkanMouseImage3State_Help, L"but_help_normal.png", L"but_help_hover.png");
  LoadButton(PelkanMouseImage3State_options, L"but_settings_normal.png", L"but_settings_hover.png");
  LoadButton(PelkanMouseImage3State_IM, L"but_internet_normal.png", L"but_internet_hover.png");
  LoadButton(PelkanMouseImage3State_Feedback, L"but_feedback_normal.png", L"but_feedback_hover.png");
  VellNaviImage_Back.SetPictureHover(SkinPicture(L"but_back_hover.png"));
  VellNaviImage_Back.SetPictureDown(SkinPicture(L"but_back_normal.png"));
  VellNaviImage_Back.SetPictureDisabled(SkinPicture(L"but_back_disabled.png"));
  VellNaviImage_Back.SetPictureNormal(SkinPicture(L"but_back_normal.png"));
  // Panel1 until the next switch lays it out again.
  Panel1.SetBounds(0, Scale(75), Scale(800), Scale(479));
  InvalidateRect(Handle(), nullptr, TRUE);
}

// The modules' minimum size at the window's DPI, but never more than the
// work area: at 150 % on a small screen the scaled minimum would push the
// window's right and bottom parts (with Delete) off the screen.
SIZE TForm_KX7::MinimumSize() const {
  const RECT work = ui::WorkAreaOf(Handle());
  return SIZE{std::min<LONG>(Scale(kMainMinWidth), work.right - work.left),
              std::min<LONG>(Scale(kMainMinHeight), work.bottom - work.top)};
}

void TForm_KX7::LayoutHeader() {
  RECT client;
  GetClientRect(Handle(), &client);
  const int logoWidth = Scale(Image_Logo.CurrentPicture().Width());
  const int logoHeight = Scale(Image_Logo.CurrentPicture().Height());
  Shape_Header.bounds = {logoWidth, 0, client.right + 1, logoHeight > 0 ? logoHeight : Scale(kHeaderHeight)};
  ui::ImageButton3State* buttons[] = {&PelkanMouseImage3State_Close,    &PelkanMouseImage3State_Maximize,
                                      &PelkanMouseImage3State_Minimize, &PelkanMouseImage3State_Help,
                                      &PelkanMouseImage3State_options,  &PelkanMouseImage3State_IM,
                                      &PelkanMouseImage3State_Feedback};
  const int designX[] = {856, 820, 784, 748, 712, 676, 640};
  for (size_t i = 0; i < std::size(buttons); ++i)
    buttons[i]->SetBounds(client.right - Scale(kMainDesignWidth - designX[i]), Scale(2), Scale(kButtonSize),
                          Scale(kButtonSize));
}

void TForm_KX7::LayoutHost() {
  RECT client;
  GetClientRect(Handle(), &client);
  const int bottomMargin = Scale(2);
  if (CurrentModuleForm_isStartPage) {
    Panel1.SetBounds(0, Scale(66), client.right, client.bottom - Scale(79));
  } else {
    Panel1.SetBounds(Scale(14), Scale(75), client.right - Scale(28), client.bottom - Scale(75) - bottomMargin);
  }
  if (CurrentModuleForm && CurrentModuleForm->Alive()) {
    RECT host;
    GetClientRect(Panel1.Handle(), &host);
    SetWindowPos(CurrentModuleForm->Handle(), nullptr, 0, 0, host.right, host.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TForm_KX7::ChangeModule_Real(const ModuleClass& formClass, bool isStartPage) {
  const DWORD started = GetTickCount();
  if (CurrentModuleForm) {
    if (const TKeepForm* kept = KeptForm(currentModuleClass_); kept && kept->Form.get() == CurrentModuleForm) {
      // A kept module survives the switch; it only leaves the host.
      Debug_Output(L"DO NOT Close: " + currentModuleClass_);
      ShowWindow(CurrentModuleForm->Handle(), SW_HIDE);
    } else {
      Debug_Output(L"Close: " + currentModuleClass_);
      if (currentModule_) currentModule_->Close();
      currentModule_.reset();
    }
    CurrentModuleForm = nullptr;
  }
  CurrentModuleForm_isStartPage = isStartPage;

  if (TKeepForm* kept = KeptForm(formClass.className)) {
    CurrentModuleForm = kept->Form.get();
    currentModuleClass_ = formClass.className;
    Debug_Output(L"KeepForm found: " + formClass.className + L" ; FormName=" + CurrentModuleForm->Name());
    SetParent(CurrentModuleForm->Handle(), Panel1.Handle());
  } else {
    currentModule_ = formClass.create ? formClass.create(*this) : nullptr;
    if (currentModule_ && currentModule_->CreateModule(Panel1.Handle())) {
      CurrentModuleForm = currentModule_.get();
      currentModuleClass_ = formClass.className;
      Debug_Output(L"Created: " + formClass.className + L" ; FormName=" + currentModule_->Name());
    } else {
      currentModule_.reset();
    }
  }
  if (CurrentModuleForm) {
    ShowWindow(CurrentModuleForm->Handle(), SW_SHOWNA);
    SetWindowPos(CurrentModuleForm->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CurrentModuleForm->OnModuleActivate();
  }

  Update_MaximizeButtons_and_Sizegrip();
  minimumsOn_ = true;
  RECT window;
  GetWindowRect(Handle(), &window);
  const SIZE minimum = MinimumSize();
  const int width = std::max<int>(window.right - window.left, minimum.cx);
  const int height = std::max<int>(window.bottom - window.top, minimum.cy);
  if (!IsZoomed(Handle()) && (width != window.right - window.left || height != window.bottom - window.top)) {
    // Grown to the minimum size: keep the window inside its monitor's work
    // area, or on a small screen its right part (with Delete) lies outside.
    const POINT topLeft = KeptInsideWorkArea(window, width, height);
    SetWindowPos(Handle(), nullptr, topLeft.x, topLeft.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetColor(CurrentModuleForm_isStartPage ? Ini_ReadColor(SkinIni(), L"MainPages", L"BackgroundColor").value_or(0)
                                         : RGB(255, 255, 255));
  LayoutHost();
  ui::ProcessMessages();
  PaintBorder();
  ui::ProcessMessages();
  VellNaviImage_Back.SetEnabled(true);
  ui::ProcessMessages();
  InvalidateRect(Handle(), nullptr, TRUE);
  ui::ProcessMessages();
  if (CurrentModuleForm) CurrentModuleForm->OnModuleShow();
  Debug_Output(L"ms for Creating new Module = " + std::to_wstring(GetTickCount() - started));
}

void TForm_KX7::ChangeModule(const ModuleClass& formClass, bool isStartPage) {
  ChangeTo_FormClass = formClass;
  ChangeTo_isStartPage = isStartPage;
  if (switcher_) switcher_->flag_ChangeModuleNow = true;
}

void TForm_KX7::ShowMainmenu() {
  if (switcher_) switcher_->flag_ShowMainMenuNow = true;
}

void TForm_KX7::ShowMainmenu_Real() {
  // The overview entry has no action in this program.
}

void TForm_KX7::RunRequest(WPARAM request) {
  if (request == TMainMenuSwitcherThread::ShowMainMenu && switcher_->flag_ShowMainMenuNow) {
    switcher_->flag_ShowMainMenuNow = false;
    ShowMainmenu_Real();
  }
  if (request == TMainMenuSwitcherThread::ChangeModule && switcher_->flag_ChangeModuleNow) {
    switcher_->flag_ChangeModuleNow = false;
    const ModuleClass target = ChangeTo_FormClass;
    ChangeModule_Real(target, ChangeTo_isStartPage);
    ChangeTo_DontCreate_use_thisForm = nullptr;
  }
}

void TForm_KX7::EnableDisable_Modulwechsel(bool enableOrDisable) {
  switchingEnabled_ = enableOrDisable;
  // The quick-access entry and the module name show whether switching is
  // possible now, even though this program never shows them.
  const TMainWindowColors colors = Read_MainWindowColors(SkinIni());
  Image_Schnellzugriff.SetEnabled(enableOrDisable);
  VellLabelGDIP_CurrentModule.SetFontColor(
      enableOrDisable ? colors.quickAccessFont : colors.quickAccessDisabledFont.value_or(RGB(255, 255, 255)));
  HCURSOR cursor = LoadCursorW(nullptr, enableOrDisable ? IDC_HAND : IDC_ARROW);
  Image_Schnellzugriff.SetCursor(cursor);
  VellLabelGDIP_CurrentModule.SetCursor(cursor);
  ui::ProcessMessages();
}

void TForm_KX7::Update_MaximizeButtons_and_Sizegrip() {
  RECT client;
  GetClientRect(Handle(), &client);
  const int gripWidth = Image_SizeGrip.Width(), gripHeight = Image_SizeGrip.Height();
  Image_SizeGrip.SetBounds(client.right - gripWidth - Scale(2), client.bottom - gripHeight - Scale(2), gripWidth,
                           gripHeight);
  const bool maximised = IsZoomed(Handle()) != FALSE;
  Image_SizeGrip.SetVisible(!maximised);
  auto& button = PelkanMouseImage3State_Maximize;
  button.SetPictureHighlight(maximised ? unmaxHover_ : maximizeHover_);
  button.SetPicturePressed(maximised ? unmaxNormal_ : maximizeNormal_);
  button.SetPictureNormal(maximised ? unmaxNormal_ : maximizeNormal_);
  button.SetEnabled(true);
  ui::ProcessMessages();
}

void TForm_KX7::ToggleMaximize() {
  if (IsZoomed(Handle())) {
    ShowWindow(Handle(), SW_RESTORE);
  } else {
    // One pixel short of the work area, so an auto-hidden taskbar at the
    // bottom can still be reached.
    const RECT work = ui::WorkAreaOf(Handle());
    const int workHeight = work.bottom - work.top;
    const int desktopHeight = GetSystemMetrics(SM_CYSCREEN);
    maxHeight_ = std::min(workHeight, desktopHeight) - 1;
    ShowWindow(Handle(), SW_MAXIMIZE);
  }
  ui::ProcessMessages();
  Update_MaximizeButtons_and_Sizegrip();
}

void TForm_KX7::ShowHelpMenu() {
  RECT window;
  GetWindowRect(Handle(), &window);
  const RECT button = PelkanMouseImage3State_Help.Bounds();
  ui::PopupMenuAt(Handle(),
                  {&MenuItem_help_Help, &MenuItem_help_Separator, &MenuItem_help_About, &MenuItem_help_BetaReport},
                  POINT{window.left + button.left, window.top + button.top + Scale(32)});
}

void TForm_KX7::ShowInternetMenu() {
  std::vector<std::unique_ptr<ui::MenuItem>> entries;
  std::vector<ui::MenuItem*> items;
  int chosenId = -1;
  if (!internet_) return;
  for (const InternetMenuItem& source : internet_->MenuItems()) {
    auto entry = std::make_unique<ui::MenuItem>(nullptr, L"MenuItem_IM", source.text.empty() ? L"-" : source.text);
    entry->separator = source.text.empty();
    if (source.image) {
      ICONINFO info{};
      if (GetIconInfo(source.image, &info)) {
        entry->picture = ui::Picture::FromBitmap(info.hbmColor);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
      }
    }
    const int id = source.id;
    entry->OnClick = [&chosenId, id] { chosenId = id; };
    items.push_back(entry.get());
    entries.push_back(std::move(entry));
  }
  if (items.empty()) return;
  RECT window;
  GetWindowRect(Handle(), &window);
  const RECT button = PelkanMouseImage3State_IM.Bounds();
  if (!ui::PopupMenuAt(Handle(), items, POINT{window.left + button.left, window.top + button.top + Scale(32)})) return;
  // The library runs the entry; it may ask for the program to close.
  if (internet_->ProcessMenuItem(Handle(), chosenId)) Close();
}

void TForm_KX7::StartInternetServices() {
  if (internet_) internet_->Start(Handle());
}

void TForm_KX7::ShowAbout() {
  TForm_About about(Handle());
  about.SetCaption(ui::WithoutAccelerators(MenuItem_help_About.Caption()));
  about.ShowModal();
}

void TForm_KX7::PaintBorder() {
  ui::WindowDc dc(Handle(), ui::WindowDc::Area::WholeWindow);
  if (!dc) return;
  RECT window;
  GetWindowRect(Handle(), &window);
  ui::UniquePen pen(CreatePen(PS_SOLID, 1, kMainWindowBorderColor));
  ui::SelectionScope penScope(dc.get(), pen.get());
  ui::SelectionScope brushScope(dc.get(), GetStockObject(NULL_BRUSH));
  Rectangle(dc.get(), 0, 0, window.right - window.left, window.bottom - window.top);
}

void TForm_KX7::PaintBackground(HDC dc, const RECT& client) {
  Shape_Header.Paint(dc);
  // The border as part of the background too, so repainting the client
  // area never leaves it out.
  ui::UniquePen pen(CreatePen(PS_SOLID, 1, kMainWindowBorderColor));
  ui::SelectionScope penScope(dc, pen.get());
  ui::SelectionScope brushScope(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, 0, 0, client.right, client.bottom);
}

LRESULT TForm_KX7::HitTest(LPARAM lParam) {
  const LRESULT standard = DefaultHandling(WM_NCHITTEST, 0, lParam);
  if (IsZoomed(Handle())) return standard;
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  RECT window, client;
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  const int left = window.left, top = window.top, width = client.right, height = client.bottom;
  const bool onLeft = x == left || x == left + 1;
  const bool onRight = x == left + width - 1 || x == left + width;
  const bool onTop = y == top || y == top + 1;
  const bool onBottom = y == top + height || y == top + height - 1;
  LRESULT result = standard;
  // Later rules override earlier ones, so the corners win.
  if (onLeft) result = HTLEFT;
  if (onRight) result = HTRIGHT;
  if (onTop) result = HTTOP;
  if (onBottom) result = HTBOTTOM;
  if (onLeft && onTop) result = HTTOPLEFT;
  if (onLeft && onBottom) result = HTBOTTOMLEFT;
  if (onRight && onTop) result = HTTOPRIGHT;
  if (onRight && onBottom) result = HTBOTTOMRIGHT;
  return result;
}

void TForm_KX7::FirstShow() {
  if (fFirstOnShowDone || ProcessRunControl().APP_TERMINATING) return;
  fFirstOnShowDone = true;
  SetForegroundWindow(Handle());
  Debug_Output(L"MainForm -> OnShow Done");
  VellThreadTimer_Redraw.SetEnabled(true);
}

bool TForm_KX7::CloseQuery() {
  Debug_Output(L"KX16: FormCloseQuery");
  ProcessRunControl().APP_TERMINATING = true;
  ProcessRunControl().STOP_REQUESTED = true;
  Sleep(50);
  ReleaseKeptForms();
  Debug_Output(L"KX16: FormCloseQuery DONE");
  return true;
}

TKeepForm* TForm_KX7::KeptForm(const std::wstring& formClass) {
  for (TKeepForm& kept : KeepFormsLoaded)
    if (kept.Form && kept.FormClass == formClass) return &kept;
  return nullptr;
}

void TForm_KX7::ReleaseKeptForms() {
  Debug_Output(L"KeepFormLoaded_ClearAll");
  for (TKeepForm& kept : KeepFormsLoaded) {
    if (!kept.Form) continue;
    Debug_Output(L"KeepFormLoaded_ClearAll ; Close=" + kept.Form->Name());
    if (kept.Form.get() == CurrentModuleForm) {
      Debug_Output(L"KeepFormLoaded_ClearAll ; this is the current MainForm ; clear currentmainform");
      CurrentModuleForm = nullptr;
    }
    kept.Form.reset();
  }
  KeepFormsLoaded.clear();
}

void TForm_KX7::OnClose() {
  Debug_Output(L"KX16: FormClose");
  Debug_Output(L"KX16: FormClose DONE");
  PostQuitMessage(0);
}

LRESULT TForm_KX7::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST: return HitTest(lParam);
    case WM_NCPAINT: {
      DefaultHandling(message, wParam, lParam);
      PaintBorder();
      return 1;
    }
    case WM_NCACTIVATE: {
      DefaultHandling(message, wParam, lParam);
      PaintBorder();
      return 1;
    }
    case WM_SIZE:
      LayoutHeader();
      if (minimumsOn_) LayoutHost();
      Update_MaximizeButtons_and_Sizegrip();
      InvalidateRect(Handle(), nullptr, TRUE);
      PaintBorder();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (minimumsOn_) {
        const SIZE minimum = MinimumSize();
        info->ptMinTrackSize.x = minimum.cx;
        info->ptMinTrackSize.y = minimum.cy;
      }
      if (maxHeight_ > 0) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
        info->ptMaxPosition = {monitor.rcWork.left - monitor.rcMonitor.left,
                               monitor.rcWork.top - monitor.rcMonitor.top};
        info->ptMaxSize = {monitor.rcWork.right - monitor.rcWork.left, maxHeight_};
        info->ptMaxTrackSize.y = maxHeight_;
      }
      return 0;
    }
    case WM_SHOWWINDOW:
      if (wParam) FirstShow();
      break;
    case WM_HELP: Open_OnlineHelp(L"main"); return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (Shape_Header.Contains(point)) {
        ReleaseCapture();
        SendMessageW(Handle(), WM_SYSCOMMAND, 0xF012, 0);  // SC_MOVE by the caption
        return 0;
      }
      break;
    }
    case TMainMenuSwitcherThread::kRunRequestMessage:
      if (switcher_) RunRequest(wParam);
      return 0;
    default: break;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace keytidy
