#include "cli/backup_set_lookup.h"

#include "platform/text.h"

namespace keytidy::cli {

namespace {

std::wstring WithoutSetExtension(const std::wstring& name) {
  const std::wstring upper = UpperCaseAscii(name);
  for (const wchar_t* extension : {L".INI", L".REG"})
    if (upper.size() > 4 && upper.compare(upper.size() - 4, 4, extension) == 0) return name.substr(0, name.size() - 4);
  return name;
}

}  // namespace

std::wstring BackupSetName(const TTreeData_Backup& row) {
  const std::wstring& path = row.FullPath_Inifile;
  return WithoutSetExtension(path.substr(path.rfind(L'\\') + 1));
}

std::wstring BackupSetDescription(const TTreeData_Backup& row) {
  std::wstring description = row.Action;
  if (!row.Display.empty()) description += (description.empty() ? L"" : L" ") + row.Display;
  return description;
}

bool SelectBackupSet(TBackups& manager, const std::wstring& name) {
  manager.Read_Backups();
  const std::wstring wanted = UpperCaseAscii(WithoutSetExtension(name));
  bool found = false;
  for (PVirtualNode row : *manager.FTree) {
    const bool match = !found && UpperCaseAscii(BackupSetName(TBackups::Data(row))) == wanted;
    manager.FTree->SetSelected(row, match);
    found = found || match;
  }
  return found;
}

}  // namespace keytidy::cli
