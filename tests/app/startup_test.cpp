// The process entry of both programs, run as real processes under Wine:
// single instance, start-up checks, the rights test, debug lines, usage.
#include <windows.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/startup.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::CliPath;
using test::GuiPath;
using test::Quote;
using test::RunProgram;

TEST(FirstArgument, OnlyTheFirstArgumentUpperCased) {
  const struct {
    const wchar_t* commandLine;
    const wchar_t* expected;
  } cases[] = {
      {L"keytidy.exe -save", L"-SAVE"},
      {L"keytidy.exe -Save -other", L"-SAVE"},
      {L"\"C:\\Program Files\\k\\keytidy.exe\" \"-novErsion\" x", L"-NOVERSION"},
      {L"keytidy.exe", L""},
      {L"keytidy.exe \u00e9t\u00e9", L"\u00e9T\u00e9"},  // only a to z change case
  };
  for (const auto& c : cases) EXPECT_EQ(FirstArgumentOf(c.commandLine), c.expected) << c.commandLine;
}

TEST(StartupRefusalTexts, AreTheFixedEnglishMessages) {
  EXPECT_EQ(StartupRefusalText(StartupRefusal::WindowsTooOld), L"This software requires Windows XP or higher!");
  EXPECT_EQ(StartupRefusalText(StartupRefusal::NotAdministrator),
            L"This software requires full administrator-rights! Please start this software as Administrator.");
  EXPECT_EQ(StartupRefusalText(StartupRefusal::RightsTestFailed),
            L"This software requires full administrator-rights! Please enable \"User Account Control\" (UAC) and "
            L"start this software as Administrator.");
}

TEST(ConsoleFrontEnd, HelpAndUsage) {
  const auto help = RunProgram(Quote(CliPath()) + L" --help");
  EXPECT_EQ(help.exitCode, 0u);
  EXPECT_NE(help.output.find("Usage: keytidy-cli"), std::string::npos) << help.output;
  EXPECT_NE(help.output.find("3  refused at start-up"), std::string::npos);

  const auto unknown = RunProgram(Quote(CliPath()) + L" frobnicate");
  EXPECT_EQ(unknown.exitCode, 2u);
  EXPECT_NE(unknown.output.find("unknown command 'frobnicate'"), std::string::npos) << unknown.output;

  EXPECT_EQ(RunProgram(Quote(CliPath())).exitCode, 2u) << "no command is a usage error";
}

// Holds the single-instance name the way a running copy does.
class RunningCopy {
 public:
  RunningCopy() : mutex_(CreateMutexW(nullptr, TRUE, kSingleInstanceMutexName)) {}
  bool Held() const { return static_cast<bool>(mutex_) && GetLastError() != ERROR_ALREADY_EXISTS; }

 private:
  UniqueHandle mutex_;
};

TEST(SingleInstance, SecondCopyWithoutWindowEndsSilently) {
  RunningCopy first;
  ASSERT_TRUE(first.Held());
  test::TempFolder folder;
  const std::wstring log = folder.File(L"debug.log");
  const auto gui = RunProgram(Quote(GuiPath()), {{L"KEYTIDY_DEBUGLOG", log}}, 30000);
  EXPECT_FALSE(gui.timedOut);
  EXPECT_EQ(gui.exitCode, 0u);
  // It ended before any initialisation: not even the version line was sent.
  EXPECT_EQ(test::ReadFileBytes(log), "");
}

TEST(SingleInstance, ConsoleRefusesWhileAnotherCopyRuns) {
  RunningCopy first;
  ASSERT_TRUE(first.Held());
  const auto cli = RunProgram(Quote(CliPath()) + L" info");
  EXPECT_EQ(cli.exitCode, 3u);
  EXPECT_NE(cli.output.find("another copy of Keytidy is running"), std::string::npos) << cli.output;
  // Help changes nothing and needs no start-up, so it still answers.
  EXPECT_EQ(RunProgram(Quote(CliPath()) + L" --help").exitCode, 0u);
}

TEST(ConsoleFrontEnd, InfoShowsTheEnvironmentFacts) {
  const auto info = RunProgram(Quote(CliPath()) + L" info");
  EXPECT_EQ(info.exitCode, 0u) << info.output;
  EXPECT_NE(info.output.find("Desktop user SID: S-1-5-21-0-0-0-1000"), std::string::npos) << info.output;
  EXPECT_NE(info.output.find("64-bit Windows:   yes"), std::string::npos) << info.output;
}

TEST(StartupChecks, RightsTestLeavesNoValueAndSendsTheVersionLine) {
  test::TempFolder folder;
  const std::wstring log = folder.File(L"debug.log");
  Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"CheckRights");
  const auto gui = RunProgram(Quote(GuiPath()) + L" -SETUPLT2", {{L"KEYTIDY_DEBUGLOG", log}}, 30000);
  EXPECT_EQ(gui.exitCode, 0u);
  EXPECT_TRUE(Reg_KeyExists(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey)) << "the rights test wrote under the key";
  EXPECT_FALSE(Reg_ValueExists(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"CheckRights"));
  const std::string expected = "WindowsVersion=" + std::to_string(Windows_Version().major) + "." +
                               std::to_string(Windows_Version().minor) + "\r\n";
  // The version line comes first; the setup word then still loads the
  // translation before the program ends quietly.
  EXPECT_EQ(test::ReadFileBytes(log).substr(0, expected.size()), expected);
}

HWND WaitForMainWindow(std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (HWND window = FindWindowExW(nullptr, nullptr, kMainWindowClassName, nullptr)) return window;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return nullptr;
}

// The program ends with the test, also when an assertion leaves early: a
// copy left running would hold the test's output open until its time-out.
struct EndsWithTheTest {
  HANDLE process;
  ~EndsWithTheTest() {
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
  }
};

TEST(SingleInstance, SecondStartRestoresTheFirstWindow) {
  UniqueHandle first = test::StartProgram(Quote(GuiPath()));
  ASSERT_TRUE(first);
  const EndsWithTheTest guard{first.get()};
  HWND window = WaitForMainWindow(std::chrono::seconds(30));
  ASSERT_NE(window, nullptr);
  // The window exists before the program has shown it, and its start-up
  // places it once more a moment later: minimised before that, it comes
  // back. The user's state is set up once the window stays minimised.
  WaitForInputIdle(first.get(), 30000);
  bool stays = false;
  for (int attempt = 0; attempt < 20 && !stays; ++attempt) {
    ShowWindow(window, SW_MINIMIZE);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    stays = IsIconic(window) != FALSE;
  }
  ASSERT_TRUE(stays);

  const auto second = RunProgram(Quote(GuiPath()), {}, 30000);
  EXPECT_EQ(second.exitCode, 0u);
  EXPECT_FALSE(IsIconic(window)) << "the running copy's window was restored";

  // While the GUI runs, the console front end stays out of the registry.
  EXPECT_EQ(RunProgram(Quote(CliPath()) + L" info").exitCode, 3u);

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(first.get(), 30000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(first.get(), &exitCode);
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace keytidy
