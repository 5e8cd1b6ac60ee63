// "clean" under faults, end to end with the real keytidy-cli.exe and
// reg.exe: raced by a second copy and killed in the middle of a deletion.
// Afterwards the backup set must be listed and its restore must bring every
// item that was deleted back byte for byte. (Hostile registry data through scan, clean
// and restore: tests/robustness.)
#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "backup/reg_script_reader.h"
#include "platform/registry_snapshot.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "settings/option_switches.h"
#include "support/category_switches.h"
#include "support/key_tree.h"
#include "support/programs.h"
#include "support/real_registry.h"

namespace keytidy {
namespace {

using test::BinFolder;
using test::CliPath;
using test::Quote;
using test::RunProgram;
using test::TempFolder;

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
const std::wstring kAppPaths = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

using test::KeyTree;

std::string Narrow(const std::wstring& text) { return Utf16ToUtf8(text); }

using test::OnlyCategories;

// The files a run adds to the program's Backups folder (and its temporary
// export files), removed again at the end of the test.
class NewBackupFiles {
 public:
  NewBackupFiles() : before_(List()) {}
  ~NewBackupFiles() {
    for (const std::wstring& name : Added()) DeleteFileW((Folder() + L"\\" + name).c_str());
  }
  static std::wstring Folder() { return BinFolder() + L"\\Backups"; }
  std::vector<std::wstring> Added() const {
    std::vector<std::wstring> added = List();
    std::erase_if(added,
                  [&](const std::wstring& n) { return std::find(before_.begin(), before_.end(), n) != before_.end(); });
    return added;
  }
  // The one script the run wrote.
  std::optional<std::wstring> Script() const {
    std::optional<std::wstring> script;
    for (const std::wstring& name : Added())
      if (name.size() > 4 && UpperCaseAscii(name.substr(name.size() - 4)) == L".REG") {
        if (script) return std::nullopt;
        script = Folder() + L"\\" + name;
      }
    return script;
  }

 private:
  static std::vector<std::wstring> List() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((Folder() + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }
  std::vector<std::wstring> before_;
};

// Forty stale application paths: each one a key finding, each deletion a
// reg.exe export first, so a run takes long enough to be interrupted.
TEST(CleanFaults, ASecondCopyIsRefusedAndAKilledRunLosesNothing) {
  OnlyCategories only({OptionSwitch::RC_AppPaths});
  TempFolder temp;
  test::RealRegistryFixture registry;
  NewBackupFiles files;
  constexpr int kKeys = 40;
  std::vector<std::wstring> keys;
  for (int i = 0; i < kKeys; ++i) {
    const std::wstring key = kAppPaths + L"\\KeytidyKill" + std::to_wstring(100 + i) + L".exe";
    registry.WriteString(HKLM, key, L"", temp.File(L"gone\\kill.exe"));
    registry.WriteString(HKLM, key, L"Path", temp.File(L"gone"));
    registry.WriteString(HKLM, key + L"\\Sub \"q\"", L"n", L"%PATH%", REG_EXPAND_SZ);
    keys.push_back(key);
  }
  std::map<std::wstring, KeyTree> before;
  for (const std::wstring& key : keys) before[key] = test::SnapshotKeyTree(HKLM, key);
  const auto deleted = [&] {
    return static_cast<int>(
        std::count_if(keys.begin(), keys.end(), [](const std::wstring& k) { return !Reg_KeyExists(HKLM, k); }));
  };

  // Killed together with the reg.exe it may be running at that moment: a
  // reg.exe that outlived it kept the test's output open, and the test then
  // hung until its time limit although every check had passed.
  const test::ProgramInJob first = test::StartProgramInJob(Quote(CliPath()) + L" clean", temp.File(L"first.txt"));
  ASSERT_TRUE(first);
  // Wait for the first deletion, then race a second copy and kill the first.
  const DWORD start = GetTickCount();
  while (deleted() == 0 && WaitForSingleObject(first.process.get(), 0) == WAIT_TIMEOUT &&
         GetTickCount() - start < 120000)
    Sleep(5);
  const test::RunResult second = RunProgram(Quote(CliPath()) + L" clean");
  const bool killed = first.Kill(9);
  WaitForSingleObject(first.process.get(), 30000);
  EXPECT_EQ(second.exitCode, 3u) << second.output;
  EXPECT_NE(second.output.find("another copy of Keytidy is running"), std::string::npos) << second.output;

  const int gone = deleted();
  ASSERT_GT(gone, 0);
  if (killed && gone == kKeys) std::printf("note: the run ended all deletions before it was killed\n");
  // The interrupted run's set is listed, marked incomplete while the run
  // had deletions left, and its restore brings every deleted key back
  // exactly.
  const std::optional<std::wstring> script = files.Script();
  ASSERT_TRUE(script);
  const RegScriptReadResult read = RegScript_ReadFile(*script);
  ASSERT_TRUE(read.ok) << Narrow(read.error);
  const std::wstring fileName = script->substr(script->rfind(L'\\') + 1);
  const std::string name = Narrow(fileName.substr(0, fileName.size() - 4));
  const test::RunResult list = RunProgram(Quote(CliPath()) + L" backups");
  EXPECT_EQ(list.exitCode, 0u) << list.output;
  const size_t line = list.output.find(name + "  ");
  ASSERT_NE(line, std::string::npos) << list.output;
  const std::string setLine = list.output.substr(line, list.output.find('\n', line) - line);
  if (gone < kKeys) EXPECT_NE(setLine.find("bytes  incomplete"), std::string::npos) << setLine;
  const test::RunResult restore = RunProgram(Quote(CliPath()) + L" restore " + Utf8ToUtf16(name));
  EXPECT_EQ(restore.exitCode, 0u) << restore.output;
  for (const std::wstring& key : keys)
    EXPECT_EQ(test::KeyTreeDifferences(before[key], test::SnapshotKeyTree(HKLM, key)), std::vector<std::string>{});
}

}  // namespace
}  // namespace keytidy
