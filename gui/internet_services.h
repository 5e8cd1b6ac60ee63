#pragma once
// The program's use of its internet-services library (qrv_inet2.dll): the
// start sequence, the internet menu, link targets, feature counting and the
// shutdown. The process entry owns the one session and hands it to the
// windows that use it. Everything runs on the GUI thread.
#include <windows.h>

#include <string>
#include <vector>

namespace keytidy {

inline constexpr wchar_t kInternetServicesKey[] = L"SOFTWARE\\Quarvint\\Quarvint Keytidy 2\\qrv_inet";

struct InternetMenuItem {
  int id = 0;
  std::wstring text;      // empty: a separator
  HICON image = nullptr;  // none: no picture
};

class InternetServices {
 public:
  InternetServices() = default;
  InternetServices(const InternetServices&) = delete;
  InternetServices& operator=(const InternetServices&) = delete;

  // Runs the start sequence, at most once per session (later calls return
  // false at once) and sends "qnet_StartAllChecks RETURNED = <n>". When the
  // library asks the program to end (1 or 7), sets APP_TERMINATING, sends
  // "KX15: TerminateNow", shuts the library down with the main window as
  // owner, ends the message loop and returns true.
  bool Start(HWND mainWindow);

  std::vector<InternetMenuItem> MenuItems() const;

  // Runs a menu item and sends "qnet_ProcessMenuItem RETURNED = <n>". True
  // when the library asks for the main window to close; otherwise the caller
  // rebuilds the menu.
  bool ProcessMenuItem(HWND mainWindow, int itemId);

  // Link targets the library resolves ("feedback", "eula", "privacypolicy").
  void OpenLinkTarget(const std::wstring& target);
  void AddFeature(const std::wstring& feature, int count = 1);
  void StartInfoChannelsConfig(HWND optionsDialog);

  // Shuts the library down once per session; later calls do nothing. The
  // end of the process calls it with the desktop window as owner.
  void Shutdown(HWND owner);

  // The locale tag the library is given: "de-de" for the chosen language.
  static std::wstring LocaleTag();

 private:
  bool started_ = false;
  bool shutDown_ = false;
};

}  // namespace keytidy
