#pragma once
// Recording a key or value that nothing changes while it is recorded. The
// deletion that follows a record may only remove what the record holds:
// when another program writes to the key while it is being recorded, that
// record is cut off the script again and the key recorded anew; a key that
// keeps changing is left alone, with no record in the set.
#include <windows.h>

#include <functional>
#include <string>

#include "backup/reg_exe.h"
#include "platform/root_keys.h"

namespace keytidy {

class RegScriptJournal;

enum class SteadyRecord {
  Recorded,      // in the journal, and the registry still holds exactly that
  Failed,        // could not be recorded: delete nothing
  KeptChanging,  // changed during every try: delete nothing
};

// Called after each record is written, before the registry is read again:
// lets a test change the key at that moment, which no program can be timed
// to do from outside.
using AfterEachRecord = std::function<void(int attempt)>;

// The key with everything below it (Backup_Key), unchanged from before the
// record until after it: every key's last-write time and every value.
SteadyRecord Backup_KeySteadily(RootKey root, const std::wstring& key, RegScriptJournal& journal,
                                const std::wstring& exportFolder, DWORD timeLimitMs = kRegExeTimeLimitMs,
                                const AfterEachRecord& afterEachRecord = {});

// One value (Backup_Value), its type and data unchanged across the record.
SteadyRecord Backup_ValueSteadily(RootKey root, const std::wstring& key, const std::wstring& name,
                                  RegScriptJournal& journal, bool escape, const AfterEachRecord& afterEachRecord = {});

}  // namespace keytidy
