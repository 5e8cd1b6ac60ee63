#pragma once
// The options dialog. It lives for the whole run and its controls hold the
// settings of the run: other parts ask it for the state of a switch. It
// loads its controls from the Options key when created and each time it is
// shown, and stores them when the user presses Ok.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <memory>
#include <vector>

#include "gui/internet_services.h"
#include "scan/exception_list.h"
#include "settings/option_switches.h"
#include "skin/skin_list.h"
#include "ui/form.h"
#include "ui/html_label.h"
#include "ui/image_box.h"
#include "ui/image_button.h"
#include "ui/list_view.h"
#include "ui/native_controls.h"
#include "ui/panel.h"
#include "ui/vell_button.h"
#include "ui/windowless_image.h"

namespace keytidy {

class TForm_Options : public ui::Form {
 public:
  static constexpr wchar_t kClassName[] = L"TForm_Options";
  // The channels button asks the internet services, when there are any.
  explicit TForm_Options(HWND owner, InternetServices* internet = nullptr);
  ~TForm_Options() override;

  // Set by the reset button: the caller destroys the dialog and makes a new
  // one, which shows the defaults.
  bool SIGNAL_RECREATE_FORM = false;

  void LOAD_OPTIONS();
  void SAVE_OPTIONS();
  // LOAD_OPTIONS, then modal until closed.
  void Execute();

  // The switches as the controls hold them now.
  TOptionSwitches Switches() const;
  const TExceptionList& Exceptions() const { return exceptions_; }
  // Replaces the rows the dialog holds and shows them.
  void Set_Exceptions(TExceptionList list);
  // The backup switches the engine changed (the auto-delete question's
  // answers) shown in their controls.
  void Show_BackupSwitches(const TOptionSwitches& switches);

  void SelectNavigation(int entry);  // 1 or 2
  void ShowPage(int pageIndex);
  int ActivePage() const { return activePage_; }

  ui::Panel Panel_Navi{this, L"Panel_Navi"};
  ui::ImageButton3State PelkanMouseImage3State_Navi1{this, L"PelkanMouseImage3State_Navi1"};
  ui::ImageButton3State PelkanMouseImage3State_Navi2{this, L"PelkanMouseImage3State_Navi2"};
  ui::TabStrip AdvOfficeTabSet1{this, L"AdvOfficeTabSet1"};
  // The line that joins the tab strip to the page below it.
  ui::WindowlessShape Shape_Tabs{this, L"Shape_Tabs"};
  ui::Panel PageControl1{this, L"PageControl1"};
  ui::TabSheet TabSheet_SKIN{this, L"TabSheet_SKIN", 1};
  ui::TabSheet TabSheet_LANG{this, L"TabSheet_LANG", 1};
  ui::TabSheet TabSheet_OTHER{this, L"TabSheet_OTHER", 1};
  ui::TabSheet TabSheet_Backups{this, L"TabSheet_Backups", 1};
  ui::TabSheet TabSheet_RC1{this, L"TabSheet_RC1", 1};
  ui::TabSheet TabSheet_RC2{this, L"TabSheet_RC2", 1};
  std::array<ui::ImageBox*, 6> PageIcons{};
  SkinListBox ListBox_Skins{this, L"ListBox_Skins", 1};
  ui::ListView ListView_Options_Language{this, L"ListView_Options_Language", 1};
  ui::HtmlLabel HTMLabel_Options_GUI_TranslationLinkTarget{this, L"HTMLabel_Options_GUI_TranslationLinkTarget", 1};
  ui::TextLabel Label_ServiceChannels{this, L"Label_ServiceChannels", 1};
  ui::PushButton Button_ConfigChannels{this, L"Button_ConfigChannels", 1};
  ui::CheckBox CheckBox_Other_Anims{this, L"CheckBox_Other_Anims", 1};
  std::vector<std::unique_ptr<ui::CheckBox>> SwitchBoxes;  // in OptionSwitch order
  std::vector<std::unique_ptr<ui::RadioButton>> BackupAgeButtons;
  ui::ListView ListView_RC_Exceptions{this, L"ListView_RC_Exceptions", 1};
  ui::PushButton Button_RC_RemoveExceptions{this, L"Button_RC_RemoveExceptions", 1};
  ui::VellButton VellButton_Ok{this, L"VellButton_Ok", 1};
  ui::VellButton VellButton_Reset{this, L"VellButton_Reset", 1};

  ui::CheckBox& SwitchBox(OptionSwitch id) { return *SwitchBoxes[static_cast<size_t>(id)]; }

  // Lists the available languages with their flags and translators, read
  // from the program folder's Translation and Flags folders (or another
  // program folder's).
  void FillLanguageList();
  void FillLanguageList(const std::wstring& programFolder);

 protected:
  void PaintBackground(HDC dc, const RECT& client) override;

 private:
  void BuildPages();
  void ApplyPageColours();
  void ShowExceptions();
  void Ok();
  void Reset();
  std::vector<ui::TabSheet*> PagesOf(int entry);

  InternetServices* internet_ = nullptr;
  TExceptionList exceptions_;
  HIMAGELIST flags_ = nullptr;
  HIMAGELIST exceptionIcons_ = nullptr;  // PngImageList16_DC_Ausnahmen
  std::vector<std::unique_ptr<ui::ImageBox>> pageIcons_;
  int activePage_ = 0;
};

// The dialog of the run; null before start-up created it.
TForm_Options* Form_Options();
void Create_OptionsDialog(HWND owner, InternetServices* internet = nullptr);
void Free_OptionsDialog();
// The switches of the run: as the dialog's controls hold them, or as stored
// under the Options key while there is no dialog.
TOptionSwitches Current_OptionSwitches();

// The data files the reset puts back to their shipped defaults.
inline constexpr wchar_t kFilesListName[] = L"DC-Files2";
inline constexpr wchar_t kFoldersListName[] = L"DC-Folders2";

}  // namespace keytidy
