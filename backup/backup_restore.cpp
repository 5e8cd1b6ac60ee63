#include "backup/backup_restore.h"

#include <windows.h>

#include "backup/backup_set.h"
#include "backup/backup_set_names.h"
#include "backup/reg_script_check.h"
#include "backup/reg_script_text.h"
#include "backup/whole_file.h"
#include "platform/debug_log.h"

namespace keytidy {

namespace {

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

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

// A script of the records before the cut, where reg.exe can read it and
// no listing of backup sets will ever see it.
std::wstring WriteIntactScript(const std::wstring& intactText) {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return {};
  const std::wstring path = std::wstring(folder) + L"keytidy-restore-" + std::to_wstring(GetCurrentProcessId()) +
                            L"-" + std::to_wstring(GetTickCount()) + L".reg";
  if (!ReplaceFileContent(path, RegScriptHeaderBytes() + RegScriptBytes(intactText))) return {};
  return path;
}

// Imports the script's records and checks that they all came back; an
// empty text means success.
std::wstring ImportAndCheck(const RestorePlan& plan, DWORD timeLimitMs) {
  const RestoreScript& content = plan.scriptContent;
  std::wstring imported = plan.script;
  if (content.condition == ScriptCondition::TornTail) {
    imported = WriteIntactScript(content.intactText);
    if (imported.empty()) return L"a temporary copy of the script's whole records could not be written";
  }
  const RegExeResult run = RegExe_Run({L"import", imported}, FolderWithBackslash(plan.script), timeLimitMs);
  if (imported != plan.script) DeleteFileW(imported.c_str());
  if (!run.started) return run.refusal;
  if (run.timedOut) return L"reg.exe import did not finish in time and was ended";
  if (run.exitCode != 0) return L"reg.exe import failed with exit code " + std::to_wstring(run.exitCode);
  if (const std::vector<std::wstring> missing = RegScript_Differences(content.records); !missing.empty())
    return L"not everything came back: " + Joined(missing);
  return {};
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

RestoreResult Backup_RestoreSet(const std::wstring& descriptor, DWORD timeLimitMs) {
  RestoreResult result;
  const RestorePlan plan = Backup_PlanRestore(descriptor);
  if (plan.refusal != RestoreRefusal::None) {
    result.refusal = plan.refusal;
    result.reason = plan.refusalReason + L"; nothing was changed";
    Debug_Output(L"Restore refused: " + descriptor + L" ; " + result.reason);
    return result;
  }
  for (const ExtraFile& file : plan.files)
    if (CopyBack(file.copy, file.target)) ++result.filesCopied;
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
    result.reason = ImportAndCheck(plan, timeLimitMs);
    result.restored = result.reason.empty();
  }
  if (!result.restored) Debug_Output(L"Restore failed: " + descriptor + L" ; " + result.reason);
  return result;
}

}  // namespace keytidy
