// The history lists in the desktop user's hive: program-usage counters,
// open/save lists, the display-name cache and the accessories' recent-file
// lists. Fixtures go into the real keys under HKEY_CURRENT_USER; the checks
// read them through HKEY_USERS and the user's SID.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/environment.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "scan/decode_rot13.h"
#include "support/scoped_environment.h"

namespace keytidy {
namespace {

using Lines = std::vector<std::string>;
using ::testing::UnorderedElementsAreArray;
constexpr RootKey HKCU = ROOT_HKEY_CURRENT_USER;

const std::wstring kUserAssist = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist";
const std::wstring kOpenSave = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
const std::wstring kMuiCacheVista = L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";
const std::wstring kMuiCacheXp = L"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
const std::wstring kPaint = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List";
const std::wstring kWordPad = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List";

TEST(DecodeRot13, ShiftsOnlyAsciiLettersAndUndoesItself) {
  const struct {
    const wchar_t* text;
    const wchar_t* decoded;
  } cases[] = {
      {L"HRZR_EHACNGU:P:\\k.rkr", L"UEME_RUNPATH:C:\\x.exe"},
      {L"azAZ mnMN", L"nmNM zaZA"},  // wraps round, keeps the case
      {L"0129 .,:;\\{}-_@%", L"0129 .,:;\\{}-_@%"},
      {L"\u00e4\u00f6\u00df\u00c9 \u03a9", L"\u00e4\u00f6\u00df\u00c9 \u03a9"},
      {L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Decode_Rot13(c.text), c.decoded) << Utf16ToUtf8(c.text);
    EXPECT_EQ(Decode_Rot13(Decode_Rot13(c.text)), c.text) << Utf16ToUtf8(c.text);
  }
}

class HistoryChecks : public test::CheckTest {
 protected:
  HistoryChecks() : previousSid_(InteractiveUserSid()) {
    Set_InteractiveUserSid(GetInteractiveUserSid());
    engine.ProgramDir_W6432 = T(L"{T}\\pf64");
  }
  ~HistoryChecks() override { Set_InteractiveUserSid(previousSid_); }

  // The place as the checks report it: below HKEY_USERS and the user's SID.
  std::string UserKey(const std::wstring& key) const {
    return "HKEY_USERS\\" + Utf16ToUtf8(InteractiveUserSid() + L"\\" + key);
  }
  std::string Line(const std::string& ids, const std::string& path, const std::string& name, const std::wstring& key,
                   const std::string& value) const {
    const std::string place = UserKey(key);
    return ids + " | " + path + " | " + name + " | " + place + " | " + value + " | value " + place + " [" + value + "]";
  }

 private:
  std::wstring previousSid_;
};

TEST_F(HistoryChecks, UserAssistNamesAreReadWithAndWithoutTheirTag) {
  const std::wstring set1 = kUserAssist + L"\\{Keytidy-Set-1}\\Count";
  const std::wstring set2 = kUserAssist + L"\\{Keytidy-Set-2}\\Count";
  Touch(T(L"{T}\\here.exe"));
  test::ScopedEnvironmentVariable first(L"KEYTIDY_ASSIST", T(L"{T}\\gone\\first.exe").c_str());
  const DWORD count = 1;
  const auto counter = [&](const std::wstring& key, const std::wstring& decodedName) {
    registry.Write(HKCU, key, Decode_Rot13(T(decodedName)), REG_DWORD, &count, sizeof(count));
  };
  counter(set1, L"UEME_RUNPATH:{T}\\gone\\app.exe");
  counter(set1, L"{T}\\gone\\plain.exe");  // after its first colon only \gone\... is left
  counter(set1, L"UEME_RUNPATH:{T}\\here.exe");
  counter(set1, L"{T}\\here.exe");
  counter(set1, L"UEME_RUNPATH:Z:\\keytidy\\gone.exe");
  // Known-folder identifiers never read as drive paths.
  counter(set1, L"{F38BF404-1D43-42F2-9305-67DE0B28FC23}\\keytidy-gone.exe");
  counter(set1, L"{6D809377-6AF0-444B-8957-A3773F02200E}\\Keytidy\\gone.exe");
  // Both readings name a missing file: one finding for each.
  counter(set1, L"%KEYTIDY_ASSIST%:{T}\\gone\\second.exe");
  // Stored encoded, as Explorer writes it: UEME_RUNPATH:C:\keytidy-gone\tagged.exe
  registry.Write(HKCU, set2, L"HRZR_EHACNGU:P:\\xrlgvql-tbar\\gnttrq.rkr", REG_DWORD, &count, sizeof(count));

  engine.SEARCH_WINDOWSHISTORY_USERASSIST(CheckId::UserAssist, FilterCategory::History);

  std::uint32_t values = 0;
  std::vector<std::wstring> sets;
  Reg_GetSubKeys(HKCU, kUserAssist, sets);
  for (const std::wstring& set : sets) values += Reg_ValueCount(HKCU, kUserAssist + L"\\" + set + L"\\Count");
  EXPECT_EQ(engine.Scanned().Stat_ValuesScanned, values);
  const auto encoded = [&](const std::wstring& decodedName) { return Utf16ToUtf8(Decode_Rot13(T(decodedName))); };
  EXPECT_THAT(
      OurFindings(),
      UnorderedElementsAreArray(Lines{
          Line("8/10", T8(L"{T}\\gone\\app.exe"), "app.exe", set1, encoded(L"UEME_RUNPATH:{T}\\gone\\app.exe")),
          Line("8/10", T8(L"{T}\\gone\\plain.exe"), "plain.exe", set1, encoded(L"{T}\\gone\\plain.exe")),
          Line("8/10", T8(L"{T}\\gone\\second.exe"), "second.exe", set1,
               encoded(L"%KEYTIDY_ASSIST%:{T}\\gone\\second.exe")),
          Line("8/10", T8(L"{T}\\gone\\first.exe:{T}\\gone\\second.exe"), "second.exe", set1,
               encoded(L"%KEYTIDY_ASSIST%:{T}\\gone\\second.exe")),
          Line("8/10", "C:\\keytidy-gone\\tagged.exe", "tagged.exe", set2, "HRZR_EHACNGU:P:\\xrlgvql-tbar\\gnttrq.rkr"),
      }));
}

TEST_F(HistoryChecks, OpenSaveListsSkipTheirOrderValue) {
  Touch(T(L"{T}\\here.txt"));
  Touch(T(L"{T}\\pf64\\Keytidy\\here.txt"));
  const std::wstring txt = kOpenSave + L"\\txt", bmp = kOpenSave + L"\\bmp";
  registry.WriteString(HKCU, txt, L"MRUList", T(L"{T}\\gone\\order.txt"));  // would be reported if read
  registry.WriteString(HKCU, txt, L"a", T(L"{T}\\gone\\doc.txt"));
  registry.WriteString(HKCU, txt, L"b", T(L"{T}\\here.txt"));
  registry.WriteString(HKCU, txt, L"c", L"%ProgramFiles%\\Keytidy\\gone.txt");
  registry.WriteString(HKCU, txt, L"d", L"%ProgramFiles%\\Keytidy\\here.txt");
  registry.WriteString(HKCU, txt, L"e", L"");
  registry.WriteString(HKCU, bmp, L"a", L"Z:\\keytidy\\gone.bmp");
  registry.WriteString(HKCU, bmp, L"b", T(L"{T}\\gone\\pic.bmp"));

  engine.SEARCH_LOSTMRU(CheckId::LostMru, FilterCategory::History);

  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, Reg_SubKeyCount(HKCU, kOpenSave));
  EXPECT_EQ(engine.Scanned().Stat_ValuesScanned, 0u);
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{
                                 Line("9/10", T8(L"{T}\\gone\\doc.txt"), "txt", txt, "a"),
                                 Line("9/10", T8(L"{T}\\pf64\\Keytidy\\gone.txt"), "txt", txt, "c"),
                                 Line("9/10", T8(L"{T}\\gone\\pic.bmp"), "bmp", bmp, "b"),
                             }));
}

TEST_F(HistoryChecks, MuiCacheNamesWithSuffixesAndResourceReferences) {
  Touch(T(L"{T}\\here.exe"));
  Touch(T(L"{T}\\pf64\\Keytidy\\here.dll"));
  const std::wstring names[] = {
      T(L"{T}\\gone\\app.exe.FriendlyAppName"),
      T(L"{T}\\gone\\app.exe.ApplicationCompany"),
      T(L"{T}\\here.exe.FriendlyAppName"),
      L"Z:\\keytidy\\app.exe.FriendlyAppName",
      // Keeps its "@" after expansion, so it is no drive path.
      L"@%SystemRoot%\\keytidy\\gone.dll,-22",
      // The 64-bit rewrite drops the "@": the module itself is tested.
      L"@%ProgramFiles%\\Keytidy\\here.dll,-22",
      L"@%ProgramFiles%\\Keytidy\\gone.dll,-23",
  };
  for (const std::wstring& name : names) registry.WriteString(HKCU, kMuiCacheVista, name, L"Keytidy Program");

  engine.SEARCH_MUI_CACHE(CheckId::MuiCache, FilterCategory::History);

  EXPECT_EQ(engine.Scanned().Stat_ValuesScanned, Reg_ValueCount(HKCU, kMuiCacheVista));
  const auto line = [&](const std::string& path, const std::wstring& name) {
    return Line("10/10", path, T8(name), kMuiCacheVista, T8(name));
  };
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{
                                 line(T8(L"{T}\\gone\\app.exe"), L"{T}\\gone\\app.exe.FriendlyAppName"),
                                 line(T8(L"{T}\\gone\\app.exe"), L"{T}\\gone\\app.exe.ApplicationCompany"),
                                 line(T8(L"{T}\\pf64\\Keytidy\\gone.dll"), L"@%ProgramFiles%\\Keytidy\\gone.dll,-23"),
                             }));
}

TEST_F(HistoryChecks, AccessoryRecentFileLists) {
  Touch(T(L"{T}\\here.bmp"));
  registry.WriteString(HKCU, kPaint, L"File1", T(L"{T}\\gone\\pic.bmp"));
  registry.WriteString(HKCU, kPaint, L"File2", T(L"{T}\\here.bmp"));
  registry.WriteString(HKCU, kPaint, L"File3", L"Z:\\keytidy\\pic.bmp");
  registry.WriteString(HKCU, kWordPad, L"File1", L"%ProgramFiles%\\Keytidy\\letter.rtf");

  // As the scan driver calls it: the key already moved to the user's hive.
  for (const auto& [key, group] : {std::pair{kPaint, CheckId::MruPaint}, std::pair{kWordPad, CheckId::MruWordPad}}) {
    RootKey root = HKCU;
    std::wstring path = key;
    Reg_RedirectCurrentUser(root, path);
    engine.SEARCH_MRU_APPLETS(group, FilterCategory::History, root, path);
  }

  EXPECT_EQ(engine.Scanned().Stat_ValuesScanned, Reg_ValueCount(HKCU, kPaint) + Reg_ValueCount(HKCU, kWordPad));
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{
                                 Line("17/10", T8(L"{T}\\gone\\pic.bmp"), "pic.bmp", kPaint, "File1"),
                                 Line("18/10", T8(L"{T}\\pf64\\Keytidy\\letter.rtf"), "letter.rtf", kWordPad, "File1"),
                             }));
}

TEST_F(HistoryChecks, AStoppedRunLooksAtNoList) {
  const DWORD count = 1;
  registry.Write(HKCU, kUserAssist + L"\\{Keytidy-Set-1}\\Count", Decode_Rot13(T(L"{T}\\gone\\app.exe")), REG_DWORD,
                 &count, sizeof(count));
  registry.WriteString(HKCU, kOpenSave + L"\\txt", L"a", T(L"{T}\\gone\\doc.txt"));
  registry.WriteString(HKCU, kMuiCacheVista, T(L"{T}\\gone\\app.exe.FriendlyAppName"), L"Keytidy");
  registry.WriteString(HKCU, kPaint, L"File1", T(L"{T}\\gone\\pic.bmp"));

  run.STOP_REQUESTED = true;
  engine.SEARCH_WINDOWSHISTORY_USERASSIST(CheckId::UserAssist, FilterCategory::History);
  engine.SEARCH_LOSTMRU(CheckId::LostMru, FilterCategory::History);
  engine.SEARCH_MUI_CACHE(CheckId::MuiCache, FilterCategory::History);
  engine.SEARCH_MRU_APPLETS(CheckId::MruPaint, FilterCategory::History, HKCU, kPaint);
  EXPECT_TRUE(OurFindings().empty());
  EXPECT_EQ(engine.Scanned().Stat_ValuesScanned + engine.Scanned().Stat_KeysScanned, 0u);
}

// Windows XP keeps the display-name cache in another key. The prefix reports
// Windows 7, so the test runs itself again as a child process for which Wine
// reports XP (a per-program version setting) and reads the child's findings
// from its output.
constexpr char kXpChildVariable[] = "KEYTIDY_MUICACHE_XP_CHILD";

TEST_F(HistoryChecks, MuiCacheKeyFollowsTheWindowsVersion) {
  registry.WriteString(HKCU, kMuiCacheVista, L"C:\\keytidy-gone\\vista.exe.FriendlyAppName", L"Vista");
  registry.WriteString(HKCU, kMuiCacheXp, L"C:\\keytidy-gone\\xp.exe.FriendlyAppName", L"XP");

  engine.SEARCH_MUI_CACHE(CheckId::MuiCache, FilterCategory::History);
  ASSERT_EQ(OurFindings().size(), 1u);
  EXPECT_NE(OurFindings()[0].find("vista.exe"), std::string::npos);

  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring exeName = std::wstring(self).substr(std::wstring(self).rfind(L'\\') + 1);
  registry.WriteString(HKCU, L"Software\\Wine\\AppDefaults\\" + exeName, L"Version", L"winxp64");
  const test::RunResult child = test::RunProgram(test::Quote(self) + L" --gtest_filter=MuiCacheXpChild.*",
                                                 {{Utf8ToUtf16(kXpChildVariable), L"1"}});
  EXPECT_NE(child.output.find("FINDING 10/10 | C:\\keytidy-gone\\xp.exe |"), std::string::npos) << child.output;
  EXPECT_EQ(child.output.find("vista.exe"), std::string::npos) << child.output;
  EXPECT_NE(child.output.find("[  PASSED  ] 1 test"), std::string::npos) << child.output;
}

class MuiCacheXpChild : public test::CheckTest {};

TEST_F(MuiCacheXpChild, RunsTheCheckUnderXp) {
  if (!GetEnvironmentVariableA(kXpChildVariable, nullptr, 0)) GTEST_SKIP() << "runs only as a child process";
  ASSERT_EQ(Windows_Version().major, 5u);
  engine.SEARCH_MUI_CACHE(CheckId::MuiCache, FilterCategory::History);
  for (const std::string& line : OurFindings()) std::printf("FINDING %s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace
}  // namespace keytidy
