#pragma once
// The program's use of its internet-services library (qrv_inet2.dll): the
// start sequence, the internet menu, link targets, feature counting and the
// shutdown. Everything runs on the GUI thread.
#include <windows.h>

#include <string>
#include <vector>

namespace keytidy {

inline constexpr wchar_t kInternetServicesKey[] = L"SOFTWARE\\Quarvint\\Quarvint Keytidy 2\\qrv_inet";

// Runs the start sequence, at most once per process (later calls return
// false at once) and sends "qnet_StartAllChecks RETURNED = <n>". When the
// library asks the program to end (1 or 7), sets APP_TERMINATING, sends
// "KX15: TerminateNow", shuts the library down with the main window as owner,
// ends the message loop and returns true.
bool InternetServices_Start(HWND mainWindow);

struct InternetMenuItem {
  int id = 0;
  std::wstring text;      // empty: a separator
  HICON image = nullptr;  // none: no picture
};
std::vector<InternetMenuItem> InternetServices_MenuItems();

// Runs a menu item and sends "qnet_ProcessMenuItem RETURNED = <n>". True when
// the library asks for the main window to close; otherwise the caller
// rebuilds the menu.
bool InternetServices_ProcessMenuItem(HWND mainWindow, int itemId);

// Link targets the library resolves ("feedback", "eula", "privacypolicy").
void InternetServices_OpenLinkTarget(const std::wstring& target);
void InternetServices_AddFeature(const std::wstring& feature, int count = 1);
void InternetServices_StartInfoChannelsConfig(HWND optionsDialog);

// Shuts the library down once per process; later calls do nothing. The end
// of the process calls it with the desktop window as owner.
void InternetServices_Shutdown(HWND owner);

// The locale tag the library is given: "de-de" for the chosen language.
std::wstring InternetServices_LocaleTag();

}  // namespace keytidy
