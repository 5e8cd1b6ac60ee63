#include "platform/command_path.h"

#include "platform/environment.h"
#include "platform/environment_strings.h"
#include "platform/file_existence.h"
#include "platform/long_path.h"
#include "platform/path_dir_list.h"
#include "platform/registry_view.h"
#include "platform/text.h"

namespace keytidy {

namespace {

constexpr size_t npos = std::wstring::npos;

// Keeps the text before index `at` when `at` is a hit past the first
// character (a quote or switch at the very start is part of the path form).
void CutAt(std::wstring& s, size_t at) {
  if (at != npos && at > 0) s.resize(at);
}

// "C:\app.exe -x" keeps "C:\app.exe": the cut falls after the extension.
void KeepThroughExtension(std::wstring& s, std::wstring_view upperMarker, size_t minimumIndex) {
  const size_t at = UpperCaseAscii(s).find(upperMarker);
  if (at != npos && at >= minimumIndex) s.resize(at + 4);
}

// The candidate is tested as a program of `view` would find it, and comes
// back as the folder list spells it.
bool TryCandidate(const std::wstring& folder, const std::wstring& name, RegistryView view, std::wstring& hit) {
  std::wstring candidate = folder + L"\\" + name;
  if (!FileExists(Path_AsViewSeesIt(candidate, view))) return false;
  hit = std::move(candidate);
  return true;
}

// Windows finds a bare program name in its own folders and in PATH; so do
// we, through the eyes of the program the reference belongs to (a 32-bit
// program's system folder is SysWOW64). The view picks the folder, so
// redirection stays off for the whole search.
std::wstring FindBareName(const std::wstring& name, RegistryView view) {
  FsRedirectionOff redirectionOff;
  std::wstring hit;
  if (TryCandidate(SystemFolder(), name, view, hit)) return hit;
  if (TryCandidate(WindowsFolder(), name, view, hit)) return hit;
  for (const std::wstring& folder : PathDirList())
    if (TryCandidate(folder, name, view, hit)) return hit;
  return name;
}

// `"C:\Program Files\Foo.exe Tools\bar.exe" "%1"`: the quotes say where the
// path ends, so nothing inside them is cut. False when the text does not
// start with a closed pair of quotes.
bool TakeQuotedPath(std::wstring& s) {
  if (s.empty() || s.front() != L'"') return false;
  const size_t closing = s.find(L'"', 1);
  if (closing == npos) return false;
  s = s.substr(1, closing - 1);
  return true;
}

void RemoveSuffix(std::wstring& result, const std::wstring& s, size_t suffixLength) {
  result = s.substr(0, s.size() >= suffixLength ? s.size() - suffixLength : 0);
}

}  // namespace

std::wstring Extract_ExePath(const std::wstring& text, RegistryView view) {
  if (text.empty()) return {};
  std::wstring s = text;
  if (s.find(L'%') != npos) Expand_ForView(s, view);
  s = Trim(s);

  if (TakeQuotedPath(s)) {
    if (s.find(L":\\") == npos && !s.empty()) s = FindBareName(s, view);
    return s;
  }

  CutAt(s, s.find(L'"'));  // an unquoted path with quoted arguments
  KeepThroughExtension(s, L".EXE -", 1);
  KeepThroughExtension(s, L".MSI -", 1);
  CutAt(s, s.find(L" /"));

  if (!s.empty() && s.front() == L'"') s.erase(0, 1);  // an opening quote that is never closed

  if (s.find(L":\\") == npos && !s.empty()) s = FindBareName(s, view);

  KeepThroughExtension(s, L".EXE ", 0);
  return s;
}

std::wstring Clean_FilePath(const std::wstring& text, RegistryView view) {
  if (text.empty()) return {};
  std::wstring s = Extract_ExePath(text, view);
  if (s.find(L"~1") != npos) s = LongPathForm(s);

  std::wstring result = s;
  const std::wstring u = UpperCaseAscii(s);
  if (s.find(L'{') != npos && u.find(L"INSTALLER") != npos) result.clear();
  if (u.find(L".DLL\\") != npos) result.clear();
  if (u.find(L".EXE\\") != npos) result.clear();
  if (u.find(L".ICO\\") != npos) result.clear();

  // The suffix removal takes S again, so it undoes the rejections above.
  if (u.find(L".EXE.FRIENDLYAPPNAME") != npos)
    RemoveSuffix(result, s, 16);
  else if (u.find(L".EXE.APPLICATIONCOMPANY") != npos)
    RemoveSuffix(result, s, 19);
  else if (u.find(L".DLL.FRIENDLYAPPNAME") != npos)
    RemoveSuffix(result, s, 16);
  else if (u.find(L".DLL.APPLICATIONCOMPANY") != npos)
    RemoveSuffix(result, s, 19);
  return result;
}

}  // namespace keytidy
