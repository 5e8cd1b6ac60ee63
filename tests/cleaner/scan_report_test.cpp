// The report file: its header, one line per finding with what deleting it
// removes, the file's encoding and line ends, and that it is opened.
#include "cleaner/scan_report.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "cleaner/shell_open.h"
#include "platform/text.h"
#include "scan/add_found_entry.h"
#include "support/programs.h"

namespace keytidy {
namespace {

PVirtualNode AddFinding(TResultTree& tree, std::int32_t group, RootKey root, const std::wstring& key,
                        const std::wstring& value, bool deleteKey, bool deleteValue) {
  PVirtualNode node = Add_FoundEntry(L"C:\\gone\\x.exe", L"x", &tree, false, group, 1, root, key, value);
  auto& entry = TResultTree::Data(node);
  entry.DeleteKey = deleteKey;
  entry.DeleteValue = deleteValue;
  entry.Delete_Root = root;
  entry.Delete_Key = key;
  entry.Delete_Value = value;
  return node;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(ScanReport, HeaderThenOneLinePerFindingWithWhatDeletingRemoves) {
  TResultTree tree;
  AddFinding(tree, 30, ROOT_HKEY_CLASSES_ROOT, L".abc", L"Content Type", false, true);
  AddFinding(tree, 12, ROOT_HKEY_LOCAL_MACHINE, L"Software\\Gone", L"", true, false);
  AddFinding(tree, 3, ROOT_HKEY_CURRENT_USER, L"Software\\App", L"", true, true);
  tree.SetVisible(tree.NodeAt(1), false);  // hidden findings are reported too
  SYSTEMTIME noon{2026, 3, 0, 14, 12, 30, 5, 0};

  const std::vector<std::wstring> lines = RC_ReportLines(tree, noon);

  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0].rfind(L"Report created: ", 0), 0u);
  EXPECT_EQ(lines[1], L"Entries found: 3");
  EXPECT_EQ(lines[2], L"");
  EXPECT_EQ(lines[3].rfind(L"#0001 ", 0), 0u);
  EXPECT_EQ(lines[4].rfind(L"#0002 ", 0), 0u);
  EXPECT_TRUE(EndsWith(lines[3], L" <Typ=30 Delete value \"Content Type\" in HKEY_CLASSES_ROOT\\.abc>")) << lines[3];
  EXPECT_TRUE(EndsWith(lines[4], L" <Typ=12 Delete key HKEY_LOCAL_MACHINE\\Software\\Gone>")) << lines[4];
  // Both parts, key first; the default value shows as two quotes.
  EXPECT_TRUE(EndsWith(lines[5], L" <Typ=3 Delete key HKEY_CURRENT_USER\\Software\\App> <Typ=3 Delete value \"\" in "
                                 L"HKEY_CURRENT_USER\\Software\\App>"))
      << lines[5];
}

TEST(ScanReport, CreatedLineLeavesTheTimeOutAtMidnight) {
  SYSTEMTIME midnight{2026, 3, 0, 14, 0, 0, 0, 0};
  SYSTEMTIME morning{2026, 3, 0, 14, 9, 5, 7, 0};
  wchar_t date[64], time[64];
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &morning, nullptr, date, 64);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &morning, nullptr, time, 64);
  EXPECT_EQ(RC_ReportCreatedLine(midnight), std::wstring(L"Report created: ") + date);
  EXPECT_EQ(RC_ReportCreatedLine(morning), std::wstring(L"Report created: ") + date + L" " + time);
}

TEST(ScanReport, NumbersKeepGrowingPastFourDigits) {
  TResultTree tree;
  for (int i = 0; i < 10000; ++i) AddFinding(tree, 3, ROOT_HKEY_CURRENT_USER, L"K", L"v", false, true);
  SYSTEMTIME noon{2026, 3, 0, 14, 12, 0, 0, 0};
  const std::vector<std::wstring> lines = RC_ReportLines(tree, noon);
  EXPECT_EQ(lines[3 + 41].rfind(L"#0042 ", 0), 0u);
  EXPECT_EQ(lines.back().rfind(L"#10000 ", 0), 0u);
}

TEST(ScanReport, ButtonWritesAnAnsiFileWithCrLfAndOpensIt) {
  std::vector<std::wstring> opened;
  Set_ShellOpenObserver([&opened](const std::wstring& file) { opened.push_back(file); });
  TResultTree tree;
  AddFinding(tree, 3, ROOT_HKEY_CURRENT_USER, L"Software\\Caf\u00e9 \u4e2d", L"v", false, true);

  RC_ReportClick(tree);
  const std::string first = test::ReadFileBytes(RC_ReportFilePath());
  RC_ReportClick(tree);
  const std::string second = test::ReadFileBytes(RC_ReportFilePath());

  ASSERT_EQ(opened, (std::vector<std::wstring>{RC_ReportFilePath(), RC_ReportFilePath()}));
  // Apart from the time in line 1, pressing twice gives the same file.
  EXPECT_EQ(first.substr(first.find("\r\n")), second.substr(second.find("\r\n")));
  EXPECT_EQ(second.substr(second.size() - 2), "\r\n");
  EXPECT_NE(second.find("Caf\xe9 ?"), std::string::npos);  // code page 1252, substitute for the rest

  // An empty tree removes the old report and opens nothing.
  opened.clear();
  TResultTree empty;
  RC_ReportClick(empty);
  EXPECT_EQ(GetFileAttributesW(RC_ReportFilePath().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(opened.empty());
  Set_ShellOpenObserver(nullptr);
}

}  // namespace
}  // namespace keytidy
