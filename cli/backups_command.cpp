// "backups": the backup sets in the Backups folder, oldest first, one line
// each: name, date, module, action and display text, size in bytes, and
// "incomplete" for a set whose run never completed it, and "not ours" for
// one whose descriptor names files outside the Backups folder.
#include "backup/backup_set.h"
#include "backup/backup_set_list.h"
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
  const std::wstring folder = Backup_Folder();
  std::vector<TTreeData_Backup> sets = ReadBackupSets(folder);
  if (sets.empty()) {
    PrintOut(L"No backup sets in " + folder + L"\r\n");
    return kExitSuccess;
  }
  SortBackupSets(sets, kBackupColumn_Date, false);
  std::wstring text;
  for (const TTreeData_Backup& set : sets) {
    text += BackupSetName(set) + L"  " + FormatDateTime_Fixed(set.DateTime) + L"  " + set.Modul + L"  " +
            BackupSetDescription(set) + L"  " + std::to_wstring(set.size) + L" bytes" +
            (set.Incomplete ? L"  incomplete" : L"") + (set.NotOurs ? L"  not ours" : L"") + L"\r\n";
  }
  PrintOut(text);
  return kExitSuccess;
}

const CommandRegistration kBackups({L"backups", L"backups",
                                    L"Lists the backup sets: name, date, module, description and size; sets left by an "
                                    L"interrupted run are marked incomplete, sets that name files outside the Backups "
                                    L"folder \"not ours\".",
                                    RunBackups});

}  // namespace
}  // namespace keytidy::cli
