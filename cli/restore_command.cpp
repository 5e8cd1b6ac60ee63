// "restore NAME": puts a backup set back and checks that every key and value
// of its script really is in the registry again.
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
  if (!manager.Restore_Selected()) {
    PrintErr(L"keytidy-cli: restore of " + arguments[0] + L" failed: " + manager.LastRestoreError + L"\r\n");
    return kExitRestoreFailed;
  }
  PrintOut(L"Restored " + arguments[0] + L"\r\n");
  return kExitSuccess;
}

const CommandRegistration kRestore({L"restore", L"restore NAME",
                                    L"Puts a backup set back into the registry and checks that all of it came back.",
                                    RunRestore});

}  // namespace
}  // namespace keytidy::cli
