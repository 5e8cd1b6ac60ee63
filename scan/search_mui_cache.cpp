// The shell's cache of program display names whose program is gone. The
// value names are the programs, with a suffix such as .FriendlyAppName, or
// resource references ("@module,-id") of shell extensions.
#include <cwctype>

#include "platform/environment.h"
#include "platform/error_mode.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

namespace {

// Windows XP kept the cache in a roaming-free key of its own; Vista moved
// it to the user's local class settings.
std::wstring MuiCacheKey() {
  return Windows_Version().major >= 6
             ? L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache"
             : L"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
}

// "x.dll,-22" without its ",-22"; text without such an ending stays.
std::wstring WithoutResourceIndex(const std::wstring& text) {
  const size_t comma = text.rfind(L',');
  if (comma == std::wstring::npos) return text;
  size_t digits = comma + 1;
  if (digits < text.size() && text[digits] == L'-') ++digits;
  if (digits == text.size()) return text;
  for (size_t i = digits; i < text.size(); ++i)
    if (!std::iswdigit(text[i])) return text;
  return text.substr(0, comma);
}

bool EndsWithIgnoringCase(const std::wstring& text, std::wstring_view upperSuffix) {
  return text.size() >= upperSuffix.size() &&
         UpperCaseAscii(text.substr(text.size() - upperSuffix.size())) == upperSuffix;
}

// "C:\App\app.exe.FriendlyAppName" caches a name for C:\App\app.exe; so
// does "...\tool.exe - Shortcut.lnk.FriendlyAppName" for the shortcut.
std::wstring WithoutCacheSuffix(const std::wstring& name) {
  for (std::wstring_view suffix : {std::wstring_view(L".FRIENDLYAPPNAME"), std::wstring_view(L".APPLICATIONCOMPANY")})
    if (EndsWithIgnoringCase(name, suffix)) return name.substr(0, name.size() - suffix.size());
  return name;
}

}  // namespace

void TRegistryCleaner::SEARCH_MUI_CACHE(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  RootKey root = ROOT_HKEY_CURRENT_USER;
  std::wstring key = MuiCacheKey();
  Reg_RedirectCurrentUser(root, key);
  if (!Reg_KeyExistsWritable(root, key)) return;
  CriticalErrorBoxesOff errorBoxesOff;
  Walk_CheckItems(*this, List_ValueNames(root, key), ItemCounter::ValuesByCount, [&](const std::wstring& name) {
    std::wstring reference = Replace_ProgramFiles_W6432(name);
    // A resource reference normally keeps its "@" and so never looks like a
    // drive path. The 64-bit program-folder rewrite drops that "@", though;
    // the module is then what to test, not "module,-id", which never exists
    // as a file and would make every such entry look stale.
    if (!name.empty() && name[0] == L'@' && (reference.empty() || reference[0] != L'@'))
      reference = WithoutResourceIndex(reference);
    const std::wstring path = Resolve_FileReference(*this, WithoutCacheSuffix(reference), false, RegistryView::Native);
    if (Is_MissingFileOrFolder(*this, path, RegistryView::Native))
      Report_Finding(*this, GroupIndex, ComboBoxIndex, path, name, {root, key, name}, DeleteTarget::Value,
                     {EvidenceTest::FileOrFolderMissing, path});
  });
}

}  // namespace keytidy
