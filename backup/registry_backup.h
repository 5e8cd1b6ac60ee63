#pragma once
// Recording a registry key or value in a backup script before it is deleted.
// Both return true only when the record is in the file and reads back as
// exactly what the registry holds, so that a caller may delete on true and
// must leave the entry alone on false. A key or value that does not exist
// is recorded as a deletion entry. Each record made is counted: into
// `counters` for a finished script, into the journal's own counters for a
// deletion run's journal.
#include <windows.h>

#include <string>

#include "backup/backup_counters.h"
#include "backup/reg_exe.h"
#include "platform/registry.h"

namespace keytidy {

class RegScriptJournal;

// The key with everything below it, through `reg.exe export`. The export is
// made into a temporary file in `exportFolder` (the program folder unless a
// caller names another).
bool Backup_Key(RootKey root, const std::wstring& key, const std::wstring& file, BackupCounters& counters);
bool Backup_Key(RootKey root, const std::wstring& key, const std::wstring& file, BackupCounters& counters,
                const std::wstring& exportFolder, DWORD timeLimitMs = kRegExeTimeLimitMs);

// One value (empty name: the default value), type and bytes exactly.
bool Backup_Value(RootKey root, const std::wstring& key, const std::wstring& name, const std::wstring& file,
                  BackupCounters& counters, bool escape);

// The same records appended to a deletion run's journal instead of being
// put at the front of a finished script.
bool Backup_Key(RootKey root, const std::wstring& key, RegScriptJournal& journal, const std::wstring& exportFolder,
                DWORD timeLimitMs = kRegExeTimeLimitMs);
bool Backup_Value(RootKey root, const std::wstring& key, const std::wstring& name, RegScriptJournal& journal,
                  bool escape);

// The temporary export file in `folder`: "tempreg.reg", or, when a left-over
// one cannot be removed, "tempreg" + a number below 1000 + ".reg".
std::wstring Backup_TemporaryExportFile(const std::wstring& folder);

}  // namespace keytidy
