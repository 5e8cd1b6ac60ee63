// "scan [--report FILE] [--json FILE] [--category ...] [--quiet]": one complete search, exactly as
// the cleaner screen's Search makes it, with a summary per category.
#include "cli/commands.h"
#include "cli/console_front_end.h"
#include "cli/console_search.h"

namespace keytidy::cli {
namespace {

int RunScan(const Arguments& arguments) {
  SearchOptions options;
  if (!ParseSearchOptions(arguments, options, SearchCommand::Scan)) return kExitUsage;
  TResultTree tree;
  TRegistryCleaner engine(&tree, ConsoleRunControl());
  engine.FrontEnd = &ConsoleFrontEnd();
  ScanRunResult result;
  return RunConsoleSearch(engine, options, result) ? kExitSuccess : kExitFailure;
}

const CommandRegistration kScan(
    {L"scan",
     L"scan [--report FILE] [--json FILE] [--category NAME[,NAME...]] "
     L"[--exclude-category NAME[,NAME...]] [--user all|SID] [--quiet]",
     L"Searches the registry and prints the findings per category; "
     L"--report writes every finding to FILE as text, --json as JSON; --category "
     L"searches only the named categories (the JSON's names), --exclude-category "
     L"leaves some out; --user judges every loaded user's hive (all) or one user's (SID) instead of the "
     L"desktop user's; --quiet shows no progress.",
     RunScan});

}  // namespace
}  // namespace keytidy::cli
