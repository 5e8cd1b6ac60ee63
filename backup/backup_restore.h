#pragma once
// Putting a backup set back. First the set is checked as a whole: a set
// that names files outside its folder, or whose script cannot be read, is
// refused and nothing changes. Then its extra files are copied back and its
// registry script is imported through reg.exe import; a script whose last
// record was cut short when it was written is imported without that
// record. reg.exe import may exit 0 although lines failed, so the restore
// only counts as done when every key and value imported is found in the
// registry afterwards with the same type and data; otherwise the result
// names what did not come back. A partial restore puts back only chosen
// records of the script, with the same checks.
#include <string>
#include <vector>

#include "backup/backup_extra_files.h"
#include "backup/reg_exe.h"
#include "backup/restore_progress.h"
#include "backup/torn_script.h"

namespace keytidy {

enum class RestoreRefusal {
  None,
  NotOurs,           // the descriptor names files outside the set's folder
  UnreadableScript,  // the script is damaged before its last record
  NotInSet,          // a partial restore names records the set does not hold
};

// What a restore will do, read before anything changes.
struct RestorePlan {
  RestoreRefusal refusal = RestoreRefusal::None;
  std::wstring script;           // the script's path; empty when the set has none
  RestoreScript scriptContent;   // read when the script exists
  std::vector<ExtraFile> files;  // the extra files whose copy exists; each is put back at its target
  std::wstring refusalReason;    // English, for logs and the console
};

RestorePlan Backup_PlanRestore(const std::wstring& descriptor);

struct RestoreResult {
  bool restored = false;
  RestoreRefusal refusal = RestoreRefusal::None;  // not None: nothing was changed
  int filesCopied = 0;
  // The script's last record was cut short and left out; its text as far
  // as it got (empty when only zero bytes followed the last whole record).
  bool tornRecordLeftOut = false;
  std::wstring tornRecord;
  std::wstring reason;  // why it failed (English, for logs and the console)
  // Partial restore: how many records were imported, and the names that
  // chose nothing (then nothing was imported).
  int recordsChosen = 0;
  std::vector<std::wstring> unmatched;
};

RestoreResult Backup_RestoreSet(const std::wstring& descriptor, DWORD timeLimitMs = kRegExeTimeLimitMs,
                                TRestoreProgress* progress = nullptr);

// Puts back only the records `names` choose (see record_choice.h) with the
// same checks as a whole restore: they are written into a temporary script
// of their own, imported, and found in the registry afterwards. The set's
// files stay untouched and its extra files are not copied. When any name
// chooses nothing, nothing is imported.
RestoreResult Backup_RestoreChosen(const std::wstring& descriptor, const std::vector<std::wstring>& names,
                                   DWORD timeLimitMs = kRegExeTimeLimitMs, TRestoreProgress* progress = nullptr);

// The same for records chosen by their places in the script's list of
// records (as Backup_PlanRestore reads them), in script order: exactly
// those records, a key record without what lies below it. Places beyond
// the list choose nothing, and nothing is imported then.
RestoreResult Backup_RestoreRecordsAt(const std::wstring& descriptor, const std::vector<size_t>& positions,
                                      DWORD timeLimitMs = kRegExeTimeLimitMs, TRestoreProgress* progress = nullptr);

}  // namespace keytidy
