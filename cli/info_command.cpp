// "info": the environment facts the program works with. Handy when a scan
// behaves differently on two machines.
#include "cli/commands.h"
#include "cli/console.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/user_environment.h"
#include "platform/user_hives.h"

namespace keytidy::cli {
namespace {

// One line per user whose hive a scan can judge: the SID, the account's
// name, the profile folder and where that user's variables come from.
std::wstring JudgedUsersText() {
  std::wstring text = L"Users that can be judged (--user):\r\n";
  const std::vector<std::wstring> sids = Loaded_UserSids();
  if (sids.empty()) text += L"  (none)\r\n";
  for (const std::wstring& sid : sids) {
    const std::wstring account = AccountNameOfSid(sid);
    const UserEnvironment environment = UserEnvironment_Of(sid);
    text += L"  " + sid + L"  account: " + (account.empty() ? std::wstring(L"(unknown)") : account) + L"  profile: " +
            (environment.profileFolder.empty() ? std::wstring(L"(unknown)") : environment.profileFolder) +
            L"  environment: " + UserEnvironmentSourceName(environment.source) +
            (sid == InteractiveUserSid() ? L"  (desktop user)" : L"") + L"\r\n";
  }
  return text;
}

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
  text +=
      L"Desktop user SID: " + (InteractiveUserSid().empty() ? std::wstring(L"(none)") : InteractiveUserSid()) + L"\r\n";
  text += JudgedUsersText();
  PrintOut(text);
  return kExitSuccess;
}

const CommandRegistration kInfo({L"info", L"info",
                                 L"Shows the folders, Windows version and users the program works with, and whose "
                                 L"environment it has for each user it can judge.",
                                 RunInfo});

}  // namespace
}  // namespace keytidy::cli
