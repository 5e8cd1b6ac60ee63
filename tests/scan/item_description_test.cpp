// Descriptions and icons of findings, and the scan report built from them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "lang/message_catalogue.h"
#include "model/categories.h"
#include "scan/item_description.h"
#include "scan/scan_report.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

std::string Utf16File(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

// A translation whose sentences show which placeholders they were given.
class Descriptions : public ::testing::Test {
 protected:
  void SetUp() override {
    Localisation_Reset();
    WriteFileBytes(folder.File(L"en-us.nlang3"),
                   Utf16File(L"MESSAGES.MESSAGE_RC_DESC_GROUP_SHARED=Shared %FILENAME in %folder is gone\r\n"
                             L"MESSAGES.MESSAGE_RC_DESC_GROUP_FILEFORMAT=Type %Key links to %MissingKey\r\n"
                             L"MESSAGES.MESSAGE_RC_DESC_MEDIA=Sound %FullPath (%VALUE)\r\n"
                             L"MESSAGES.MESSAGE_RC_DESC_GROUP_EMPTYSUBKEY=Empty under %FullKey\r\n"
                             L"MESSAGES.MESSAGE_RC_DESC_GROUP_FILEFORMAT2=Program of %DisplayName missing\r\n"
                             L"MESSAGES.MESSAGE_RC_DESC_COM_LOCALSERVER32=Server %Filename of %DisplayName gone\r\n"));
    WriteFileBytes(folder.File(L"index.txt"), "Form_Options.Button_OK=TEXT,0,2.00.00\r\n");
    LOAD_INTERNAL_ONLY(folder.Path(), L"en-us");
  }
  void TearDown() override { Localisation_Reset(); }

  TempFolder folder;
};

TTreeData_RegCleaner Entry(CheckId group) {
  TTreeData_RegCleaner entry;
  entry.GroupIndex = group;
  entry.RootKey = ROOT_HKEY_CLASSES_ROOT;
  entry.Key = L".abc";
  entry.Value = L"Default";
  entry.DisplayName = L"ABC file";
  entry.FullPath = L"C:\\Gone\\old.dll";
  entry.Filename = L"old.dll";
  entry.Folder = L"C:\\Gone";
  entry.MissingKey = L"abcfile";
  entry.AdditionalInfo = L"info";
  return entry;
}

TEST_F(Descriptions, LinesAndIconsPerGroup) {
  struct Case {
    const char* what;
    TTreeData_RegCleaner entry;
    std::int32_t icon;
    std::wstring text1, text2;
  };
  TTreeData_RegCleaner valueInPath = Entry(CheckId::Media);
  valueInPath.FullPath = L"C:\\x%Value.wav";
  TTreeData_RegCleaner noRoot = Entry(CheckId::ComEmptyToolboxBitmap);
  noRoot.RootKey = 0;
  const Case cases[] = {
      {"placeholders in any case", Entry(CheckId::Shared), 1, L"Shared old.dll in C:\\Gone is gone", L"C:\\Gone"},
      {"MUI cache shares the sentence", Entry(CheckId::MuiCache), 10, L"Shared old.dll in C:\\Gone is gone",
       L"C:\\Gone\\old.dll"},
      {"missing link on line 2", Entry(CheckId::FileFormatLinkMissing), 13, L"Type .abc links to abcfile", L"abcfile"},
      // A field holding a later placeholder gets it replaced on line 1 only.
      {"%Value only on line 1", valueInPath, 5, L"Sound C:\\xDefault.wav (Default)", L"C:\\x%Value.wav"},
      {"root 0 gives an empty root name", noRoot, 17, L"Empty under \\.abc", L"ToolboxBitmap32"},
      {"missing sentence stays empty", Entry(CheckId::Fonts), 4, L"", L"C:\\Gone"},
      {"no line 2", Entry(CheckId::FileFormatEmpty), 12, L"", L""},
      {"class server program: the in-process server's icon", Entry(CheckId::ComLocalServer32), 16,
       L"Server old.dll of ABC file gone", L"C:\\Gone\\old.dll"},
      {"unknown group", Entry(static_cast<CheckId>(19)), 7, L"", L""},
  };
  for (const Case& c : cases) {
    std::int32_t icon = 7;
    std::wstring text1 = L"old", text2 = L"old";
    Get_ItemDescription_and_Icon(&c.entry, icon, text1, text2);
    EXPECT_EQ(icon, c.icon) << c.what;
    EXPECT_EQ(text1, c.text1) << c.what;
    EXPECT_EQ(text2, c.text2) << c.what;
  }
}

TEST_F(Descriptions, ReportLines) {
  TTreeData_RegCleaner keyEntry = Entry(CheckId::FileFormatLinkMissing);
  keyEntry.DeleteKey = true;
  keyEntry.Delete_Root = ROOT_HKEY_CLASSES_ROOT;
  keyEntry.Delete_Key = L".abc";
  TTreeData_RegCleaner defaultValue = Entry(CheckId::FileFormatWrongExe);
  defaultValue.DeleteValue = true;
  defaultValue.Delete_Root = ROOT_HKEY_CLASSES_ROOT;
  defaultValue.Delete_Key = L".abc";
  TTreeData_RegCleaner both = Entry(CheckId::Shared);
  both.DeleteKey = both.DeleteValue = true;
  both.Delete_Root = ROOT_HKEY_LOCAL_MACHINE;
  both.Delete_Key = L"Software\\K";
  both.Delete_Value = L"v";

  EXPECT_EQ(ScanReportEntryLine(1, keyEntry),
            L"#0001 Type .abc links to abcfile abcfile <Typ=32 Delete key HKEY_CLASSES_ROOT\\.abc>");
  EXPECT_EQ(
      ScanReportEntryLine(42, defaultValue),
      L"#0042 Program of ABC file missing C:\\Gone\\old.dll <Typ=30 Delete value \"\" in HKEY_CLASSES_ROOT\\.abc>");
  EXPECT_EQ(ScanReportEntryLine(12345, both),
            L"#12345 Shared old.dll in C:\\Gone is gone C:\\Gone <Typ=1 Delete key HKEY_LOCAL_MACHINE\\Software\\K>"
            L" <Typ=1 Delete value \"v\" in HKEY_LOCAL_MACHINE\\Software\\K>");

  // A finding stays on one line whatever its names hold.
  both.Delete_Key = L"Software\\two\r\nlines";
  both.Delete_Value = std::wstring(L"v\nx\0y", 5);
  EXPECT_EQ(ScanReportEntryLine(7, both),
            L"#0007 Shared old.dll in C:\\Gone is gone C:\\Gone"
            L" <Typ=1 Delete key HKEY_LOCAL_MACHINE\\Software\\two??lines>"
            L" <Typ=1 Delete value \"v?x?y\" in HKEY_LOCAL_MACHINE\\Software\\two??lines>");
}

TEST(ScanReport, CreatedLineLeavesOutMidnight) {
  SYSTEMTIME time = {};
  time.wYear = 2026;
  time.wMonth = 3;
  time.wDay = 4;
  wchar_t date[64], clock[64];
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 64);
  EXPECT_EQ(ScanReportCreatedLine(time), std::wstring(L"Report created: ") + date);
  time.wSecond = 1;
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 64);
  EXPECT_EQ(ScanReportCreatedLine(time), std::wstring(L"Report created: ") + date + L" " + clock);
}

TEST(ScanReport, FileInAnsiWithCrLfAndNoneForAnEmptyTree) {
  TempFolder folder;
  const std::wstring path = folder.File(L"RC_export.txt");
  TResultTree tree;
  for (const wchar_t* name : {L"caf\u00e9", L"\u0416", L"x"}) {
    TTreeData_RegCleaner& entry = TResultTree::Data(tree.AddChild(CheckType::CheckBox, CheckState::Unchecked));
    entry.GroupIndex = static_cast<CheckId>(99);
    entry.DeleteKey = true;
    entry.Delete_Root = ROOT_HKEY_CURRENT_USER;
    entry.Delete_Key = name;
  }
  tree.SetVisible(tree.NodeAt(1), false);  // hidden findings are reported too

  ASSERT_TRUE(Write_ScanReport(path, tree));
  const std::string bytes = ReadFileBytes(path);
  const std::string head = "Report created: ";
  ASSERT_EQ(bytes.compare(0, head.size(), head), 0);
  const std::string rest = bytes.substr(bytes.find("\r\n") + 2);
  EXPECT_EQ(rest,
            "Entries found: 3\r\n\r\n"
            "#0001   <Typ=99 Delete key HKEY_CURRENT_USER\\caf\xE9>\r\n"
            "#0002   <Typ=99 Delete key HKEY_CURRENT_USER\\?>\r\n"
            "#0003   <Typ=99 Delete key HKEY_CURRENT_USER\\x>\r\n");

  tree.Clear();
  EXPECT_FALSE(Write_ScanReport(path, tree));
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace keytidy
