#include "backup/backup_extra_files.h"

#include "backup/backup_set.h"
#include "platform/text.h"
#include "settings/ini_file.h"

namespace keytidy {

std::int32_t Backup_ExtraFileCount(const std::wstring& descriptor) {
  const std::int32_t count = Ini_ReadInteger(descriptor, kFilesSection, L"FileCount");
  return count > 0 ? count : 0;
}

void ExtraFiles_Get_Filenames_in_BackupDir(const std::wstring& descriptor, std::vector<std::wstring>& list) {
  list.clear();
  if (Backup_ExtraFileCount(descriptor) <= 0) return;
  for (const std::wstring& line : Ini_ReadSectionValues(descriptor, kFilesSection)) {
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) continue;
    const std::wstring name = line.substr(0, equals);
    if (UpperCaseAscii(name) == L"FILECOUNT") continue;
    const std::wstring copy = Backup_ReplaceInFileName(descriptor, L".ini", L"." + name);
    if (!copy.empty()) list.push_back(copy);
  }
}

}  // namespace keytidy
