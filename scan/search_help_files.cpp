// Help-file registrations: a value names the help file, its data the folder
// that holds it. Reported when the file is missing, or (group of its own)
// when it is there but empty.
#include "app/globals.h"
#include "platform/error_mode.h"
#include "platform/file_existence.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

namespace {

std::wstring HelpKey(bool wow6432Node, const std::wstring& subKey) {
  return (wow6432Node ? L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\" : L"SOFTWARE\\Microsoft\\Windows\\") + subKey;
}

// Folder data + value name; empty data gives no reference at all.
std::wstring HelpFileReference(RootKey root, const std::wstring& key, const std::wstring& name) {
  std::wstring folder = Reg_ReadString(root, key, name);
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder == L"\\" ? std::wstring() : folder + name;
}

// Only a size the directory search reported counts; a file that cannot be
// listed is not called empty.
bool IsEmptyFile(const std::wstring& path, RegistryView view) {
  const std::wstring seen = Path_AsViewSeesIt(path, view);
  FsRedirectionOff redirectionOff;
  const DirectoryEntry entry = Find_DirectoryEntry(seen);
  return entry.found && !entry.isDirectory && entry.size == 0;
}

// Both help checks walk the same key and differ only in what they report.
void WalkHelpFiles(TRegistryCleaner& rc, std::int32_t groupIndex, std::int32_t comboBoxIndex, bool wow6432Node,
                   const std::wstring& subKey,
                   const std::function<bool(const std::wstring& path, RegistryView view)>& report) {
  if (STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  const std::wstring key = HelpKey(wow6432Node, subKey);
  if (!Reg_KeyExistsWritable(root, key)) return;
  const RegistryView view = View_OfPass(wow6432Node);
  CriticalErrorBoxesOff errorBoxesOff;
  Walk_CheckItems(rc, List_ValueNames(root, key), ItemCounter::ValuesByCount, [&](const std::wstring& name) {
    const std::wstring path = Resolve_FileReference(rc, HelpFileReference(root, key, name), !wow6432Node, view);
    if (report(path, view))
      Report_Finding(rc, groupIndex, comboBoxIndex, path, name, {root, key, name}, DeleteTarget::Value);
  });
}

}  // namespace

void TRegistryCleaner::SEARCH_HELPFILES(std::int32_t GroupIndex, std::int32_t ComboBoxIndex, bool USE_WOW6432Node_Now,
                                        const std::wstring& SubKey) {
  WalkHelpFiles(*this, GroupIndex, ComboBoxIndex, USE_WOW6432Node_Now, SubKey,
                [this](const std::wstring& path, RegistryView view) { return Is_MissingFile(*this, path, view); });
}

void TRegistryCleaner::SEARCH_HELPFILES_ZEROBYTES(std::int32_t GroupIndex, std::int32_t ComboBoxIndex,
                                                  bool USE_WOW6432Node_Now, const std::wstring& SubKey) {
  WalkHelpFiles(*this, GroupIndex, ComboBoxIndex, USE_WOW6432Node_Now, SubKey,
                [this](const std::wstring& path, RegistryView view) {
                  return IsDrivePath(path) && FileExists_HDDS(path, view) && IsEmptyFile(path, view);
                });
}

}  // namespace keytidy
