#pragma once
// The records of one backup set, opened from the backup screen: one row per
// key or value the set's script holds (a key line that only heads its
// values gets none), with the finding it was recorded for where the set's
// descriptor says so and the date. The user ticks rows
// and puts exactly those back; the set itself stays as it is.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "backup/backup_findings.h"
#include "backup/backups_manager.h"
#include "gui/tree_check_list.h"
#include "model/tree_model.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/vell_button.h"

namespace keytidy {

// One row: a record of the script, its place there and its finding.
struct TTreeData_BackupRecord {
  RegRecord record;
  size_t position = 0;
  std::optional<RecordedFinding> finding;
};
using TBackupRecordTree = TTreeModelOf<TTreeData_BackupRecord>;

class TForm_BackupRecords : public ui::Form {
 public:
  static constexpr wchar_t kClassName[] = L"TForm_BackupRecords";

  // Lists the records of the set `manager` has selected first; the manager
  // (borrowed) also restores them.
  TForm_BackupRecords(HWND owner, TBackups& manager, const std::vector<RegRecord>& records);
  ~TForm_BackupRecords() override;

  TBackupRecordTree Records;

  ui::Label Label_Records{this, L"Label_Records", 1};
  ui::Label Label_SetName{this, L"Label_SetName"};
  TreeCheckList VirtualDrawTree_Records{this, L"VirtualDrawTree_Records"};
  ui::Panel Panel_Bottom{this, L"Panel_Bottom"};
  ui::VellButton VellButton_RestoreRecords{this, L"VellButton_RestoreRecords", 1};
  ui::VellButton VellButton_Close{this, L"VellButton_Close", 1};

  // The ticked rows' places in the script, in script order.
  std::vector<size_t> TickedPositions() const;
  void VellButton_RestoreRecordsClick();

  // The second line of a row: key or value, the finding's description when
  // known, and the date (the finding's, else the set's).
  static std::wstring DetailLine(const TTreeData_BackupRecord& row, TDateTime setDate);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildControls();
  void ApplySkin();
  void FormResize();
  void FillRows(const std::vector<RegRecord>& records);
  void TickedChanged();
  void DrawRow(HDC dc, const RECT& content, PVirtualNode node, bool selected, bool focused);

  TBackups& manager_;
  TDateTime setDate_ = 0;
};

}  // namespace keytidy
