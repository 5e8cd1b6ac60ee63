// The System Restore point around a deletion run, with a stand-in for the
// provider library that logs every call (tests/standin): when it is asked
// for, what the run does when Windows declines or the library is missing,
// and that a run which removes nothing cancels the point it began.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lang/message_catalogue.h"
#include "platform/restore_point.h"
#include "clean/delete_run.h"
#include "scan/registry_cleaner.h"
#include "support/programs.h"
#include "support/registry_sandbox.h"
#include "support/scoped_environment.h"
#include "support/ticked_finding.h"

namespace keytidy {
namespace {

using test::TempFolder;

std::wstring StandInDll() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.rfind(L'\\')) + L"\\restore_point_standin.dll";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

class RestorePointRun : public test::RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", L"en-us");
  }
  void TearDown() override {
    Localisation_Reset();
    RegistrySandbox::TearDown();
  }
  std::vector<std::string> Calls() const {
    if (GetFileAttributesW(log_.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    return Lines(test::ReadFileBytes(log_));
  }
  DeleteRunResult Run(bool wanted, const std::wstring& provider) {
    DeleteOptions options;
    options.exportFolder = folder_.Path();
    options.restorePoint = wanted;
    options.restorePointProvider = provider;
    return RC_DeleteRun(engine_, folder_.File(L"Backups"), options);
  }

  TempFolder folder_;
  std::wstring log_ = folder_.File(L"calls.txt");
  test::ScopedEnvironmentVariable logVariable_{L"KEYTIDY_TEST_RESTORE_LOG", log_.c_str()};
  TResultTree tree_;
  RunControl run_;
  TRegistryCleaner engine_{&tree_, run_};
};

// "event type sequence description": a change begun with sequence 0, then
// ended with the number Windows gave (the stand-in's 42), as finished when
// something was removed and as cancelled when nothing was.
TEST_F(RestorePointRun, CallsAndOutcomeFollowWhatWindowsAnswers) {
  const std::string begin = "100 12 0 Quarvint Keytidy 2: registry cleaning";
  struct Case {
    const char* name;
    bool wanted;
    bool providerPresent;
    const wchar_t* status;  // what the stand-in reports for the start; null: accepts
    bool valueExists;       // false: the finding is already gone, the run removes nothing
    RestorePointOutcome outcome;
    std::vector<std::string> calls;
    bool valueLeft;
  };
  const Case cases[] = {
      {"accepted, then finished",
       true,
       true,
       nullptr,
       true,
       RestorePointOutcome::Created,
       {begin, "101 12 42 Quarvint Keytidy 2: registry cleaning"},
       false},
      {"nothing removed: cancelled",
       true,
       true,
       nullptr,
       false,
       RestorePointOutcome::Created,
       {begin, "101 13 42 Quarvint Keytidy 2: registry cleaning"},
       false},
      {"System Restore switched off", true, true, L"1058", true, RestorePointOutcome::Disabled, {begin}, false},
      {"declined for another reason", true, true, L"5", true, RestorePointOutcome::Refused, {begin}, false},
      {"no provider library", true, false, nullptr, true, RestorePointOutcome::NotAvailable, {}, false},
      {"switched off in the options", false, true, nullptr, true, RestorePointOutcome::NotWanted, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileW(log_.c_str());
    test::ScopedEnvironmentVariable status(L"KEYTIDY_TEST_RESTORE_STATUS", c.status);
    const std::wstring key = Path(L"run");
    RawCreateKey(ROOT_HKEY_CURRENT_USER, key);
    if (c.valueExists) RawWriteString(ROOT_HKEY_CURRENT_USER, key, L"stale", L"gone.exe");
    tree_.Clear();
    test::AddTickedValueFinding(tree_, ROOT_HKEY_CURRENT_USER, key, L"stale");

    const DeleteRunResult result = Run(c.wanted, c.providerPresent ? StandInDll() : folder_.File(L"absent.dll"));

    EXPECT_EQ(result.restorePoint.outcome, c.outcome);
    EXPECT_EQ(Calls(), c.calls);
    // Our own backup set is written whatever Windows said, and the deletion
    // goes on without a restore point.
    EXPECT_EQ(result.removed, 1u);
    EXPECT_EQ(RawValueExists(ROOT_HKEY_CURRENT_USER, key, L"stale"), c.valueLeft);
    if (c.valueExists) EXPECT_NE(GetFileAttributesW(result.scriptPath.c_str()), INVALID_FILE_ATTRIBUTES);
    if (c.outcome == RestorePointOutcome::Refused) EXPECT_EQ(result.restorePoint.status, 5u);
    // There is a line on what became of the restore point, unless the user
    // did not want one (the screen puts it after the counts).
    EXPECT_EQ(RC_RestorePointText(result.restorePoint).empty(), c.outcome == RestorePointOutcome::NotWanted);
  }
}

TEST(RestorePoint, DecisionFromTheProvidersAnswer) {
  struct Case {
    bool accepted;
    DWORD status;
    RestorePointOutcome outcome;
  };
  const Case cases[] = {
      {true, ERROR_SUCCESS, RestorePointOutcome::Created},
      {false, ERROR_SERVICE_DISABLED, RestorePointOutcome::Disabled},
      {false, ERROR_TIMEOUT, RestorePointOutcome::Refused},
      {false, ERROR_SUCCESS, RestorePointOutcome::NotAvailable},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RestorePoint_Judge(c.accepted, c.status), c.outcome) << c.accepted << " " << c.status;
}

// Wine's System Restore client has the function but declines every call
// without a reason: the real default library takes the "not available"
// path there. (On Windows this would make a real restore point, so the test
// stands aside.)
TEST(RestorePoint, WinesClientIsNotAvailable) {
  if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) GTEST_SKIP() << "not under Wine";
  RestorePoint point;
  EXPECT_EQ(point.Begin(L"test").outcome, RestorePointOutcome::NotAvailable);
}

}  // namespace
}  // namespace keytidy
