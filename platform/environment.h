#pragma once
// Facts about the machine and the program's own location, computed once at
// start-up, and the few operating-system services several parts share.
#include <windows.h>

#include <string>

namespace keytidy {

struct WindowsVersion {
  DWORD major = 0;
  DWORD minor = 0;
};

// Computes the facts below in their fixed order and sends the
// "WindowsVersion=" debug line. Called once during start-up.
void Environment_Init();

// The true version of the running system (Windows 10 reports 10.0, whatever
// the manifest says).
const WindowsVersion& Windows_Version();
const std::wstring& ProgramFolder();  // no trailing backslash
const std::wstring& WindowsFolder();
const std::wstring& SystemFolder();
bool IsWindows64();
const std::wstring& InteractiveUserSid();
// The first command-line argument, upper-cased (a to z only); empty if none.
// Read once by the start-up checks; a program started with an argument runs
// without the questions meant for an interactive start.
extern std::wstring FirstArgument;
void Set_InteractiveUserSid(const std::wstring& sid);

// Whether Windows is 64-bit: a 64-bit process only runs there; a 32-bit one
// asks IsWow64Process (false when the function is missing).
bool DetectWindows64();

bool ShowAnimations();
bool ShowAnimations_Load();
void ShowAnimations_Save(bool show);

bool IsUserAdmin();
std::wstring GetInteractiveUserSid();
// The SID of the account this process runs as; empty when it cannot be read.
std::wstring GetProcessUserSid();
// The user whose hive HKEY_CURRENT_USER findings belong to: the user of
// the search pass that is running (see platform/judged_user.h), else the
// desktop user when one was found at start-up, otherwise the account the process
// runs as (a scheduled task, a remote session without a desktop).
std::wstring JudgedUserSid();
std::wstring GetSpecialFolderPath(HWND owner, int csidl);

inline constexpr DWORD kRunAndWaitStartFailed = 0xFFFFFFFFu;
// Starts the command line and waits for it to end; its exit code, or
// kRunAndWaitStartFailed when it could not be started.
DWORD RunAndWait(const std::wstring& commandLine, const std::wstring& workingFolder, WORD showCommand);

// File-system redirection of a 32-bit process on 64-bit Windows. Both report
// false when the functions are missing or fail (always in a 64-bit process,
// where there is nothing to switch); callers go on either way.
bool Fs_DisableRedirection(void*& previousState);
bool Fs_RevertRedirection(void* previousState);

// The product's own settings key under HKEY_LOCAL_MACHINE.
inline constexpr wchar_t kOptionsKey[] = L"SOFTWARE\\Quarvint\\Quarvint Keytidy 2\\Options";

}  // namespace keytidy

namespace keytidy {
// The folder part of an executable's full path (C:\app.exe gives C:).
std::wstring ProgramFolderFromExePath(const std::wstring& exePath);
}  // namespace keytidy
