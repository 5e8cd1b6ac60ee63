#include "backup/steady_record.h"

#include "backup/backup_counters.h"
#include "backup/reg_script_journal.h"
#include "backup/registry_backup.h"
#include "platform/registry_snapshot.h"

namespace keytidy {

namespace {

// A key another program keeps writing to is left for a later run.
constexpr int kTries = 3;

// The record just written no longer matches the registry: it goes again,
// so that the set holds exactly what is deleted (and nothing when the key
// stays).
bool DropRecord(RegScriptJournal& journal, std::uint32_t& counter) {
  if (!journal.DropLastBlock()) return false;
  if (counter > 0) --counter;
  return true;
}

// Records with `record` until the reading before and after it agree.
template <typename Reading, typename Record>
SteadyRecord RecordSteadily(const Reading& read, const Record& record, RegScriptJournal& journal,
                            std::uint32_t& counter, const AfterEachRecord& afterEachRecord) {
  for (int attempt = 1; attempt <= kTries; ++attempt) {
    const auto before = read();
    if (!record()) return SteadyRecord::Failed;
    if (afterEachRecord) afterEachRecord(attempt);
    if (read() == before) return SteadyRecord::Recorded;
    // A record that cannot be taken back would stand for data that is no
    // longer there: nothing may be deleted on it.
    if (!DropRecord(journal, counter)) return SteadyRecord::Failed;
  }
  return SteadyRecord::KeptChanging;
}

}  // namespace

SteadyRecord Backup_KeySteadily(RootKey root, const std::wstring& key, RegScriptJournal& journal,
                                const std::wstring& exportFolder, DWORD timeLimitMs,
                                const AfterEachRecord& afterEachRecord) {
  return RecordSteadily([&] { return ReadKeyTreeState(root, key); },
                        [&] { return Backup_Key(root, key, journal, exportFolder, timeLimitMs); }, journal,
                        journal.Counters().savedKeys, afterEachRecord);
}

SteadyRecord Backup_ValueSteadily(RootKey root, const std::wstring& key, const std::wstring& name,
                                  RegScriptJournal& journal, bool escape, const AfterEachRecord& afterEachRecord) {
  return RecordSteadily([&] { return ReadValueData(root, key, name); },
                        [&] { return Backup_Value(root, key, name, journal, escape); }, journal,
                        journal.Counters().savedValues, afterEachRecord);
}

}  // namespace keytidy
