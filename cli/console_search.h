#pragma once
// The search as the console commands run it: the same run as the cleaner
// screen's Search (switches from the Options key, exceptions from the
// program's exception file, 64-bit passes, statistics), with a text
// progress bar and a summary instead of the screen.
#include <optional>
#include <string>

#include "cli/commands.h"
#include "scan/registry_cleaner.h"
#include "scan/scan_run.h"

namespace keytidy::cli {

struct SearchOptions {
  std::optional<std::wstring> reportFile;  // --report FILE
  std::optional<std::wstring> jsonFile;    // --json FILE
  bool dryRun = false;                     // --dry-run (clean only): the search adds no counters
};

enum class DryRunOption { Refused, Allowed };

// Reads "[--report FILE] [--json FILE]" (and "[--dry-run]" when allowed),
// each at most once; false (with a usage line on stderr naming `command`)
// for anything else.
bool ParseSearchOptions(const std::wstring& command, const Arguments& arguments, SearchOptions& options,
                        DryRunOption dryRun = DryRunOption::Refused);

// Loads the translation the GUI would use (filter names are printed as
// translated), runs the search on `engine`, prints one line per category on
// stdout and, when asked, writes the report and the JSON file. False when a
// requested file could not be written (a message is on stderr then).
bool RunConsoleSearch(TRegistryCleaner& engine, const SearchOptions& options, ScanRunResult& result);

}  // namespace keytidy::cli
