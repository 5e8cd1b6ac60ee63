#include "scan/open_command_program.h"

#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

namespace {

bool EndsName(const std::wstring& text, std::size_t at) {
  return at == text.size() || std::wstring_view(L" \t\",;/").find(text[at]) != std::wstring_view::npos;
}

bool Ends_WithExe(const std::wstring& path) {
  return path.size() >= 4 && UpperCaseAscii(path.substr(path.size() - 4)) == L".EXE";
}

}  // namespace

bool Starts_QuotedPath(const std::wstring& command) {
  const std::wstring text = Trim(command);
  return text.size() > 1 && text.front() == L'"' && text.find(L'"', 1) != std::wstring::npos;
}

std::wstring Cut_AfterProgramName(const std::wstring& path) {
  const std::wstring upper = UpperCaseAscii(path);
  for (std::size_t at = upper.find(L".EXE"); at != std::wstring::npos; at = upper.find(L".EXE", at + 1))
    if (EndsName(upper, at + 4)) return path.substr(0, at + 4);
  return {};
}

std::wstring Program_OfOpenCommand(const TRegistryCleaner& rc, const std::wstring& command) {
  const std::wstring path = Resolve_FileReference(rc, command, true, RegistryView::Native);
  // A quoted program path is whole already; an ".exe" inside it is part of
  // a folder name ("C:\Foo.exe Tools\bar.exe"). It still has to be a program.
  const std::wstring program =
      Starts_QuotedPath(command) ? (Ends_WithExe(path) ? path : std::wstring()) : Cut_AfterProgramName(path);
  if (ContainsUpperAscii(program, L"\\DVD MAKER\\DVDMAKER.EXE")) return {};
  return program;
}

}  // namespace keytidy
