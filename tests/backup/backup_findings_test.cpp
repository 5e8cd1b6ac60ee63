// Which finding each record of a set belongs to: the descriptor's
// "Findings" lines written and read back whatever the names hold, damaged
// lines skipped, and a record matched to its own finding.
#include "backup/backup_findings.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::TempFolder;

TDateTime At(const wchar_t* text) { return ParseDateTime_Fixed(text).value(); }

RecordedFinding Finding(FindingTarget target, RootKey root, std::wstring key, std::wstring value,
                        std::wstring description) {
  return RecordedFinding{target,
                         root,
                         std::move(key),
                         std::move(value),
                         L"font-file-missing",
                         At(L"2026-01-02 03:04:05"),
                         std::move(description)};
}

// Names the descriptor's 8-bit text and the profile functions would mangle
// as they are come back whole, and the old keys stay as they were.
TEST(BackupFindings, RoundTripThroughTheDescriptorKeepsEveryName) {
  TempFolder folder;
  const std::wstring script = folder.File(L"RC_2026_01_02_03_04_05_678.reg");
  const std::wstring descriptor = folder.File(L"RC_2026_01_02_03_04_05_678.ini");
  const std::string oldPart = "[Backup]\r\nModul=RC\r\nDisplay=3\r\nSavedKeys=1\r\nSavedValues=2\r\n";
  test::WriteFileBytes(descriptor, oldPart);
  const std::vector<RecordedFinding> findings = {
      Finding(FindingTarget::Value, ROOT_HKEY_LOCAL_MACHINE, L"Software\\Fonts", L"Keytidy Sans (TrueType)",
              L"Font file missing: sans.ttf"),
      Finding(FindingTarget::Value, ROOT_HKEY_CURRENT_USER, L"Software\\\"quoted\" key", L"", L"Default value"),
      Finding(FindingTarget::Value, ROOT_HKEY_CURRENT_USER, L"Software\\a|b", L" %20 | \"x\" = ; [y] ",
              L"trailing blank "),
      Finding(FindingTarget::Value, ROOT_HKEY_CURRENT_USER, L"Software\\Gr\u00FC\u00DFe", L"\u65E5\u672C\xD800",
              L"Ung\u00FCltiger Eintrag"),
      Finding(FindingTarget::Key, ROOT_HKEY_CLASSES_ROOT, L"KeytidyDemo.Document", L"", L""),
  };
  ASSERT_TRUE(Backup_Write_Findings(script, findings));
  EXPECT_EQ(Backup_Read_Findings(descriptor), findings);
  EXPECT_EQ(Ini_ReadString(descriptor, L"Backup", L"Display"), L"3");
  EXPECT_EQ(Ini_ReadInteger(descriptor, L"Backup", L"SavedValues"), 2);
  const std::string bytes = test::ReadFileBytes(descriptor);
  EXPECT_EQ(bytes.find(oldPart), 0u) << bytes;
  for (char c : bytes) EXPECT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7F)) << bytes;

  // A set made before findings were written has none, and nothing to write
  // leaves the descriptor alone.
  test::WriteFileBytes(descriptor, oldPart);
  EXPECT_TRUE(Backup_Read_Findings(descriptor).empty());
  EXPECT_TRUE(Backup_Write_Findings(script, {}));
  EXPECT_EQ(test::ReadFileBytes(descriptor), oldPart);
}

TEST(BackupFindings, DamagedLinesAreSkipped) {
  const RecordedFinding good = Finding(FindingTarget::Value, ROOT_HKEY_CURRENT_USER, L"Software\\A", L"one", L"gone");
  ASSERT_EQ(Finding_FromLine(Finding_ToLine(good)), good);
  const struct {
    const char* what;
    const wchar_t* line;
  } cases[] = {
      {"empty", L""},
      {"a field short", L"value|HKEY_CURRENT_USER\\Software\\A|one|font-file-missing|2026-01-02 03:04:05"},
      {"a field more", L"value|HKEY_CURRENT_USER\\Software\\A|one|c|2026-01-02 03:04:05|d|e"},
      {"unknown kind", L"file|HKEY_CURRENT_USER\\Software\\A|one|c|2026-01-02 03:04:05|d"},
      {"unknown root", L"value|HKEY_NOWHERE\\Software\\A|one|c|2026-01-02 03:04:05|d"},
      {"root alone", L"key|HKEY_CURRENT_USER||c|2026-01-02 03:04:05|d"},
      {"not a date", L"value|HKEY_CURRENT_USER\\Software\\A|one|c|yesterday|d"},
      {"escape cut short", L"value|HKEY_CURRENT_USER\\Software\\A|one|c|2026-01-02 03:04:05|d%00"},
      {"escape not hexadecimal", L"value|HKEY_CURRENT_USER\\Software\\A|o%00G1ne|c|2026-01-02 03:04:05|d"},
  };
  for (const auto& c : cases) EXPECT_FALSE(Finding_FromLine(c.line).has_value()) << c.what;
}

TEST(BackupFindings, EachRecordGetsItsOwnFinding) {
  const RecordedFinding value = Finding(FindingTarget::Value, ROOT_HKEY_CURRENT_USER, L"Software\\A", L"one", L"v");
  const RecordedFinding outer = Finding(FindingTarget::Key, ROOT_HKEY_CURRENT_USER, L"Software\\A", L"", L"outer");
  const RecordedFinding inner = Finding(FindingTarget::Key, ROOT_HKEY_CURRENT_USER, L"software\\a\\sub", L"", L"in");
  const std::vector<RecordedFinding> findings = {outer, value, inner};
  auto record = [](RegRecordKind kind, RootKey root, const wchar_t* key, const wchar_t* name) {
    RegRecord r;
    r.kind = kind;
    r.root = root;
    r.key = key;
    r.name = name;
    return r;
  };
  const struct {
    const char* what;
    RegRecord record;
    const RecordedFinding* expected;
  } cases[] = {
      {"the value itself, any case", record(RegRecordKind::Value, ROOT_HKEY_CURRENT_USER, L"SOFTWARE\\A", L"ONE"),
       &value},
      {"another value under the key", record(RegRecordKind::Value, ROOT_HKEY_CURRENT_USER, L"Software\\A", L"two"),
       &outer},
      {"the key record", record(RegRecordKind::Key, ROOT_HKEY_CURRENT_USER, L"Software\\A", L""), &outer},
      {"the nearest key above", record(RegRecordKind::Value, ROOT_HKEY_CURRENT_USER, L"Software\\A\\Sub\\x", L"y"),
       &inner},
      {"a key that only starts alike", record(RegRecordKind::Key, ROOT_HKEY_CURRENT_USER, L"Software\\AB", L""),
       nullptr},
      {"another root", record(RegRecordKind::Key, ROOT_HKEY_LOCAL_MACHINE, L"Software\\A", L""), nullptr},
  };
  for (const auto& c : cases) {
    const RecordedFinding* found = Backup_FindingOfRecord(findings, c.record);
    if (c.expected) {
      ASSERT_NE(found, nullptr) << c.what;
      EXPECT_EQ(*found, *c.expected) << c.what;
    } else {
      EXPECT_EQ(found, nullptr) << c.what;
    }
  }
}

}  // namespace
}  // namespace keytidy
