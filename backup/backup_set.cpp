#include "backup/backup_set.h"

#include <windows.h>

#include <cwchar>

#include "app/environment.h"
#include "backup/backup_counters.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "settings/date_time.h"
#include "settings/ini_file.h"
#include "settings/statistics.h"
#include "skin/backup_user_name.h"

namespace keytidy {

namespace {

constexpr wchar_t kSection[] = L"Backup";
constexpr int kNameAttempts = 50;

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Creates every missing folder of the path, outermost first.
void CreateFolders(const std::wstring& folder) {
  for (size_t slash = folder.find(L'\\'); slash != std::wstring::npos; slash = folder.find(L'\\', slash + 1)) {
    const std::wstring part = folder.substr(0, slash);
    if (!part.empty() && part.back() != L':' && !PathExists(part)) CreateDirectoryW(part.c_str(), nullptr);
  }
  if (!PathExists(folder)) CreateDirectoryW(folder.c_str(), nullptr);
}

std::wstring Stamp(const SYSTEMTIME& t) {
  wchar_t text[32];
  swprintf(text, 32, L"%04u_%02u_%02u_%02u_%02u_%02u_%03u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
           t.wMilliseconds);
  return text;
}

}  // namespace

std::wstring Backup_ReplaceInFileName(const std::wstring& path, const std::wstring& from, const std::wstring& to) {
  // Only the file name counts: a folder such as "C:\tools.reg\" must not
  // turn the path into one of another folder.
  const size_t nameStart = path.rfind(L'\\') == std::wstring::npos ? 0 : path.rfind(L'\\') + 1;
  const size_t at = UpperCaseAscii(path.substr(nameStart)).find(UpperCaseAscii(from));
  if (at == std::wstring::npos) return {};
  return path.substr(0, nameStart + at) + to + path.substr(nameStart + at + from.size());
}

namespace {

bool CreateEmptyFile(const std::wstring& path) {
  if (PathExists(path)) return true;
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file);
}

}  // namespace

std::wstring Backup_Folder() { return ProgramFolder() + L"\\Backups"; }

std::wstring Backup_Create_Filename(const std::wstring& folder, const std::wstring& module) {
  CreateFolders(folder);
  Backup_ResetCounters();
  std::wstring script;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    if (attempt > 0) Sleep(1);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    script = folder + L"\\" + module + L"_" + Stamp(now) + L".reg";
    if (!PathExists(script) && !PathExists(Backup_DescriptorPath(script))) break;
  }
  return script;
}

std::wstring Backup_DescriptorPath(const std::wstring& scriptPath) {
  return Backup_ReplaceInFileName(scriptPath, L".reg", L".ini");
}

std::wstring Backup_ScriptPath(const std::wstring& descriptorPath) {
  return Backup_ReplaceInFileName(descriptorPath, L".ini", L".reg");
}

bool Backup_Write_Inifile(const std::wstring& scriptPath, const std::wstring& module, const std::wstring& action,
                          const std::wstring& display, bool stamp) {
  if (scriptPath.empty()) return false;
  const std::wstring descriptor = Backup_DescriptorPath(scriptPath);
  // Without a ".reg" in the name there is no descriptor path distinct from
  // the script, and writing would overwrite the script.
  bool written = !descriptor.empty() && CreateEmptyFile(descriptor);
  if (written) {
    if (stamp) Ini_WriteDateTime(descriptor, kSection, L"DateTime", Now_Local());
    Ini_WriteString(descriptor, kSection, L"Modul", module);
    if (!action.empty()) Ini_WriteString(descriptor, kSection, L"Action", action);
    Ini_WriteString(descriptor, kSection, L"Display", display);
    Ini_WriteString(descriptor, kSection, L"User", Get_BackupUserName());
    Ini_WriteInteger(descriptor, kSection, L"SavedKeys", static_cast<std::int32_t>(Backup_Counters().savedKeys));
    Ini_WriteInteger(descriptor, kSection, L"SavedValues", static_cast<std::int32_t>(Backup_Counters().savedValues));
  }
  Stats_Add(kStats_BackupsSavedKeys, Backup_Counters().savedKeys);
  Stats_Add(kStats_BackupsSavedValues, Backup_Counters().savedValues);
  Stats_Add(kStats_BackupsCreated, 1);
  Backup_ResetCounters();
  return written;
}

}  // namespace keytidy
