#pragma once
// The two things a user does with a whole backup set, named by the set's
// name: delete it and put it back. Each returns what happened and what
// the caller needs to tell about it; nothing here shows or prints a word.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "backup/backup_restore.h"
#include "backup/backup_set_record.h"
#include "backup/reg_exe.h"

namespace keytidy {

enum class BackupSetStatus {
  Done,
  NoSuchSet,  // the folder holds no set of that name; nothing changed
  FilesLeft,  // deleting: the descriptor or the script is still there
  Refused,    // restoring: the set is not ours or unreadable; nothing changed
  Failed,     // restoring: not everything came back (the result says why)
};

enum class BackupDisposal { Delete, RecycleBin };

struct DeleteBackupSetResult {
  BackupSetStatus status = BackupSetStatus::NoSuchSet;
  TTreeData_Backup set;  // as it was found before its files went
};

// Removes the set's files that lie directly in `folder` (script,
// descriptor, extra-file copies), whatever its descriptor names elsewhere,
// and counts the deletion in the usage totals.
DeleteBackupSetResult DeleteBackupSet(const std::wstring& folder, const std::wstring& name, BackupDisposal disposal);
// The same for a set already read from `folder`.
BackupSetStatus DeleteBackupSetFiles(const std::wstring& folder, const TTreeData_Backup& set, BackupDisposal disposal);

// Which part of a set to put back: all of it, only the records these names
// choose (see record_choice.h), or only the records at these places of its
// script. A partial restore leaves the set whole.
struct RestoreBackupSetRequest {
  std::optional<std::vector<std::wstring>> onlyRecords;
  std::optional<std::vector<size_t>> onlyPositions;
  DWORD timeLimitMs = kRegExeTimeLimitMs;
  TRestoreProgress* progress = nullptr;  // borrowed; null when nothing shows it
};

struct RestoreBackupSetResult {
  BackupSetStatus status = BackupSetStatus::NoSuchSet;
  TTreeData_Backup set;
  RestoreResult detail;  // files copied, records chosen, a torn record, why it failed
};

RestoreBackupSetResult RestoreBackupSet(const std::wstring& folder, const std::wstring& name,
                                        const RestoreBackupSetRequest& request);
// The same for a set already read.
RestoreBackupSetResult RestoreBackupSet(const TTreeData_Backup& set, const RestoreBackupSetRequest& request);

}  // namespace keytidy
