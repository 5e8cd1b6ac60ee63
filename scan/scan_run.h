#pragma once
// One complete search, as the cleaner screen's Search button and the
// console's "scan" and "clean" commands start it: the tree is emptied, the
// enabled categories run their checks in a fixed order (the 32-bit branch
// again on 64-bit Windows), the exception list removes what the user never
// wants to see, and the scan counters go to the statistics.
//
// Usage from a front end:
//
//   TScanRunSettings settings;
//   settings.switches = Form_Options()->Switches();       // console: Load_OptionSwitches()
//   settings.exceptions = &Form_Options()->Exceptions();  // console: a list read by Load_Exceptions
//   MyObserver observer;                 // see scan/scan_observer.h
//   TScanRunResult result = RC_SearchRun(engine, settings, observer);
//
// The run happens on the calling thread and returns when it is over. The
// screen's own work (buttons, labels, panels, timers) belongs in its
// observer; the engine does none of it.
#include <cstdint>
#include <string>
#include <vector>

#include "scan/exception_list.h"
#include "scan/registry_cleaner.h"
#include "scan/run_counters.h"
#include "model/scan_observer.h"
#include "settings/option_switches.h"
#include "settings/statistics.h"

namespace keytidy {

struct TScanRunSettings {
  // Which categories run; CheckOnlyHdds() also decides whether file
  // references off the local hard disks count as present.
  TOptionSwitches switches;
  // Findings matching a row here leave the tree at the end; none when null.
  const TExceptionList* exceptions = nullptr;
  // Whether the 32-bit branch is examined as well; the system's answer
  // unless a caller needs the other.
  bool windows64 = true;
  // Where the scan counters are added up; a run that must leave the
  // registry as it found it (a dry run) adds nothing.
  bool addStatistics = true;
  RootKey statsRoot = ROOT_HKEY_LOCAL_MACHINE;
  std::wstring statsKey = kStatsKey;
  // Whose hives are judged, one pass each (machine keys are read in every
  // pass, but a finding there is listed once): SIDs of loaded user hives.
  // Empty for one pass over the default judged user (the desktop user).
  std::vector<std::wstring> users;

  TScanRunSettings();  // default switches, no exceptions, this system's bitness
};

struct ScanRunResult {
  bool ran = false;         // false when a search or deletion was already running on this engine
  bool terminated = false;  // APP_TERMINATING cut the run short; nothing after it was done
  bool stopped = false;     // STOP_REQUESTED was set when the run ended
  std::int32_t progressMaximum = 0;
  std::int32_t progressSteps = 0;  // steps actually made
  std::uint32_t exceptionsRemoved = 0;
  std::uint32_t elapsedMs = 0;  // the figure of "RC-Search took ms="
  ScanCounters scanned;         // what the checks examined (complete runs only)
};
using TScanRunResult = ScanRunResult;

// Runs one search on `engine`'s tree. Never throws; a check that cannot read
// a key simply finds nothing there.
ScanRunResult RC_SearchRun(TRegistryCleaner& engine, const TScanRunSettings& settings, TScanObserver& observer);

}  // namespace keytidy
