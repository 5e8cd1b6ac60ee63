// "clean [--dry-run] [--no-restore-point] [...]": a search as "scan"
// makes it, then every finding removed through the deletion run, each
// recorded in a new backup set first; a dry run only lists that.
#include "cli/clean_dry_run.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/console_front_end.h"
#include "cli/console_progress.h"
#include "cli/console_search.h"
#include "platform/environment.h"
#include "platform/file_existence.h"
#include "clean/delete_run.h"
#include "settings/option_switches.h"

namespace keytidy::cli {
namespace {

int RunClean(const Arguments& arguments) {
  SearchOptions options;
  if (!ParseSearchOptions(arguments, options, SearchCommand::Clean)) return kExitUsage;
  TResultTree tree;
  TRegistryCleaner engine(&tree, ConsoleRunControl());
  engine.FrontEnd = &ConsoleFrontEnd();
  ScanRunResult search;
  if (!RunConsoleSearch(engine, options, search)) return kExitFailure;
  if (options.dryRun) {
    PrintDryRun(engine);
    return kExitSuccess;
  }

  DeleteOptions deleteOptions;
  deleteOptions.restorePoint =
      !options.noRestorePoint && Load_OptionSwitches().IsChecked(OptionSwitch::RC_RestorePoint);
  ConsoleDeleteProgress progress(options.quiet, L"Deleting");
  engine.Progress = &progress;
  const DeleteRunResult run = RC_DeleteEveryFinding(engine, ProgramFolder() + L"\\Backups", deleteOptions);
  engine.Progress = nullptr;
  progress.Clear();
  if (!run.ran) {
    PrintOut(L"Nothing to remove.\r\n");
    return kExitSuccess;
  }
  PrintOut(L"Removed: " + std::to_wstring(run.removed) + L"\r\nNot removed: " + std::to_wstring(run.NotRemoved()) +
           L"\r\nNo longer stale: " + std::to_wstring(run.noLongerStale) + L"\r\n");
  if (run.changedWhileRecorded != 0)
    PrintOut(L"Refused, changed while recorded: " + std::to_wstring(run.changedWhileRecorded) + L"\r\n");
  if (const std::wstring restorePoint = RC_RestorePointText(run.restorePoint); !restorePoint.empty())
    PrintOut(L"Restore point: " + restorePoint + L"\r\n");
  if (FileOrFolderExists(run.scriptPath))
    PrintOut(L"Backup: " + run.scriptPath + L"\r\n");
  else
    PrintOut(L"Backup: none (nothing needed recording)\r\n");
  return run.NotRemoved() == 0 ? kExitSuccess : kExitNotAllRemoved;
}

const CommandRegistration kClean(
    {L"clean",
     L"clean [--dry-run] [--no-restore-point] [--report FILE] [--json FILE] "
     L"[--category NAME[,NAME...]] [--exclude-category NAME[,NAME...]] [--user all|SID] [--quiet]",
     L"Searches as scan does, then removes every finding after recording it in a new "
     L"backup set, with a System Restore point first where Windows allows one (unless "
     L"--no-restore-point or the options say no); --dry-run lists what would be "
     L"recorded and deleted and changes nothing.",
     RunClean});

}  // namespace
}  // namespace keytidy::cli
