// Starting reg.exe: arguments reach the child exactly as meant, and a child
// that hangs is ended at the time limit instead of blocking the program.
#include "backup/reg_exe.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/programs.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

using test::RegistrySandbox;
using test::TempFolder;

struct QuoteCase {
  std::wstring argument;
  std::wstring quoted;
};

TEST(CommandLineQuoting, FollowsTheChildParsersRules) {
  const QuoteCase cases[] = {
      {L"plain", L"\"plain\""},
      {L"", L"\"\""},
      {L"with space", L"\"with space\""},
      {L"a\"b", L"\"a\\\"b\""},              // quote escaped
      {L"a\\\"b", L"\"a\\\\\\\"b\""},        // backslash before a quote doubled, quote escaped
      {L"ends in \\", L"\"ends in \\\\\""},  // trailing backslash doubled before the closing quote
      {L"a\\\\b", L"\"a\\\\b\""},            // backslashes elsewhere stay as they are
      {L"\"", L"\"\\\"\""},
  };
  for (const QuoteCase& c : cases) {
    EXPECT_EQ(QuoteCommandLineArgument(c.argument), c.quoted);
    const std::optional<std::wstring> line = BuildCommandLine(L"C:\\windows\\system32\\reg.exe", {c.argument, L"next"});
    EXPECT_TRUE(line.has_value());
  }
}

TEST(CommandLineQuoting, RefusesWhatCannotBePassed) {
  EXPECT_FALSE(QuoteCommandLineArgument(std::wstring(L"a\0b", 3)).has_value());
  EXPECT_FALSE(BuildCommandLine(L"reg.exe", {std::wstring(40000, L'x')}).has_value());
  EXPECT_FALSE(BuildCommandLine(L"C:\\odd\"name\\reg.exe", {L"x"}).has_value());
}

class RegExeRun : public RegistrySandbox {};

TEST_F(RegExeRun, PassesKeyNamesWithQuotesAndBackslashesIntact) {
  RawCreateKey(ROOT_HKEY_CURRENT_USER, Path() + L"\\say \"hi\" ");
  TempFolder folder;
  const RegExeResult result = RegExe_Run(
      {L"export", L"HKEY_CURRENT_USER\\" + Path() + L"\\say \"hi\" ", folder.File(L"out.reg"), L"/y"}, folder.Path());
  EXPECT_TRUE(result.Succeeded());
  EXPECT_NE(GetFileAttributesW(folder.File(L"out.reg").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RegExeRun, HangingChildIsEndedAtTheTimeLimit) {
  // reg.exe export without /y asks before overwriting an existing file and
  // then waits for an answer (Wine's loops forever).
  RawCreateKey(ROOT_HKEY_CURRENT_USER, Path());
  TempFolder folder;
  test::WriteFileBytes(folder.File(L"out.reg"), "old");
  const DWORD start = GetTickCount();
  const RegExeResult result =
      RegExe_Run({L"export", L"HKEY_CURRENT_USER\\" + Path(), folder.File(L"out.reg")}, folder.Path(), 2000);
  EXPECT_FALSE(result.Succeeded());
  EXPECT_LT(GetTickCount() - start, 30000u);
}

TEST(RegExeStart, MissingProgramIsAFailureNotACrash) {
  const RegExeResult result = RegExe_Run({L"export"}, L"", 5000, L"C:\\no\\such\\reg.exe");
  EXPECT_FALSE(result.started);
  EXPECT_FALSE(result.Succeeded());
  EXPECT_FALSE(result.refusal.empty());
}

}  // namespace
}  // namespace keytidy
