// "backups": the backup sets in the Backups folder, oldest first, one line
// each: name, date, module, action and display text, size in bytes, and
// "incomplete" for a set whose run never completed it, and "not ours" for
// one whose descriptor names files outside the Backups folder.
#include "backup/backups_manager.h"
#include "cli/backup_set_lookup.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "settings/date_time.h"

namespace keytidy::cli {
namespace {

int RunBackups(const Arguments& arguments) {
  if (!arguments.empty()) {
    PrintErr(L"keytidy-cli: backups takes no options\r\n");
    return kExitUsage;
  }
  TBackupTree rows;
  TBackups manager(&rows);
  manager.SortColumn = kBackupColumn_Date;
  manager.Read_Backups();
  if (rows.IsEmpty()) {
    PrintOut(L"No backup sets in " + manager.BackupFolder + L"\r\n");
    return kExitSuccess;
  }
  std::wstring text;
  for (PVirtualNode row : rows) {
    const TTreeData_Backup& set = TBackups::Data(row);
    text += BackupSetName(set) + L"  " + FormatDateTime_Fixed(set.DateTime) + L"  " + set.Modul + L"  " +
            BackupSetDescription(set) +
            L"  " + std::to_wstring(set.size) + L" bytes" + (set.Incomplete ? L"  incomplete" : L"") +
            (set.NotOurs ? L"  not ours" : L"") + L"\r\n";
  }
  PrintOut(text);
  return kExitSuccess;
}

const CommandRegistration kBackups({L"backups", L"backups",
                                    L"Lists the backup sets: name, date, module, description and size; sets left by an "
                                    L"interrupted run are marked incomplete, sets that name files outside the Backups "
                                    L"folder \"not ours\".", RunBackups});

}  // namespace
}  // namespace keytidy::cli
