#include "backup/backups_manager.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "backup/backup_age.h"
#include "backup/backup_extra_files.h"
#include "backup/backup_restore.h"
#include "backup/backup_set.h"
#include "backup/backup_set_names.h"
#include "backup/backup_user_name.h"
#include "platform/file_existence.h"
#include "platform/file_queries.h"
#include "platform/recycle_bin.h"
#include "platform/text.h"
#include "settings/ini_file.h"
#include "settings/statistics.h"

namespace keytidy {

namespace {

constexpr wchar_t kSection[] = L"Backup";
// A date this far from today is taken as missing or broken.
constexpr std::int64_t kImplausibleAgeDays = 1000;

std::int64_t SizeOrZero(const std::wstring& path) {
  if (path.empty() || !FileExists(path)) return 0;
  return std::max<std::int64_t>(Get_FileSize(path), 0);
}

std::optional<TDateTime> CreationTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  FILETIME local{};
  SYSTEMTIME time{};
  if (!FileTimeToLocalFileTime(&data.ftCreationTime, &local) || !FileTimeToSystemTime(&local, &time))
    return std::nullopt;
  return DateTimeFromSystemTime(time);
}

TTreeData_Backup ReadRow(const std::wstring& descriptor) {
  TTreeData_Backup row;
  row.FullPath_Inifile = descriptor;
  row.FullPath_regfile = Backup_ScriptPath(descriptor);
  row.Modul = Ini_ReadString(descriptor, kSection, L"Modul");
  row.Display = Ini_ReadString(descriptor, kSection, L"Display");
  row.Action = Ini_ReadString(descriptor, kSection, L"Action");
  row.User = Ini_ReadString(descriptor, kSection, L"User");
  row.DateTime = Ini_ReadDateTime(descriptor, kSection, L"DateTime");
  row.Incomplete = Backup_IsIncomplete(descriptor);
  row.NotOurs = !Backup_SetIsOurs(descriptor);
  row.size = SizeOrZero(row.FullPath_regfile) + SizeOrZero(descriptor);
  const std::optional<std::int64_t> age = Backup_AgeInDays(row.DateTime, Now_Local());
  if (!age || *age >= kImplausibleAgeDays) {
    if (const auto created = CreationTime(descriptor)) row.DateTime = *created;
  }
  std::vector<std::wstring> copies;
  ExtraFiles_Get_Filenames_in_BackupDir(descriptor, copies);
  for (const std::wstring& copy : copies) row.size += SizeOrZero(copy);
  return row;
}

// A script whose descriptor never got written (power lost at the very
// start) or was lost: what its name and the file tell.
TTreeData_Backup ReadScriptOnlyRow(const std::wstring& script) {
  TTreeData_Backup row;
  row.FullPath_regfile = script;
  row.FullPath_Inifile = Backup_DescriptorPath(script);
  row.Incomplete = true;
  row.size = SizeOrZero(script);
  if (const std::optional<BackupNameParts> parts = Backup_NameParts(script)) {
    row.Modul = parts->module;
    row.DateTime = parts->stamp;
  } else if (const auto created = CreationTime(script)) {
    row.DateTime = *created;
  }
  return row;
}

bool HasExtension(const std::wstring& path, const std::wstring& extension) {
  return path.size() >= extension.size() &&
         UpperCaseAscii(path.substr(path.size() - extension.size())) == UpperCaseAscii(extension);
}

std::vector<TTreeData_Backup> ReadRows(const std::wstring& folder) {
  std::vector<TTreeData_Backup> rows;
  std::vector<std::wstring> descriptors;
  List_Files(folder + L"\\", L"*.ini", descriptors);
  for (const std::wstring& descriptor : descriptors) rows.push_back(ReadRow(descriptor));
  std::vector<std::wstring> scripts;
  List_Files(folder + L"\\", L"*.reg", scripts);
  for (const std::wstring& script : scripts) {
    // The pattern also matches longer extensions through short names.
    const std::wstring descriptor = Backup_DescriptorPath(script);
    if (HasExtension(script, L".reg") && !descriptor.empty() && !FileExists(descriptor))
      rows.push_back(ReadScriptOnlyRow(script));
  }
  return rows;
}

template <typename T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

std::int32_t NonNegative(std::int32_t number) { return number > 0 ? number : 0; }

}  // namespace

TBackups::TBackups(TBackupTree* tree)
    : FTree(tree), BackupFolder(Backup_Folder()), CurrentUser(Get_BackupUserName()) {}

void TBackups::Read_Backups() {
  if (!FTree) return;
  FTree->BeginUpdate();
  FTree->Clear();
  std::vector<TTreeData_Backup> rows = ReadRows(BackupFolder);
  if (SortColumn >= 0) {
    std::stable_sort(rows.begin(), rows.end(), [this](const TTreeData_Backup& a, const TTreeData_Backup& b) {
      const int order = DefaultEvent_CompareNodes(a, b, SortColumn);
      return SortDescending ? order > 0 : order < 0;
    });
  }
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
    const int order = DefaultEvent_CompareNodes(a.first, b.first, column);
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

bool TBackups::RestoreFirstSelected(const std::function<RestoreResult(const std::wstring&)>& restore) {
  LastRestore = RestoreResult();
  LastRestoreError.clear();
  PVirtualNode row = FirstSelected();
  if (!row) {
    LastRestoreError = LastRestore.reason = L"no backup set is selected";
    return false;
  }
  LastRestore = restore(Data(row).FullPath_Inifile);
  LastRestoreError = LastRestore.reason;
  return LastRestore.restored;
}

bool TBackups::Restore_Selected() {
  return RestoreFirstSelected(
      [this](const std::wstring& descriptor) { return Backup_RestoreSet(descriptor, RegExeTimeLimitMs, Progress); });
}

bool TBackups::Restore_Selected_Records(const std::vector<std::wstring>& names) {
  return RestoreFirstSelected(
      [&](const std::wstring& descriptor) { return Backup_RestoreChosen(descriptor, names, RegExeTimeLimitMs, Progress); });
}

bool TBackups::Restore_Selected_RecordsAt(const std::vector<size_t>& positions) {
  return RestoreFirstSelected([&](const std::wstring& descriptor) {
    return Backup_RestoreRecordsAt(descriptor, positions, RegExeTimeLimitMs, Progress);
  });
}

bool TBackups::RemoveFile(const std::wstring& path) const {
  // Only files directly in the Backups folder are ever removed, whatever a
  // row's paths say.
  if (!Backup_IsFileInFolder(path, BackupFolder) || !FileExists(path)) return false;
  if (FLAG_USE_RECYCLEBIN) return Delete_ToRecycleBin(path);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileW(path.c_str()) != FALSE;
}

void TBackups::Delete_Selected_Backups() {
  if (!FTree) return;
  for (PVirtualNode row : *FTree) {
    if (!row->selected()) continue;
    const TTreeData_Backup& data = Data(row);
    Stats_Add(kStats_BackupsDeleted, 1);
    if (FileExists(data.FullPath_Inifile)) {
      std::vector<std::wstring> copies;
      ExtraFiles_Get_Filenames_in_BackupDir(data.FullPath_Inifile, copies);
      for (const std::wstring& copy : copies) RemoveFile(copy);
    }
    RemoveFile(data.FullPath_regfile);
    RemoveFile(data.FullPath_Inifile);
  }
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
  switch (column) {
    case kBackupColumn_Module: return Order(UpperCaseAscii(a.Modul), UpperCaseAscii(b.Modul));
    case kBackupColumn_Description: return Order(UpperCaseAscii(a.Display), UpperCaseAscii(b.Display));
    case kBackupColumn_Size: return Order(a.size, b.size);
    case kBackupColumn_User: return Order(UpperCaseAscii(a.User), UpperCaseAscii(b.User));
    case kBackupColumn_Date: return Order(a.DateTime, b.DateTime);
    default: return 0;
  }
}

}  // namespace keytidy
