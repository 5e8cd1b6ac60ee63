// keytidy-cli.exe: the console front end over the same engine as the GUI.
#include <windows.h>

#include <algorithm>
#include <string>

#include "cli/commands.h"
#include "cli/console.h"
#include "platform/product.h"
#include "platform/startup.h"

using namespace keytidy;
using namespace keytidy::cli;

namespace cli_detail {
std::vector<Command>& MutableCommands() {
  static std::vector<Command> commands;
  return commands;
}
}  // namespace cli_detail

namespace keytidy::cli {
const std::vector<Command>& Commands() { return cli_detail::MutableCommands(); }
CommandRegistration::CommandRegistration(Command command) {
  auto& commands = cli_detail::MutableCommands();
  commands.push_back(std::move(command));
  std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
}
}  // namespace keytidy::cli

namespace {

std::wstring UsageText() {
  std::wstring text =
      std::wstring(ProductTitle) + L" - console front end\r\n\r\nUsage: keytidy-cli <command> [options]\r\n\r\n";
  text += L"Commands:\r\n";
  for (const Command& command : Commands())
    text += L"  " + command.synopsis + L"\r\n      " + command.description + L"\r\n";
  if (Commands().empty()) text += L"  (none yet)\r\n";
  text += L"  --help\r\n      Shows this text.\r\n";
  text +=
      L"\r\nExit codes:\r\n"
      L"  0  success\r\n"
      L"  1  the command failed (restore: the set was refused, nothing was changed)\r\n"
      L"  2  usage error (unknown command or option)\r\n"
      L"  3  refused at start-up (another copy is running, Windows too old,\r\n"
      L"     no administrator rights, or the settings key is not writable)\r\n"
      L"  4  clean: some findings could not be removed\r\n"
      L"  5  restore: the backup set was not put back completely\r\n";
  return text;
}

const Command* FindCommand(const std::wstring& name) {
  for (const Command& command : Commands())
    if (command.name == name) return &command;
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring name = argc > 1 ? argv[1] : L"";
  if (name.empty() || name == L"--help" || name == L"-h" || name == L"/?") {
    PrintOut(UsageText());
    return name.empty() ? kExitUsage : kExitSuccess;
  }
  const Command* command = FindCommand(name);
  if (!command) {
    PrintErr(L"keytidy-cli: unknown command '" + name + L"'\r\n\r\n");
    PrintErr(UsageText());
    return kExitUsage;
  }

  // The same start-up as the GUI, with refusals as one line on stderr. The
  // single-instance mutex also keeps a console run and the GUI from changing
  // the same keys at once.
  SingleInstance single;
  if (!single.IsFirst()) {
    PrintErr(L"keytidy-cli: another copy of Keytidy is running; close it first.\r\n");
    return kExitRefused;
  }
  ProcessInitialisation initialisation;
  const StartupRefusal refusal = RunStartupChecks();
  if (refusal != StartupRefusal::None) {
    PrintErr(L"keytidy-cli: " + StartupRefusalText(refusal) + L"\r\n");
    return kExitRefused;
  }
  const Arguments arguments(argv + 2, argv + argc);
  return command->run(arguments);
}
