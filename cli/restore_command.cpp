// "restore NAME": puts a backup set back and checks that every key and value
// of its script really is in the registry again. A set that names files
// outside the Backups folder, or whose script cannot be read, is refused
// and nothing changes; the files a set puts back are named before they are
// copied.
#include "backup/backups_manager.h"
#include "cli/backup_set_lookup.h"
#include "cli/commands.h"
#include "cli/console.h"

namespace keytidy::cli {
namespace {

int RunRestore(const Arguments& arguments) {
  if (arguments.size() != 1) {
    PrintErr(L"keytidy-cli: usage: restore NAME\r\n");
    return kExitUsage;
  }
  TBackupTree rows;
  TBackups manager(&rows);
  if (!SelectBackupSet(manager, arguments[0])) {
    PrintErr(L"keytidy-cli: restore failed: no backup set named " + arguments[0] + L"\r\n");
    return kExitRestoreFailed;
  }
  const RestorePlan plan = Backup_PlanRestore(TBackups::Data(manager.FirstSelected()).FullPath_Inifile);
  if (plan.refusal == RestoreRefusal::None) {
    for (const ExtraFile& file : plan.files) PrintOut(L"Putting back " + file.target + L" from " + file.copy + L"\r\n");
  }
  if (!manager.Restore_Selected()) {
    PrintErr(L"keytidy-cli: restore of " + arguments[0] + L" " +
             (manager.LastRestore.refusal != RestoreRefusal::None ? L"refused: " : L"failed: ") +
             manager.LastRestoreError + L"\r\n");
    return manager.LastRestore.refusal != RestoreRefusal::None ? kExitFailure : kExitRestoreFailed;
  }
  PrintOut(L"Restored " + arguments[0] + L"\r\n");
  if (manager.LastRestore.tornRecordLeftOut) {
    std::wstring torn = manager.LastRestore.tornRecord;
    while (!torn.empty() && (torn.back() == L'\r' || torn.back() == L'\n')) torn.pop_back();
    PrintOut(L"Left out the last record, which was cut short when it was written (its entry had not been deleted)" +
             (torn.empty() ? std::wstring() : L":\r\n" + torn) + L"\r\n");
  }
  return kExitSuccess;
}

const CommandRegistration kRestore({L"restore", L"restore NAME",
                                    L"Puts a backup set back into the registry and checks that all of it came back; "
                                    L"refuses a set that names files outside the Backups folder or whose script "
                                    L"cannot be read.",
                                    RunRestore});

}  // namespace
}  // namespace keytidy::cli
