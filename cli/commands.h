#pragma once
// The console front end's commands. Each command lives in a file of its own
// and registers itself with a static CommandRegistration.
#include <functional>
#include <string>
#include <vector>

namespace keytidy::cli {

// Exit codes, as --help documents them.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRefused = 3;
inline constexpr int kExitNotAllRemoved = 4;
inline constexpr int kExitRestoreFailed = 5;

using Arguments = std::vector<std::wstring>;

struct Command {
  std::wstring name;
  std::wstring synopsis;     // e.g. L"scan [--report FILE]"
  std::wstring description;  // one line
  std::function<int(const Arguments&)> run;
};

const std::vector<Command>& Commands();

struct CommandRegistration {
  explicit CommandRegistration(Command command);
};

}  // namespace keytidy::cli
