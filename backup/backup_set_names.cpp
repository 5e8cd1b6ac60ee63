#include "backup/backup_set_names.h"

#include "backup/backup_extra_files.h"
#include "backup/backup_set.h"
#include "platform/text.h"

namespace keytidy {

namespace {

bool IsRefusedCharacter(wchar_t c) {
  return c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos;
}

// Windows opens a device for these names whatever follows the first dot
// ("NUL", "nul.txt", "COM1 .log"); the superscript digits count as digits.
bool IsDeviceName(std::wstring_view name) {
  std::wstring_view base = name.substr(0, name.find(L'.'));
  while (!base.empty() && base.back() == L' ') base.remove_suffix(1);
  const std::wstring upper = UpperCaseAscii(base);
  for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$", L"CLOCK$"})
    if (upper == device) return true;
  if (upper.size() != 4 || (upper.compare(0, 3, L"COM") != 0 && upper.compare(0, 3, L"LPT") != 0)) return false;
  const wchar_t digit = upper[3];
  return (digit >= L'0' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
}

}  // namespace

bool Backup_IsPlainFileName(std::wstring_view name) {
  if (name.empty() || name.find(L"..") != std::wstring_view::npos) return false;
  for (wchar_t c : name)
    if (IsRefusedCharacter(c)) return false;
  if (name.back() == L'.' || name.back() == L' ') return false;
  return !IsDeviceName(name);
}

bool Backup_IsFileInFolder(std::wstring_view path, std::wstring_view folder) {
  if (folder.empty() || path.size() <= folder.size() + 1) return false;
  if (!EqualsIgnoreCaseAscii(path.substr(0, folder.size()), folder) || path[folder.size()] != L'\\') return false;
  return Backup_IsPlainFileName(path.substr(folder.size() + 1));
}

bool Backup_IsRestoreTarget(std::wstring_view target) {
  std::wstring_view rest;
  if (IsDrivePath(target)) {
    const wchar_t drive = UpperCaseAscii(target.substr(0, 1))[0];
    if (drive < L'A' || drive > L'Z') return false;
    rest = target.substr(3);
  } else if (target.size() > 2 && target[0] == L'\\' && target[1] == L'\\') {
    // \\server\share\...: the server and the share must be names too, which
    // leaves out "\\.\" and "\\?\".
    rest = target.substr(2);
    const size_t server = rest.find(L'\\');
    if (server == std::wstring_view::npos || rest.find(L'\\', server + 1) == std::wstring_view::npos) return false;
  } else {
    return false;
  }
  // Every part, the file name last, is a plain name: "C:\a\\b", "C:\a\..\b"
  // and "C:\dir\" are refused.
  for (;;) {
    const size_t slash = rest.find(L'\\');
    if (!Backup_IsPlainFileName(rest.substr(0, slash))) return false;
    if (slash == std::wstring_view::npos) return true;
    rest.remove_prefix(slash + 1);
  }
}

bool Backup_SetIsOurs(const std::wstring& descriptor) {
  const size_t slash = descriptor.rfind(L'\\');
  if (slash == std::wstring::npos) return false;
  const std::wstring folder = descriptor.substr(0, slash);
  const std::wstring script = Backup_ScriptPath(descriptor);
  return Backup_IsFileInFolder(descriptor, folder) && (script.empty() || Backup_IsFileInFolder(script, folder)) &&
         Backup_ExtraFilesAreOurs(descriptor);
}

}  // namespace keytidy
