#include "platform/environment.h"

#include <shlobj.h>
#include <wtsapi32.h>
#include <sddl.h>

#include <vector>

#include "platform/debug_log.h"
#include "platform/handles.h"
#include "platform/judged_user.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace keytidy {

namespace {

struct Facts {
  WindowsVersion version;
  std::wstring programFolder;
  std::wstring windowsFolder;
  std::wstring systemFolder;
  bool isWindows64 = false;
  std::wstring interactiveUserSid;
  bool showAnimations = true;
};

Facts& TheFacts() {
  static Facts facts;
  return facts;
}

// RtlGetVersion tells the truth; GetVersionExW reports 6.2 on newer systems
// unless the manifest lists them.
WindowsVersion ReadTrueVersion() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  WindowsVersion result;
  auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (rtlGetVersion && rtlGetVersion(&info) == 0) {
    result.major = info.dwMajorVersion;
    result.minor = info.dwMinorVersion;
  }
  return result;
}

std::wstring ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return buffer.substr(0, length);
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring FolderFromApi(UINT(WINAPI* api)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH] = {};
  const UINT length = api(buffer, MAX_PATH);
  return (length > 0 && length < MAX_PATH) ? std::wstring(buffer, length) : std::wstring();
}

template <typename Fn>
Fn Kernel32Function(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

}  // namespace

std::wstring ProgramFolderFromExePath(const std::wstring& exePath) {
  const size_t slash = exePath.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : exePath.substr(0, slash);
}

void Environment_Init() {
  Facts& facts = TheFacts();
  facts.isWindows64 = DetectWindows64();
  facts.version = ReadTrueVersion();
  Debug_Output(L"WindowsVersion=" + std::to_wstring(facts.version.major) + L"." + std::to_wstring(facts.version.minor));
  facts.programFolder = ProgramFolderFromExePath(ExecutablePath());
  facts.windowsFolder = FolderFromApi(GetWindowsDirectoryW);
  facts.systemFolder = FolderFromApi(GetSystemDirectoryW);
  ShowAnimations_Load();
}

std::wstring FirstArgument;

const WindowsVersion& Windows_Version() { return TheFacts().version; }
const std::wstring& ProgramFolder() { return TheFacts().programFolder; }
const std::wstring& WindowsFolder() { return TheFacts().windowsFolder; }
const std::wstring& SystemFolder() { return TheFacts().systemFolder; }
bool IsWindows64() { return TheFacts().isWindows64; }
const std::wstring& InteractiveUserSid() { return TheFacts().interactiveUserSid; }
void Set_InteractiveUserSid(const std::wstring& sid) { TheFacts().interactiveUserSid = sid; }
bool ShowAnimations() { return TheFacts().showAnimations; }

bool DetectWindows64() {
#ifdef _WIN64
  return true;
#else
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  auto isWow64Process = Kernel32Function<IsWow64ProcessFn>("IsWow64Process");
  BOOL wow64 = FALSE;
  return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

bool ShowAnimations_Load() {
  const bool show = !Reg_ValueExists(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"ShowAnimations") ||
                    Reg_ReadInteger(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"ShowAnimations") != 0;
  TheFacts().showAnimations = show;
  return show;
}

void ShowAnimations_Save(bool show) {
  TheFacts().showAnimations = show;
  Reg_WriteInteger(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"ShowAnimations", show ? 1 : 0);
}

bool IsUserAdmin() {
  UniqueHandle token;
  if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.put())) {
    token.reset();
    if (GetLastError() != ERROR_NO_TOKEN || !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()))
      return false;
  }
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  PSID adminsSid = nullptr;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                &adminsSid))
    return false;
  bool member = false;
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenGroups, nullptr, 0, &size) &&
      GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    std::vector<std::uint8_t> buffer(size);
    if (GetTokenInformation(token.get(), TokenGroups, buffer.data(), size, &size)) {
      const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
      // Attributes are deliberately not looked at: a deny-only Administrators
      // group still counts.
      for (DWORD i = 0; i < groups->GroupCount && !member; ++i) member = EqualSid(groups->Groups[i].Sid, adminsSid);
    }
  }
  FreeSid(adminsSid);
  return member;
}

std::wstring GetInteractiveUserSid() {
  using EnumerateFn = BOOL(WINAPI*)(HANDLE, DWORD, DWORD, PWTS_PROCESS_INFOW*, DWORD*);
  using FreeFn = void(WINAPI*)(PVOID);
  UniqueModule wtsapi(LoadLibraryW(L"Wtsapi32.dll"));
  if (!wtsapi) return {};
  auto enumerate =
      reinterpret_cast<EnumerateFn>(reinterpret_cast<void*>(GetProcAddress(wtsapi.get(), "WTSEnumerateProcessesW")));
  auto freeMemory = reinterpret_cast<FreeFn>(reinterpret_cast<void*>(GetProcAddress(wtsapi.get(), "WTSFreeMemory")));
  if (!enumerate || !freeMemory) return {};

  const DWORD session = WTSGetActiveConsoleSessionId();
  PWTS_PROCESS_INFOW processes = nullptr;
  DWORD count = 0;
  if (!enumerate(WTS_CURRENT_SERVER_HANDLE, 0, 1, &processes, &count)) return {};
  std::wstring result;
  for (DWORD i = 0; i < count && result.empty(); ++i) {
    const WTS_PROCESS_INFOW& process = processes[i];
    if (process.ProcessId == 0 || process.SessionId != session || !process.pProcessName || !process.pUserSid) continue;
    if (LowerCaseAscii(process.pProcessName) != L"explorer.exe") continue;
    LPWSTR text = nullptr;
    if (ConvertSidToStringSidW(process.pUserSid, &text)) {
      UniqueLocalMemory owner(text);
      result = text;
    }
  }
  freeMemory(processes);
  return result;
}

std::wstring GetProcessUserSid() {
  UniqueHandle token;
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
  token.reset(raw);
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  if (size == 0) return {};
  std::vector<BYTE> buffer(size);
  if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
  LPWSTR text = nullptr;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) return {};
  UniqueLocalMemory owner(text);
  return text;
}

std::wstring JudgedUserSid() {
  if (const std::wstring& chosen = JudgedUserOverride(); !chosen.empty()) return chosen;
  const std::wstring& desktopUser = InteractiveUserSid();
  if (!desktopUser.empty()) return desktopUser;
  // Asked on every read of the merged classes; the account never changes.
  static const std::wstring processUser = GetProcessUserSid();
  return processUser;
}

std::wstring GetSpecialFolderPath(HWND owner, int csidl) {
  PIDLIST_ABSOLUTE list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, csidl, &list)) || !list) return {};
  wchar_t buffer[MAX_PATH] = {};
  const bool ok = SHGetPathFromIDListW(list, buffer);
  CoTaskMemFree(list);
  return ok ? std::wstring(buffer) : std::wstring();
}

DWORD RunAndWait(const std::wstring& commandLine, const std::wstring& workingFolder, WORD showCommand) {
  // Both texts are limited to 512 characters, as documented for callers.
  std::wstring command = commandLine.substr(0, 512);
  const std::wstring folder = workingFolder.substr(0, 512);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = showCommand;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                      nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &process))
    return kRunAndWaitStartFailed;
  UniqueHandle processHandle(process.hProcess);
  UniqueHandle threadHandle(process.hThread);
  WaitForSingleObject(processHandle.get(), INFINITE);
  DWORD exitCode = kRunAndWaitStartFailed;
  GetExitCodeProcess(processHandle.get(), &exitCode);
  return exitCode;
}

bool Fs_DisableRedirection(void*& previousState) {
  using DisableFn = BOOL(WINAPI*)(PVOID*);
  auto disable = Kernel32Function<DisableFn>("Wow64DisableWow64FsRedirection");
  return disable && disable(&previousState);
}

bool Fs_RevertRedirection(void* previousState) {
  using RevertFn = BOOL(WINAPI*)(PVOID);
  auto revert = Kernel32Function<RevertFn>("Wow64RevertWow64FsRedirection");
  return revert && revert(previousState);
}

}  // namespace keytidy
