// The program-leftover checks in the real Run, RunOnce and Uninstall keys
// and on real files: which entries count as left behind by a removed
// program, which are never reported, and the whole way from a search with
// the category switched on to a deletion and its restore.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "backup/backup_set_operations.h"
#include "backup/backups_manager.h"
#include "platform/registry_snapshot.h"
#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "clean/delete_run.h"
#include "scan/leftover_judgement.h"
#include "scan/scan_categories.h"
#include "scan/scan_report.h"
#include "scan/scan_run.h"

namespace keytidy {
namespace {

using Lines = std::vector<std::string>;
using ::testing::UnorderedElementsAreArray;

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
constexpr RootKey HKCU = ROOT_HKEY_CURRENT_USER;
const std::wstring kVersion = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const std::wstring kVersion32 = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion";

// Where the checks read (and a deletion deletes) a key of `root`: a user's
// keys through HKEY_USERS and the desktop user's SID, when there is one.
std::pair<RootKey, std::wstring> AsChecked(RootKey root, const std::wstring& key) {
  RootKey checkedRoot = root;
  std::wstring checkedKey = key;
  Reg_RedirectCurrentUser(checkedRoot, checkedKey);
  return {checkedRoot, checkedKey};
}

std::string Finding(CheckId group, const std::string& program, const std::wstring& name, RootKey root,
                    const std::wstring& key, const std::wstring& value) {
  const auto [checkedRoot, checkedKey] = AsChecked(root, key);
  const std::string place = Utf16ToUtf8(Reg_RootKeyName(checkedRoot) + L"\\" + checkedKey);
  const std::string deletes = value.empty() ? "key " + place : "value " + place + " [" + Utf16ToUtf8(value) + "]";
  return std::to_string(Number(group)) + "/13 | " + program + " | " + Utf16ToUtf8(name) + " | " + place + " | " +
         Utf16ToUtf8(value) + " | " + deletes;
}

class ProgramLeftoverChecks : public test::CheckTest {
 protected:
  // A file in the native system folder only: a 32-bit program looks for it
  // in SysWOW64 and does not find it.
  const std::wstring native64Only = WindowsFolder() + L"\\system32\\keytidy-leftover-64.exe";
  ~ProgramLeftoverChecks() override { DeleteFileW(native64Only.c_str()); }
};

struct StartupRow {
  const char* label;
  RootKey root;
  bool wow;
  const wchar_t* list;     // Run or RunOnce
  const wchar_t* command;  // {T} is the temporary folder; null: a DWORD value
  const wchar_t* program;  // reported program; null: not reported
  DWORD type = REG_SZ;
};

const StartupRow kStartupRows[] = {
    {"present, quoted with spaces", HKLM, false, L"Run", L"\"{T}\\here dir\\app.exe\" /background", nullptr},
    {"present, unquoted with arguments", HKLM, false, L"Run", L"{T}\\here dir\\app.exe -min", nullptr},
    {"missing, quoted with spaces", HKLM, false, L"Run", L"\"{T}\\gone dir\\app.exe\" /background",
     L"{T}\\gone dir\\app.exe"},
    {"missing, unquoted with spaces and arguments", HKLM, false, L"Run", L"{T}\\gone dir\\tool.exe --tray",
     L"{T}\\gone dir\\tool.exe"},
    {"missing, unquoted, no blank, no exe", HKLM, false, L"RunOnce", L"{T}\\gone\\setup.cmd", L"{T}\\gone\\setup.cmd"},
    {"unquoted with a blank and no exe: not judged", HKLM, false, L"Run", L"{T}\\gone dir\\start.cmd", nullptr},
    {"missing, expanded", HKLM, false, L"Run", L"%SystemRoot%\\keytidy-gone-startup.exe",
     L"C:\\windows\\keytidy-gone-startup.exe", REG_EXPAND_SZ},
    {"rundll32 with a missing library", HKLM, false, L"Run", L"rundll32.exe \"{T}\\gone dir\\lib.dll\",Start",
     L"{T}\\gone dir\\lib.dll"},
    {"rundll32 by path, missing library", HKCU, false, L"Run",
     L"C:\\windows\\system32\\rundll32.exe {T}\\gone\\lib.dll,Entry 1", L"{T}\\gone\\lib.dll"},
    {"rundll32 with a system library", HKLM, false, L"Run", L"rundll32 shell32.dll,Control_RunDLL", nullptr},
    // rundll32 loads a library as LoadLibrary names it: "lib" is "lib.dll".
    {"rundll32, library named without its extension", HKLM, false, L"Run", L"rundll32 \"{T}\\here dir\\lib\",Entry",
     nullptr},
    {"rundll32, only an extensionless file of that name", HKLM, false, L"Run",
     L"rundll32.exe \"{T}\\here dir\\noext\",Entry", L"{T}\\here dir\\noext.dll"},
    {"rundll32, a trailing dot asks for no extension", HKLM, false, L"Run",
     L"rundll32.exe \"{T}\\here dir\\noext.\",Entry", nullptr},
    {"rundll32, missing library named without its extension", HKLM, false, L"Run", L"rundll32 {T}\\gone\\lib,Entry",
     L"{T}\\gone\\lib.dll"},
    // A name Explorer gives a shortcut holds ".exe " but is no command.
    {"a shortcut named after a removed program", HKLM, false, L"Run", L"{T}\\here dir\\viewer.exe - Shortcut.lnk",
     nullptr},
    {"a missing shortcut named after a missing program", HKLM, false, L"Run", L"{T}\\gone dir\\app.exe - Shortcut.lnk",
     L"{T}\\gone dir\\app.exe"},
    {"msiexec", HKLM, false, L"RunOnce", L"msiexec.exe /fa {00000000-0000-0000-0000-000000000001}", nullptr},
    {"bare name found nowhere", HKLM, false, L"Run", L"keytidy-nowhere.exe /x", nullptr},
    {"drive that is not judged", HKLM, false, L"Run", L"Z:\\keytidy-gone\\app.exe", nullptr},
    {"not text", HKLM, false, L"Run", nullptr, nullptr, REG_DWORD},
    {"user, missing", HKCU, false, L"Run", L"\"{T}\\gone\\user.exe\"", L"{T}\\gone\\user.exe"},
    {"user, run once, missing", HKCU, false, L"RunOnce", L"{T}\\gone\\once.exe /q", L"{T}\\gone\\once.exe"},
    {"32-bit, missing", HKLM, true, L"Run", L"\"{T}\\gone\\app32.exe\"", L"{T}\\gone\\app32.exe"},
    {"32-bit, present", HKLM, true, L"RunOnce", L"{T}\\here dir\\app.exe", nullptr},
    // The same file judged by each program's own eyes.
    {"native, in the native system folder", HKLM, false, L"Run", L"C:\\windows\\system32\\keytidy-leftover-64.exe",
     nullptr},
    {"32-bit, in the native system folder only", HKLM, true, L"Run", L"C:\\windows\\system32\\keytidy-leftover-64.exe",
     L"C:\\windows\\system32\\keytidy-leftover-64.exe"},
};

TEST_F(ProgramLeftoverChecks, StartupEntriesWhoseProgramIsGone) {
  Touch(T(L"{T}\\here dir\\app.exe"));
  Touch(T(L"{T}\\here dir\\lib.dll"));
  Touch(T(L"{T}\\here dir\\noext"));
  Touch(T(L"{T}\\here dir\\viewer.exe - Shortcut.lnk"));
  Touch(native64Only);
  Lines expected;
  int n = 0;
  for (const StartupRow& row : kStartupRows) {
    const std::wstring key = (row.wow ? kVersion32 : kVersion) + L"\\" + row.list;
    const std::wstring name = L"Keytidy " + std::to_wstring(++n) + L" " + Utf8ToUtf16(row.label);
    if (row.command) {
      registry.WriteString(row.root, key, name, T(row.command), row.type);
    } else {
      const DWORD number = 1;
      registry.Write(row.root, key, name, REG_DWORD, &number, sizeof(number));
    }
    if (row.program)
      expected.push_back(
          Finding(CheckId::StartupLeftover, T8(row.program), row.wow ? name + L" (32Bit)" : name, row.root, key, name));
  }

  for (RootKey root : {HKLM, HKCU})
    engine.SEARCH_STARTUP_LEFTOVERS(CheckId::StartupLeftover, FilterCategory::Leftovers, root, false);
  engine.SEARCH_STARTUP_LEFTOVERS(CheckId::StartupLeftover, FilterCategory::Leftovers, HKLM, true);
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(expected));
}

struct UninstallRow {
  const char* label;
  RootKey root;
  bool wow;
  std::map<std::wstring, std::wstring> values;  // text values, {T} is the temporary folder
  std::map<std::wstring, DWORD> flags;
  const wchar_t* program;            // reported uninstall program; null: not reported
  const wchar_t* keyName = nullptr;  // the entry's key name when not made from the label
};

const UninstallRow kUninstallRows[] = {
    {"uninstaller present", HKLM, false, {{L"UninstallString", L"\"{T}\\here dir\\app.exe\" /uninstall"}}, {}, nullptr},
    {"uninstaller gone, quoted",
     HKLM,
     false,
     {{L"UninstallString", L"\"{T}\\gone dir\\unins000.exe\""}},
     {},
     L"{T}\\gone dir\\unins000.exe"},
    {"uninstaller gone, unquoted with arguments",
     HKLM,
     false,
     {{L"UninstallString", L"{T}\\gone dir\\uninstall.exe /S _?={T}\\gone dir"}},
     {},
     L"{T}\\gone dir\\uninstall.exe"},
    {"install folder still there",
     HKLM,
     false,
     {{L"UninstallString", L"{T}\\gone\\u.exe"}, {L"InstallLocation", L"{T}\\here dir"}},
     {},
     nullptr},
    {"install folder gone too",
     HKLM,
     false,
     {{L"UninstallString", L"{T}\\gone\\u.exe"}, {L"InstallLocation", L"\"{T}\\gone\\\""}},
     {},
     L"{T}\\gone\\u.exe"},
    {"install folder empty",
     HKLM,
     false,
     {{L"UninstallString", L"{T}\\gone\\u.exe"}, {L"InstallLocation", L" "}},
     {},
     L"{T}\\gone\\u.exe"},
    {"icon still there",
     HKLM,
     false,
     {{L"UninstallString", L"{T}\\gone\\u.exe"}, {L"DisplayIcon", L"{T}\\here dir\\app.exe,0"}},
     {},
     nullptr},
    {"icon gone too",
     HKLM,
     false,
     {{L"UninstallString", L"{T}\\gone\\u.exe"},
      {L"DisplayIcon", L"\"{T}\\gone\\app.exe\",2"},
      {L"InstallLocation", L"{T}\\gone"}},
     {},
     L"{T}\\gone\\u.exe"},
    {"rundll32 with a missing library",
     HKLM,
     false,
     {{L"UninstallString", L"RunDll32.exe \"{T}\\gone\\setup.dll\",Uninstall"}},
     {},
     L"{T}\\gone\\setup.dll"},
    {"msiexec",
     HKLM,
     false,
     {{L"UninstallString", L"MsiExec.exe /X{00000000-0000-0000-0000-000000000002}"}},
     {},
     nullptr},
    {"drive that is not judged", HKLM, false, {{L"UninstallString", L"Z:\\keytidy-gone\\u.exe"}}, {}, nullptr},
    // Never reported, however gone the files are.
    {"system component", HKLM, false, {{L"UninstallString", L"{T}\\gone\\u.exe"}}, {{L"SystemComponent", 1}}, nullptr},
    {"windows installer",
     HKLM,
     false,
     {{L"UninstallString", L"{T}\\gone\\u.exe"}},
     {{L"WindowsInstaller", 1}},
     nullptr},
    {"product code",
     HKLM,
     false,
     {{L"UninstallString", L"{T}\\gone\\u.exe"}},
     {},
     nullptr,
     L"{6B7F1D4A-1234-4321-8000-0000000000A1}"},
    {"no uninstall string", HKLM, false, {{L"InstallLocation", L"{T}\\gone"}}, {}, nullptr},
    {"system component off",
     HKLM,
     false,
     {{L"UninstallString", L"{T}\\gone\\u.exe"}},
     {{L"SystemComponent", 0}},
     L"{T}\\gone\\u.exe"},
    {"user entry gone", HKCU, false, {{L"UninstallString", L"{T}\\gone\\user-u.exe"}}, {}, L"{T}\\gone\\user-u.exe"},
    {"32-bit entry gone", HKLM, true, {{L"UninstallString", L"{T}\\gone\\u32.exe"}}, {}, L"{T}\\gone\\u32.exe"},
    {"32-bit, folder still there",
     HKLM,
     true,
     {{L"UninstallString", L"{T}\\gone\\u32.exe"}, {L"InstallLocation", L"{T}\\here dir\\"}},
     {},
     nullptr},
};

TEST_F(ProgramLeftoverChecks, UninstallEntriesOfRemovedPrograms) {
  Touch(T(L"{T}\\here dir\\app.exe"));
  Lines expected;
  int n = 0;
  for (const UninstallRow& row : kUninstallRows) {
    const std::wstring name =
        row.keyName ? row.keyName : L"Keytidy " + std::to_wstring(++n) + L" " + Utf8ToUtf16(row.label);
    const std::wstring key = (row.wow ? kVersion32 : kVersion) + L"\\Uninstall\\" + name;
    const std::wstring displayName = L"Keytidy " + Utf8ToUtf16(row.label);
    registry.WriteString(row.root, key, L"DisplayName", displayName);
    for (const auto& [value, text] : row.values) registry.WriteString(row.root, key, value, T(text));
    for (const auto& [value, number] : row.flags)
      registry.Write(row.root, key, value, REG_DWORD, &number, sizeof(number));
    if (row.program)
      expected.push_back(Finding(CheckId::UninstallLeftover, T8(row.program),
                                 row.wow ? displayName + L" (32Bit)" : displayName, row.root, key, L""));
  }

  for (RootKey root : {HKLM, HKCU})
    engine.SEARCH_UNINSTALL_LEFTOVERS(CheckId::UninstallLeftover, FilterCategory::Leftovers, root, false);
  engine.SEARCH_UNINSTALL_LEFTOVERS(CheckId::UninstallLeftover, FilterCategory::Leftovers, HKLM, true);
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(expected));
}

TEST(ProductCodeName, OnlyABracedGuid) {
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"{6B7F1D4A-1234-4321-8000-0000000000A1}", true},
      {L"{6b7f1d4a-1234-4321-8000-0000000000a1}", true},
      {L"6B7F1D4A-1234-4321-8000-0000000000A1", false},
      {L"{6B7F1D4A-1234-4321-8000-0000000000A1}.KB123", false},
      {L"{6B7F1D4A-1234-4321-8000-0000000000G1}", false},
      {L"{6B7F1D4A:1234-4321-8000-0000000000A1}", false},
      {L"Keytidy Tool", false},
      {L"", false},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(Is_ProductCodeName(name), expected) << Utf16ToUtf8(name);
}

// Between the search and the deletion: the uninstall entry's whole test is
// repeated, not only its uninstaller.
TEST_F(ProgramLeftoverChecks, DeletionRepeatsTheWholeUninstallTest) {
  struct Row {
    const char* label;
    std::function<void(const std::wstring& key)> meanwhile;
    bool stillStale;
  };
  const Row rows[] = {
      {"nothing changed", [](const std::wstring&) {}, true},
      {"install folder back", [&](const std::wstring&) { CreateDirectoryW(T(L"{T}\\gone-loc").c_str(), nullptr); },
       false},
      {"marked a system component",
       [&](const std::wstring& key) {
         const DWORD one = 1;
         Reg_WriteValue(HKLM, key, L"SystemComponent", &one, sizeof(one), REG_DWORD);
       },
       false},
      {"uninstaller back", [&](const std::wstring&) { Touch(T(L"{T}\\gone\\u.exe")); }, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    tree.Clear();
    RemoveDirectoryW(T(L"{T}\\gone-loc").c_str());
    DeleteFileW(T(L"{T}\\gone\\u.exe").c_str());
    const std::wstring key = kVersion + L"\\Uninstall\\Keytidy recheck " + Utf8ToUtf16(row.label);
    registry.WriteString(HKLM, key, L"UninstallString", T(L"{T}\\gone\\u.exe"));
    registry.WriteString(HKLM, key, L"InstallLocation", T(L"{T}\\gone-loc"));
    engine.SEARCH_UNINSTALL_LEFTOVERS(CheckId::UninstallLeftover, FilterCategory::Leftovers, HKLM, false);
    for (PVirtualNode node : tree)
      if (GetEntry(node)->Delete_Key != key) tree.SetCheckState(node, CheckState::Unchecked);
    row.meanwhile(key);

    DeleteOptions options;
    options.exportFolder = temp.Path();
    const DeleteRunResult result = RC_DeleteRun(engine, temp.File(L"Backups"), options);
    EXPECT_EQ(result.checked, 1u);
    EXPECT_EQ(result.removed, row.stillStale ? 1u : 0u);
    EXPECT_EQ(result.noLongerStale, row.stillStale ? 0u : 1u);
    EXPECT_EQ(Reg_KeyExists(HKLM, key), !row.stillStale);
  }
}

// The switch on: a search finds both kinds under the new filter category,
// a deletion removes exactly the start-up value and the uninstall key, and
// the backup set puts both back.
TEST_F(ProgramLeftoverChecks, SearchDeleteAndRestore) {
  const std::wstring run = kVersion + L"\\Run";
  const std::wstring entry = kVersion + L"\\Uninstall\\Keytidy End To End";
  const std::wstring command = T(L"\"{T}\\gone\\tray.exe\" /startup");
  registry.WriteString(HKLM, run, L"Keytidy End To End", command);
  registry.WriteString(HKLM, run, L"Keytidy Neighbour", L"C:\\windows\\system32\\cmd.exe");
  registry.WriteString(HKLM, entry, L"DisplayName", L"Keytidy End To End");
  registry.WriteString(HKLM, entry, L"UninstallString", T(L"{T}\\gone\\uninst.exe"));
  registry.WriteString(HKLM, entry + L"\\Details", L"Note", L"taken along with its entry");
  const std::map<std::wstring, RegValueData> entryBefore = ReadKeyValues(HKLM, entry).value();
  const std::optional<RegValueData> commandBefore = ReadValueData(HKLM, run, L"Keytidy End To End");

  TScanRunSettings settings;
  for (const ScanCategory& category : ScanCategoryTable()) settings.switches.SetChecked(category.option, false);
  ASSERT_FALSE(settings.switches.IsChecked(OptionSwitch::RC_Leftovers));
  settings.switches.SetChecked(OptionSwitch::RC_Leftovers, true);
  settings.statsRoot = HKCU;
  settings.statsKey = L"Software\\KeytidyTests\\LeftoverStats";
  TScanObserver observer;
  ASSERT_TRUE(RC_SearchRun(engine, settings, observer).ran);
  RegDeleteTreeW(HKEY_CURRENT_USER, settings.statsKey.c_str());
  EXPECT_THAT(
      OurFindings(),
      UnorderedElementsAreArray(Lines{
          Finding(CheckId::StartupLeftover, T8(L"{T}\\gone\\tray.exe"), L"Keytidy End To End", HKLM, run,
                  L"Keytidy End To End"),
          Finding(CheckId::UninstallLeftover, T8(L"{T}\\gone\\uninst.exe"), L"Keytidy End To End", HKLM, entry, L""),
      }));
  EXPECT_EQ(engine.Count_ItemsWithThisComboBoxIndex(FilterCategory::Leftovers),
            static_cast<std::int32_t>(tree.NodeCount()));
  // The prefix may hold leftovers of its own: only ours are deleted.
  for (PVirtualNode node : tree)
    if (!ContainsUpperAscii(GetEntry(node)->DisplayName, L"KEYTIDY")) tree.SetCheckState(node, CheckState::Unchecked);

  DeleteOptions options;
  options.exportFolder = temp.Path();
  const std::wstring backups = temp.File(L"Backups");
  const DeleteRunResult result = RC_DeleteRun(engine, backups, options);
  EXPECT_EQ(result.checked, 2u);
  EXPECT_EQ(result.removed, 2u);
  EXPECT_FALSE(Reg_ValueExists(HKLM, run, L"Keytidy End To End"));
  EXPECT_TRUE(Reg_ValueExists(HKLM, run, L"Keytidy Neighbour"));
  EXPECT_TRUE(Reg_KeyExists(HKLM, run));
  EXPECT_FALSE(Reg_KeyExists(HKLM, entry));
  EXPECT_TRUE(Reg_KeyExists(HKLM, kVersion + L"\\Uninstall"));

  TBackupTree rows;
  TBackups manager(&rows);
  manager.BackupFolder = backups;
  manager.Read_Backups();
  ASSERT_EQ(rows.NodeCount(), 1u);
  const RestoreBackupSetResult restore = RestoreBackupSet(TBackups::Data(rows.NodeAt(0)), RestoreBackupSetRequest());
  ASSERT_EQ(restore.status, BackupSetStatus::Done) << Utf16ToUtf8(restore.detail.reason);
  EXPECT_EQ(ReadValueData(HKLM, run, L"Keytidy End To End"), commandBefore);
  EXPECT_EQ(ReadKeyValues(HKLM, entry).value(), entryBefore);
  EXPECT_EQ(Reg_ReadString(HKLM, entry + L"\\Details", L"Note"), L"taken along with its entry");
}

// The report's lines for both kinds, in the shipped English texts: what is
// gone, and exactly what a deletion takes.
TEST(ProgramLeftoverReport, LinesInTheShippedEnglishTexts) {
  Localisation_Reset();
  LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", L"en-us");
  TTreeData_RegCleaner startup;
  startup.GroupIndex = CheckId::StartupLeftover;
  startup.ComboBoxIndex = FilterCategory::Leftovers;
  startup.DisplayName = L"Tray Helper";
  startup.FullPath = L"C:\\Gone\\tray.exe";
  startup.Filename = L"tray.exe";
  startup.DeleteValue = true;
  startup.Delete_Root = HKLM;
  startup.Delete_Key = kVersion + L"\\Run";
  startup.Delete_Value = L"Tray Helper";
  TTreeData_RegCleaner uninstall;
  uninstall.GroupIndex = CheckId::UninstallLeftover;
  uninstall.ComboBoxIndex = FilterCategory::Leftovers;
  uninstall.DisplayName = L"Old Tool 1.2";
  uninstall.FullPath = L"C:\\Gone\\unins000.exe";
  uninstall.Filename = L"unins000.exe";
  uninstall.DeleteKey = true;
  uninstall.Delete_Root = HKLM;
  uninstall.Delete_Key = kVersion + L"\\Uninstall\\OldTool";

  EXPECT_EQ(
      ScanReportEntryLine(1, startup),
      L"#0001 Start-up entry Tray Helper runs a missing program: tray.exe C:\\Gone\\tray.exe <Typ=70 Delete value "
      L"\"Tray Helper\" in HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run>");
  EXPECT_EQ(ScanReportEntryLine(2, uninstall),
            L"#0002 Uninstall entry of a removed program: Old Tool 1.2 C:\\Gone\\unins000.exe <Typ=71 Delete key "
            L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OldTool>");
  Localisation_Reset();
}

}  // namespace
}  // namespace keytidy
