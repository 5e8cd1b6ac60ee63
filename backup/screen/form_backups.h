#pragma once
// The backup screen: the list of backup sets with a side bar for the
// selected ones (details, Restore, Delete, counters) and a bottom bar
// (delete old sets, read again, open the folder, switch the view). It is
// shown modally over the cleaner screen and carries the automatic clean-up
// of old sets on a timer.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "backup/backup_set.h"
#include "backup/backups_manager.h"
#include "gui/detached_screen_host.h"
#include "ui/form.h"
#include "ui/html_label.h"
#include "ui/image_box.h"
#include "ui/label.h"
#include "ui/menu_item.h"
#include "ui/panel.h"
#include "ui/thread_timer.h"
#include "ui/vell_button.h"
#include "ui/virtual_draw_list.h"

namespace keytidy {

class TForm_MainNavi_Backups : public ui::Form {
  ScreenHostHold host_;

 public:
  static constexpr wchar_t kClassName[] = L"TForm_MainNavi_Backups";
  // The compact view shows only this many of the newest sets.
  static constexpr int kCompactRows = 12;

  // Reads the sets of `backupFolder` (the program's Backups folder unless a
  // caller names another) and lays out the compact view. Without a host the
  // screen stands alone (no main window around it).
  explicit TForm_MainNavi_Backups(HWND owner, const std::wstring& backupFolder = Backup_Folder(),
                                  ScreenHost* host = nullptr);
  ~TForm_MainNavi_Backups() override;

  // True while the form is being set up; resizing then leaves the columns.
  bool READING_BACKUPS_NOW = false;
  TBackupTree BackupRows;
  std::unique_ptr<TBackups> Backups;

  ui::Label Label_LastMadeBackups_KX15{this, L"Label_LastMadeBackups_KX15", 1};
  ui::VirtualDrawList VirtualDrawTree_Backups_KX15{this, L"VirtualDrawTree_Backups_KX15", 1};
  ui::Panel Panel_Side{this, L"Panel_Side"};
  ui::Label Label_Small1{this, L"Label_Small1", 1};
  ui::ImageBox Image_SelectedBackup{this, L"Image_SelectedBackup"};
  ui::HtmlLabel HTMLabel_Selected{this, L"HTMLabel_Selected"};
  ui::VellButton VellButton_Restore{this, L"VellButton_Restore", 1};
  ui::VellButton VellButton_Records{this, L"VellButton_Records", 1};
  ui::VellButton VellButton_Delete{this, L"VellButton_Delete", 1};
  ui::ImageBox Image_Status_Total{this, L"Image_Status_Total"};
  ui::Label Label_DESC1{this, L"Label_DESC1", 1};
  ui::Label Label_Status_Total{this, L"Label_Status_Total"};
  ui::ImageBox Image_Status_Selected{this, L"Image_Status_Selected"};
  ui::Label Label_DESC2{this, L"Label_DESC2", 1};
  ui::Label Label_Status_Selected{this, L"Label_Status_Selected"};
  ui::Panel Panel_Bottom{this, L"Panel_Bottom"};
  ui::VellButton VellButton_DeleteOld{this, L"VellButton_DeleteOld", 1};
  ui::VellButton VellButton_Refresh{this, L"VellButton_Refresh", 1};
  ui::VellButton VellButton_Explorer{this, L"VellButton_Explorer", 1};
  ui::VellButton VellButton_ChangeView{this, L"VellButton_ChangeView", 1};
  ui::MenuItem Menu_DeleteOld_7days{this, L"Menu_DeleteOld_7days", L"L\u00F6schen wenn \u00E4lter als 7 Tage"};
  ui::MenuItem Menu_DeleteOld_14days{this, L"Menu_DeleteOld_14days", L"L\u00F6schen wenn \u00E4lter als 14 Tage"};
  ui::MenuItem Menu_DeleteOld_30days{this, L"Menu_DeleteOld_30days", L"L\u00F6schen wenn \u00E4lter als 30 Tage"};
  TVellThreadTimer VellThreadTimer_AutoDeleteOldBackups;

  bool CompactView() const { return compact_; }
  // The set shown in a row of the list (in list order); null when none.
  PVirtualNode RowAt(int listRow) const;

  void Read_Backups_and_RefreshScreen();
  void VirtualDrawTree_Backups_KX15Change();
  void VellUnicodeSTButton_RestoreClick();
  // Opens the records of the selected set, to put back some of them.
  void VellButton_RecordsClick();
  void VellUnicodeSTButton_DeleteClick();
  void VellButton_DeleteOldClick();
  // The three entries of the drop-down menu: delete sets older than `days`.
  void DeleteOldBackups(int days);
  void VellButton_RefreshClick();
  void VellButton_ExplorerClick();
  void VellUnicodeSTButton_BackupModuleClick();
  void VellThreadTimer_AutoDeleteOldBackupsTimer();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void OnClose() override;

 private:
  void BuildControls();
  void ApplySkin();
  void ApplyView();
  void FormResize();
  // The full view's columns wide enough for their texts where the room allows.
  // Sizes the full view's columns to the rows' texts; returns how many
  // pixels the description column still lacks for its widest text.
  int FitColumnsToTexts();
  // In the full view, makes the window wider (within the work area) by what
  // the description lacks, so that no description is cut when the view
  // opens or new sets arrive; the user may narrow it again.
  void WidenForTheTexts();
  void ShowRows();
  void PullSelection();
  void PushSelection();
  void DrawCell(HDC dc, int row, int column, const RECT& cell);
  const ui::Picture& ModuleIcon(int stripeIndex);

  std::vector<PVirtualNode> shown_;
  bool compact_ = true;
  bool selectionChangePosted_ = false;
  std::map<int, ui::Picture> icons_;
};

}  // namespace keytidy
