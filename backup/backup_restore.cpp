#include "backup/backup_restore.h"

#include <windows.h>

#include "backup/backup_extra_files.h"
#include "backup/backup_set.h"
#include "backup/reg_script_check.h"
#include "backup/reg_script_reader.h"
#include "platform/debug_log.h"
#include "platform/text_after_last.h"
#include "settings/ini_file.h"

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

int RestoreExtraFiles(const std::wstring& descriptor) {
  std::vector<std::wstring> copies;
  ExtraFiles_Get_Filenames_in_BackupDir(descriptor, copies);
  int copied = 0;
  for (const std::wstring& copy : copies) {
    const std::wstring name = Get_TextAfterLast(copy, L".");
    const std::wstring target = Ini_ReadString(descriptor, kFilesSection, name);
    if (target.empty() || !FileExists(copy)) continue;
    if (CopyBack(copy, target)) ++copied;
  }
  return copied;
}

std::wstring FolderWithBackslash(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }

std::wstring Joined(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const std::wstring& line : lines) text += (text.empty() ? L"" : L"; ") + line;
  return text;
}

}  // namespace

RestoreResult Backup_RestoreSet(const std::wstring& descriptor, DWORD timeLimitMs) {
  RestoreResult result;
  result.filesCopied = RestoreExtraFiles(descriptor);
  const std::wstring script = Backup_ScriptPath(descriptor);
  if (script.empty() || !FileExists(script)) {
    result.restored = result.filesCopied > 0;
    if (!result.restored) result.reason = L"the set has no registry script and no extra file to put back";
    return result;
  }
  const RegScriptReadResult parsed = RegScript_ReadFile(script);
  const RegExeResult run = RegExe_Run({L"import", script}, FolderWithBackslash(script), timeLimitMs);
  if (!run.started) {
    result.reason = run.refusal;
  } else if (run.timedOut) {
    result.reason = L"reg.exe import did not finish in time and was ended";
  } else if (run.exitCode != 0) {
    result.reason = L"reg.exe import failed with exit code " + std::to_wstring(run.exitCode);
  } else if (!parsed.ok) {
    // Imported as asked, but what came back cannot be checked.
    result.reason = L"the registry script cannot be read back to check it (" + parsed.error + L")";
  } else if (const std::vector<std::wstring> missing = RegScript_Differences(parsed.records); !missing.empty()) {
    result.reason = L"not everything came back: " + Joined(missing);
  } else {
    result.restored = true;
  }
  if (!result.restored) Debug_Output(L"Restore failed: " + script + L" ; " + result.reason);
  return result;
}

}  // namespace keytidy
