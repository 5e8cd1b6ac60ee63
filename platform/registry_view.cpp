#include "platform/registry_view.h"

#include <array>
#include <string_view>

#include "platform/environment.h"
#include "platform/environment_strings.h"
#include "platform/judged_user.h"
#include "platform/text.h"

namespace keytidy {

namespace {

// The folders below System32 that Windows shows every program as they
// are, so a 32-bit program naming them means the real ones.
constexpr std::array<std::wstring_view, 6> kNeverRedirected = {L"\\CATROOT",      L"\\CATROOT2", L"\\DRIVERSTORE",
                                                               L"\\DRIVERS\\ETC", L"\\LOGFILES", L"\\SPOOL"};

// True when `upperPath` is `upperFolder` itself or lies below it.
bool IsInFolder(const std::wstring& upperPath, const std::wstring& upperFolder) {
  if (upperPath.compare(0, upperFolder.size(), upperFolder) != 0) return false;
  return upperPath.size() == upperFolder.size() || upperPath[upperFolder.size()] == L'\\';
}

bool IsNeverRedirected(const std::wstring& upperPath, const std::wstring& upperSystem32) {
  for (std::wstring_view folder : kNeverRedirected)
    if (IsInFolder(upperPath, upperSystem32 + std::wstring(folder))) return true;
  return false;
}

std::wstring ReplaceFolder(const std::wstring& path, std::size_t folderLength, const std::wstring& newFolder) {
  return newFolder + path.substr(folderLength);
}

std::wstring EnvironmentValue(const std::wstring& name) {
  std::wstring value;
  Get_EnvVariable(name, value, false);
  return Trim(value).empty() ? std::wstring() : value;
}

}  // namespace

RegistryView View_OfPass(bool wow6432NodePass) { return wow6432NodePass ? RegistryView::Wow32 : RegistryView::Native; }

std::wstring Path_AsViewSeesIt(const std::wstring& path, RegistryView view, const std::wstring& windowsFolder,
                               bool windows64) {
  if (view != RegistryView::Wow32 || !windows64 || windowsFolder.empty()) return path;
  const std::wstring upperPath = UpperCaseAscii(path);
  const std::wstring upperWindows = UpperCaseAscii(windowsFolder);
  const std::wstring upperSystem32 = upperWindows + L"\\SYSTEM32";
  if (IsInFolder(upperPath, upperSystem32) && !IsNeverRedirected(upperPath, upperSystem32))
    return ReplaceFolder(path, upperSystem32.size(), windowsFolder + L"\\SysWOW64");
  const std::wstring upperSysnative = upperWindows + L"\\SYSNATIVE";
  if (IsInFolder(upperPath, upperSysnative))
    return ReplaceFolder(path, upperSysnative.size(), windowsFolder + L"\\System32");
  return path;
}

std::wstring Path_AsViewSeesIt(const std::wstring& path, RegistryView view) {
  return Path_AsViewSeesIt(path, view, WindowsFolder(), IsWindows64());
}

std::wstring Rewrite_ProgramFolderVariables(const std::wstring& text, RegistryView view,
                                            const std::function<std::wstring(const std::wstring&)>& lookup) {
  const bool wow32 = view == RegistryView::Wow32;
  const struct {
    const wchar_t* reference;
    const wchar_t* source;
  } rewrites[] = {
      {L"%PROGRAMFILES%", wow32 ? L"ProgramFiles(x86)" : L"ProgramW6432"},
      {L"%COMMONPROGRAMFILES%", wow32 ? L"CommonProgramFiles(x86)" : L"CommonProgramW6432"},
  };
  std::wstring result = text;
  for (const auto& rewrite : rewrites) {
    if (!ContainsUpperAscii(result, rewrite.reference)) continue;
    const std::wstring folder = lookup(rewrite.source);
    if (!folder.empty()) result = ReplaceAllIgnoreCase(result, rewrite.reference, folder);
  }
  return result;
}

bool Expand_ForView(std::wstring& text, RegistryView view) {
  // During a search pass the data belongs to the judged user, and
  // %APPDATA% means that user's folder, not this process's.
  if (const UserEnvironment* user = JudgedUserEnvironment(); user && user->source != UserEnvironmentSource::Process) {
    text = user->Expand(
        Rewrite_ProgramFolderVariables(text, view, [user](const std::wstring& name) { return user->Value(name); }));
    return true;
  }
  std::wstring rewritten = Rewrite_ProgramFolderVariables(text, view, EnvironmentValue);
  if (!Expand_EnvStrings(rewritten)) return false;
  text = std::move(rewritten);
  return true;
}

}  // namespace keytidy
