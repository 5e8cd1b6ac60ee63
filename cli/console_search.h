#pragma once
// The search as the console commands run it: the same run as the cleaner
// screen's Search (switches from the Options key, exceptions from the
// program's exception file, 64-bit passes, statistics), with a text
// progress bar and a summary instead of the screen.
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "scan/registry_cleaner.h"
#include "scan/scan_run.h"
#include "settings/option_switches.h"

namespace keytidy::cli {

struct SearchOptions {
  std::optional<std::wstring> reportFile;  // --report FILE
  std::optional<std::wstring> jsonFile;    // --json FILE
  bool dryRun = false;                     // --dry-run (clean only): the search adds no counters
  bool noRestorePoint = false;             // --no-restore-point (clean only)
  bool quiet = false;                      // --quiet: no progress on standard error
  // --category NAME[,NAME...]: only these categories (filter numbers) run,
  // whatever the options say; the options' switches when empty.
  std::vector<std::int32_t> categories;
  // --exclude-category NAME[,NAME...]: these never run.
  std::vector<std::int32_t> excludedCategories;
  // --user all|SID: whose hives are judged (loaded user hives); the
  // desktop user when not given.
  std::optional<std::wstring> user;
};

// The clean command takes the switches that only make sense when deleting.
enum class SearchCommand { Scan, Clean };

// Reads "[--report FILE] [--json FILE] [--category NAMES]
// [--exclude-category NAMES] [--user all|SID] [--quiet]" (and "[--dry-run]
// [--no-restore-point]" for clean), each file at most once; false (with a
// usage line on stderr naming the command) for anything else, including a
// category name that the JSON does not use and a SID whose hive is not
// loaded.
bool ParseSearchOptions(const Arguments& arguments, SearchOptions& options, SearchCommand command);

// The SIDs --user names: every loaded user hive for "all", the one given,
// or none (the default judged user) without --user.
std::vector<std::wstring> ChosenUsers(const SearchOptions& options);

// The categories a run searches: the stored switches, or only those chosen,
// less those excluded.
void Apply_CategoryChoice(const SearchOptions& options, TOptionSwitches& switches);

// Loads the translation the GUI would use (filter names are printed as
// translated), runs the search on `engine`, prints one line per category on
// stdout and, when asked, writes the report and the JSON file. False when a
// requested file could not be written (a message is on stderr then).
bool RunConsoleSearch(TRegistryCleaner& engine, const SearchOptions& options, ScanRunResult& result);

}  // namespace keytidy::cli
