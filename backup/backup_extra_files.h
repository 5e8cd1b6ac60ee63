#pragma once
// Extra files of a backup set: copies of files that a restore puts back
// where they belong. The descriptor's section "Files" names them: each key
// NAME other than "FileCount" holds the full target path, and the copy sits
// beside the descriptor as its base name + "." + NAME. NAME must be a plain
// file name (backup/backup_set_names.h): a copy is only ever looked for in
// the set's own folder.
#include <cstdint>
#include <string>
#include <vector>

namespace keytidy {

inline constexpr wchar_t kFilesSection[] = L"Files";

// "FileCount" of section "Files"; 0 when missing or not a positive number.
std::int32_t Backup_ExtraFileCount(const std::wstring& descriptor);

struct ExtraFile {
  std::wstring name;    // the key in section "Files"
  std::wstring copy;    // the copy in the set's folder; empty when `name` is no plain file name
  std::wstring target;  // where the restore puts it back
};

// Every extra file the descriptor names, in file order; none unless
// "FileCount" is above 0.
std::vector<ExtraFile> Backup_ExtraFiles(const std::wstring& descriptor);

// Whether every extra file of the set is one of its own: its copy a plain
// file in the descriptor's folder and its target a full path that names a
// file (Backup_IsRestoreTarget) or empty (the file is not put back). A
// set without extra files passes.
bool Backup_ExtraFilesAreOurs(const std::wstring& descriptor);

// Clears `list`, then fills it with the full paths of the set's extra-file
// copies (whether they exist or not) when the set says it has any. Names
// that are no plain file names are left out: nothing outside the set's
// folder is ever listed.
void ExtraFiles_Get_Filenames_in_BackupDir(const std::wstring& descriptor, std::vector<std::wstring>& list);

}  // namespace keytidy
