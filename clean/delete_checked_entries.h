#pragma once
// The deletion of the ticked findings: each key or value is recorded in the
// backup script first and deleted only when its record is in the file and
// reads back; an entry whose backup failed is left alone, still ticked.
// A key that is a root, a hive's top or a container the checks walk is
// never deleted (scan/container_guard.h).
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "backup/backup_counters.h"
#include "backup/backup_findings.h"
#include "backup/reg_exe.h"
#include "platform/restore_point.h"
#include "platform/root_keys.h"
#include "scan/run_counters.h"

namespace keytidy {

class TRegistryCleaner;

struct DeleteOptions {
  // Where reg.exe writes its temporary key exports; the program folder when
  // empty.
  std::wstring exportFolder;
  DWORD regExeTimeLimitMs = kRegExeTimeLimitMs;
  // Deletes a key; Reg_DeleteKey when empty. Lets a test stand in a delete
  // that fails half-way, which the registry of a test machine (where the
  // tests run with every right) cannot be made to do.
  std::function<bool(RootKey root, const std::wstring& key)> deleteKey = {};
  // A System Restore point before the first deletion (the run's callers
  // ask for it as the user's option says), made through this library.
  bool restorePoint = false;
  std::wstring restorePointProvider = kSystemRestoreDll;
};

// What one pass over the ticked findings did: for every key or value
// recorded in the script, the finding it was recorded for; and its counts.
struct DeletedEntries {
  std::vector<RecordedFinding> findings;
  DeleteCounters counters;
  BackupCounters recorded;  // the keys and values the backup script holds
};

// Walks the engine's whole tree (hidden rows too) in tree order; see
// TRegistryCleaner::DeleteCheckedEntries.
DeletedEntries DeleteCheckedEntries(TRegistryCleaner& engine, const std::wstring& backupfile,
                                    const DeleteOptions& options = {});

}  // namespace keytidy
