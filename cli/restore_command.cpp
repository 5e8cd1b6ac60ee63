// "restore NAME [--only KEY[\VALUE]]...": puts a backup set back and checks
// that every key and value of its script really is in the registry again.
// A set that names files outside the Backups folder, or whose script cannot
// be read, is refused and nothing changes; the files a set puts back are
// named before they are copied. With --only, just the named records are put
// back and the set stays whole. Its steps show as a bar on standard error
// when that is a console, unless --quiet.
#include "backup/backup_set.h"
#include "backup/backup_set_list.h"
#include "backup/backup_set_operations.h"
#include "backup/record_choice.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/console_progress.h"

namespace keytidy::cli {
namespace {

constexpr wchar_t kUsage[] = L"keytidy-cli: usage: restore NAME [--only KEY[\\VALUE]]... [--quiet]\r\n";

// The set's name, the record names after each --only and --quiet; false
// when the arguments do not read that way or a record name is malformed.
bool ReadRestoreArguments(const Arguments& arguments, std::wstring& set, std::vector<std::wstring>& only, bool& quiet) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == L"--quiet") {
      quiet = true;
    } else if (arguments[i] == L"--only") {
      if (i + 1 >= arguments.size() || !RecordName_Parse(arguments[i + 1])) return false;
      only.push_back(arguments[++i]);
    } else if (set.empty() && !arguments[i].starts_with(L"--")) {
      set = arguments[i];
    } else {
      return false;
    }
  }
  return !set.empty();
}

// The message and exit code of a restore that did not put everything back.
int ReportUnrestored(const std::wstring& set, const RestoreBackupSetResult& result) {
  if (result.status == BackupSetStatus::NoSuchSet) {
    PrintErr(L"keytidy-cli: restore failed: no backup set named " + set + L"\r\n");
    return kExitRestoreFailed;
  }
  const bool refused = result.status == BackupSetStatus::Refused;
  PrintErr(L"keytidy-cli: restore of " + set + L" " + (refused ? L"refused: " : L"failed: ") + result.detail.reason +
           L"\r\n");
  return refused ? kExitFailure : kExitRestoreFailed;
}

int RunPartialRestore(const std::wstring& set, RestoreBackupSetRequest request, const std::vector<std::wstring>& only) {
  request.onlyRecords = only;
  const RestoreBackupSetResult result = RestoreBackupSet(Backup_Folder(), set, request);
  if (result.status != BackupSetStatus::Done) return ReportUnrestored(set, result);
  PrintOut(L"Restored " + std::to_wstring(result.detail.recordsChosen) + L" record(s) of " + set + L"\r\n");
  return kExitSuccess;
}

void ReportTornRecord(const RestoreResult& detail) {
  if (!detail.tornRecordLeftOut) return;
  std::wstring torn = detail.tornRecord;
  while (!torn.empty() && (torn.back() == L'\r' || torn.back() == L'\n')) torn.pop_back();
  PrintOut(L"Left out the last record, which was cut short when it was written (its entry had not been deleted)" +
           (torn.empty() ? std::wstring() : L":\r\n" + torn) + L"\r\n");
}

int RunRestore(const Arguments& arguments) {
  std::wstring set;
  std::vector<std::wstring> only;
  bool quiet = false;
  if (!ReadRestoreArguments(arguments, set, only, quiet)) {
    PrintErr(kUsage);
    return kExitUsage;
  }
  const std::optional<TTreeData_Backup> found = FindBackupSet(Backup_Folder(), set);
  if (!found) return ReportUnrestored(set, RestoreBackupSetResult());
  ConsoleRestoreProgress progress(quiet);
  RestoreBackupSetRequest request;
  request.progress = &progress;
  if (!only.empty()) return RunPartialRestore(set, request, only);
  // The files a set puts back are named before they are copied.
  const RestorePlan plan = Backup_PlanRestore(found->FullPath_Inifile);
  if (plan.refusal == RestoreRefusal::None) {
    for (const ExtraFile& file : plan.files) PrintOut(L"Putting back " + file.target + L" from " + file.copy + L"\r\n");
  }
  const RestoreBackupSetResult result = RestoreBackupSet(Backup_Folder(), set, request);
  if (result.status != BackupSetStatus::Done) return ReportUnrestored(set, result);
  PrintOut(L"Restored " + set + L"\r\n");
  ReportTornRecord(result.detail);
  return kExitSuccess;
}

const CommandRegistration kRestore({L"restore", L"restore NAME [--only KEY[\\VALUE]]... [--quiet]",
                                    L"Puts a backup set back into the registry and checks that all of it came back; "
                                    L"refuses a set that names files outside the Backups folder or whose script "
                                    L"cannot be read. --only puts back just the named key (with all below it) or "
                                    L"value and leaves the set whole. Progress goes to standard error when "
                                    L"it is a console, unless --quiet.",
                                    RunRestore});

}  // namespace
}  // namespace keytidy::cli
