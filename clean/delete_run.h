#pragma once
// One deletion run as the cleaner screen and the console start it: count the
// ticked findings, open a backup set (its descriptor marked incomplete),
// delete through the backup, drop the handled findings from the tree, add
// the totals, complete the set's descriptor, and say how many were removed.
#include <cstdint>
#include <string>

#include "clean/delete_checked_entries.h"
#include "scan/run_counters.h"

namespace keytidy {

class TRegistryCleaner;

struct DeleteRunResult {
  bool ran = false;                 // false when nothing was ticked
  bool terminated = false;          // the program is closing; the run stopped early
  std::uint32_t checked = 0;        // N: ticked findings at the start
  std::uint32_t removed = 0;        // R: N minus the ticked findings left and those no longer stale
  std::uint32_t noLongerStale = 0;  // unticked and kept: the re-check found them fixed since the search
  // Among the not removed: refused because another program kept changing
  // it while it was recorded.
  std::uint32_t changedWhileRecorded = 0;
  std::wstring scriptPath;         // the set's script (absent when nothing was recorded)
  RestorePointStart restorePoint;  // NotWanted unless the options asked for one
  DeleteCounters deleted;          // values and keys deleted, and the rest of the deletion's counts

  std::uint32_t NotRemoved() const { return checked - removed - noLongerStale; }
};

DeleteRunResult RC_DeleteRun(TRegistryCleaner& engine, const std::wstring& backupFolder,
                             const DeleteOptions& options = {});
// The same run for every finding of the tree, hidden ones too, whatever
// was ticked: what the console's "clean" removes.
DeleteRunResult RC_DeleteEveryFinding(TRegistryCleaner& engine, const std::wstring& backupFolder,
                                      const DeleteOptions& options = {});

// What became of the restore point, one line in the current language;
// empty when none was asked for. The cleaner screen's status line and the
// console's summary both show it.
std::wstring RC_RestorePointText(const RestorePointStart& start);

}  // namespace keytidy
