#include "platform/startup.h"

#include <shellapi.h>

#include "platform/environment.h"
#include "platform/path_dir_list.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace keytidy {

SingleInstance::SingleInstance() {
  mutex_.reset(CreateMutexW(nullptr, TRUE, kSingleInstanceMutexName));
  // A null handle also means another process owns the name (e.g. with a
  // different object type); treat it like a running copy.
  first_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
}

void BringRunningCopyToFront() {
  if (HWND window = FindWindowExW(nullptr, nullptr, kMainWindowClassName, nullptr)) {
    ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
  }
}

ProcessInitialisation::ProcessInitialisation() {
  Registry_Init();
  Environment_Init();  // ends with the animation flag
  Build_PathDirList();
}

ProcessInitialisation::~ProcessInitialisation() { Free_PathDirList(); }

StartupRefusal RunStartupChecks() {
  if (Windows_Version().major < 5) return StartupRefusal::WindowsTooOld;
  if (!IsUserAdmin()) return StartupRefusal::NotAdministrator;
  const bool written = Reg_WriteInteger(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"CheckRights", 1);
  const bool removed = written && Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"CheckRights");
  if (!removed) return StartupRefusal::RightsTestFailed;

  Set_InteractiveUserSid(Windows_Version().major >= 6 ? GetInteractiveUserSid() : std::wstring());
  FirstArgument = FirstArgumentOf(GetCommandLineW());
  return StartupRefusal::None;
}

std::wstring StartupRefusalText(StartupRefusal refusal) {
  switch (refusal) {
    case StartupRefusal::WindowsTooOld: return L"This software requires Windows XP or higher!";
    case StartupRefusal::NotAdministrator:
      return L"This software requires full administrator-rights! Please start this software as Administrator.";
    case StartupRefusal::RightsTestFailed:
      return L"This software requires full administrator-rights! Please enable \"User Account Control\" (UAC) and "
             L"start this software as Administrator.";
    case StartupRefusal::None: break;
  }
  return {};
}

std::wstring FirstArgumentOf(const wchar_t* commandLine) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(commandLine, &count);
  if (!arguments) return {};
  std::wstring first = count > 1 ? UpperCaseAscii(arguments[1]) : std::wstring();
  LocalFree(arguments);
  return first;
}

}  // namespace keytidy
