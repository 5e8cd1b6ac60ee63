// A key or value is deleted only on a record that holds it as it is: when
// another program changes it while it is being recorded, the record is cut
// off the script again and taken anew; one that keeps changing is neither
// recorded nor deleted. Whatever happens, a restore of the script gives
// back the last state recorded, never a mix with an older one.
#include "backup/steady_record.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "backup/reg_exe.h"
#include "backup/reg_script_journal.h"
#include "backup/reg_script_reader.h"
#include "platform/registry_snapshot.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "support/programs.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

constexpr RootKey HKCU = ROOT_HKEY_CURRENT_USER;

class SteadyRecordTest : public test::RegistrySandbox {
 protected:
  std::wstring Script() const { return folder_.File(L"set.reg"); }
  test::TempFolder folder_;
};

struct SteadyRow {
  const char* label;
  int changedAttempts;  // the key changes after this many records (0: never; 9: every time)
  SteadyRecord expected;
  int recordsLeft;  // records of the key left in the script
};

const SteadyRow kSteadyRows[] = {
    {"nothing changes", 0, SteadyRecord::Recorded, 1},
    {"changed during the first record", 1, SteadyRecord::Recorded, 1},
    {"changed during two records", 2, SteadyRecord::Recorded, 1},
    {"keeps changing", 9, SteadyRecord::KeptChanging, 0},
};

TEST_F(SteadyRecordTest, AKeyChangedWhileRecordedIsRecordedAnewOrLeftAlone) {
  for (const SteadyRow& row : kSteadyRows) {
    SCOPED_TRACE(row.label);
    const std::wstring key = Path(Utf8ToUtf16(row.label));
    RawWriteString(HKCU, key, L"first", L"1");
    RawWriteString(HKCU, key + L"\\sub", L"gone later", L"x");
    DeleteFileW(Script().c_str());
    RegScriptJournal journal(Script());
    // The change removes a value and adds another: a record from before it
    // would bring the removed one back.
    const auto change = [&](int attempt) {
      if (attempt > row.changedAttempts) return;
      RegDeleteKeyValueW(HKEY_CURRENT_USER, (key + L"\\sub").c_str(), L"gone later");
      Reg_WriteString(HKCU, key + L"\\sub", L"added " + std::to_wstring(attempt), L"y");
    };
    const SteadyRecord result = Backup_KeySteadily(HKCU, key, journal, folder_.Path(), kRegExeTimeLimitMs, change);
    EXPECT_EQ(result, row.expected);
    ASSERT_TRUE(journal.Finish());

    const std::map<std::wstring, RegValueData> subBefore = *ReadKeyValues(HKCU, key + L"\\sub");
    const RegScriptReadResult script = RegScript_ReadFile(Script());
    int keyRecords = 0;
    if (script.ok)
      for (const RegRecord& record : script.records)
        if (record.kind == RegRecordKind::Key && record.key == key) ++keyRecords;
    EXPECT_EQ(keyRecords, row.recordsLeft);
    // The set's descriptor counts what the script holds, not what was cut.
    EXPECT_EQ(journal.Counters().savedKeys, static_cast<std::uint32_t>(row.recordsLeft));
    if (row.recordsLeft == 0) continue;

    // What the record holds is the key as it is now, and nothing older.
    ASSERT_TRUE(Reg_DeleteKey(HKCU, key));
    ASSERT_TRUE(RegExe_Run({L"import", Script()}, folder_.Path()).Succeeded());
    EXPECT_EQ(*ReadKeyValues(HKCU, key + L"\\sub"), subBefore);
    EXPECT_EQ(Reg_ReadString(HKCU, key, L"first"), L"1");
  }
}

TEST_F(SteadyRecordTest, AValueChangedWhileRecordedIsRecordedAnewOrLeftAlone) {
  for (const SteadyRow& row : kSteadyRows) {
    SCOPED_TRACE(row.label);
    const std::wstring key = Path(Utf8ToUtf16(row.label));
    RawWriteString(HKCU, key, L"v", L"old");
    DeleteFileW(Script().c_str());
    RegScriptJournal journal(Script());
    const auto change = [&](int attempt) {
      if (attempt <= row.changedAttempts) Reg_WriteString(HKCU, key, L"v", L"new " + std::to_wstring(attempt));
    };
    EXPECT_EQ(Backup_ValueSteadily(HKCU, key, L"v", journal, true, change), row.expected);
    ASSERT_TRUE(journal.Finish());

    const std::wstring now = Reg_ReadString(HKCU, key, L"v");
    const RegScriptReadResult script = RegScript_ReadFile(Script());
    int valueRecords = 0;
    if (script.ok)
      for (const RegRecord& record : script.records)
        if (record.kind == RegRecordKind::Value && record.key == key && record.name == L"v") ++valueRecords;
    EXPECT_EQ(valueRecords, row.recordsLeft);
    EXPECT_EQ(journal.Counters().savedValues, static_cast<std::uint32_t>(row.recordsLeft));
    if (row.recordsLeft == 0) continue;
    ASSERT_TRUE(Reg_DeleteValue(HKCU, key, L"v"));
    ASSERT_TRUE(RegExe_Run({L"import", Script()}, folder_.Path()).Succeeded());
    EXPECT_EQ(Reg_ReadString(HKCU, key, L"v"), now);
  }
}

}  // namespace
}  // namespace keytidy
