// keytidy.exe: the GUI's process entry.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/window_startup.h"
#include "gui/internet_services.h"
#include "platform/product.h"
#include "platform/startup.h"

using namespace keytidy;

namespace {

void ShowRefusal(StartupRefusal refusal) {
  MessageBoxExW(nullptr, StartupRefusalText(refusal).c_str(), ProductTitle, MB_OK | MB_ICONERROR, 0);
}

// RAII pair for the OLE libraries the windows need.
struct OleSession {
  OleSession() : ok(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleSession() {
    if (ok) OleUninitialize();
  }
  bool ok;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  SingleInstance single;
  if (!single.IsFirst()) {
    BringRunningCopyToFront();
    return 0;
  }
  ProcessInitialisation initialisation;
  OleSession ole;

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  const StartupRefusal refusal = RunStartupChecks();
  if (refusal != StartupRefusal::None) {
    ShowRefusal(refusal);
    return 0;
  }
  InternetServices internet;
  RunWindowStartup(internet);
  // Shut the internet-services library down, with the desktop as owner, unless
  // the main window already did.
  internet.Shutdown(GetDesktopWindow());
  return 0;
}
