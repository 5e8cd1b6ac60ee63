#pragma once
// Backup sets: where they live, how their files are named and the
// descriptor that says what a set holds. A set is made in three steps: the
// name is formed (nothing written yet), the script grows record by record,
// and the descriptor is written last.
#include <string>

namespace keytidy {

inline constexpr wchar_t kModule_RC[] = L"RC";
inline constexpr wchar_t kAction_RC_Deleted[] = L"RC_DELETED";

// ProgramFolder + "\Backups".
std::wstring Backup_Folder();

// folder + "\" + module + "_" + yyyy_mm_dd_hh_nn_ss_zzz (local time) + ".reg".
// Creates the folder and any missing parents and resets the record
// counters; nothing is written yet. A name whose script or descriptor
// already exists is never handed out again: the stamp moves on by a
// millisecond instead, so a new set cannot add to or overwrite an old one.
std::wstring Backup_Create_Filename(const std::wstring& folder, const std::wstring& module);

// The descriptor of a script: the first ".reg" (any case) of the file name
// becomes ".ini"; and the reverse. Empty when the name holds no such part.
std::wstring Backup_DescriptorPath(const std::wstring& scriptPath);
std::wstring Backup_ScriptPath(const std::wstring& descriptorPath);
// The same replacement for any part (extra-file copies use "." + NAME).
std::wstring Backup_ReplaceInFileName(const std::wstring& path, const std::wstring& from, const std::wstring& to);

// Writes the descriptor of the set whose script is `scriptPath` (section
// "Backup": DateTime when `stamp`, Modul, Action when not empty, Display,
// User, SavedKeys, SavedValues), adds the counters to the usage totals and
// resets them. False when the path is empty or the descriptor could not be
// created; single keys that fail are skipped.
bool Backup_Write_Inifile(const std::wstring& scriptPath, const std::wstring& module, const std::wstring& action,
                          const std::wstring& display, bool stamp);

}  // namespace keytidy
