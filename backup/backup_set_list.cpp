#include "backup/backup_set_list.h"

#include <windows.h>

#include <algorithm>

#include "backup/backup_age.h"
#include "backup/backup_extra_files.h"
#include "backup/backup_set.h"
#include "backup/backup_set_names.h"
#include "platform/file_existence.h"
#include "platform/file_queries.h"
#include "platform/text.h"
#include "settings/ini_file.h"

namespace keytidy {

namespace {

constexpr wchar_t kSection[] = L"Backup";
// A date this far from today is taken as missing or broken.
constexpr std::int64_t kImplausibleAgeDays = 1000;

std::int64_t SizeOrZero(const std::wstring& path) {
  if (path.empty() || !FileExists(path)) return 0;
  return std::max<std::int64_t>(Get_FileSize(path), 0);
}

std::optional<TDateTime> CreationTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  FILETIME local{};
  SYSTEMTIME time{};
  if (!FileTimeToLocalFileTime(&data.ftCreationTime, &local) || !FileTimeToSystemTime(&local, &time))
    return std::nullopt;
  return DateTimeFromSystemTime(time);
}

TTreeData_Backup ReadSet(const std::wstring& descriptor) {
  TTreeData_Backup set;
  set.FullPath_Inifile = descriptor;
  set.FullPath_regfile = Backup_ScriptPath(descriptor);
  set.Modul = Ini_ReadString(descriptor, kSection, L"Modul");
  set.Display = Ini_ReadString(descriptor, kSection, L"Display");
  set.Action = Ini_ReadString(descriptor, kSection, L"Action");
  set.User = Ini_ReadString(descriptor, kSection, L"User");
  set.DateTime = Ini_ReadDateTime(descriptor, kSection, L"DateTime");
  set.Incomplete = Backup_IsIncomplete(descriptor);
  set.NotOurs = !Backup_SetIsOurs(descriptor);
  set.size = SizeOrZero(set.FullPath_regfile) + SizeOrZero(descriptor);
  const std::optional<std::int64_t> age = Backup_AgeInDays(set.DateTime, Now_Local());
  if (!age || *age >= kImplausibleAgeDays) {
    if (const auto created = CreationTime(descriptor)) set.DateTime = *created;
  }
  std::vector<std::wstring> copies;
  ExtraFiles_Get_Filenames_in_BackupDir(descriptor, copies);
  for (const std::wstring& copy : copies) set.size += SizeOrZero(copy);
  return set;
}

// A script whose descriptor never got written (power lost at the very
// start) or was lost: what its name and the file tell.
TTreeData_Backup ReadScriptOnlySet(const std::wstring& script) {
  TTreeData_Backup set;
  set.FullPath_regfile = script;
  set.FullPath_Inifile = Backup_DescriptorPath(script);
  set.Incomplete = true;
  set.size = SizeOrZero(script);
  if (const std::optional<BackupNameParts> parts = Backup_NameParts(script)) {
    set.Modul = parts->module;
    set.DateTime = parts->stamp;
  } else if (const auto created = CreationTime(script)) {
    set.DateTime = *created;
  }
  return set;
}

bool HasExtension(const std::wstring& path, const std::wstring& extension) {
  return path.size() >= extension.size() &&
         UpperCaseAscii(path.substr(path.size() - extension.size())) == UpperCaseAscii(extension);
}

std::wstring WithoutSetExtension(const std::wstring& name) {
  const std::wstring upper = UpperCaseAscii(name);
  for (const wchar_t* extension : {L".INI", L".REG"})
    if (upper.size() > 4 && upper.compare(upper.size() - 4, 4, extension) == 0) return name.substr(0, name.size() - 4);
  return name;
}

std::wstring NameOfDescriptor(const std::wstring& descriptor) {
  return WithoutSetExtension(descriptor.substr(descriptor.rfind(L'\\') + 1));
}

// Where a set's files are, before any of them is read: its descriptor, or
// for a script without one the script.
struct SetFiles {
  std::wstring descriptor;
  std::wstring scriptOnly;  // empty when the descriptor exists
};

std::vector<SetFiles> ListSetFiles(const std::wstring& folder) {
  std::vector<SetFiles> sets;
  std::vector<std::wstring> descriptors;
  List_Files(folder + L"\\", L"*.ini", descriptors);
  for (const std::wstring& descriptor : descriptors) sets.push_back({descriptor, L""});
  std::vector<std::wstring> scripts;
  List_Files(folder + L"\\", L"*.reg", scripts);
  for (const std::wstring& script : scripts) {
    // The pattern also matches longer extensions through short names.
    const std::wstring descriptor = Backup_DescriptorPath(script);
    if (HasExtension(script, L".reg") && !descriptor.empty() && !FileExists(descriptor))
      sets.push_back({descriptor, script});
  }
  return sets;
}

TTreeData_Backup ReadSet(const SetFiles& files) {
  return files.scriptOnly.empty() ? ReadSet(files.descriptor) : ReadScriptOnlySet(files.scriptOnly);
}

template <typename T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

std::vector<TTreeData_Backup> ReadBackupSets(const std::wstring& folder) {
  std::vector<TTreeData_Backup> sets;
  for (const SetFiles& files : ListSetFiles(folder)) sets.push_back(ReadSet(files));
  return sets;
}

int CompareBackupSets(const TTreeData_Backup& a, const TTreeData_Backup& b, int column) {
  switch (column) {
    case kBackupColumn_Module: return Order(UpperCaseAscii(a.Modul), UpperCaseAscii(b.Modul));
    case kBackupColumn_Description: return Order(UpperCaseAscii(a.Display), UpperCaseAscii(b.Display));
    case kBackupColumn_Size: return Order(a.size, b.size);
    case kBackupColumn_User: return Order(UpperCaseAscii(a.User), UpperCaseAscii(b.User));
    case kBackupColumn_Date: return Order(a.DateTime, b.DateTime);
    default: return 0;
  }
}

void SortBackupSets(std::vector<TTreeData_Backup>& sets, int column, bool descending) {
  std::stable_sort(sets.begin(), sets.end(), [&](const TTreeData_Backup& a, const TTreeData_Backup& b) {
    const int order = CompareBackupSets(a, b, column);
    return descending ? order > 0 : order < 0;
  });
}

std::wstring BackupSetName(const TTreeData_Backup& set) { return NameOfDescriptor(set.FullPath_Inifile); }

std::wstring BackupSetDescription(const TTreeData_Backup& set) {
  std::wstring description = set.Action;
  if (!set.Display.empty()) description += (description.empty() ? L"" : L" ") + set.Display;
  return description;
}

std::optional<TTreeData_Backup> FindBackupSet(const std::wstring& folder, const std::wstring& name) {
  const std::wstring wanted = UpperCaseAscii(WithoutSetExtension(name));
  for (const SetFiles& files : ListSetFiles(folder))
    if (UpperCaseAscii(NameOfDescriptor(files.descriptor)) == wanted) return ReadSet(files);
  return std::nullopt;
}

}  // namespace keytidy
