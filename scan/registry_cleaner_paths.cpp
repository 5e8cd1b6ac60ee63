// The existence tests and the program-folder rewrite that depend on the
// engine's view of the machine (its drive list and 64-bit program folder).
#include "platform/environment.h"
#include "platform/environment_strings.h"
#include "platform/file_existence.h"
#include "platform/judged_drives.h"
#include "platform/registry.h"
#include "platform/registry_view.h"
#include "platform/text.h"
#include "scan/registry_cleaner.h"

namespace keytidy {

bool TRegistryCleaner::Judges(const std::wstring& path) const {
  return !FLAG_CHECK_ONLY_HDDS || Path_OnJudgedVolume(path, HDDS);
}

bool TRegistryCleaner::FileExists_HDDS(const std::wstring& path, RegistryView view) const {
  if (!FLAG_CHECK_ONLY_HDDS) return FileExists_W64(path, view);
  if (path.empty()) return true;
  return Judges(path) ? FileExists_W64(path, view) : true;
}

bool TRegistryCleaner::DirectoryExists_HDDS(const std::wstring& path, RegistryView view) const {
  std::wstring folder = path;
  Expand_ForView(folder, view);
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  if (folder == L"\\") return true;
  // A reference to a variable the judged user does not have (no profile
  // folder known) names no folder we can look at: cannot tell.
  if (!IsDrivePath(folder) && folder.find(L'%') != std::wstring::npos) return true;
  if (!Judges(folder)) return true;
  const std::wstring seen = Path_AsViewSeesIt(folder, view);
  FsRedirectionOff redirectionOff;
  return Directory_Presence(seen) != PathPresence::Missing;
}

std::wstring TRegistryCleaner::Replace_ProgramFiles_W6432(const std::wstring& text) const {
  return Replace_ProgramFiles(text, ProgramDir_W6432, Use64BitView(), Windows_Version().major);
}

std::wstring Replace_ProgramFiles(const std::wstring& text, const std::wstring& programDirW6432, bool use64BitView,
                                  unsigned windowsMajorVersion) {
  if (!use64BitView || windowsMajorVersion < 6) return text;
  if (!ContainsUpperAscii(text, L"%PROGRAMFILES%") || programDirW6432.empty()) return text;
  std::wstring result = ReplaceAllIgnoreCase(text, L"%PROGRAMFILES%", programDirW6432);
  // Resource references are written "@%ProgramFiles%\...,-101"; the "@" is
  // no part of the path.
  if (!result.empty() && result.front() == L'@') result.erase(0, 1);
  return result;
}

}  // namespace keytidy
