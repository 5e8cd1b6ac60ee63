#include "backup/backup_set_operations.h"

#include <windows.h>

#include "backup/backup_extra_files.h"
#include "backup/backup_set_list.h"
#include "backup/backup_set_names.h"
#include "platform/file_existence.h"
#include "platform/recycle_bin.h"
#include "settings/statistics.h"

namespace keytidy {

namespace {

bool RemoveFile(const std::wstring& folder, const std::wstring& path, BackupDisposal disposal) {
  // Only files directly in the Backups folder are ever removed, whatever a
  // set's paths say.
  if (!Backup_IsFileInFolder(path, folder) || !FileExists(path)) return false;
  if (disposal == BackupDisposal::RecycleBin) return Delete_ToRecycleBin(path);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileW(path.c_str()) != FALSE;
}

}  // namespace

BackupSetStatus DeleteBackupSetFiles(const std::wstring& folder, const TTreeData_Backup& set, BackupDisposal disposal) {
  Stats_Add(kStats_BackupsDeleted, 1);
  if (FileExists(set.FullPath_Inifile)) {
    std::vector<std::wstring> copies;
    ExtraFiles_Get_Filenames_in_BackupDir(set.FullPath_Inifile, copies);
    for (const std::wstring& copy : copies) RemoveFile(folder, copy, disposal);
  }
  RemoveFile(folder, set.FullPath_regfile, disposal);
  RemoveFile(folder, set.FullPath_Inifile, disposal);
  // Anything at all left under either name, a folder too, makes the set
  // look as if it were still there.
  return FileOrFolderExists(set.FullPath_Inifile) || FileOrFolderExists(set.FullPath_regfile)
             ? BackupSetStatus::FilesLeft
             : BackupSetStatus::Done;
}

DeleteBackupSetResult DeleteBackupSet(const std::wstring& folder, const std::wstring& name, BackupDisposal disposal) {
  DeleteBackupSetResult result;
  const std::optional<TTreeData_Backup> set = FindBackupSet(folder, name);
  if (!set) return result;
  result.set = *set;
  result.status = DeleteBackupSetFiles(folder, result.set, disposal);
  return result;
}

RestoreBackupSetResult RestoreBackupSet(const TTreeData_Backup& set, const RestoreBackupSetRequest& request) {
  RestoreBackupSetResult result;
  result.set = set;
  const std::wstring& descriptor = set.FullPath_Inifile;
  if (request.onlyPositions)
    result.detail = Backup_RestoreRecordsAt(descriptor, *request.onlyPositions, request.timeLimitMs, request.progress);
  else if (request.onlyRecords)
    result.detail = Backup_RestoreChosen(descriptor, *request.onlyRecords, request.timeLimitMs, request.progress);
  else
    result.detail = Backup_RestoreSet(descriptor, request.timeLimitMs, request.progress);
  if (result.detail.restored)
    result.status = BackupSetStatus::Done;
  else
    result.status = result.detail.refusal != RestoreRefusal::None ? BackupSetStatus::Refused : BackupSetStatus::Failed;
  return result;
}

RestoreBackupSetResult RestoreBackupSet(const std::wstring& folder, const std::wstring& name,
                                        const RestoreBackupSetRequest& request) {
  const std::optional<TTreeData_Backup> set = FindBackupSet(folder, name);
  if (!set) return RestoreBackupSetResult();
  return RestoreBackupSet(*set, request);
}

}  // namespace keytidy
