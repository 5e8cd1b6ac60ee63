// "delete-backup NAME [--recycle]": removes a backup set's files, or moves
// them into the recycle bin.
#include "backup/backup_set.h"
#include "backup/backup_set_operations.h"
#include "cli/commands.h"
#include "cli/console.h"

namespace keytidy::cli {
namespace {

int RunDeleteBackup(const Arguments& arguments) {
  std::wstring name;
  bool recycle = false;
  for (const std::wstring& argument : arguments) {
    if (argument == L"--recycle") {
      recycle = true;
    } else if (name.empty() && !argument.empty() && argument[0] != L'-') {
      name = argument;
    } else {
      PrintErr(L"keytidy-cli: usage: delete-backup NAME [--recycle]\r\n");
      return kExitUsage;
    }
  }
  if (name.empty()) {
    PrintErr(L"keytidy-cli: usage: delete-backup NAME [--recycle]\r\n");
    return kExitUsage;
  }
  const DeleteBackupSetResult result =
      DeleteBackupSet(Backup_Folder(), name, recycle ? BackupDisposal::RecycleBin : BackupDisposal::Delete);
  if (result.status == BackupSetStatus::NoSuchSet) {
    PrintErr(L"keytidy-cli: no backup set named " + name + L"\r\n");
    return kExitFailure;
  }
  if (result.status != BackupSetStatus::Done) {
    PrintErr(L"keytidy-cli: the files of " + name + L" could not all be removed\r\n");
    return kExitFailure;
  }
  PrintOut((recycle ? L"Moved to the recycle bin: " : L"Deleted: ") + name + L"\r\n");
  if (result.set.NotOurs)
    PrintOut(
        L"Only its own files in the Backups folder were removed; the files its description names elsewhere "
        L"were left alone.\r\n");
  return kExitSuccess;
}

const CommandRegistration kDeleteBackup({L"delete-backup", L"delete-backup NAME [--recycle]",
                                         L"Deletes a backup set, or moves it into the recycle bin.", RunDeleteBackup});

}  // namespace
}  // namespace keytidy::cli
