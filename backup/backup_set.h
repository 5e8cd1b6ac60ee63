#pragma once
// Backup sets: where they live, how their files are named and the
// descriptor that says what a set holds. A set is made in four steps: the
// name is formed (nothing written yet), the descriptor is opened with a
// mark that the set is incomplete, the script grows record by record, and
// the descriptor is completed. A run that never gets to the last step
// (killed, power lost, disk full) leaves a set that is listed as
// incomplete and restores what it holds.
#include <optional>
#include <string>
#include <vector>

#include "backup/backup_counters.h"
#include "settings/date_time.h"

namespace keytidy {

inline constexpr wchar_t kModule_RC[] = L"RC";
inline constexpr wchar_t kAction_RC_Deleted[] = L"RC_DELETED";

// ProgramFolder + "\Backups".
std::wstring Backup_Folder();

// folder + "\" + module + "_" + yyyy_mm_dd_hh_nn_ss_zzz (local time) + ".reg".
// Creates the folder and any missing parents; nothing is written yet. A name whose script or descriptor
// already exists is never handed out again: the stamp moves on by a
// millisecond instead, so a new set cannot add to or overwrite an old one.
std::wstring Backup_Create_Filename(const std::wstring& folder, const std::wstring& module);

// What a set's file name tells: "RC_2026_01_02_03_04_05_678.reg" (or .ini)
// gives the module "RC" and that moment. None for a name of another form.
struct BackupNameParts {
  std::wstring module;
  TDateTime stamp = 0;
};
std::optional<BackupNameParts> Backup_NameParts(const std::wstring& path);

// The descriptor of a script: the first ".reg" (any case) of the file name
// becomes ".ini"; and the reverse. Empty when the name holds no such part.
std::wstring Backup_DescriptorPath(const std::wstring& scriptPath);
std::wstring Backup_ScriptPath(const std::wstring& descriptorPath);
// The same replacement for any part (extra-file copies use "." + NAME).
std::wstring Backup_ReplaceInFileName(const std::wstring& path, const std::wstring& from, const std::wstring& to);

// Opens the descriptor of a new set: every key with the start time, no
// display text, zero counters, and the mark "Incomplete=1". False when it
// could not be written whole.
bool Backup_Begin_Inifile(const std::wstring& scriptPath, const std::wstring& module, const std::wstring& action);

// Whether the descriptor belongs to a set whose run never completed it:
// marked so, or cut short before it named its module.
bool Backup_IsIncomplete(const std::wstring& descriptorPath);

// Writes the descriptor of the set whose script is `scriptPath` (section
// "Backup": DateTime when `stamp`, Modul, Action when not empty, Display,
// User, SavedKeys, SavedValues from `counters`) and removes the incomplete
// mark, and adds the counters to the usage totals. False when the path is
// empty or the descriptor could not be written whole (the mark then stays).
bool Backup_Write_Inifile(const std::wstring& scriptPath, const std::wstring& module, const std::wstring& action,
                          const std::wstring& display, bool stamp, const BackupCounters& counters);

// Names, in the descriptor's "Users" key, the accounts whose hives the
// set's records come from (SIDs, comma-separated). Older descriptors have
// no such key; nothing is written for an empty list. False when it could
// not be written.
bool Backup_WriteUsers(const std::wstring& scriptPath, const std::vector<std::wstring>& sids);
// The accounts a descriptor names; empty for an older one.
std::vector<std::wstring> Backup_Users(const std::wstring& descriptorPath);

}  // namespace keytidy
