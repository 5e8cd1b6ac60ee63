// Recording single values: the exact bytes of the backup script for every
// kind of value, the order of records, and what happens to a file that
// cannot take a record.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "backup/backup_counters.h"
#include "backup/reg_script_text.h"
#include "backup/registry_backup.h"
#include "support/programs.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

using test::ReadFileBytes;
using test::RegistrySandbox;
using test::TempFolder;
using test::WriteFileBytes;

RegBytes Text(const std::wstring& text, bool withZero = true) {
  RegBytes bytes((text.size() + (withZero ? 1 : 0)) * 2, 0);
  std::memcpy(bytes.data(), text.data(), text.size() * 2);
  return bytes;
}

std::string Script(const std::wstring& records) { return RegScriptHeaderBytes() + RegScriptBytes(records); }

class ValueRecord : public RegistrySandbox {
 protected:
  // The counts of the script the test writes.
  BackupCounters counters_;
  std::wstring KeyLine() const { return L"[HKEY_CURRENT_USER\\" + Path() + L"]\r\n"; }
  std::wstring Record(const std::wstring& valueLine) const { return KeyLine() + valueLine + L"\r\n\r\n"; }

  TempFolder folder_;
  std::wstring file_ = folder_.File(L"RC_test.reg");
};

struct LineCase {
  const char* label;
  std::wstring name;
  DWORD type;
  RegBytes data;
  std::wstring line;
};

const LineCase kLines[] = {
    {"path_escaped", L"Path", REG_SZ, Text(L"C:\\Windows\\notepad.exe"), L"\"Path\"=\"C:\\\\Windows\\\\notepad.exe\""},
    {"lone_quote", L"q", REG_SZ, Text(L"\""), L"\"q\"=\"\\\"\""},
    {"name_with_quote_and_backslash", L"a\\\"b", REG_SZ, Text(L"x"), L"\"a\\\\\\\"b\"=\"x\""},
    {"unicode_text", L"u", REG_SZ, Text(L"\u00e9\u4e2d"), L"\"u\"=\"\u00e9\u4e2d\""},
    {"dword_255", L"d", REG_DWORD, {0xFF, 0, 0, 0}, L"\"d\"=dword:000000FF"},
    {"dword_max", L"d", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, L"\"d\"=dword:FFFFFFFF"},
    {"binary", L"b", REG_BINARY, {0x01, 0x0A, 0xFF}, L"\"b\"=hex:01,0A,FF"},
    {"binary_empty", L"b", REG_BINARY, {}, L"\"b\"=hex:"},
    {"none", L"n", REG_NONE, {0x01, 0x02}, L"\"n\"=hex(0):01,02"},
    {"default_string", L"", REG_SZ, Text(L"x"), L"@=\"x\""},
    // Exactness over readability: these would change type or bytes in the
    // readable forms.
    {"default_dword", L"", REG_DWORD, {0xFF, 0, 0, 0}, L"@=hex(4):FF,00,00,00"},
    {"expand_sz", L"e", REG_EXPAND_SZ, Text(L"%A%"), L"\"e\"=hex(2):25,00,41,00,25,00,00,00"},
    {"multi_sz_with_empty_string", L"m", REG_MULTI_SZ, Text(std::wstring(L"a\0\0b\0", 5)),
     L"\"m\"=hex(7):61,00,00,00,00,00,62,00,00,00,00,00"},
    {"qword", L"q", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}, L"\"q\"=hex(b):01,02,03,04,05,06,07,08"},
    {"sz_with_line_feed", L"s", REG_SZ, Text(L"a\nb"), L"\"s\"=hex(1):61,00,0A,00,62,00,00,00"},
    {"sz_with_zero_inside", L"s", REG_SZ, Text(std::wstring(L"a\0b", 3)), L"\"s\"=hex(1):61,00,00,00,62,00,00,00"},
    {"sz_of_no_bytes", L"s", REG_SZ, {}, L"\"s\"=hex(1):"},
    {"dword_of_three_bytes", L"d", REG_DWORD, {1, 2, 3}, L"\"d\"=hex(4):01,02,03"},
    {"unknown_type", L"x", 0x1234, {0x01}, L"\"x\"=hex(1234):01"},
};

class ValueLine : public ValueRecord, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ValueLine, IsWrittenExactly) {
  const LineCase& c = GetParam();
  RawWrite(ROOT_HKEY_CURRENT_USER, Path(), c.name, c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
  ASSERT_TRUE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), c.name, file_, counters_, true));
  EXPECT_EQ(ReadFileBytes(file_), Script(Record(c.line)));
  EXPECT_EQ(counters_.savedValues, 1u);
}

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.label; }

INSTANTIATE_TEST_SUITE_P(Types, ValueLine, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(ValueRecord, NewestRecordComesFirstUnderOneHeader) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"A", L"1");
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"B", L"2");
  ASSERT_TRUE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"A", file_, counters_, true));
  ASSERT_TRUE(Backup_Value(ROOT_HKEY_CURRENT_USER, L"\\" + Path(), L"B", file_, counters_, true));
  EXPECT_EQ(ReadFileBytes(file_), Script(Record(L"\"B\"=\"2\"") + Record(L"\"A\"=\"1\"")));
  EXPECT_EQ(counters_.savedValues, 2u);
}

TEST_F(ValueRecord, MissingValuesBecomeDeletionEntries) {
  ASSERT_TRUE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"gone", file_, counters_, true));
  ASSERT_TRUE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"", file_, counters_, true));
  EXPECT_EQ(ReadFileBytes(file_), Script(Record(L"@=-") + Record(L"\"gone\"=-")));
}

TEST_F(ValueRecord, EmptyFilePathRecordsNothingAndSucceeds) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"A", L"1");
  EXPECT_TRUE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"A", L"", counters_, true));
  EXPECT_EQ(GetFileAttributesW(file_.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Each case must fail without touching what the file already held.
TEST_F(ValueRecord, RefusedRecordsLeaveTheFileUnchanged) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"A", L"1");
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"quoted", L"say \"hi\"");
  ASSERT_TRUE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"A", file_, counters_, true));
  const std::string before = ReadFileBytes(file_);

  // Without escaping the quotes would end the string early on import.
  EXPECT_FALSE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"quoted", file_, counters_, false));
  // A name no script line can hold.
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"two\r\nlines", L"x");
  EXPECT_FALSE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"two\r\nlines", file_, counters_, true));
  EXPECT_EQ(ReadFileBytes(file_), before);
  EXPECT_EQ(counters_.savedValues, 1u);

  // A file that is no script of ours is never rewritten.
  const std::string foreign = "not a registry script";
  WriteFileBytes(file_, foreign);
  EXPECT_FALSE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"A", file_, counters_, true));
  EXPECT_EQ(ReadFileBytes(file_), foreign);
}

TEST_F(ValueRecord, MissingFolderFailsAndCountsNothing) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"A", L"1");
  EXPECT_FALSE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"A", folder_.File(L"no\\such\\RC.reg"), counters_, true));
  EXPECT_EQ(counters_.savedValues, 0u);
}

TEST_F(ValueRecord, ReadOnlyScriptStillGrows) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"A", L"1");
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"B", L"2");
  ASSERT_TRUE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"A", file_, counters_, true));
  ASSERT_TRUE(SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"B", file_, counters_, true));
  EXPECT_EQ(ReadFileBytes(file_), Script(Record(L"\"B\"=\"2\"") + Record(L"\"A\"=\"1\"")));
}

}  // namespace
}  // namespace keytidy
