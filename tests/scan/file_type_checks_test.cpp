// The file-type checks over a list of class keys, the Applications
// registrations and Explorer's open-with records, on the real registry.
// Under Wine HKEY_CLASSES_ROOT is HKLM\Software\Classes, so class fixtures
// are written through HKEY_CLASSES_ROOT itself. The list-based checks get a
// list of the fixture's own keys only, so every finding they make is ours.
#include <algorithm>
#include <optional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "clean/delete_run.h"
#include "scan/open_command_program.h"
#include "support/pumping_front_end.h"

namespace keytidy {
namespace {

using Lines = std::vector<std::string>;
using ::testing::ElementsAreArray;
using ::testing::UnorderedElementsAreArray;

constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;

TEST(OpenCommandProgram, CutAfterTheExeThatEndsAName) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"C:\\Gone\\ed.exe", L"C:\\Gone\\ed.exe"},
      {L"C:\\Gone\\ed.EXE,1", L"C:\\Gone\\ed.EXE"},
      {L"C:\\Gone\\ed.exe\"%1\"", L"C:\\Gone\\ed.exe"},
      {L"C:\\Tools\\my.exec\\run.exe", L"C:\\Tools\\my.exec\\run.exe"},
      {L"C:\\Tools\\run.exes", L""},
      {L"C:\\Tools\\script.cmd", L""},
      {L"", L""},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(Cut_AfterProgramName(path), expected) << Utf16ToUtf8(path);
}

class FileTypeChecks : public test::CheckTest {
 protected:
  // Writes HKCR\key's value (the default value for an empty name) and
  // remembers the top-level class key for the list handed to the checks.
  void Set(const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    registry.WriteString(HKCR, key, name, T(text));
    Remember(key);
  }
  void Create(const std::wstring& key) {
    registry.CreateKey(HKCR, key);
    Remember(key);
  }
  void Command(const std::wstring& classKey, const std::wstring& verb, const std::wstring& command) {
    Set(classKey + L"\\shell\\" + verb + L"\\command", L"", command);
  }

  // "group | FullPath | DisplayName | Key | deleted key | AdditionalInfo"
  // for every finding, in tree order. Every list-based finding has its
  // reference in the default value and lies under HKEY_CLASSES_ROOT.
  Lines Findings() const {
    Lines lines;
    for (PVirtualNode node : tree) {
      const TTreeData_RegCleaner& e = *GetEntry(node);
      EXPECT_TRUE(IsTicked(node));
      EXPECT_EQ(e.ComboBoxIndex, FilterCategory::FileTypes);
      EXPECT_EQ(e.RootKey, HKCR);
      EXPECT_TRUE(e.Value.empty());
      EXPECT_TRUE(e.DeleteKey && !e.DeleteValue && e.Delete_Root == HKCR && e.Delete_Value.empty());
      // Filename is the whole path for these checks, not its last part.
      EXPECT_EQ(e.Filename, e.FullPath);
      lines.push_back(std::to_string(Number(e.GroupIndex)) + " | " +
                      Utf16ToUtf8(e.FullPath + L" | " + e.DisplayName + L" | " + e.Key + L" | " + e.Delete_Key +
                                  L" | " + e.AdditionalInfo));
    }
    return lines;
  }

  KeyList keys;

 private:
  void Remember(const std::wstring& key) {
    const std::wstring top = key.substr(0, key.find(L'\\'));
    if (std::find(keys.begin(), keys.end(), top) == keys.end()) keys.push_back(top);
  }
};

TEST_F(FileTypeChecks, OpenCommandsThatStartAMissingProgram) {
  Touch(T(L"{T}\\here.exe"));
  Touch(T(L"{T}\\my.exec\\run.exe"));
  // Quoted program and argument; its extension names it in other letters.
  Command(L"KeytidyTxtFile", L"open", L"\"{T}\\gone\\ed.exe\" \"%1\"");
  Set(L".keytidytxt", L"", L"keytidytxtfile");
  Set(L".keytidyother", L"", L"SomethingElse");
  Command(L"KeytidyNoExtension", L"open", L"{T}\\gone\\tool.exe %1");
  // The shell's default verb counts, not "open".
  Set(L"KeytidyEditDefault\\shell", L"", L"edit");
  Command(L"KeytidyEditDefault", L"open", L"{T}\\gone\\open.exe");
  Set(L"KeytidyEditVerb\\shell", L"", L"edit");
  Command(L"KeytidyEditVerb", L"edit", L"{T}\\gone\\edit.exe");
  Command(L"KeytidyEditVerb", L"open", L"{T}\\here.exe");
  // Nothing to judge: present, another drive, no program, the DVD tool, a class id.
  Command(L"KeytidyPresent", L"open", L"\"{T}\\here.exe\" \"%1\"");
  Command(L"KeytidyFolderNamedExe", L"open", L"\"{T}\\my.exec\\run.exe\" \"%1\"");
  Command(L"KeytidyOtherDrive", L"open", L"Z:\\keytidy\\gone.exe");
  Command(L"KeytidyScript", L"open", L"{T}\\gone\\script.cmd");
  Command(L"KeytidyDvd", L"open", L"\"{T}\\DVD Maker\\DVDMaker.exe\"");
  Command(L"{Keytidy-0000}", L"open", L"{T}\\gone\\class.exe");
  // Skipped on Vista and later, which the prefix reports.
  ASSERT_GT(Windows_Version().major, 5u);
  Command(L".jnt", L"open", L"{T}\\gone\\journal.exe");

  engine.SEARCH_FILEFORMAT_WRONGEXE(keys, CheckId::FileFormatWrongExe, FilterCategory::FileTypes);
  EXPECT_THAT(
      Findings(),
      ElementsAreArray(Lines{
          "30 | " + T8(L"{T}\\gone\\ed.exe") + " | KeytidyTxtFile | KeytidyTxtFile | KeytidyTxtFile | .keytidytxt",
          "30 | " + T8(L"{T}\\gone\\tool.exe") +
              " | KeytidyNoExtension | KeytidyNoExtension | KeytidyNoExtension | .KeytidyNoExtension",
          // The class keeps its working "open" verb.
          "30 | " + T8(L"{T}\\gone\\edit.exe") +
              " | KeytidyEditVerb | KeytidyEditVerb | KeytidyEditVerb\\shell\\edit | .KeytidyEditVerb",
      }));
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, 0u);
}

// A broken verb on a class the whole shell uses costs that verb only: the
// finding deletes the verb's key, and the class with its other verbs and
// settings stays. So does an ordinary program class that holds more than
// the broken verb.
TEST_F(FileTypeChecks, BrokenVerbOnAShellWideClassDeletesOnlyThatVerb) {
  struct Row {
    const wchar_t* classKey;
    const wchar_t* defaultVerb;  // empty: the shell key names none, so "open" counts
    const wchar_t* deletes;
  };
  const Row rows[] = {
      {L"Network", L"", L"Network\\shell\\open"},
      {L"DesktopBackground", L"keytidyverb", L"DesktopBackground\\shell\\keytidyverb"},
      {L"KeytidyWorkingClass", L"", L"KeytidyWorkingClass\\shell\\open"},
  };
  for (const Row& row : rows) {
    // The rows must not change a class the prefix already has.
    ASSERT_FALSE(Reg_KeyExists(HKCR, row.classKey)) << Utf16ToUtf8(row.classKey);
    if (*row.defaultVerb) Set(std::wstring(row.classKey) + L"\\shell", L"", row.defaultVerb);
    Command(row.classKey, *row.defaultVerb ? row.defaultVerb : L"open", L"{T}\\gone\\tool.exe \"%1\"");
    Command(row.classKey, L"keytidykept", L"{T}\\gone\\other.exe");
    Set(std::wstring(row.classKey) + L"\\DefaultIcon", L"", L"{T}\\icon.ico");
  }
  engine.SEARCH_FILEFORMAT_WRONGEXE(keys, CheckId::FileFormatWrongExe, FilterCategory::FileTypes);
  ASSERT_EQ(tree.NodeCount(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(GetEntry(tree.NodeAt(i))->Delete_Key, rows[i].deletes);

  const DeleteRunResult result = RC_DeleteRun(engine, temp.File(L"Backups"), {temp.Path()});
  EXPECT_EQ(result.removed, std::size(rows));
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf16ToUtf8(row.classKey));
    const std::wstring classKey = row.classKey;
    EXPECT_FALSE(Reg_KeyExists(HKCR, row.deletes));
    if (classKey == row.deletes) continue;
    EXPECT_TRUE(Reg_KeyExists(HKCR, classKey + L"\\shell\\keytidykept\\command"));
    EXPECT_TRUE(Reg_KeyExists(HKCR, classKey + L"\\DefaultIcon"));
  }
}

TEST_F(FileTypeChecks, EmptyClassKeysAndExtensionsWithoutTheirProgramId) {
  Create(L"KeytidyBare");
  Set(L"KeytidyEmptyDefault", L"", L"");
  Set(L"KeytidyOneNamedValue", L"EditFlags", L"");
  Set(L"KeytidyWithDefault", L"", L"Some document");
  Create(L"KeytidyWithSubKey\\shell");
  Create(L"{Keytidy-0001}");
  Set(L".keytidyfoo", L"", L"keytidyfoo_auto_file");
  Set(L".keytidyknown", L"", L"KeytidyWithDefault");
  Set(L".keytidyblank", L"", L"  ");
  Set(L"KeytidyNotAnExtension", L"", L"keytidy_missing_id");
  Set(L".jnt", L"", L"keytidy_missing_journal_id");

  engine.SEARCH_FILEFORMAT_EMPTY(keys, CheckId::FileFormatEmpty, FilterCategory::FileTypes);
  engine.SEARCH_FILEFORMAT_LINKMISSING(keys, CheckId::FileFormatLinkMissing, FilterCategory::FileTypes);
  EXPECT_THAT(Findings(), ElementsAreArray(Lines{
                              "31 |  | KeytidyBare | KeytidyBare | KeytidyBare | ",
                              "31 |  | KeytidyEmptyDefault | KeytidyEmptyDefault | KeytidyEmptyDefault | ",
                              "32 |  | .keytidyfoo | .keytidyfoo | .keytidyfoo | keytidyfoo_auto_file",
                          }));
  ASSERT_EQ(tree.NodeCount(), 3u);
  EXPECT_EQ(GetEntry(tree.NodeAt(2))->MissingKey, L"keytidyfoo_auto_file");
}

TEST_F(FileTypeChecks, DefaultIconsNamingAMissingFileLoseOnlyTheirIconKey) {
  Touch(T(L"{T}\\here.dll"));
  Touch(T(L"{T}\\a.ico,b.dll"));
  Set(L"KeytidyIconGone\\DefaultIcon", L"", L"{T}\\gone\\icons.dll,-5");
  Set(L".keytidyicon", L"", L"KeytidyIconGone");
  Set(L"KeytidyIconExpanded\\DefaultIcon", L"", L"%SystemRoot%\\system32\\keytidy-gone.dll,-2");
  Set(L"KeytidyIconSystem\\DefaultIcon", L"", L"%SystemRoot%\\system32\\shell32.dll,-2");
  Set(L"KeytidyIconQuoted\\DefaultIcon", L"", L"\"{T}\\gone\\quoted.ico\",0");
  Set(L"KeytidyIconPresent\\DefaultIcon", L"", L"{T}\\here.dll,3");
  Set(L"KeytidyIconCommaName\\DefaultIcon", L"", L"{T}\\a.ico,b.dll,1");
  Set(L"KeytidyIconPicture\\DefaultIcon", L"", L"{T}\\gone\\picture.png");
  Create(L"KeytidyIconEmpty\\DefaultIcon");
  Set(L".keytidyiconext\\DefaultIcon", L"", L"{T}\\gone\\ext.dll,1");  // extensions are not examined

  engine.SEARCH_FILEFORMAT_WRONGICON(keys, CheckId::FileFormatWrongIcon, FilterCategory::FileTypes);
  const std::string systemGone = Utf16ToUtf8(SystemFolder() + L"\\keytidy-gone.dll");
  EXPECT_THAT(Findings(), UnorderedElementsAreArray(Lines{
                              "33 | " + T8(L"{T}\\gone\\icons.dll") +
                                  " | KeytidyIconGone | KeytidyIconGone\\DefaultIcon | KeytidyIconGone\\DefaultIcon"
                                  " | .keytidyicon",
                              "33 | " + systemGone +
                                  " | KeytidyIconExpanded | KeytidyIconExpanded\\DefaultIcon"
                                  " | KeytidyIconExpanded\\DefaultIcon | .KeytidyIconExpanded",
                              "33 | " + T8(L"{T}\\gone\\quoted.ico") +
                                  " | KeytidyIconQuoted | KeytidyIconQuoted\\DefaultIcon"
                                  " | KeytidyIconQuoted\\DefaultIcon | .KeytidyIconQuoted",
                          }));
}

TEST_F(FileTypeChecks, AStopRequestPassesOverTheRestButStillMovesTheBar) {
  struct CountingProgress : TScanProgress {
    void SetMaximum(std::int32_t) override {}
    void SetPosition(std::int32_t p) override { position = p; }
    std::int32_t Position() const override { return position; }
    std::int32_t position = 0;
  } progress;
  for (const wchar_t* key : {L"KeytidyStop1", L"KeytidyStop2", L"KeytidyStop3"}) Create(key);
  engine.Progress = &progress;
  int calls = 0;
  test::PumpingFrontEnd pump([&] {
    if (++calls == 2) run.STOP_REQUESTED = true;
  });
  engine.FrontEnd = &pump;

  engine.SEARCH_FILEFORMAT_EMPTY(keys, CheckId::FileFormatEmpty, FilterCategory::FileTypes);
  EXPECT_THAT(Findings(), ElementsAreArray(Lines{"31 |  | KeytidyStop1 | KeytidyStop1 | KeytidyStop1 | "}));
  EXPECT_EQ(progress.position, 3);
  engine.Progress = nullptr;
}

class ApplicationsCheck : public test::CheckTest {
 protected:
  void Command(const std::wstring& program, const std::wstring& verb, const std::wstring& command) {
    registry.WriteString(HKCR, kApplications + L"\\" + program + L"\\shell\\" + verb + L"\\command", L"", T(command));
  }
  const std::wstring kApplications = L"Applications";
};

TEST_F(ApplicationsCheck, OnlyBareOpenRegistrationsOfMissingProgramsAreReported) {
  Touch(T(L"{T}\\here.exe"));
  Command(L"keytidygone.exe", L"open", L"\"{T}\\gone\\app.exe\" \"%1\"");
  Command(L"keytidytwoverbs.exe", L"open", L"\"{T}\\gone\\app.exe\" \"%1\"");
  Command(L"keytidytwoverbs.exe", L"edit", L"\"{T}\\gone\\app.exe\" \"%1\"");
  Command(L"keytidynamed.exe", L"open", L"\"{T}\\gone\\app.exe\" \"%1\"");
  registry.WriteString(HKCR, kApplications + L"\\keytidynamed.exe", L"FriendlyAppName", L"Named");
  Command(L"keytidyhere.exe", L"open", L"\"{T}\\here.exe\" \"%1\"");
  Command(L"keytidygone.dll", L"open", L"\"{T}\\gone\\app.exe\" \"%1\"");

  engine.SEARCH_FILEFORMAT_APPLICATIONS(CheckId::FileFormatApplications, FilterCategory::FileTypes);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, Reg_SubKeyCount(HKCR, kApplications));
  const std::string key = "HKEY_CLASSES_ROOT\\Applications\\keytidygone.exe";
  EXPECT_THAT(OurFindings(), ElementsAreArray(Lines{
                                 "34/1 | " + T8(L"{T}\\gone\\app.exe") + " | keytidygone.exe | " + key +
                                     "\\shell\\open\\command |  | key " + key,
                             }));
  for (PVirtualNode node : tree) {
    if (GetEntry(node)->DisplayName == L"keytidygone.exe") {
      EXPECT_EQ(GetEntry(node)->Filename, T(L"{T}\\gone\\app.exe"));  // the whole path
    }
  }
}

class OpenWithChecks : public test::CheckTest {
 protected:
  OpenWithChecks() : previousSid_(InteractiveUserSid()) { Set_InteractiveUserSid(GetInteractiveUserSid()); }
  ~OpenWithChecks() override { Set_InteractiveUserSid(previousSid_); }

  const std::wstring kFileExts = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

 private:
  std::wstring previousSid_;
};

TEST_F(OpenWithChecks, EmptyRecordsAndRecordsOfUnregisteredExtensionsEachReportedOnce) {
  ASSERT_FALSE(InteractiveUserSid().empty());
  const RootKey HKCU = ROOT_HKEY_CURRENT_USER;
  const auto record = [&](const std::wstring& extension) { return kFileExts + L"\\" + extension; };
  // Empty and unregistered: reported as empty only.
  registry.CreateKey(HKCU, record(L".keytidyxyz\\OpenWithList"));
  // Empty but registered.
  registry.CreateKey(HKCU, record(L".keytidyreg"));
  registry.CreateKey(HKCR, L".keytidyreg");
  // Holding a choice, unregistered: a program id, an "Always open with"
  // program, or a list entry.
  registry.WriteString(HKCU, record(L".keytidyprog"), L"ProgID", L"keytidy_missing");
  registry.WriteString(HKCU, record(L".keytidyapp"), L"Application", L"keytidy.exe");
  registry.WriteString(HKCU, record(L".keytidylist\\OpenWithList"), L"a", L"keytidy.exe");
  // Holding a choice and registered: nothing to report.
  registry.WriteString(HKCU, record(L".keytidyknown\\OpenWithList"), L"a", L"keytidy.exe");
  registry.CreateKey(HKCR, L".keytidyknown");
  // Never examined: no leading dot, a quote in the name.
  registry.CreateKey(HKCU, record(L"keytidynodot"));
  registry.WriteString(HKCU, record(L".keytidy\"quote"), L"ProgID", L"keytidy_missing");

  engine.SEARCH_EMPTYOPENWITH(CheckId::EmptyOpenWith, FilterCategory::FileTypes);
  RootKey root = HKCU;
  std::wstring fileExts = kFileExts;
  Reg_RedirectCurrentUser(root, fileExts);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, Reg_SubKeyCount(root, fileExts));
  engine.SEARCH_INVALID_OPENWITH(CheckId::InvalidOpenWith, FilterCategory::FileTypes);

  const std::string base = Utf16ToUtf8(L"HKEY_USERS\\" + InteractiveUserSid() + L"\\" + kFileExts + L"\\");
  const auto line = [&](const std::string& group, const std::string& extension) {
    return group + " |  | " + extension + " | " + base + extension + " |  | key " + base + extension;
  };
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{
                                 line("7/1", ".keytidyxyz"),
                                 line("7/1", ".keytidyreg"),
                                 line("11/1", ".keytidyprog"),
                                 line("11/1", ".keytidyapp"),
                                 line("11/1", ".keytidylist"),
                             }));
}

}  // namespace
}  // namespace keytidy
