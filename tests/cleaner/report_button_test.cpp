// The Report button: the file is written and opened, pressing twice gives
// the same file apart from its time, and without findings nothing opens.
#include "cleaner/report_button.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "cleaner/shell_open.h"
#include "scan/add_found_entry.h"
#include "scan/scan_report.h"
#include "support/programs.h"

namespace keytidy {
namespace {

TEST(ReportButton, WritesTheReportAndOpensItOnlyWithFindings) {
  std::vector<std::wstring> opened;
  Set_ShellOpenObserver([&opened](const std::wstring& file) { opened.push_back(file); });
  TResultTree tree;
  for (const wchar_t* value : {L"a", L"b", L"c"}) {
    PVirtualNode node = Add_FoundEntry(L"C:\\gone\\x.dll", L"x.dll", &tree, true, CheckId::Shared,
                                       FilterCategory::Shared, ROOT_HKEY_LOCAL_MACHINE, L"Software\\Shared", value);
    auto& entry = TResultTree::Data(node);
    entry.DeleteValue = true;
    entry.Delete_Root = ROOT_HKEY_LOCAL_MACHINE;
    entry.Delete_Key = L"Software\\Shared";
    entry.Delete_Value = value;
  }
  tree.SetVisible(tree.NodeAt(1), false);

  RC_ReportClick(tree);
  const std::string first = test::ReadFileBytes(ScanReportPath());
  RC_ReportClick(tree);
  const std::string second = test::ReadFileBytes(ScanReportPath());

  EXPECT_EQ(opened, (std::vector<std::wstring>{ScanReportPath(), ScanReportPath()}));
  // Three findings, hidden ones too: six lines; only the time may differ.
  EXPECT_NE(second.find("Entries found: 3\r\n"), std::string::npos);
  EXPECT_NE(second.find("#0003 "), std::string::npos);
  EXPECT_EQ(first.substr(first.find("\r\n")), second.substr(second.find("\r\n")));

  opened.clear();
  TResultTree empty;
  RC_ReportClick(empty);
  EXPECT_EQ(GetFileAttributesW(ScanReportPath().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(opened.empty());
  Set_ShellOpenObserver(nullptr);
}

}  // namespace
}  // namespace keytidy
