#include "backup/backup_set.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "backup/backup_counters.h"
#include "backup/backup_user_name.h"
#include "platform/environment.h"
#include "platform/file_existence.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "settings/date_time.h"
#include "settings/ini_file.h"
#include "settings/statistics.h"

namespace keytidy {

namespace {

constexpr wchar_t kSection[] = L"Backup";
// Present (as 1) from the moment a set is opened until it is completed.
constexpr wchar_t kIncompleteMark[] = L"Incomplete";
constexpr int kNameAttempts = 50;

// Creates every missing folder of the path, outermost first.
void CreateFolders(const std::wstring& folder) {
  for (size_t slash = folder.find(L'\\'); slash != std::wstring::npos; slash = folder.find(L'\\', slash + 1)) {
    const std::wstring part = folder.substr(0, slash);
    if (!part.empty() && part.back() != L':' && !FileOrFolderExists(part)) CreateDirectoryW(part.c_str(), nullptr);
  }
  if (!FileOrFolderExists(folder)) CreateDirectoryW(folder.c_str(), nullptr);
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
  if (FileOrFolderExists(path)) return true;
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file);
}

}  // namespace

std::wstring Backup_Folder() { return ProgramFolder() + L"\\Backups"; }

std::wstring Backup_Create_Filename(const std::wstring& folder, const std::wstring& module) {
  CreateFolders(folder);
  std::wstring script;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    if (attempt > 0) Sleep(1);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    script = folder + L"\\" + module + L"_" + Stamp(now) + L".reg";
    if (!FileOrFolderExists(script) && !FileOrFolderExists(Backup_DescriptorPath(script))) break;
  }
  return script;
}

std::optional<BackupNameParts> Backup_NameParts(const std::wstring& path) {
  std::wstring name = path.substr(path.rfind(L'\\') == std::wstring::npos ? 0 : path.rfind(L'\\') + 1);
  const size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos) return std::nullopt;
  name.resize(dot);
  // module _ yyyy _ mm _ dd _ hh _ nn _ ss _ zzz, read from the end: the
  // module itself may hold underscores.
  constexpr size_t kWidths[] = {3, 2, 2, 2, 2, 2, 4};
  WORD parts[7] = {};
  size_t end = name.size();
  for (size_t i = 0; i < 7; ++i) {
    const size_t width = kWidths[i];
    if (end < width + 1 || name[end - width - 1] != L'_') return std::nullopt;
    WORD number = 0;
    for (size_t at = end - width; at < end; ++at) {
      if (name[at] < L'0' || name[at] > L'9') return std::nullopt;
      number = static_cast<WORD>(number * 10 + (name[at] - L'0'));
    }
    parts[i] = number;
    end -= width + 1;
  }
  if (end == 0) return std::nullopt;
  SYSTEMTIME time{};
  time.wYear = parts[6];
  time.wMonth = parts[5];
  time.wDay = parts[4];
  time.wHour = parts[3];
  time.wMinute = parts[2];
  time.wSecond = parts[1];
  time.wMilliseconds = parts[0];
  const std::optional<TDateTime> stamp = DateTimeFromSystemTime(time);
  if (!stamp) return std::nullopt;
  return BackupNameParts{name.substr(0, end), *stamp};
}

std::wstring Backup_DescriptorPath(const std::wstring& scriptPath) {
  return Backup_ReplaceInFileName(scriptPath, L".reg", L".ini");
}

std::wstring Backup_ScriptPath(const std::wstring& descriptorPath) {
  return Backup_ReplaceInFileName(descriptorPath, L".ini", L".reg");
}

namespace {

// The descriptor's keys in their lasting order, with the set's counts.
bool WriteDescriptorKeys(const std::wstring& descriptor, const std::wstring& module, const std::wstring& action,
                         const std::wstring& display, bool stamp, const BackupCounters& counters) {
  bool written = true;
  if (stamp) written = Ini_WriteDateTime(descriptor, kSection, L"DateTime", Now_Local()) && written;
  written = Ini_WriteString(descriptor, kSection, L"Modul", module) && written;
  if (!action.empty()) written = Ini_WriteString(descriptor, kSection, L"Action", action) && written;
  written = Ini_WriteString(descriptor, kSection, L"Display", display) && written;
  // A user name the file cannot hold as it is (blanks at its ends) is left
  // out; the set is whole without it.
  Ini_WriteString(descriptor, kSection, L"User", Get_BackupUserName());
  written =
      Ini_WriteInteger(descriptor, kSection, L"SavedKeys", static_cast<std::int32_t>(counters.savedKeys)) && written;
  return Ini_WriteInteger(descriptor, kSection, L"SavedValues", static_cast<std::int32_t>(counters.savedValues)) &&
         written;
}

}  // namespace

bool Backup_Begin_Inifile(const std::wstring& scriptPath, const std::wstring& module, const std::wstring& action) {
  const std::wstring descriptor = Backup_DescriptorPath(scriptPath);
  if (descriptor.empty() || !CreateEmptyFile(descriptor)) return false;
  // All keys now, so that completing the set later changes values in place
  // and leaves them in their usual order.
  return WriteDescriptorKeys(descriptor, module, action, L"", true, BackupCounters{}) &&
         Ini_WriteInteger(descriptor, kSection, kIncompleteMark, 1);
}

bool Backup_IsIncomplete(const std::wstring& descriptorPath) {
  // A descriptor cut short (power lost while it was written) lacks the
  // module, which every finished descriptor names.
  return Ini_IntegerIs(descriptorPath, kSection, kIncompleteMark, 1) ||
         Ini_ReadString(descriptorPath, kSection, L"Modul").empty();
}

bool Backup_Write_Inifile(const std::wstring& scriptPath, const std::wstring& module, const std::wstring& action,
                          const std::wstring& display, bool stamp, const BackupCounters& counters) {
  if (scriptPath.empty()) return false;
  const std::wstring descriptor = Backup_DescriptorPath(scriptPath);
  // Without a ".reg" in the name there is no descriptor path distinct from
  // the script, and writing would overwrite the script.
  bool written = !descriptor.empty() && CreateEmptyFile(descriptor);
  // The mark goes last and only when everything else is in: a descriptor
  // that could not be completed goes on saying so.
  if (written)
    written = WriteDescriptorKeys(descriptor, module, action, display, stamp, counters) &&
              Ini_DeleteValue(descriptor, kSection, kIncompleteMark);
  Stats_Add(kStats_BackupsSavedKeys, counters.savedKeys);
  Stats_Add(kStats_BackupsSavedValues, counters.savedValues);
  Stats_Add(kStats_BackupsCreated, 1);
  return written;
}

bool Backup_WriteUsers(const std::wstring& scriptPath, const std::vector<std::wstring>& sids) {
  if (sids.empty()) return true;
  const std::wstring descriptor = Backup_DescriptorPath(scriptPath);
  if (descriptor.empty()) return false;
  std::wstring list;
  for (const std::wstring& sid : sids) list += (list.empty() ? L"" : L",") + sid;
  return Ini_WriteString(descriptor, kSection, L"Users", list);
}

std::vector<std::wstring> Backup_Users(const std::wstring& descriptorPath) {
  std::vector<std::wstring> sids;
  const std::wstring list = Ini_ReadString(descriptorPath, kSection, L"Users");
  for (size_t start = 0; start < list.size();) {
    const size_t comma = std::min(list.find(L',', start), list.size());
    if (const std::wstring sid = Trim(list.substr(start, comma - start)); !sid.empty()) sids.push_back(sid);
    start = comma + 1;
  }
  return sids;
}

}  // namespace keytidy
