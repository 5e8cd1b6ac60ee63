// Recording whole keys through the real reg.exe export, and the round trip
// of every kind of value and odd name through reg.exe import.
#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "backup/backup_counters.h"
#include "backup/reg_exe.h"
#include "backup/reg_script_check.h"
#include "backup/reg_script_reader.h"
#include "backup/reg_script_text.h"
#include "backup/registry_backup.h"
#include "platform/registry_snapshot.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "support/programs.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

using test::ReadFileBytes;
using test::RegistrySandbox;
using test::TempFolder;

RegBytes Text(const std::wstring& text) {
  RegBytes bytes((text.size() + 1) * 2, 0);
  std::memcpy(bytes.data(), text.data(), text.size() * 2);
  return bytes;
}

RegBytes Pattern(size_t size) {
  RegBytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return bytes;
}

struct Fixture {
  std::wstring name;
  DWORD type;
  RegBytes data;
};

// Values of every type, with the names and data that break naive writers.
const std::vector<Fixture>& OddValues() {
  static const std::vector<Fixture> values = {
      {L"", REG_SZ, Text(L"default")},
      {L"quote\"and\\backslash", REG_SZ, Text(L"C:\\dir\\\"x\"")},
      {L"\u00e9t\u00e9 \u4e2d", REG_SZ, Text(L"\u00fcnicode \u4e2d")},
      {L"zero inside", REG_SZ, Text(std::wstring(L"a\0b", 3))},
      {L"line feed", REG_SZ, Text(L"a\r\nb")},
      {L"empty sz", REG_SZ, {}},
      {L"expand", REG_EXPAND_SZ, Text(L"%SystemRoot%\\x")},
      {L"multi", REG_MULTI_SZ, Text(std::wstring(L"a\0\0b\0", 5))},
      {L"dword", REG_DWORD, {1, 2, 3, 4}},
      {L"short dword", REG_DWORD, {1, 2, 3}},
      {L"qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
      {L"big binary", REG_BINARY, Pattern(100 * 1024)},
      {L"none", REG_NONE, {9, 8}},
      {L"odd type", 0x1234, {1}},
  };
  return values;
}

using TreeSnapshot = std::map<std::wstring, std::map<std::wstring, RegValueData>>;

TreeSnapshot SnapshotTree(RootKey root, const std::wstring& key) {
  TreeSnapshot snapshot;
  for (const std::wstring& path : ListKeyTree(root, key)) snapshot[path] = ReadKeyValues(root, path).value();
  return snapshot;
}

class KeyRecord : public RegistrySandbox {
 protected:
  // The counts of the script the test writes.
  BackupCounters counters_;
  void WriteAll(RootKey root, const std::wstring& key, const std::vector<Fixture>& values) {
    RawCreateKey(root, key);
    for (const Fixture& v : values)
      RawWrite(root, key, v.name, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
  }

  TempFolder folder_;
  std::wstring file_ = folder_.File(L"RC_test.reg");
};

TEST_F(KeyRecord, ExportHoldsTheWholeKeyAndGoesFirst) {
  const std::wstring key = Path(L"App \"quoted\"");
  WriteAll(ROOT_HKEY_LOCAL_MACHINE, key, {{L"v", REG_SZ, Text(L"1")}, {L"d", REG_DWORD, {5, 0, 0, 0}}});
  WriteAll(ROOT_HKEY_LOCAL_MACHINE, key + L"\\Sub \u4e2d", {{L"", REG_SZ, Text(L"x")}});
  RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(), L"older", L"o");
  ASSERT_TRUE(Backup_Value(ROOT_HKEY_LOCAL_MACHINE, Path(), L"older", file_, counters_, true));

  ASSERT_TRUE(Backup_Key(ROOT_HKEY_LOCAL_MACHINE, key, file_, counters_, folder_.Path()));
  const RegScriptReadResult script = RegScript_ReadFile(file_);
  ASSERT_TRUE(script.ok);
  EXPECT_TRUE(RegScript_HoldsKeyTree(script.records, ROOT_HKEY_LOCAL_MACHINE, key));
  EXPECT_EQ(script.records.front().key, key);
  // The older value record stays, after the key's records.
  EXPECT_EQ(script.records.back().name, L"older");
  EXPECT_EQ(counters_.savedKeys, 1u);
  EXPECT_EQ(counters_.savedValues, 1u);
  // The temporary export file is gone again.
  EXPECT_EQ(GetFileAttributesW(folder_.File(L"tempreg.reg").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(KeyRecord, MissingKeyBecomesADeletionEntry) {
  ASSERT_TRUE(Backup_Key(ROOT_HKEY_CURRENT_USER, Path(L"gone"), file_, counters_, folder_.Path()));
  EXPECT_EQ(ReadFileBytes(file_),
            RegScriptHeaderBytes() + RegScriptBytes(L"[-HKEY_CURRENT_USER\\" + Path(L"gone") + L"]\r\n"));
}

TEST_F(KeyRecord, FailedExportLeavesTheFileByteForByte) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"A", L"1");
  ASSERT_TRUE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"A", file_, counters_, true));
  const std::string before = ReadFileBytes(file_);
  // reg.exe cannot write its export into a folder that does not exist.
  EXPECT_FALSE(Backup_Key(ROOT_HKEY_CURRENT_USER, Path(), file_, counters_, folder_.File(L"missing")));
  // A root is never exported whole.
  EXPECT_FALSE(Backup_Key(ROOT_HKEY_CURRENT_USER, L"", file_, counters_, folder_.Path()));
  EXPECT_FALSE(Backup_Key(ROOT_HKEY_CURRENT_USER, L"\\", file_, counters_, folder_.Path()));
  EXPECT_EQ(ReadFileBytes(file_), before);
  EXPECT_EQ(counters_.savedKeys, 0u);
}

TEST_F(KeyRecord, LockedLeftoverExportFileIsSidestepped) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"A", L"1");
  const std::wstring leftover = folder_.File(L"tempreg.reg");
  test::WriteFileBytes(leftover, "left over");
  UniqueHandle held(CreateFileW(leftover.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  const std::wstring chosen = Backup_TemporaryExportFile(folder_.Path());
  EXPECT_NE(chosen, leftover);
  EXPECT_EQ(chosen.rfind(folder_.File(L"tempreg"), 0), 0u);
  EXPECT_TRUE(Backup_Key(ROOT_HKEY_CURRENT_USER, Path(), file_, counters_, folder_.Path()));
  EXPECT_EQ(ReadFileBytes(leftover), "left over");
}

// Everything recorded, deleted and imported again by the real reg.exe comes
// back with the same type and the same bytes, also what reg.exe's own export
// would have changed.
TEST_F(KeyRecord, RoundTripThroughRegImportIsExact) {
  const std::wstring valueKey = Path(L"values");
  const std::wstring treeKey = Path(L"tree \"q\" \u00e9");
  WriteAll(ROOT_HKEY_CURRENT_USER, valueKey, OddValues());
  WriteAll(ROOT_HKEY_LOCAL_MACHINE, treeKey, OddValues());
  WriteAll(ROOT_HKEY_LOCAL_MACHINE, treeKey + L"\\child [1]", {{L"x", REG_DWORD, {1, 0, 0, 0}}});
  const TreeSnapshot valuesBefore = SnapshotTree(ROOT_HKEY_CURRENT_USER, valueKey);
  const TreeSnapshot treeBefore = SnapshotTree(ROOT_HKEY_LOCAL_MACHINE, treeKey);

  for (const Fixture& v : OddValues()) {
    ASSERT_TRUE(Backup_Value(ROOT_HKEY_CURRENT_USER, valueKey, v.name, file_, counters_, true));
    ASSERT_TRUE(Reg_DeleteValue(ROOT_HKEY_CURRENT_USER, valueKey, v.name));
  }
  ASSERT_TRUE(Backup_Key(ROOT_HKEY_LOCAL_MACHINE, treeKey, file_, counters_, folder_.Path()));
  ASSERT_TRUE(Reg_DeleteKey(ROOT_HKEY_LOCAL_MACHINE, treeKey));
  ASSERT_EQ(Reg_ValueCount(ROOT_HKEY_CURRENT_USER, valueKey), 0u);

  ASSERT_TRUE(RegExe_Run({L"import", file_}, folder_.Path()).Succeeded());
  EXPECT_EQ(SnapshotTree(ROOT_HKEY_CURRENT_USER, valueKey), valuesBefore);
  EXPECT_EQ(SnapshotTree(ROOT_HKEY_LOCAL_MACHINE, treeKey), treeBefore);
  const RegScriptReadResult script = RegScript_ReadFile(file_);
  ASSERT_TRUE(script.ok);
  EXPECT_TRUE(RegScript_Differences(script.records).empty());
}

// String data without its terminating zero comes back from reg.exe import
// with one added (and a single byte crashes Wine's importer outright), so
// neither the value nor a key holding it may be recorded: the caller then
// leaves it in place instead of deleting what it cannot put back.
TEST_F(KeyRecord, StringDataAnImportWouldChangeIsRefused) {
  struct Case {
    const char* label;
    DWORD type;
    RegBytes data;
  };
  const Case cases[] = {
      {"sz_without_terminator", REG_SZ, {'a', 0, 'b', 0}},
      {"sz_of_odd_size", REG_SZ, {'a', 0, 'b', 0, 0}},
      {"sz_of_one_byte", REG_SZ, {'a'}},
      {"expand_without_terminator", REG_EXPAND_SZ, {'%', 0, 'x', 0, '%', 0}},
      {"multi_without_terminator", REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0}},
  };
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"A", L"1");
  ASSERT_TRUE(Backup_Value(ROOT_HKEY_CURRENT_USER, Path(), L"A", file_, counters_, true));
  const std::string before = ReadFileBytes(file_);
  for (const Case& c : cases) {
    const std::wstring key = Path(L"holder");
    WriteAll(ROOT_HKEY_CURRENT_USER, key, {{L"fine", REG_SZ, Text(L"x")}});
    // RegSetValueExW counts a terminator that follows the data in memory
    // as part of it; a non-zero guard keeps the data as given.
    RegBytes guarded = c.data;
    guarded.insert(guarded.end(), {0xFF, 0xFF});
    RawWrite(ROOT_HKEY_CURRENT_USER, key, L"odd", c.type, guarded.data(), static_cast<DWORD>(c.data.size()));
    EXPECT_FALSE(Format_ValueLine(L"odd", c.type, c.data, true)) << c.label;
    EXPECT_FALSE(Backup_Value(ROOT_HKEY_CURRENT_USER, key, L"odd", file_, counters_, true)) << c.label;
    EXPECT_FALSE(Backup_Key(ROOT_HKEY_CURRENT_USER, key, file_, counters_, folder_.Path())) << c.label;
    EXPECT_EQ(ReadFileBytes(file_), before) << c.label;
    ASSERT_TRUE(Reg_DeleteKey(ROOT_HKEY_CURRENT_USER, key));
  }
  EXPECT_EQ(counters_.savedKeys, 0u);
  // Terminated and empty strings and other types of any size still go.
  for (const Fixture& fine : std::vector<Fixture>{{L"t", REG_MULTI_SZ, {'a', 0, 0, 0}},
                                                  {L"e", REG_SZ, {}},
                                                  {L"b", REG_BINARY, {1}},
                                                  {L"u", 0x1234, {1, 2, 3}}})
    EXPECT_TRUE(Format_ValueLine(fine.name, fine.type, fine.data, true)) << Utf16ToUtf8(fine.name);
}

TEST_F(KeyRecord, DifferencesNameWhatDidNotComeBack) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"changed", L"new");
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"unwanted", L"x");
  const std::wstring k = L"HKEY_CURRENT_USER\\" + Path();
  const RegScriptReadResult script =
      RegScript_ReadText(L"[" + k +
                         L"]\r\n\"changed\"=\"old\"\r\n\"missing\"=dword:00000001\r\n\"unwanted\"=-\r\n\r\n"
                         L"[" +
                         k + L"\\absent]\r\n\r\n");
  ASSERT_TRUE(script.ok);
  const std::vector<std::wstring> differences = RegScript_Differences(script.records);
  const std::vector<std::wstring> expected = {
      k + L": value \"changed\" has other data",
      k + L": value \"missing\" is missing",
      k + L": value \"unwanted\" is present but should be gone",
      k + L"\\absent: key is missing",
  };
  EXPECT_EQ(differences, expected);
}

}  // namespace
}  // namespace keytidy
