#pragma once
// Extra files of a backup set: copies of files that a restore puts back
// where they belong. The descriptor's section "Files" names them: each key
// NAME other than "FileCount" holds the full target path, and the copy sits
// beside the descriptor as its base name + "." + NAME.
#include <cstdint>
#include <string>
#include <vector>

namespace keytidy {

inline constexpr wchar_t kFilesSection[] = L"Files";

// "FileCount" of section "Files"; 0 when missing or not a positive number.
std::int32_t Backup_ExtraFileCount(const std::wstring& descriptor);

// Clears `list`, then fills it with the full paths of the set's extra-file
// copies (whether they exist or not) when the set says it has any.
void ExtraFiles_Get_Filenames_in_BackupDir(const std::wstring& descriptor, std::vector<std::wstring>& list);

}  // namespace keytidy
