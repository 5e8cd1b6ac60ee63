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
};

// Reads "[--report FILE]"; false (with a message on stderr naming `command`)
// for anything else.
bool ParseSearchOptions(const std::wstring& command, const Arguments& arguments, SearchOptions& options);

// Loads the translation the GUI would use (filter names are printed as
// translated), runs the search on `engine`, prints one line per category on
// stdout and, when asked, writes the report. False when a requested report
// could not be written (a message is on stderr then).
bool RunConsoleSearch(TRegistryCleaner& engine, const SearchOptions& options, ScanRunResult& result);

}  // namespace keytidy::cli
