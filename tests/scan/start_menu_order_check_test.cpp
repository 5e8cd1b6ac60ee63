// The start-menu order check only runs on Windows XP. The prefix reports
// Windows 7, so the test runs itself a second time as a child process for
// which Wine reports XP (a per-program version setting), and reads the
// child's findings from its output.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "platform/environment.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "support/scoped_environment.h"

namespace keytidy {
namespace {

const std::wstring kMenuOrder =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2\\Programs";
constexpr char kChildVariable[] = "KEYTIDY_STARTMENU_CHILD";

class StartMenuOrderCheck : public test::CheckTest {};

TEST_F(StartMenuOrderCheck, OnXpLeftOverKeysAreReportedChildrenFirst) {
  const RootKey HKCU = ROOT_HKEY_CURRENT_USER;
  registry.CreateKey(HKCU, kMenuOrder + L"\\KeytidyGone\\KeytidyChild");
  registry.CreateKey(HKCU, kMenuOrder + L"\\KeytidyKept");
  const std::wstring programs = GetSpecialFolderPath(nullptr, 2 /* CSIDL_PROGRAMS */);
  ASSERT_FALSE(programs.empty());
  const std::wstring kept = programs + L"\\KeytidyKept";
  CreateDirectoryW(kept.c_str(), nullptr);

  // Here (Windows 7) the check does nothing at all.
  engine.SEARCH_MISSING_STARTMENU(CheckId::StartMenu, FilterCategory::StartMenu);
  EXPECT_TRUE(OurFindings().empty());

  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring exeName = std::wstring(self).substr(std::wstring(self).rfind(L'\\') + 1);
  registry.WriteString(HKCU, L"Software\\Wine\\AppDefaults\\" + exeName, L"Version", L"winxp64");
  const test::RunResult child = test::RunProgram(test::Quote(self) + L" --gtest_filter=StartMenuOrderChild.*",
                                                 {{L"KEYTIDY_STARTMENU_CHILD", L"1"}});
  RemoveDirectoryW(kept.c_str());

  const std::string key = Utf16ToUtf8(L"HKEY_CURRENT_USER\\" + kMenuOrder);
  const std::string child1 = "FINDING 6/8 |  | KeytidyGone\\KeytidyChild | " + key + "\\KeytidyGone\\KeytidyChild";
  const std::string parent = "FINDING 6/8 |  | KeytidyGone | " + key + "\\KeytidyGone";
  const size_t first = child.output.find(child1), second = child.output.find(parent);
  EXPECT_NE(first, std::string::npos) << child.output;
  EXPECT_NE(second, std::string::npos) << child.output;
  EXPECT_LT(first, second);
  EXPECT_EQ(child.output.find("KeytidyKept"), std::string::npos);
  EXPECT_NE(child.output.find("[  PASSED  ] 1 test"), std::string::npos) << child.output;
}

class StartMenuOrderChild : public test::CheckTest {};

TEST_F(StartMenuOrderChild, RunsTheCheckUnderXp) {
  if (!GetEnvironmentVariableA(kChildVariable, nullptr, 0)) GTEST_SKIP() << "runs only as a child process";
  ASSERT_EQ(Windows_Version().major, 5u);
  engine.SEARCH_MISSING_STARTMENU(CheckId::StartMenu, FilterCategory::StartMenu);
  for (const std::string& line : OurFindings()) std::printf("FINDING %s\n", line.c_str());
  for (PVirtualNode node : tree) {
    const TTreeData_RegCleaner& e = *GetEntry(node);
    if (Contains(e.Key, L"Keytidy")) {
      EXPECT_EQ(e.AdditionalInfo, e.DisplayName);
      // What was looked for: the menu folder in each of the four
      // start-menu folders, every one of them ending in the menu's path.
      EXPECT_EQ(e.Evidence.test, EvidenceTest::NotRepeatable);
      const std::wstring& tested = e.Evidence.target;
      std::vector<std::wstring> folders;
      for (size_t start = 0, bar;; start = bar + 3) {
        bar = tested.find(L" | ", start);
        folders.push_back(tested.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
        if (bar == std::wstring::npos) break;
      }
      EXPECT_EQ(folders.size(), 4u) << Utf16ToUtf8(tested);
      for (const std::wstring& folder : folders)
        EXPECT_TRUE(folder.ends_with(L"\\" + e.AdditionalInfo)) << Utf16ToUtf8(folder);
    }
  }
  std::fflush(stdout);
}

}  // namespace
}  // namespace keytidy
