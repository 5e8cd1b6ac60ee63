// The exception list: exact matching by kind, root, key and value, and the
// file it lives in between runs.
#include "scan/exception_list.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "scan/exception_file.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

constexpr wchar_t kShared[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLS";

TExceptionList SampleList() {
  TExceptionList list;
  Add_ExceptionItem(0, L"HKEY_LOCAL_MACHINE", kShared, list, L"C:\\Gone\\x.dll");
  Add_ExceptionItem(1, L"HKEY_CURRENT_USER", L"Software\\Gone", list, L"");
  Add_ExceptionItem(7, L"HKEY_LOCAL_MACHINE", L"Software\\Odd", list, L"");
  return list;
}

TEST(ExceptionList, MatchesExactlyByKindRootKeyAndValue) {
  const TExceptionList list = SampleList();
  struct Case {
    const char* label;
    std::int32_t kind;
    const wchar_t* root;
    const wchar_t* key;
    const wchar_t* value;
    bool match;
  };
  const Case cases[] = {
      {"value_exact", 0, L"HKEY_LOCAL_MACHINE", kShared, L"C:\\Gone\\x.dll", true},
      {"value_other_case", 0, L"HKEY_LOCAL_MACHINE", kShared, L"c:\\gone\\x.dll", false},
      {"key_other_case", 0, L"HKEY_LOCAL_MACHINE", L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls",
       L"C:\\Gone\\x.dll", false},
      {"other_root", 0, L"HKEY_CURRENT_USER", kShared, L"C:\\Gone\\x.dll", false},
      {"value_prefix_only", 0, L"HKEY_LOCAL_MACHINE", kShared, L"C:\\Gone\\x.dl", false},
      {"value_finding_against_key_row", 0, L"HKEY_CURRENT_USER", L"Software\\Gone", L"", false},
      {"key_finding", 1, L"HKEY_CURRENT_USER", L"Software\\Gone", L"", true},
      {"key_finding_with_value_name", 1, L"HKEY_CURRENT_USER", L"Software\\Gone", L"x", false},
      {"key_finding_against_value_row", 1, L"HKEY_LOCAL_MACHINE", kShared, L"C:\\Gone\\x.dll", false},
      {"other_kind_asks_for_value", 5, L"HKEY_LOCAL_MACHINE", kShared, L"C:\\Gone\\x.dll", true},
      {"odd_row_kind_never_matches_0", 0, L"HKEY_LOCAL_MACHINE", L"Software\\Odd", L"", false},
      {"odd_row_kind_never_matches_1", 1, L"HKEY_LOCAL_MACHINE", L"Software\\Odd", L"", false},
      {"odd_row_kind_never_matches_7", 7, L"HKEY_LOCAL_MACHINE", L"Software\\Odd", L"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Is_Exception(c.kind, c.root, c.key, list, c.value), c.match);
  }
  EXPECT_FALSE(Is_Exception(0, L"HKEY_LOCAL_MACHINE", kShared, TExceptionList(), L"C:\\Gone\\x.dll"));
}

TEST(ExceptionList, KindOfAFindingAndItsCaption) {
  EXPECT_EQ(ExceptionKindOf(true, false), 1);
  EXPECT_EQ(ExceptionKindOf(false, true), 0);
  EXPECT_EQ(ExceptionKindOf(true, true), 0);
  EXPECT_EQ(ExceptionKindOf(false, false), 0);

  const std::wstring key = L"Schl\u00fcssel", value = L"Wert";
  EXPECT_EQ(ExceptionKindCaption(1, key, value), key);
  EXPECT_EQ(ExceptionKindCaption(0, key, value), value);
  EXPECT_EQ(ExceptionKindCaption(7, key, value), L"");
  // With no translation both words are empty; the kinds stay apart anyway.
  TExceptionList list;
  Add_ExceptionItem(1, L"HKEY_CURRENT_USER", L"Software\\Gone", list, L"");
  EXPECT_FALSE(Is_Exception(0, L"HKEY_CURRENT_USER", L"Software\\Gone", list, L""));
}

TEST(ExceptionList, RemovingRowsKeepsTheOthersInOrder) {
  TExceptionList list = SampleList();
  list.RemoveRows({2, 0, 2, 9});
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.Rows()[0].key, L"Software\\Gone");
}

class ExceptionFile : public ::testing::Test {
 protected:
  TempFolder folder_;
  std::wstring file_ = folder_.File(L"data\\rc_exceptions.txt");
  void SetUp() override { CreateDirectoryW(folder_.File(L"data").c_str(), nullptr); }
};

TEST_F(ExceptionFile, ReadsFourLineRecordsInAnyEncoding) {
  struct Case {
    const char* label;
    std::string bytes;
    std::vector<ExceptionRow> rows;
  };
  const ExceptionRow gone{1, L"HKEY_CURRENT_USER", L"Software\\Gone", L""};
  const ExceptionRow dll{0, L"HKEY_LOCAL_MACHINE", kShared, L"C:\\Gone\\x.dll"};
  const std::string sharedKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLS";
  const Case cases[] = {
      {"seven_lines_one_exception",
       "1\r\nHKEY_CURRENT_USER\r\nSoftware\\Gone\r\n\r\n0\r\nHKEY_LOCAL_MACHINE\r\nx\r\n",
       {gone}},
      {"two_records_no_final_break",
       "1\r\nHKEY_CURRENT_USER\r\nSoftware\\Gone\r\n\r\n0\r\nHKEY_LOCAL_MACHINE\r\n" + sharedKey +
           "\r\nC:\\Gone\\x.dll",
       {gone, dll}},
      {"lf_only", "1\nHKEY_CURRENT_USER\nSoftware\\Gone\n\n", {gone}},
      {"kind_no_number",
       "key\r\nHKEY_CURRENT_USER\r\nSoftware\\Gone\r\n\r\n",
       {{0, L"HKEY_CURRENT_USER", L"Software\\Gone", L""}}},
      {"kind_other_number",
       "3\r\nHKEY_CURRENT_USER\r\nSoftware\\Gone\r\n\r\n",
       {{3, L"HKEY_CURRENT_USER", L"Software\\Gone", L""}}},
      {"ansi_code_page",
       "0\r\nHKEY_CURRENT_USER\r\nSoftware\\M\xFCll\r\nGr\xFC\xDF\r\n",
       {{0, L"HKEY_CURRENT_USER", L"Software\\M\u00fcll", L"Gr\u00fc\u00df"}}},
      {"utf8_mark",
       "\xEF\xBB\xBF"
       "0\r\nHKEY_CURRENT_USER\r\nSoftware\\\xE6\x97\xA5\r\nv\r\n",
       {{0, L"HKEY_CURRENT_USER", L"Software\\\u65e5", L"v"}}},
      {"utf16_mark",
       std::string("\xFF\xFE"
                   "1\0\r\0\n\0H\0\r\0\n\0K\0\r\0\n\0\r\0\n\0",
                   22),
       {{1, L"H", L"K", L""}}},
      {"utf16_big_endian_mark",
       std::string("\xFE\xFF\0"
                   "1\0\r\0\n\0H\0\r\0\n\0K\0\r\0\n\0\r\0\n",
                   22),
       {{1, L"H", L"K", L""}}},
      {"empty_file", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    if (std::string(c.label) == "ansi_code_page" && GetACP() != 1252) continue;  // bytes written for code page 1252
    WriteFileBytes(file_, c.bytes);
    TExceptionList list = SampleList();
    Load_Exceptions(file_, list);
    EXPECT_EQ(list.Rows(), c.rows);
  }
}

TEST_F(ExceptionFile, MissingFileEmptiesTheList) {
  TExceptionList list = SampleList();
  Load_Exceptions(folder_.File(L"nowhere.txt"), list);
  EXPECT_TRUE(list.Empty());
}

TEST_F(ExceptionFile, WritesAnsiTextWithCrLfAndKindsZeroOrOne) {
  if (GetACP() != 1252) GTEST_SKIP() << "expected bytes are written for code page 1252";
  TExceptionList list = SampleList();
  Add_ExceptionItem(0, L"HKEY_CURRENT_USER", L"Software\\M\u00fcll", list, L"");
  ASSERT_TRUE(Save_Exceptions(file_, list));
  EXPECT_EQ(ReadFileBytes(file_),
            "0\r\nHKEY_LOCAL_MACHINE\r\nSOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLS\r\nC:\\Gone\\x.dll\r\n"
            "1\r\nHKEY_CURRENT_USER\r\nSoftware\\Gone\r\n\r\n"
            "0\r\nHKEY_LOCAL_MACHINE\r\nSoftware\\Odd\r\n\r\n"
            "0\r\nHKEY_CURRENT_USER\r\nSoftware\\M\xFCll\r\n\r\n");
  EXPECT_EQ(GetFileAttributesW((file_ + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Text the code page cannot hold goes to UTF-8; a registry name with a lone
// surrogate, which UTF-8 cannot hold either, to UTF-16. Either way every
// row reads back exactly, so the exception still matches its key.
TEST_F(ExceptionFile, TextOutsideTheCodePageIsWrittenSoItReadsBackExactly) {
  struct Case {
    const char* label;
    std::wstring key;
    std::wstring value;
    std::string mark;
  };
  const Case cases[] = {
      {"utf8", L"Software\\\u65e5\u672c", L"\u0141\u00f3d\u017a", "\xEF\xBB\xBF"},
      {"lone_surrogate", L"Software\\\u65e5" + std::wstring(1, static_cast<wchar_t>(0xD820)) + L"x", L"", "\xFF\xFE"},
      {"lone_low_surrogate", L"Software\\x", std::wstring(1, static_cast<wchar_t>(0xDC01)), "\xFF\xFE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TExceptionList list;
    Add_ExceptionItem(1, L"HKEY_CURRENT_USER", c.key, list, L"");
    Add_ExceptionItem(0, L"HKEY_LOCAL_MACHINE", L"Software\\Plain", list, c.value);
    ASSERT_TRUE(Save_Exceptions(file_, list));
    EXPECT_EQ(ReadFileBytes(file_).substr(0, c.mark.size()), c.mark);
    TExceptionList loaded;
    Load_Exceptions(file_, loaded);
    EXPECT_EQ(loaded.Rows(), list.Rows());
  }
}

TEST_F(ExceptionFile, RowsWithLineBreaksAreLeftOutSoTheOthersSurvive) {
  TExceptionList list;
  Add_ExceptionItem(0, L"HKEY_CURRENT_USER", L"Software\\A", list, L"two\r\nlines");
  Add_ExceptionItem(1, L"HKEY_CURRENT_USER", L"Software\\B", list, L"");
  ASSERT_TRUE(Save_Exceptions(file_, list));
  TExceptionList loaded;
  Load_Exceptions(file_, loaded);
  EXPECT_EQ(loaded.Rows(), std::vector<ExceptionRow>{list.Rows()[1]});
  EXPECT_EQ(list.Count(), 2u);  // the list in memory keeps it for this run
}

TEST_F(ExceptionFile, EmptyListDeletesTheFile) {
  ASSERT_TRUE(Save_Exceptions(file_, SampleList()));
  ASSERT_NE(GetFileAttributesW(file_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(Save_Exceptions(file_, TExceptionList()));
  EXPECT_EQ(GetFileAttributesW(file_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(Save_Exceptions(file_, TExceptionList()));  // nothing left to delete
}

TEST_F(ExceptionFile, MissingDataFolderIsCreated) {
  const std::wstring file = folder_.File(L"fresh\\rc_exceptions.txt");
  ASSERT_TRUE(Save_Exceptions(file, SampleList()));
  TExceptionList loaded;
  Load_Exceptions(file, loaded);
  EXPECT_EQ(loaded.Count(), 3u);
  EXPECT_EQ(loaded.Rows()[2].kind, 0);  // an unknown kind is written as 0
}

TEST_F(ExceptionFile, AFailedWriteKeepsTheOldFile) {
  ASSERT_TRUE(Save_Exceptions(file_, SampleList()));
  const std::string before = ReadFileBytes(file_);
  // A folder where the staging file would go makes the write fail.
  ASSERT_TRUE(CreateDirectoryW((file_ + L".tmp").c_str(), nullptr));
  TExceptionList other;
  Add_ExceptionItem(1, L"HKEY_CURRENT_USER", L"Software\\Other", other, L"");
  EXPECT_FALSE(Save_Exceptions(file_, other));
  EXPECT_EQ(ReadFileBytes(file_), before);
  RemoveDirectoryW((file_ + L".tmp").c_str());
}

}  // namespace
}  // namespace keytidy
