#include "backup/backup_extra_files.h"

#include "backup/backup_set.h"
#include "backup/backup_set_names.h"
#include "platform/text.h"
#include "settings/ini_file.h"

namespace keytidy {

namespace {

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

std::int32_t Backup_ExtraFileCount(const std::wstring& descriptor) {
  const std::int32_t count = Ini_ReadInteger(descriptor, kFilesSection, L"FileCount");
  return count > 0 ? count : 0;
}

std::vector<ExtraFile> Backup_ExtraFiles(const std::wstring& descriptor) {
  std::vector<ExtraFile> files;
  if (Backup_ExtraFileCount(descriptor) <= 0) return files;
  for (const std::wstring& line : Ini_ReadSectionValues(descriptor, kFilesSection)) {
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) continue;
    ExtraFile file;
    file.name = line.substr(0, equals);
    if (UpperCaseAscii(file.name) == L"FILECOUNT") continue;
    file.target = line.substr(equals + 1);
    // The copy's path is only formed from a plain name: "x\..\..\victim"
    // would otherwise lead out of the folder.
    if (Backup_IsPlainFileName(file.name)) file.copy = Backup_ReplaceInFileName(descriptor, L".ini", L"." + file.name);
    files.push_back(std::move(file));
  }
  return files;
}

bool Backup_ExtraFilesAreOurs(const std::wstring& descriptor) {
  const std::wstring folder = FolderOf(descriptor);
  for (const ExtraFile& file : Backup_ExtraFiles(descriptor))
    // An empty target only means the file is not put back anywhere.
    if (!Backup_IsFileInFolder(file.copy, folder) || (!file.target.empty() && !Backup_IsRestoreTarget(file.target)))
      return false;
  return true;
}

void ExtraFiles_Get_Filenames_in_BackupDir(const std::wstring& descriptor, std::vector<std::wstring>& list) {
  list.clear();
  const std::wstring folder = FolderOf(descriptor);
  for (const ExtraFile& file : Backup_ExtraFiles(descriptor))
    if (Backup_IsFileInFolder(file.copy, folder)) list.push_back(file.copy);
}

}  // namespace keytidy
