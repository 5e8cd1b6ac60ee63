#pragma once
// The cleaner screen, the module the main window starts with: the result
// list (or the summary by category) in the middle, a status side bar on the
// right with the three counters, the filter box and the list commands on
// top, and the run commands at the bottom. Below the list, a pane the user
// can hide shows the evidence of the selected finding. It owns the scan engine and the
// result tree for its whole life.
//
// Search and deletion run on the GUI thread; while one runs, Stop is the
// only enabled run command, and a handler that finds Stop enabled returns
// at once (a click that arrives while messages are processed mid-run).
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/module_form.h"
#include "cleaner/summary_panel.h"
#include "model/categories.h"
#include "scan/registry_cleaner.h"
#include "scan/result_tree.h"
#include "ui/animated_image.h"
#include "ui/edit_box.h"
#include "ui/html_label.h"
#include "ui/image_box.h"
#include "ui/menu_item.h"
#include "ui/native_controls.h"
#include "ui/panel.h"
#include "ui/progress_bar.h"
#include "ui/scroll_box.h"
#include "ui/text_view.h"
#include "ui/thread_timer.h"
#include "ui/vell_button.h"
#include "ui/vell_link_button.h"
#include "ui/virtual_check_list.h"

namespace keytidy {

// The hidden category list: item i names filter index i with its count.
struct TFilterChoices {
  std::vector<std::wstring> Items;
  std::int32_t ItemIndex = 0;
};

// The text box with its hint and search icon at the top right.
class TFilterBox : public ui::Panel {
 public:
  using ui::Panel::Panel;
  bool Create(HWND parent, int x, int y, int width, int height);
  void Layout();
  std::wstring Text() const { return Edit.Text(); }
  void SetText(const std::wstring& text) { Edit.SetText(text); }
  void SetFilterEnabled(bool enabled);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  ui::EditBox Edit{this, L"Edit"};
  ui::ImageBox SearchIcon{this, L"SearchIcon"};
  COLORREF OutsideColor = RGB(255, 255, 255);  // what shows beside the rounded corners
};

class TForm_RC : public ModuleForm {
 public:
  static constexpr wchar_t kClassName[] = L"TForm_RC";
  TForm_RC();
  ~TForm_RC() override;
  bool CreateModule(HWND host) override;
  static ModuleClass Class();

  void OnModuleShow() override { FormShow(); }

  // --- state -----------------------------------------------------------------
  TResultTree Tree;
  std::unique_ptr<TRegistryCleaner> RC;
  std::unique_ptr<TCleanerZusammenfassung> Zusammenfassung;
  bool ANY_SEARCH_DONE = false;
  bool SEARCH_COMPLETE = false;
  bool AutoStartSearch = true;
  bool READING_SETTINGS_NOW = false;
  TFilterChoices ComboBox_RC_Filter;
  // Where deletions put their backup sets: the program's Backups folder.
  std::wstring BackupFolder;

  // --- elements --------------------------------------------------------------
  ui::VirtualCheckList VirtualDrawTree_RC{this, L"VirtualDrawTree_RC", 1};
  ui::ScrollBox Panel_Zusammenfassung{this, L"Panel_Zusammenfassung"};
  ui::Panel Panel_Working{this, L"Panel_Working"};
  ui::AnimatedImage Image_Anim{this, L"Image_Anim"};
  ui::ProgressBar ProgressBar_RC{this, L"ProgressBar_RC"};
  ui::TextLabel Label_Anim_NothingFound{this, L"Label_Anim_NothingFound"};
  ui::ImageBox Image_InfoBar{this, L"Image_InfoBar"};
  ui::TextLabel Label_Small1{this, L"Label_Small1", 1};
  ui::HtmlLabel HTMLabel_Status{this, L"HTMLabel_Status"};
  ui::TextLabel Label_RC_Total_DESC{this, L"Label_RC_Total_DESC", 1};
  ui::TextLabel Label_RC_Visible_DESC{this, L"Label_RC_Visible_DESC", 1};
  ui::TextLabel Label_RC_Selected_DESC{this, L"Label_RC_Selected_DESC", 1};
  ui::TextLabel Label_RC_Result_Found{this, L"Label_RC_Result_Found"};
  ui::TextLabel Label_RC_Result_Visible{this, L"Label_RC_Result_Visible"};
  ui::TextLabel Label_RC_Result_Selected{this, L"Label_RC_Result_Selected"};
  ui::ImageBox Image_RC_Status_Found{this, L"Image_RC_Status_Found"};
  ui::ImageBox Image_RC_Status_Visible{this, L"Image_RC_Status_Visible"};
  ui::ImageBox Image_RC_Status_Selected{this, L"Image_RC_Status_Selected"};
  TFilterBox CurvyEdit_Filter{this, L"CurvyEdit_Filter"};
  ui::VellButton VellButton_Zusammenfassung{this, L"VellButton_Zusammenfassung", 1};
  ui::VellButton VellButton_SelectAll{this, L"VellButton_SelectAll", 1};
  ui::VellButton VellButton_SelectNone{this, L"VellButton_SelectNone", 1};
  ui::VellButton VellButton_Evidence{this, L"VellButton_Evidence", 1};
  ui::TextView Memo_Evidence{this, L"Memo_Evidence"};
  ui::VellButton VellButton_Options{this, L"VellButton_Options", 1};
  ui::VellButton VellButton_Backups{this, L"VellButton_Backups", 1};
  ui::VellButton VellButton_Report{this, L"VellButton_Report", 1};
  ui::VellButton VellButton_Stop{this, L"VellButton_Stop", 1};
  ui::VellButton VellButton_Search{this, L"VellButton_Search", 1};
  ui::VellButton VellButton_Delete{this, L"VellButton_Delete", 1};
  ui::Panel AdvSmoothPanel_Navi{this, L"AdvSmoothPanel_Navi"};
  // Navi 0 to 13 switch to the list of one filter index; NaviReport to the
  // summary. Owned by the hidden panel, where the summary looks them up.
  std::array<std::unique_ptr<ui::VellLinkButton>, kFilterCount> VellUnicodeSTButton_Navi;
  ui::VellLinkButton VellUnicodeSTButton_NaviReport{&AdvSmoothPanel_Navi, L"VellUnicodeSTButton_NaviReport"};
  TVellThreadTimer VellThreadTimer_Count_Funde;
  TVellThreadTimer VellThreadTimer_AutoStartSearch;
  ui::MenuItem MenuItem_RC_MarkSelected{this, L"MenuItem_RC_MarkSelected",
                                        L"Ausgew\u00e4hlte Eintr\u00e4ge zum L\u00f6schen markieren"};
  ui::MenuItem MenuItem_RC_UnmarkSelected{this, L"MenuItem_RC_UnmarkSelected",
                                          L"Ausgew\u00e4hlte Eintr\u00e4ge nicht zum L\u00f6schen markieren"};
  ui::MenuItem MenuItem_RC_Separator1{this, L"MenuItem_RC_Separator1", L"-", 0};
  ui::MenuItem MenuItem_RC_AddToExceptions{this, L"MenuItem_RC_AddToExceptions",
                                           L"Ausgew\u00e4hlte Eintr\u00e4ge als Ausnahmen festlegen"};
  ui::MenuItem MenuItem_RC_Separator2{this, L"MenuItem_RC_Separator2", L"-", 0};
  ui::MenuItem MenuItem_RC_OpenInRegEdit{this, L"MenuItem_RC_OpenInRegEdit",
                                         L"Ausgew\u00e4hlten Eintrag in Regedit \u00f6ffnen"};
  HIMAGELIST PngImageList_RC32 = nullptr;
  HIMAGELIST PngImageList_16 = nullptr;

  // --- handlers and operations ------------------------------------------------
  void FormCreate();
  void FormShow();
  void FormResize();
  void AdvToolBarButton_RC_SearchClick();
  void AdvToolBarButton_RC_StopClick();
  void AdvToolBarButton_RC_DeleteClick();
  void AdvToolBarButton_RC_SelectAllClick();
  void AdvToolBarButton_RC_SelectNoneClick();
  void VellButton_ZusammenfassungClick();
  void VellButton_EvidenceClick();
  void VellUnicodeSTButton_Navi0Click(ui::VellLinkButton* sender);
  void ComboBox_RC_FilterChange();
  void VirtualDrawTree_RCChange(PVirtualNode node);
  void VirtualDrawTree_RCChecking(PVirtualNode node, CheckState newState);
  void AdvPopupMenu_RCPopup();
  void MenuItem_RC_MarkSelectedClick();
  void MenuItem_RC_UnmarkSelectedClick();
  void MenuItem_RC_AddToExceptionsClick();
  void MenuItem_RC_OpenInRegEditClick();
  void AdvGlowButton_OptionsClick();
  void VellButton_BackupsClick();
  void AdvGlowButton_ReportClick();
  void VellThreadTimer_Count_FundeTimer();
  void VellThreadTimer_AutoStartSearchTimer();

  void Refresh_Status_RC(std::int32_t Offset_Selected);
  void Update_RC_Filter_ComboBoxen();
  void ShowNothingFound();
  void Update_Zusammenfassung();

  // Selects a filter index as a change of the hidden list would.
  void SelectFilter(std::int32_t index);
  bool SummaryShown() const { return summaryShown_; }
  // The evidence pane is wanted (it shows with the list only).
  bool EvidenceShown() const { return evidenceShown_; }
  std::int32_t VisibleCount() const;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void OnClose() override;
  void PaintBackground(HDC dc, const RECT& client) override;

 private:
  class SearchObserver;  // the screen's side of a search run
  friend class SearchObserver;

  void BuildElements();
  void FillPictures();
  void SetStatus(const std::wstring& html, bool centred);
  void LayoutStatus();
  void ShowWorkingPanel(const wchar_t* animationFile);
  void SetRunButtons(bool running);
  void ShowContextMenu(POINT screenPoint);
  void DrawNode(HDC dc, const RECT& content, PVirtualNode node, bool selected, bool focused);
  void ShowEvidence(PVirtualNode node);
  int EvidenceHeight(int centreHeight) const;
  int SideBarLeft() const;
  int BottomBarTop() const;

  // The bars above and below the centre take the skin's page colour, which
  // its button captions are made for.
  COLORREF barColor_ = RGB(255, 255, 255);
  bool summaryShown_ = true;
  bool evidenceShown_ = true;
  bool statusCentred_ = true;
  bool resizingSummary_ = false;
  bool summarySecondPass_ = false;
};

// Formats the key of a finding for the status line: HKEY_USERS paths of
// the interactive user read as HKEY_CURRENT_USER, and every "\" and "-"
// gets blanks around it so the label can break long paths.
std::wstring RC_StatusKeyText(RootKey root, const std::wstring& key, const std::wstring& interactiveUserSid);
std::wstring RC_StatusValueText(const std::wstring& value);

}  // namespace keytidy
