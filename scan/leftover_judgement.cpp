#include "scan/leftover_judgement.h"

#include <cwctype>

#include "platform/registry.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"
#include "scan/icon_index.h"
#include "scan/open_command_program.h"

namespace keytidy {

namespace {

constexpr std::size_t npos = std::wstring::npos;

// "rundll32 ...", "rundll32.exe ..." or the same with a folder or quotes
// in front: the command runs a library.
bool RunsRundll32(const std::wstring& command) {
  std::wstring upper = UpperCaseAscii(command);
  if (!upper.empty() && upper.front() == L'"') upper.erase(0, 1);
  const std::size_t at = upper.find(L"RUNDLL32");
  if (at == npos) return false;
  const std::wstring folder = upper.substr(0, at);
  if (!folder.empty() && (folder.back() != L'\\' || folder.find(L' ') != npos)) return false;
  std::size_t end = at + 8;
  if (upper.compare(end, 4, L".EXE") == 0) end += 4;
  return end == upper.size() || upper[end] == L' ' || upper[end] == L'"';
}

// What follows the word "rundll32" (and its ".exe" and closing quote).
std::wstring Rundll32Arguments(const std::wstring& command) {
  const std::wstring upper = UpperCaseAscii(command);
  std::size_t end = upper.find(L"RUNDLL32");
  if (end == npos) return {};
  end += 8;
  if (upper.compare(end, 4, L".EXE") == 0) end += 4;
  if (end < command.size() && command[end] == L'"') ++end;
  return Trim(command.substr(end));
}

// "C:\x\lib.dll,Entry args" or "\"C:\x y\lib.dll\",Entry": the library part.
std::wstring Rundll32Library(const std::wstring& arguments) {
  if (Starts_QuotedPath(arguments)) return arguments.substr(0, arguments.find(L'"', 1) + 1);
  return Trim(arguments.substr(0, arguments.find(L',')));
}

// The file LoadLibrary opens for a library name: a name without an
// extension gets ".dll"; a trailing dot says "no extension" and is dropped.
std::wstring AsLibraryLoaded(const std::wstring& path) {
  if (path.empty()) return path;
  const std::size_t slash = path.find_last_of(L"\\/");
  const std::size_t nameStart = slash == npos ? 0 : slash + 1;
  if (path.back() == L'.') return path.substr(0, path.size() - 1);
  if (path.find(L'.', nameStart) == npos) return path + L".dll";
  return path;
}

std::wstring ProgramPart(const TRegistryCleaner& rc, const std::wstring& command, RegistryView view) {
  const std::wstring path = Resolve_FileReference(rc, command, true, view);
  if (path.empty() || Starts_QuotedPath(command)) return path;
  // Taken whole because it is there ("C:\Tools\my tool", a folder).
  if (Is_PresentFileOrFolder(rc, path, view)) return path;
  const std::wstring program = Cut_AfterProgramName(path);
  if (!program.empty()) return program;
  return path.find(L' ') == npos ? path : std::wstring();
}

bool IsHex(wchar_t c) { return std::iswxdigit(c) != 0 && c < 128; }

// A flag such as SystemComponent, stored as a number or as text.
bool FlagSet(RootKey root, const std::wstring& key, const wchar_t* name) {
  return Reg_ValueExists(root, key, name) && Reg_ReadInteger(root, key, name) == 1;
}

// A drive path (after %NAME% expansion) whose folder is not there.
bool FolderGone(const TRegistryCleaner& rc, const std::wstring& reference, RegistryView view) {
  std::wstring folder = Trim(reference);
  if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"')
    folder = folder.substr(1, folder.size() - 2);
  Expand_ForView(folder, view);
  return IsDrivePath(folder) && !rc.DirectoryExists_HDDS(folder, view);
}

// An icon reference whose file is not there; one that names no module or
// icon file cannot be judged and so is not gone.
bool IconGone(const TRegistryCleaner& rc, const std::wstring& reference, RegistryView view) {
  const std::optional<std::wstring> file = Strip_IconIndex(Trim(reference));
  if (!file) return false;
  return Is_MissingFile(rc, Resolve_FileReference(rc, *file, true, view), view);
}

}  // namespace

std::wstring Program_OfCommandLine(const TRegistryCleaner& rc, const std::wstring& command, RegistryView view) {
  const std::wstring text = Trim(command);
  if (text.empty()) return {};
  std::wstring program;
  if (RunsRundll32(text)) {
    const std::wstring library = Rundll32Library(Rundll32Arguments(text));
    if (!library.empty()) program = AsLibraryLoaded(Resolve_FileReference(rc, library, true, view));
  } else {
    program = ProgramPart(rc, text, view);
  }
  return IsDrivePath(program) ? program : std::wstring();
}

bool Is_ProductCodeName(std::wstring_view name) {
  if (name.size() != 38 || name.front() != L'{' || name.back() != L'}') return false;
  for (std::size_t i = 1; i < 37; ++i) {
    const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? name[i] != L'-' : !IsHex(name[i])) return false;
  }
  return true;
}

std::wstring Leftover_UninstallProgram(const TRegistryCleaner& rc, RootKey root, const std::wstring& key,
                                       RegistryView view) {
  const std::size_t slash = key.find_last_of(L'\\');
  if (Is_ProductCodeName(slash == npos ? key : key.substr(slash + 1))) return {};
  if (FlagSet(root, key, L"SystemComponent") || FlagSet(root, key, L"WindowsInstaller")) return {};
  const std::wstring program = Program_OfCommandLine(rc, Reg_ReadString(root, key, L"UninstallString"), view);
  if (program.empty() || !Is_MissingFile(rc, program, view)) return {};
  const std::wstring location = Reg_ReadString(root, key, L"InstallLocation");
  if (!Trim(location).empty() && !FolderGone(rc, location, view)) return {};
  const std::wstring icon = Reg_ReadString(root, key, L"DisplayIcon");
  if (!Trim(icon).empty() && !IconGone(rc, icon, view)) return {};
  return program;
}

}  // namespace keytidy
