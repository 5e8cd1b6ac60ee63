// "info": the environment facts the program works with. Handy when a scan
// behaves differently on two machines.
#include "cli/commands.h"
#include "cli/console.h"
#include "platform/environment.h"
#include "platform/registry.h"

namespace keytidy::cli {
namespace {

int RunInfo(const Arguments& arguments) {
  if (!arguments.empty()) {
    PrintErr(L"keytidy-cli: info takes no options\r\n");
    return kExitUsage;
  }
  const WindowsVersion& version = Windows_Version();
  std::wstring text;
  text += L"Program folder:   " + ProgramFolder() + L"\r\n";
  text += L"Windows version:  " + std::to_wstring(version.major) + L"." + std::to_wstring(version.minor) + L"\r\n";
  text += L"Windows folder:   " + WindowsFolder() + L"\r\n";
  text += L"System folder:    " + SystemFolder() + L"\r\n";
  text += L"64-bit Windows:   " + std::wstring(IsWindows64() ? L"yes" : L"no") + L"\r\n";
  text += L"64-bit view:      " + std::wstring(Use64BitView() ? L"yes" : L"no") + L"\r\n";
  text += L"Desktop user SID: " + (InteractiveUserSid().empty() ? std::wstring(L"(none)") : InteractiveUserSid()) + L"\r\n";
  PrintOut(text);
  return kExitSuccess;
}

const CommandRegistration kInfo({L"info", L"info", L"Shows the folders, Windows version and user the program works with.", RunInfo});

}  // namespace
}  // namespace keytidy::cli
