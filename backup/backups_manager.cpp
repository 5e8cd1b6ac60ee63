#include "backup/backups_manager.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "backup/backup_age.h"
#include "backup/backup_extra_files.h"
#include "backup/backup_set.h"
#include "backup/backup_set_list.h"
#include "backup/backup_set_operations.h"
#include "backup/backup_user_name.h"
#include "platform/text.h"
#include "settings/ini_file.h"

namespace keytidy {

namespace {

constexpr wchar_t kSection[] = L"Backup";

std::int32_t NonNegative(std::int32_t number) { return number > 0 ? number : 0; }

}  // namespace

TBackups::TBackups(TBackupTree* tree) : FTree(tree), BackupFolder(Backup_Folder()), CurrentUser(Get_BackupUserName()) {}

void TBackups::Read_Backups() {
  if (!FTree) return;
  FTree->BeginUpdate();
  FTree->Clear();
  std::vector<TTreeData_Backup> rows = ReadBackupSets(BackupFolder);
  if (SortColumn >= 0) SortBackupSets(rows, SortColumn, SortDescending);
  for (TTreeData_Backup& row : rows) Data(FTree->AddChild(CheckType::None, CheckState::Unchecked)) = std::move(row);
  FTree->EndUpdate();
}

void TBackups::Sort(int column, bool descending) {
  SortColumn = column;
  SortDescending = descending;
  if (!FTree) return;
  std::vector<std::pair<TTreeData_Backup, bool>> rows;
  for (PVirtualNode row : *FTree) rows.emplace_back(Data(row), row->selected());
  std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
    const int order = CompareBackupSets(a.first, b.first, column);
    return descending ? order > 0 : order < 0;
  });
  FTree->BeginUpdate();
  FTree->Clear();
  for (auto& [data, selected] : rows) {
    PVirtualNode row = FTree->AddChild(CheckType::None, CheckState::Unchecked);
    Data(row) = std::move(data);
    FTree->SetSelected(row, selected);
  }
  FTree->EndUpdate();
}

std::int64_t TBackups::Get_Days_since_Backup(PVirtualNode row) const {
  if (!row) return 0;
  return Backup_AgeInDays(Data(row).DateTime, Now_Local()).value_or(0);
}

void TBackups::Get_Details(PVirtualNode row, std::int32_t& savedKeys, std::int32_t& savedValues,
                           std::int32_t& fileCount) const {
  savedKeys = savedValues = fileCount = 0;
  if (!row) return;
  const std::wstring& descriptor = Data(row).FullPath_Inifile;
  savedKeys = NonNegative(Ini_ReadInteger(descriptor, kSection, L"SavedKeys"));
  savedValues = NonNegative(Ini_ReadInteger(descriptor, kSection, L"SavedValues"));
  fileCount = NonNegative(Ini_ReadInteger(descriptor, kFilesSection, L"FileCount"));
}

PVirtualNode TBackups::FirstSelected() const {
  if (!FTree) return nullptr;
  for (PVirtualNode row : *FTree)
    if (row->selected()) return row;
  return nullptr;
}

void TBackups::Delete_Selected_Backups() {
  if (!FTree) return;
  const BackupDisposal disposal = FLAG_USE_RECYCLEBIN ? BackupDisposal::RecycleBin : BackupDisposal::Delete;
  for (PVirtualNode row : *FTree)
    if (row->selected()) DeleteBackupSetFiles(BackupFolder, Data(row), disposal);
}

bool TBackups::IsOlderThan(PVirtualNode row, std::int64_t dayCount) const {
  const std::optional<std::int64_t> age = Backup_AgeInDays(Data(row).DateTime, Now_Local());
  return age && *age > dayCount;
}

std::int32_t TBackups::Get_OldCount(std::int64_t dayCount) const {
  if (!FTree) return 0;
  std::int32_t count = 0;
  for (PVirtualNode row : *FTree)
    if (IsOlderThan(row, dayCount)) ++count;
  return count;
}

std::int32_t TBackups::Select_OldBackups(std::int64_t dayCount) {
  if (!FTree) return 0;
  std::int32_t count = 0;
  FTree->BeginUpdate();
  for (PVirtualNode row : *FTree) {
    const bool old = IsOlderThan(row, dayCount);
    FTree->SetSelected(row, old);
    if (old) ++count;
  }
  FTree->EndUpdate();
  return count;
}

bool TBackups::created_by_different_User() const {
  PVirtualNode row = FirstSelected();
  if (!row) return false;
  return UpperCaseAscii(Data(row).User) != UpperCaseAscii(CurrentUser);
}

int TBackups::DefaultEvent_CompareNodes(const TTreeData_Backup& a, const TTreeData_Backup& b, int column) {
  return CompareBackupSets(a, b, column);
}

}  // namespace keytidy
