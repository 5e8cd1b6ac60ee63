#include "scan/open_command_program.h"

#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

namespace {

bool EndsName(const std::wstring& text, std::size_t at) {
  return at == text.size() || std::wstring_view(L" \t\",;/").find(text[at]) != std::wstring_view::npos;
}

}  // namespace

std::wstring Cut_AfterProgramName(const std::wstring& path) {
  const std::wstring upper = UpperCaseAscii(path);
  for (std::size_t at = upper.find(L".EXE"); at != std::wstring::npos; at = upper.find(L".EXE", at + 1))
    if (EndsName(upper, at + 4)) return path.substr(0, at + 4);
  return {};
}

std::wstring Program_OfOpenCommand(const TRegistryCleaner& rc, const std::wstring& command) {
  const std::wstring program = Cut_AfterProgramName(Resolve_FileReference(rc, command, true));
  if (ContainsUpperAscii(program, L"\\DVD MAKER\\DVDMAKER.EXE")) return {};
  return program;
}

}  // namespace keytidy
