#include "platform/user_environment.h"

#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>
#include <wtsapi32.h>

#include <array>
#include <optional>
#include <string_view>

#include "platform/environment.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace keytidy {

namespace {

constexpr std::array<std::wstring_view, 17> kPerUserVariables = {L"USERPROFILE",
                                                                 L"APPDATA",
                                                                 L"LOCALAPPDATA",
                                                                 L"TEMP",
                                                                 L"TMP",
                                                                 L"HOMEDRIVE",
                                                                 L"HOMEPATH",
                                                                 L"HOMESHARE",
                                                                 L"USERNAME",
                                                                 L"USERDOMAIN",
                                                                 L"LOGONSERVER",
                                                                 L"ONEDRIVE",
                                                                 L"ONEDRIVECONSUMER",
                                                                 L"ONEDRIVECOMMERCIAL",
                                                                 L"USERDOMAIN_ROAMINGPROFILE",
                                                                 L"CLIENTNAME",
                                                                 L"SESSIONNAME"};

const std::wstring kProfileList = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
const std::wstring kUserShellFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const std::wstring kShellFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The process's variables without the per-user ones: what every user of
// this machine shares (SystemRoot, ProgramFiles, PATH, ...).
std::map<std::wstring, std::wstring> MachineVariables() {
  std::map<std::wstring, std::wstring> variables;
  if (wchar_t* block = GetEnvironmentStringsW()) {
    variables = Variables_OfBlock(block);
    FreeEnvironmentStringsW(block);
  }
  std::erase_if(variables, [](const auto& entry) { return IsPerUserVariable(entry.first); });
  return variables;
}

void SetVariable(UserEnvironment& environment, const std::wstring& name, const std::wstring& value) {
  if (!Trim(value).empty()) environment.variables[UpperCaseAscii(name)] = value;
}

void SetIfUnset(UserEnvironment& environment, const std::wstring& name, const std::wstring& value) {
  if (environment.Value(name).empty()) SetVariable(environment, name, value);
}

// Every value of a key in the user's hive, expanded with what is known so
// far. Windows appends a user's own Path to the machine's.
void TakeKeyVariables(UserEnvironment& environment, const std::wstring& key) {
  std::vector<std::wstring> names;
  Reg_GetValueNames(ROOT_HKEY_USERS, key, names);
  for (const std::wstring& name : names) {
    const std::wstring value = environment.Expand(Reg_ReadString(ROOT_HKEY_USERS, key, name));
    if (EqualsIgnoreCaseAscii(name, L"Path") && !environment.Value(L"PATH").empty())
      SetVariable(environment, name, environment.Value(L"PATH") + L";" + value);
    else
      SetVariable(environment, name, value);
  }
}

// A shell folder as the user's hive names it, expanded with the user's
// variables; `fallback` below the profile when it names none.
std::wstring ShellFolder(const UserEnvironment& environment, const std::wstring& sid, const std::wstring& name,
                         const std::wstring& fallback) {
  std::wstring folder = environment.Expand(Reg_ReadString(ROOT_HKEY_USERS, sid + L"\\" + kUserShellFolders, name));
  if (Trim(folder).empty()) folder = Reg_ReadString(ROOT_HKEY_USERS, sid + L"\\" + kShellFolders, name);
  if (Trim(folder).empty()) folder = environment.profileFolder + L"\\" + fallback;
  return folder;
}

// A process of `sid` in the console session, preferring its shell; the
// token of that process is the user's logon token.
std::optional<DWORD> ProcessOfUser(const std::wstring& sid) {
  PWTS_PROCESS_INFOW processes = nullptr;
  DWORD count = 0;
  if (!WTSEnumerateProcessesW(WTS_CURRENT_SERVER_HANDLE, 0, 1, &processes, &count)) return std::nullopt;
  std::optional<DWORD> found;
  for (DWORD i = 0; i < count; ++i) {
    const WTS_PROCESS_INFOW& process = processes[i];
    if (process.ProcessId == 0 || !process.pUserSid) continue;
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(process.pUserSid, &text)) continue;
    UniqueLocalMemory owner(text);
    if (!EqualsIgnoreCaseAscii(text, sid)) continue;
    const bool shell = process.pProcessName && LowerCaseAscii(process.pProcessName) == L"explorer.exe";
    if (!found || shell) found = process.ProcessId;
    if (shell) break;
  }
  WTSFreeMemory(processes);
  return found;
}

using CreateEnvironmentBlockFn = BOOL(WINAPI*)(LPVOID*, HANDLE, BOOL);
using DestroyEnvironmentBlockFn = BOOL(WINAPI*)(LPVOID);

}  // namespace

std::optional<UserEnvironment> UserEnvironment_FromToken(HANDLE token) {
  UniqueModule userenv(LoadLibraryW(L"userenv.dll"));
  if (!userenv) return std::nullopt;
  auto create = reinterpret_cast<CreateEnvironmentBlockFn>(
      reinterpret_cast<void*>(GetProcAddress(userenv.get(), "CreateEnvironmentBlock")));
  auto destroy = reinterpret_cast<DestroyEnvironmentBlockFn>(
      reinterpret_cast<void*>(GetProcAddress(userenv.get(), "DestroyEnvironmentBlock")));
  void* block = nullptr;
  if (!create || !destroy || !create(&block, token, FALSE) || !block) return std::nullopt;
  UserEnvironment environment;
  environment.source = UserEnvironmentSource::Token;
  environment.variables = Variables_OfBlock(static_cast<const wchar_t*>(block));
  destroy(block);
  // The block may lack what only the shell sets; the known folders of the
  // token fill that in.
  const std::pair<const wchar_t*, REFKNOWNFOLDERID> folders[] = {{L"APPDATA", FOLDERID_RoamingAppData},
                                                                 {L"LOCALAPPDATA", FOLDERID_LocalAppData}};
  for (const auto& [name, id] : folders) {
    PWSTR path = nullptr;
    if (environment.Value(name).empty() && SUCCEEDED(SHGetKnownFolderPath(id, 0, token, &path)) && path)
      SetVariable(environment, name, path);
    CoTaskMemFree(path);
  }
  environment.profileFolder = environment.Value(L"USERPROFILE");
  if (environment.profileFolder.empty()) return std::nullopt;
  return environment;
}

namespace {

std::optional<UserEnvironment> FromUsersToken(const std::wstring& sid) {
  const std::optional<DWORD> processId = ProcessOfUser(sid);
  if (!processId) return std::nullopt;
  UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, *processId));
  if (!process) return std::nullopt;
  UniqueHandle token;
  HANDLE raw = nullptr;
  if (!OpenProcessToken(process.get(), TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_IMPERSONATE, &raw)) return std::nullopt;
  token.reset(raw);
  return UserEnvironment_FromToken(token.get());
}

UserEnvironment FromProcess() {
  UserEnvironment environment;
  environment.source = UserEnvironmentSource::Process;
  if (wchar_t* block = GetEnvironmentStringsW()) {
    environment.variables = Variables_OfBlock(block);
    FreeEnvironmentStringsW(block);
  }
  environment.profileFolder = environment.Value(L"USERPROFILE");
  return environment;
}

}  // namespace

std::wstring UserEnvironmentSourceName(UserEnvironmentSource source) {
  switch (source) {
    case UserEnvironmentSource::Process: return L"process";
    case UserEnvironmentSource::Token: return L"token";
    case UserEnvironmentSource::ProfileRegistry: return L"profile registry";
    case UserEnvironmentSource::None: break;
  }
  return L"none";
}

std::wstring UserEnvironment::Value(const std::wstring& name) const {
  const auto found = variables.find(UpperCaseAscii(name));
  return found == variables.end() ? std::wstring() : found->second;
}

std::wstring UserEnvironment::Expand(const std::wstring& text) const {
  return Expand_WithLookup(text, [this](const std::wstring& name) { return Value(name); });
}

std::wstring Expand_WithLookup(const std::wstring& text,
                               const std::function<std::wstring(const std::wstring&)>& lookup) {
  std::wstring result;
  size_t at = 0;
  while (at < text.size()) {
    const size_t open = text.find(L'%', at);
    const size_t close = open == std::wstring::npos ? std::wstring::npos : text.find(L'%', open + 1);
    if (close == std::wstring::npos) {
      result.append(text, at, std::wstring::npos);
      break;
    }
    result.append(text, at, open - at);
    const std::wstring value = close > open + 1 ? lookup(text.substr(open + 1, close - open - 1)) : std::wstring();
    if (value.empty()) {
      // Unknown: "%NAME" stays, and the closing % may open the next one.
      result.append(text, open, close - open);
      at = close;
    } else {
      result += value;
      at = close + 1;
    }
  }
  return result;
}

bool IsPerUserVariable(const std::wstring& upperName) {
  for (std::wstring_view name : kPerUserVariables)
    if (upperName == name) return true;
  return false;
}

std::map<std::wstring, std::wstring> Variables_OfBlock(const wchar_t* block) {
  std::map<std::wstring, std::wstring> variables;
  for (const wchar_t* entry = block; entry && *entry; entry += wcslen(entry) + 1) {
    const std::wstring_view text(entry);
    // "=C:=C:\dir" entries are the per-drive folders, not variables.
    const size_t equals = text.find(L'=', 1);
    if (text.front() == L'=' || equals == std::wstring_view::npos) continue;
    variables[UpperCaseAscii(text.substr(0, equals))] = std::wstring(text.substr(equals + 1));
  }
  return variables;
}

UserEnvironment UserEnvironment_FromRegistry(const std::wstring& sid) {
  UserEnvironment environment;
  environment.variables = MachineVariables();
  const std::wstring profile = Trim(
      environment.Expand(Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kProfileList + L"\\" + sid, L"ProfileImagePath")));
  if (!IsDrivePath(profile)) return environment;  // nothing per user can be told
  environment.source = UserEnvironmentSource::ProfileRegistry;
  environment.profileFolder = profile;
  SetVariable(environment, L"USERPROFILE", profile);
  SetVariable(environment, L"HOMEDRIVE", profile.substr(0, 2));
  SetVariable(environment, L"HOMEPATH", profile.substr(2));
  TakeKeyVariables(environment, sid + L"\\Volatile Environment");
  TakeKeyVariables(environment, sid + L"\\Environment");
  const bool xp = Windows_Version().major < 6;
  SetIfUnset(environment, L"APPDATA",
             ShellFolder(environment, sid, L"AppData", xp ? L"Application Data" : L"AppData\\Roaming"));
  SetIfUnset(
      environment, L"LOCALAPPDATA",
      ShellFolder(environment, sid, L"Local AppData", xp ? L"Local Settings\\Application Data" : L"AppData\\Local"));
  const std::wstring temp = xp ? profile + L"\\Local Settings\\Temp" : environment.Value(L"LOCALAPPDATA") + L"\\Temp";
  SetIfUnset(environment, L"TEMP", temp);
  SetIfUnset(environment, L"TMP", temp);
  return environment;
}

UserEnvironment UserEnvironment_Of(const std::wstring& sid) {
  // No SID at all (the process's own could not be read): nobody else's
  // variables are known, and the process's own are the best guess.
  if (sid.empty() || EqualsIgnoreCaseAscii(sid, GetProcessUserSid())) return FromProcess();
  if (EqualsIgnoreCaseAscii(sid, InteractiveUserSid()))
    if (std::optional<UserEnvironment> fromToken = FromUsersToken(sid)) return *fromToken;
  return UserEnvironment_FromRegistry(sid);
}

}  // namespace keytidy
