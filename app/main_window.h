#pragma once
// The main window: a borderless, skinned frame with its own header, window
// buttons, one-pixel border, resize edges and size grip, hosting one module
// screen at a time in its panel.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/dialog_screen_options.h"
#include "app/main_menu_switcher_thread.h"
#include "gui/gui_front_end.h"
#include "gui/internet_services.h"
#include "gui/module_form.h"
#include "gui/screen_host.h"
#include "ui/form.h"
#include "ui/image_box.h"
#include "ui/image_button.h"
#include "ui/menu_item.h"
#include "ui/native_controls.h"
#include "ui/navi_image.h"
#include "ui/panel.h"
#include "ui/thread_timer.h"
#include "ui/windowless_image.h"

namespace keytidy {

inline constexpr COLORREF kMainWindowBorderColor = 0x382E2A;
inline constexpr int kMainDesignWidth = 892;
inline constexpr int kMainDesignHeight = 710;
inline constexpr int kMainMinWidth = 1122;
inline constexpr int kMainMinHeight = 737;

// A module kept alive across switches: switching away hides it, switching
// back shows the same instance again. Nothing adds to the list in this
// program; the close query still frees what is in it.
struct TKeepForm {
  std::wstring FormClass;
  std::unique_ptr<ModuleForm> Form;
};

class TForm_KX7 : public ui::Form, public ScreenHost {
 public:
  static constexpr wchar_t kClassName[] = L"TForm_KX7";

  // The creation handler: the window exists (hidden) afterwards. Without
  // internet services the internet menu stays empty and nothing starts them.
  explicit TForm_KX7(InternetServices* internet = nullptr);
  ~TForm_KX7() override;

  ModuleForm* CurrentModuleForm = nullptr;
  bool CurrentModuleForm_isStartPage = false;
  bool fFirstOnShowDone = false;
  std::vector<TKeepForm> KeepFormsLoaded;

  // What the switcher thread carries out next.
  ModuleClass ChangeTo_FormClass;
  bool ChangeTo_isStartPage = false;
  ModuleForm* ChangeTo_DontCreate_use_thisForm = nullptr;

  ui::ImageBox Image_Logo{this, L"Image_Logo"};
  ui::WindowlessShape Shape_Header{this, L"Shape_Header"};
  ui::ImageButton3State PelkanMouseImage3State_Close{this, L"PelkanMouseImage3State_Close"};
  ui::ImageButton3State PelkanMouseImage3State_Maximize{this, L"PelkanMouseImage3State_Maximize"};
  ui::ImageButton3State PelkanMouseImage3State_Minimize{this, L"PelkanMouseImage3State_Minimize"};
  ui::ImageButton3State PelkanMouseImage3State_Help{this, L"PelkanMouseImage3State_Help"};
  ui::ImageButton3State PelkanMouseImage3State_options{this, L"PelkanMouseImage3State_options"};
  ui::ImageButton3State PelkanMouseImage3State_IM{this, L"PelkanMouseImage3State_IM"};
  ui::ImageButton3State PelkanMouseImage3State_Feedback{this, L"PelkanMouseImage3State_Feedback"};
  ui::ImageBox Image_SizeGrip{this, L"Image_SizeGrip"};
  ui::Panel Panel1{this, L"Panel1"};
  ui::MenuItem MenuItem_help_Help{this, L"MenuItem_help_Help", L"Hilfe"};
  ui::MenuItem MenuItem_help_Separator{this, L"MenuItem_help_Separator", L"-", 0};
  ui::MenuItem MenuItem_help_About{this, L"MenuItem_help_About", L"\u00DCber diese Software"};
  ui::MenuItem MenuItem_help_BetaReport{this, L"MenuItem_help_BetaReport", L"", 0};
  ui::MenuItem MenuItem_Options{this, L"MenuItem_Options", L"Einstellungen"};

  // The overview navigation of the product family's bigger programs. This
  // program has no overview: the parts exist (the switching lock still
  // greys them) but are never shown, and clicking them does nothing.
  ui::Panel Panel_BreadNavi{this, L"Panel_BreadNavi"};
  std::vector<std::unique_ptr<ui::TextLabel>> BreadNaviLabels;  // Big1 to Big10, then Sub1 to Sub7
  std::vector<std::unique_ptr<ui::ImageBox>> BreadNaviImages;   // one per label, same order
  ui::NaviImage VellNaviImage_Back{this, L"VellNaviImage_Back"};
  ui::TextLabel VellLabelGDIP_CurrentModule{this, L"VellLabelGDIP_CurrentModule"};
  ui::ImageBox Image_Schnellzugriff{this, L"Image_Schnellzugriff"};
  ui::MenuItem MenuItem_Taskplaner{this, L"MenuItem_Taskplaner", L"", 0};

  // One-shot repaint 400 ms after the first show.
  TVellThreadTimer VellThreadTimer_Redraw;
  // The help menu's icons, and the module icons the backup list shows too.
  HIMAGELIST PngImageList_16 = nullptr;
  HIMAGELIST PngImageList16_Module = nullptr;

  void Perform_EveryThingAfterOnCreate();
  void APPLY_Translation_and_Skin();

  void ChangeModule_Real(const ModuleClass& formClass, bool isStartPage);
  void ChangeModule(const ModuleClass& formClass, bool isStartPage);
  void ShowMainmenu();
  void ShowMainmenu_Real();

  void EnableDisable_Modulwechsel(bool enableOrDisable);
  bool ModuleSwitchingEnabled() const { return switchingEnabled_; }
  void Update_MaximizeButtons_and_Sizegrip();

  // The window buttons' actions.
  void ToggleMaximize();
  void ShowHelpMenu();
  // The internet menu: its entries come from the internet-services library,
  // read again each time it opens, because the library may change them.
  void ShowInternetMenu();
  void ShowAbout();
  void RunOptionsLoop() override;

  // What the hosted screens see of this window.
  bool ShowsModule() const override { return CurrentModuleForm != nullptr; }
  void EnableModuleSwitching(bool enable) override { EnableDisable_Modulwechsel(enable); }
  void StartInternetServices() override;
  ScreenOptions& Options() override { return options_; }
  TFrontEnd& FrontEnd() override { return frontEnd_; }

  TMainMenuSwitcherThread* SwitcherThread() { return switcher_.get(); }
  // The height limit the maximise button sets; 0 for none.
  int MaximumHeightConstraint() const { return maxHeight_; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  bool CloseQuery() override;
  void OnClose() override;
  void PaintBackground(HDC dc, const RECT& client) override;

 private:
  void LayoutHost();
  void CreateHiddenNavigation();
  void FillImageLists();
  void LayoutHeader();
  SIZE MinimumSize() const;
  void PaintBorder();
  void FirstShow();
  LRESULT HitTest(LPARAM lParam);
  void RunRequest(WPARAM request);
  void ReleaseKeptForms();
  // The kept module of a window class, or null.
  TKeepForm* KeptForm(const std::wstring& formClass);
  std::wstring SkinIni() const;

  InternetServices* internet_;
  TOptionsDialogScreenOptions options_;
  TGuiFrontEnd frontEnd_;
  std::unique_ptr<ModuleForm> currentModule_;
  std::wstring currentModuleClass_;
  std::unique_ptr<TMainMenuSwitcherThread> switcher_;
  bool switchingEnabled_ = true;
  int maxHeight_ = 0;
  bool minimumsOn_ = false;
  ui::Picture maximizeNormal_, maximizeHover_, unmaxNormal_, unmaxHover_;
};

}  // namespace keytidy
