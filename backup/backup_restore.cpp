#include "backup/backup_restore.h"

#include <windows.h>

#include "backup/backup_set.h"
#include "backup/backup_set_names.h"
#include "backup/record_choice.h"
#include "backup/reg_records_text.h"
#include "backup/reg_script_check.h"
#include "backup/reg_script_text.h"
#include "platform/file_existence.h"
#include "platform/whole_file.h"
#include "platform/debug_log.h"

namespace keytidy {

namespace {

// The copy overwrites the target in one step: deleting the target first
// would lose it whenever the copy then fails.
bool CopyBack(const std::wstring& copy, const std::wstring& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  return CopyFileW(copy.c_str(), target.c_str(), FALSE) != FALSE;
}

std::wstring FolderWithBackslash(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }

std::wstring Joined(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const std::wstring& line : lines) text += (text.empty() ? L"" : L"; ") + line;
  return text;
}

// The steps of one restore as its front end hears of them: one per extra
// file, one for the import, one for the check.
class StepCounter {
 public:
  StepCounter(TRestoreProgress* progress, int files) : progress_(progress), maximum_(files + 2) {}
  void Begin(RestoreStep step) {
    if (progress_) progress_->RestoreStepped(step, position_, maximum_);
  }
  void Finished() { ++position_; }
  void AllDone() {
    if (progress_) progress_->RestoreStepped(RestoreStep::Done, maximum_, maximum_);
  }

 private:
  TRestoreProgress* progress_;
  int position_ = 0;
  int maximum_;
};

// A script of its own for records read from a set, where reg.exe can
// read it and no listing of backup sets will ever see it.
std::wstring WriteTemporaryScript(const std::wstring& recordsText) {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return {};
  const std::wstring path = std::wstring(folder) + L"keytidy-restore-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(GetTickCount()) + L".reg";
  if (!ReplaceFileContent(path, RegScriptHeaderBytes() + RegScriptBytes(recordsText))) return {};
  return path;
}

// Imports `scriptFile` and checks that all of `records` (what the file
// holds) came back; an empty text means success.
std::wstring ImportFileAndCheck(const std::wstring& scriptFile, const std::wstring& setScript,
                                const std::vector<RegRecord>& records, DWORD timeLimitMs, StepCounter& steps) {
  steps.Begin(RestoreStep::Importing);
  const RegExeResult run = RegExe_Run({L"import", scriptFile}, FolderWithBackslash(setScript), timeLimitMs);
  steps.Finished();
  if (!run.started) return run.refusal;
  if (run.timedOut) return L"reg.exe import did not finish in time and was ended";
  if (run.exitCode != 0) return L"reg.exe import failed with exit code " + std::to_wstring(run.exitCode);
  steps.Begin(RestoreStep::Checking);
  const std::vector<std::wstring> missing = RegScript_Differences(records);
  steps.Finished();
  if (!missing.empty()) return L"not everything came back: " + Joined(missing);
  return {};
}

// The same for records that are imported from a temporary script of
// their own; the set's own files stay as they are.
std::wstring ImportRecordsAndCheck(const std::wstring& recordsText, const std::wstring& setScript,
                                   const std::vector<RegRecord>& records, DWORD timeLimitMs, StepCounter& steps) {
  const std::wstring temporary = WriteTemporaryScript(recordsText);
  if (temporary.empty()) return L"a temporary script of the records to put back could not be written";
  const std::wstring reason = ImportFileAndCheck(temporary, setScript, records, timeLimitMs, steps);
  DeleteFileW(temporary.c_str());
  return reason;
}

// Imports the script's records and checks that they all came back; an
// empty text means success.
std::wstring ImportAndCheck(const RestorePlan& plan, DWORD timeLimitMs, StepCounter& steps) {
  const RestoreScript& content = plan.scriptContent;
  if (content.condition == ScriptCondition::TornTail)
    return ImportRecordsAndCheck(content.intactText, plan.script, content.records, timeLimitMs, steps);
  return ImportFileAndCheck(plan.script, plan.script, content.records, timeLimitMs, steps);
}

RestoreResult Refused(const std::wstring& descriptor, RestoreRefusal refusal, const std::wstring& reason) {
  RestoreResult result;
  result.refusal = refusal;
  result.reason = reason + L"; nothing was changed";
  Debug_Output(L"Restore refused: " + descriptor + L" ; " + result.reason);
  return result;
}

}  // namespace

RestorePlan Backup_PlanRestore(const std::wstring& descriptor) {
  RestorePlan plan;
  if (!Backup_SetIsOurs(descriptor)) {
    plan.refusal = RestoreRefusal::NotOurs;
    plan.refusalReason = L"the set's description names files outside the Backups folder";
    return plan;
  }
  for (ExtraFile& file : Backup_ExtraFiles(descriptor))
    if (!file.target.empty() && FileExists(file.copy)) plan.files.push_back(std::move(file));
  const std::wstring script = Backup_ScriptPath(descriptor);
  if (script.empty() || !FileExists(script)) return plan;
  plan.script = script;
  const std::optional<std::string> bytes = ReadWholeFile(script);
  plan.scriptContent = RegScript_ReadForRestore(bytes ? *bytes : std::string());
  if (!bytes) plan.scriptContent.error = L"cannot read the file";
  if (plan.scriptContent.condition == ScriptCondition::Unreadable) {
    plan.refusal = RestoreRefusal::UnreadableScript;
    plan.refusalReason = L"the registry script cannot be read (" + plan.scriptContent.error + L")";
  }
  return plan;
}

RestoreResult Backup_RestoreSet(const std::wstring& descriptor, DWORD timeLimitMs, TRestoreProgress* progress) {
  const RestorePlan plan = Backup_PlanRestore(descriptor);
  if (plan.refusal != RestoreRefusal::None) return Refused(descriptor, plan.refusal, plan.refusalReason);
  RestoreResult result;
  StepCounter steps(progress, static_cast<int>(plan.files.size()));
  for (const ExtraFile& file : plan.files) {
    steps.Begin(RestoreStep::CopyingFiles);
    if (CopyBack(file.copy, file.target)) ++result.filesCopied;
    steps.Finished();
  }
  const RestoreScript& content = plan.scriptContent;
  result.tornRecordLeftOut = !plan.script.empty() && content.condition == ScriptCondition::TornTail;
  result.tornRecord = content.tornText;
  // A script that holds nothing whole beyond a cut record has nothing to
  // import; the set then stands as one without a script.
  const bool nothingToImport = plan.script.empty() || (result.tornRecordLeftOut && content.records.empty());
  if (nothingToImport) {
    result.restored = result.filesCopied > 0;
    if (!result.restored)
      result.reason = plan.script.empty() ? L"the set has no registry script and no extra file to put back"
                                          : L"the script's only record was cut short when it was written, and the set "
                                            L"has no extra file to put back";
  } else {
    result.reason = ImportAndCheck(plan, timeLimitMs, steps);
    result.restored = result.reason.empty();
  }
  steps.AllDone();
  if (!result.restored) Debug_Output(L"Restore failed: " + descriptor + L" ; " + result.reason);
  return result;
}

namespace {

// Imports exactly `records` of the planned set through a script of their
// own, and checks them.
RestoreResult RestoreRecords(const std::wstring& descriptor, const RestorePlan& plan,
                             const std::vector<RegRecord>& records, DWORD timeLimitMs, TRestoreProgress* progress) {
  const std::optional<std::wstring> text = RegScript_RecordsText(records);
  if (!text)
    return Refused(descriptor, RestoreRefusal::UnreadableScript,
                   L"a chosen record cannot be written into a script of its own");
  RestoreResult result;
  result.recordsChosen = static_cast<int>(records.size());
  StepCounter steps(progress, 0);
  result.reason = ImportRecordsAndCheck(*text, plan.script, records, timeLimitMs, steps);
  result.restored = result.reason.empty();
  steps.AllDone();
  if (!result.restored) Debug_Output(L"Partial restore failed: " + descriptor + L" ; " + result.reason);
  return result;
}

}  // namespace

RestoreResult Backup_RestoreChosen(const std::wstring& descriptor, const std::vector<std::wstring>& names,
                                   DWORD timeLimitMs, TRestoreProgress* progress) {
  const RestorePlan plan = Backup_PlanRestore(descriptor);
  if (plan.refusal != RestoreRefusal::None) return Refused(descriptor, plan.refusal, plan.refusalReason);
  const RecordChoice choice = RegScript_ChooseRecords(plan.scriptContent.records, names);
  if (!choice.unmatched.empty() || names.empty()) {
    RestoreResult result =
        Refused(descriptor, RestoreRefusal::NotInSet, L"the set records nothing named " + Joined(choice.unmatched));
    result.unmatched = choice.unmatched;
    return result;
  }
  return RestoreRecords(descriptor, plan, choice.records, timeLimitMs, progress);
}

RestoreResult Backup_RestoreRecordsAt(const std::wstring& descriptor, const std::vector<size_t>& positions,
                                      DWORD timeLimitMs, TRestoreProgress* progress) {
  const RestorePlan plan = Backup_PlanRestore(descriptor);
  if (plan.refusal != RestoreRefusal::None) return Refused(descriptor, plan.refusal, plan.refusalReason);
  const std::vector<RegRecord>& all = plan.scriptContent.records;
  std::vector<RegRecord> chosen;
  std::vector<bool> taken(all.size(), false);
  for (size_t position : positions) {
    if (position >= all.size())
      return Refused(descriptor, RestoreRefusal::NotInSet,
                     L"the set holds no record number " + std::to_wstring(position + 1));
    taken[position] = true;
  }
  for (size_t i = 0; i < all.size(); ++i)
    if (taken[i]) chosen.push_back(all[i]);
  if (chosen.empty()) return Refused(descriptor, RestoreRefusal::NotInSet, L"no record was chosen");
  return RestoreRecords(descriptor, plan, chosen, timeLimitMs, progress);
}

}  // namespace keytidy
