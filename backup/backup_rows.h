#pragma once
// The rows of the backup list: one record per backup set, held by the
// checkable-list model so that a screen only has to show them.
#include <cstdint>
#include <string>

#include "model/tree_model.h"
#include "settings/date_time.h"

namespace keytidy {

struct TTreeData_Backup {
  std::wstring Modul;
  std::wstring Action;
  std::wstring Display;
  std::wstring FullPath_Inifile;
  std::wstring FullPath_regfile;
  std::int64_t size = 0;  // script + descriptor + existing extra-file copies
  TDateTime DateTime = 0;
  std::wstring User;
  // The run that made the set never completed it, or the script has no
  // descriptor at all; what the script holds restores all the same.
  bool Incomplete = false;
  // The descriptor names files outside the Backups folder (or targets that
  // are no full paths): whoever wrote it, this program did not. Such a set
  // is never restored; deleting it removes only its own plain files.
  bool NotOurs = false;
};

using TBackupTree = TTreeModelOf<TTreeData_Backup>;

// Columns of the list, by index, as the sorting knows them.
enum BackupColumn : int {
  kBackupColumn_Module = 0,
  kBackupColumn_Description = 1,
  kBackupColumn_Size = 2,
  kBackupColumn_User = 3,
  kBackupColumn_Date = 4,
};

}  // namespace keytidy
