// "scan" and "clean" end to end: the real keytidy-cli.exe on a registry
// with stale entries in several categories, its report, debug lines and
// totals, an exception, and a clean that "restore" undoes.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/text.h"
#include "settings/option_switches.h"
#include "settings/statistics.h"
#include "support/programs.h"
#include "support/real_registry.h"

namespace keytidy {
namespace {

using test::BinFolder;
using test::CliPath;
using test::Quote;
using test::ReadFileBytes;
using test::RunProgram;
using test::TempFolder;
using test::WriteFileBytes;
using Lines = std::vector<std::string>;

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
const std::wstring kAppPaths = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const std::wstring kShared = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const std::wstring kFonts = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const std::wstring kHelp = L"SOFTWARE\\Microsoft\\Windows\\Help";

Lines SplitCrLf(const std::string& text) {
  Lines lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back(text.substr(start) + "<no CR LF>");
  return lines;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Puts the category switches and the exception file back as they were.
class SavedSetting {
 public:
  SavedSetting() {
    for (const OptionSwitchInfo& info : OptionSwitchTable()) {
      std::optional<std::int32_t> value;
      if (Reg_ValueExists(HKLM, kOptionsKey, info.name)) value = Reg_ReadInteger(HKLM, kOptionsKey, info.name);
      switches_.emplace_back(info.name, value);
    }
    exceptions_ = BinFolder() + L"\\data\\rc_exceptions.txt";
    if (GetFileAttributesW(exceptions_.c_str()) != INVALID_FILE_ATTRIBUTES)
      exceptionBytes_ = ReadFileBytes(exceptions_);
  }
  ~SavedSetting() {
    for (const auto& [name, value] : switches_)
      if (value)
        Reg_WriteInteger(HKLM, kOptionsKey, name, *value);
      else
        Reg_DeleteValue(HKLM, kOptionsKey, name);
    if (exceptionBytes_)
      WriteFileBytes(exceptions_, *exceptionBytes_);
    else
      DeleteFileW(exceptions_.c_str());
  }
  const std::wstring& ExceptionsFile() const { return exceptions_; }

 private:
  std::vector<std::pair<std::wstring, std::optional<std::int32_t>>> switches_;
  std::wstring exceptions_;
  std::optional<std::string> exceptionBytes_;
};

class ScanCommand : public ::testing::Test {
 protected:
  // One stale entry in each of four categories, all under our temporary
  // folder (which exists, so only the files are missing).
  ScanCommand() {
    registry.WriteString(HKLM, kAppPaths + L"\\KeytidyE2EGone.exe", L"", T(L"\\gone\\app.exe"));
    const DWORD one = 1;
    registry.Write(HKLM, kShared, T(L"\\gone\\keytidy-e2e.dll"), REG_DWORD, &one, sizeof(one));
    registry.WriteString(HKLM, kFonts, L"!!Keytidy E2E (TrueType)", L"keytidy-e2e-gone.ttf");
    registry.WriteString(HKLM, kHelp, L"keytidy-e2e.hlp", temp.Path());
  }
  ~ScanCommand() override { Localisation_Reset(); }

  std::wstring T(const std::wstring& below) const { return temp.Path() + below; }
  std::string T8(const std::wstring& below) const { return Utf16ToUtf8(T(below)); }

  void EnableOnly(std::initializer_list<OptionSwitch> on) const {
    for (size_t i = 0; i < kCategorySwitchCount; ++i) {
      const OptionSwitchInfo& info = OptionSwitchTable()[i];
      Reg_WriteInteger(HKLM, kOptionsKey, info.name,
                       on.size() == 0 || std::find(on.begin(), on.end(), info.id) != on.end() ? 1 : 0);
    }
  }

  test::RunResult Cli(const std::wstring& arguments) const {
    return RunProgram(Quote(CliPath()) + L" " + arguments, {{L"KEYTIDY_DEBUGLOG", temp.File(L"debug.txt")}});
  }

  // The finding lines of a report that are ours, without their numbers.
  Lines OurLines(const Lines& report) const {
    Lines ours;
    for (size_t i = 3; i < report.size(); ++i)
      if (Has(report[i], "Keytidy E2E") || Has(report[i], "keytidy-e2e") || Has(report[i], "KeytidyE2E"))
        ours.push_back(report[i].substr(report[i].find(' ') + 1));
    return ours;
  }

  static std::uint64_t Total(const wchar_t* name) {
    return static_cast<std::uint64_t>(Reg_ReadInt64(HKLM, kStatsKey, name));
  }

  SavedSetting saved;
  TempFolder temp;
  test::RealRegistryFixture registry;
};

std::uint32_t SubKeys(RootKey root, const std::wstring& key) { return Reg_SubKeyCount(root, key); }
std::uint32_t Values(const std::wstring& key) { return Reg_ValueCount(HKLM, key); }

TEST_F(ScanCommand, ReportDebugLinesTotalsAndAnException) {
  EnableOnly({});
  const std::uint64_t keysBefore = Total(kStats_KeysScanned);
  const std::uint64_t valuesBefore = Total(kStats_ValuesScanned);
  const std::wstring reportPath = temp.File(L"report.txt");

  const test::RunResult run = Cli(L"scan --report " + Quote(reportPath));
  ASSERT_EQ(run.exitCode, 0u) << run.output;

  // Header, numbering and count.
  const Lines report = SplitCrLf(ReadFileBytes(reportPath));
  ASSERT_GE(report.size(), 7u) << run.output;
  EXPECT_TRUE(report[0].starts_with("Report created: ")) << report[0];
  EXPECT_EQ(report[1], "Entries found: " + std::to_string(report.size() - 3));
  EXPECT_EQ(report[2], "");
  for (size_t i = 3; i < report.size(); ++i) {
    char number[16];
    snprintf(number, sizeof number, "#%04zu ", i - 2);
    EXPECT_TRUE(report[i].starts_with(number)) << report[i];
  }

  // Our four findings, each with its detail line and what deleting removes.
  const Lines ours = OurLines(report);
  const std::string appPathKey = "HKEY_LOCAL_MACHINE\\" + Utf16ToUtf8(kAppPaths) + "\\KeytidyE2EGone.exe";
  auto line = [&](const std::string& part) {
    return std::count_if(ours.begin(), ours.end(), [&](const std::string& l) { return Has(l, part); });
  };
  EXPECT_EQ(ours.size(), 4u) << ::testing::PrintToString(ours);
  EXPECT_EQ(line(T8(L"\\gone <Typ=3 Delete key ") + appPathKey + ">"), 1);
  EXPECT_EQ(line(T8(L"\\gone <Typ=1 Delete value \"") + T8(L"\\gone\\keytidy-e2e.dll") + "\" in HKEY_LOCAL_MACHINE\\"),
            1);
  EXPECT_EQ(line(" <Typ=4 Delete value \"!!Keytidy E2E (TrueType)\" in HKEY_LOCAL_MACHINE\\"), 1);
  EXPECT_EQ(line(" <Typ=2 Delete value \"keytidy-e2e.hlp\" in HKEY_LOCAL_MACHINE\\"), 1);

  // The summary names each category as translated, with its count.
  LOAD_INTERNAL_ONLY(BinFolder() + L"\\translation", L"en-us");
  const std::string appPathsCaption = Utf16ToUtf8(OptionSwitchCaption(OptionSwitch::RC_AppPaths));
  const long appPathFindings = std::count_if(
      report.begin() + 3, report.end(), [](const std::string& l) { return Has(l, "<Typ=3 ") || Has(l, "<Typ=14 "); });
  EXPECT_TRUE(Has(run.output, appPathsCaption + ": " + std::to_string(appPathFindings) + "\r\n")) << run.output;
  EXPECT_TRUE(Has(run.output, "Total: " + std::to_string(report.size() - 3) + "\r\n")) << run.output;
  EXPECT_FALSE(Has(run.output, "[#")) << "no progress bar when stderr is no console";

  // The shared key lists are announced and counted as keys scanned.
  const std::string debug = ReadFileBytes(temp.File(L"debug.txt"));
  for (const char* list :
       {"HKEY_CLASSES_ROOT = ", "HKEY_CLASSES_ROOT\\CLSID = ", "HKEY_CLASSES_ROOT\\WOW6432Node\\CLSID = "})
    EXPECT_TRUE(Has(debug, std::string("KX-Profiler: GET_ALL_KEYS in ") + list)) << list;
  EXPECT_TRUE(Has(debug, "RC-Search took ms=")) << debug;
  EXPECT_GE(Total(kStats_KeysScanned) - keysBefore,
            SubKeys(ROOT_HKEY_CLASSES_ROOT, L"") + SubKeys(ROOT_HKEY_CLASSES_ROOT, L"CLSID") +
                SubKeys(ROOT_HKEY_CLASSES_ROOT, L"WOW6432Node\\CLSID") + SubKeys(HKLM, kAppPaths));
  EXPECT_GE(Total(kStats_ValuesScanned) - valuesBefore, Values(kShared) + Values(kFonts) + Values(kHelp));

  // An exception for the application path removes exactly that finding.
  WriteFileBytes(saved.ExceptionsFile(), "1\r\nHKEY_LOCAL_MACHINE\r\n" + appPathKey.substr(19) + "\r\n\r\n");
  ASSERT_EQ(Cli(L"scan --report " + Quote(reportPath)).exitCode, 0u);
  const Lines again = SplitCrLf(ReadFileBytes(reportPath));
  EXPECT_EQ(again[1], "Entries found: " + std::to_string(report.size() - 4));
  Lines expected = ours;
  std::erase_if(expected, [&](const std::string& l) { return Has(l, appPathKey); });
  EXPECT_EQ(OurLines(again), expected);
}

TEST_F(ScanCommand, WithoutReportNoFileAndBadOptionsAreUsageErrors) {
  EnableOnly({OptionSwitch::RC_Fonts});
  const std::wstring reportPath = BinFolder() + L"\\RC_export.txt";
  DeleteFileW(reportPath.c_str());
  const test::RunResult run = Cli(L"scan");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(GetFileAttributesW(reportPath.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(Has(run.output, "Total: ")) << run.output;
  for (const wchar_t* arguments : {L"scan --report", L"scan --verbose", L"clean --report a --report b"})
    EXPECT_EQ(Cli(arguments).exitCode, 2u) << Utf16ToUtf8(arguments);
}

// The fixture's findings go, one backup set records them, and restoring that
// set brings every value back with its type and data.
TEST_F(ScanCommand, CleanRemovesTheFindingsAndRestoreBringsThemBack) {
  EnableOnly({OptionSwitch::RC_AppPaths, OptionSwitch::RC_Shared, OptionSwitch::RC_Fonts, OptionSwitch::RC_Help});
  const std::wstring backups = BinFolder() + L"\\Backups";
  auto scripts = [&] {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((backups + L"\\RC_*.reg").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do names.push_back(found.cFileName);
      while (FindNextFileW(search, &found));
      FindClose(search);
    }
    return names;
  };
  const std::vector<std::wstring> before = scripts();
  const std::uint64_t valuesDeletedBefore = Total(kStats_ValuesDeleted);
  const std::uint64_t keysDeletedBefore = Total(kStats_KeysDeleted);

  const test::RunResult clean = Cli(L"clean");
  EXPECT_EQ(clean.exitCode, 0u) << clean.output;
  EXPECT_TRUE(Has(clean.output, "Not removed: 0\r\n")) << clean.output;
  std::vector<std::wstring> added = scripts();
  std::erase_if(added,
                [&](const std::wstring& n) { return std::find(before.begin(), before.end(), n) != before.end(); });
  ASSERT_EQ(added.size(), 1u) << clean.output;
  const std::wstring script = backups + L"\\" + added[0];
  EXPECT_TRUE(Has(clean.output, "Backup: " + Utf16ToUtf8(script) + "\r\n")) << clean.output;

  EXPECT_FALSE(Reg_KeyExists(HKLM, kAppPaths + L"\\KeytidyE2EGone.exe"));
  EXPECT_FALSE(Reg_ValueExists(HKLM, kShared, T(L"\\gone\\keytidy-e2e.dll")));
  EXPECT_FALSE(Reg_ValueExists(HKLM, kFonts, L"!!Keytidy E2E (TrueType)"));
  EXPECT_FALSE(Reg_ValueExists(HKLM, kHelp, L"keytidy-e2e.hlp"));
  EXPECT_GE(Total(kStats_ValuesDeleted) - valuesDeletedBefore, 3u);
  EXPECT_GE(Total(kStats_KeysDeleted) - keysDeletedBefore, 1u);

  const std::wstring name = added[0].substr(0, added[0].size() - 4);
  // The set says which finding each record was made for.
  const test::RunResult shown = Cli(L"show " + name + L" --json");
  EXPECT_EQ(shown.exitCode, 0u) << shown.output;
  const nlohmann::json document = nlohmann::json::parse(shown.output, nullptr, false);
  ASSERT_FALSE(document.is_discarded()) << shown.output;
  // Key names as the registry spells them ("SharedDLLS"): compared in
  // any case.
  const auto lower = [](std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
  };
  std::map<std::string, std::string> checkOf;
  for (const nlohmann::json& record : document["records"]) {
    if (!record.contains("finding")) continue;
    checkOf[lower(record["name"])] = record["finding"]["check"];
    EXPECT_FALSE(record["finding"]["description"].get<std::string>().empty()) << record.dump();
  }
  const struct {
    std::string name;
    const char* check;
  } expected[] = {
      {Utf16ToUtf8(kAppPaths) + "\\KeytidyE2EGone.exe", "app-path-file-missing"},
      {Utf16ToUtf8(kAppPaths) + "\\KeytidyE2EGone.exe\\@", "app-path-file-missing"},
      {Utf16ToUtf8(kShared) + "\\" + T8(L"\\gone\\keytidy-e2e.dll"), "shared-dll-file-missing"},
      {Utf16ToUtf8(kFonts) + "\\!!Keytidy E2E (TrueType)", "font-file-missing"},
      {Utf16ToUtf8(kHelp) + "\\keytidy-e2e.hlp", "help-file-missing"},
  };
  for (const auto& e : expected)
    EXPECT_EQ(checkOf[lower("HKEY_LOCAL_MACHINE\\" + e.name)], e.check) << e.name << "\n" << shown.output;

  const test::RunResult restore = Cli(L"restore " + name);
  EXPECT_EQ(restore.exitCode, 0u) << restore.output;
  EXPECT_EQ(Reg_ReadString(HKLM, kAppPaths + L"\\KeytidyE2EGone.exe", L""), T(L"\\gone\\app.exe"));
  DWORD type = 0, size = 0;
  EXPECT_TRUE(Reg_ValueInfo(HKLM, kShared, T(L"\\gone\\keytidy-e2e.dll"), type, size));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(Reg_ReadInteger(HKLM, kShared, T(L"\\gone\\keytidy-e2e.dll")), 1);
  EXPECT_EQ(Reg_ReadString(HKLM, kFonts, L"!!Keytidy E2E (TrueType)"), L"keytidy-e2e-gone.ttf");
  EXPECT_EQ(Reg_ReadString(HKLM, kHelp, L"keytidy-e2e.hlp"), temp.Path());

  for (const wchar_t* extension : {L".reg", L".ini"}) DeleteFileW((backups + L"\\" + name + extension).c_str());
}

// --category and --exclude-category pick the categories by their JSON names,
// over whatever the options say; a name no category has is a usage error.
TEST_F(ScanCommand, CategoriesPickedOnTheCommandLine) {
  EnableOnly({OptionSwitch::RC_AppPaths, OptionSwitch::RC_Shared, OptionSwitch::RC_Fonts, OptionSwitch::RC_Help});
  const std::string font = "<Typ=4 ", help = "<Typ=2 ", shared = "<Typ=1 ", appPath = "<Typ=3 ";
  struct Case {
    const wchar_t* arguments;
    std::vector<std::string> found;  // of our four findings
  };
  const Case cases[] = {
      {L"--category fonts", {font}},
      {L"--category FONTS,help-files", {font, help}},
      {L"--category fonts --category shared-dlls", {font, shared}},
      {L"--exclude-category fonts,app-paths", {shared, help}},
      {L"--category fonts,help-files --exclude-category help-files", {font}},
      // Off in the options, on by the choice.
      {L"--category leftovers,fonts", {font}},
  };
  const std::wstring reportPath = temp.File(L"report.txt");
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.arguments));
    const test::RunResult run = Cli(L"scan --quiet --report " + Quote(reportPath) + L" " + c.arguments);
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    const Lines ours = OurLines(SplitCrLf(ReadFileBytes(reportPath)));
    std::vector<std::string> kinds;
    for (const std::string& kind : {shared, help, appPath, font})
      if (std::any_of(ours.begin(), ours.end(), [&](const std::string& l) { return Has(l, kind); }))
        kinds.push_back(kind);
    std::vector<std::string> expected = c.found;
    std::sort(expected.begin(), expected.end());
    std::sort(kinds.begin(), kinds.end());
    EXPECT_EQ(kinds, expected) << ::testing::PrintToString(ours);
  }

  for (const wchar_t* arguments :
       {L"scan --category bogus", L"scan --category fonts,,help-files", L"scan --category",
        L"clean --exclude-category fonts,nonsense", L"scan --no-restore-point", L"scan --category filter-3"}) {
    const test::RunResult run = Cli(arguments);
    EXPECT_EQ(run.exitCode, 2u) << Utf16ToUtf8(arguments) << "\n" << run.output;
    EXPECT_TRUE(Has(run.output, "usage: ")) << run.output;
  }
  EXPECT_TRUE(Has(Cli(L"scan --category bogus").output, "unknown category 'bogus'"));
}

// With standard error redirected (as here, and in any script) no progress
// line reaches it, with or without --quiet; the results still come. A
// clean says what became of the restore point: Wine has no System Restore.
TEST_F(ScanCommand, RedirectedOutputCarriesNoProgressAndCleanNamesTheRestorePoint) {
  EnableOnly({OptionSwitch::RC_Fonts});
  const std::wstring backups = BinFolder() + L"\\Backups";
  struct Case {
    const wchar_t* arguments;
    const char* restorePointLine;  // null: none expected
  };
  const Case cases[] = {
      {L"scan", nullptr},
      {L"scan --quiet", nullptr},
      {L"clean --category fonts --no-restore-point", nullptr},
      {L"clean --category fonts --quiet", "Restore point: System Restore is not available here"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.arguments));
    registry.WriteString(HKLM, kFonts, L"!!Keytidy E2E (TrueType)", L"keytidy-e2e-gone.ttf");
    const test::RunResult run = Cli(c.arguments);
    EXPECT_TRUE(run.exitCode == 0u || run.exitCode == 4u) << run.output;
    for (size_t at = run.output.find('\r'); at != std::string::npos; at = run.output.find('\r', at + 1))
      EXPECT_EQ(run.output.substr(at, 2), "\r\n") << "a line redrawn in place at " << at;
    EXPECT_FALSE(Has(run.output, "[#")) << run.output;
    EXPECT_TRUE(Has(run.output, "Total: ")) << run.output;
    EXPECT_EQ(Has(run.output, "Restore point: "), c.restorePointLine != nullptr) << run.output;
    if (c.restorePointLine) EXPECT_TRUE(Has(run.output, c.restorePointLine)) << run.output;
    const size_t backupAt = run.output.find("Backup: " + Utf16ToUtf8(backups) + "\\");
    if (backupAt != std::string::npos) {
      const size_t end = run.output.find("\r\n", backupAt);
      const std::wstring script = Utf8ToUtf16(run.output.substr(backupAt + 8, end - backupAt - 8));
      DeleteFileW(script.c_str());
      DeleteFileW((script.substr(0, script.size() - 4) + L".ini").c_str());
    }
  }
}

// The dry run names the start-up state that would go with a start-up entry,
// and changes neither.
TEST_F(ScanCommand, DryRunNamesTheStartUpStateThatGoesWithItsEntry) {
  const std::wstring run = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
  const std::wstring approved = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
  const BYTE enabled[12] = {2};
  registry.WriteString(HKLM, run, L"Keytidy E2E Tray", L"\"" + T(L"\\gone\\tray.exe") + L"\"");
  registry.Write(HKLM, approved, L"Keytidy E2E Tray", REG_BINARY, enabled, sizeof enabled);

  const test::RunResult dry = Cli(L"clean --dry-run --quiet --category leftovers");
  EXPECT_EQ(dry.exitCode, 0u) << dry.output;
  EXPECT_TRUE(Has(dry.output, "back up and delete a value of HKEY_LOCAL_MACHINE\\" + Utf16ToUtf8(run) +
                                  "\r\n      value: Keytidy E2E Tray\r\n      and its start-up state, a value of "
                                  "HKEY_LOCAL_MACHINE\\" +
                                  Utf16ToUtf8(approved) + "\r\n      value: Keytidy E2E Tray\r\n"))
      << dry.output;
  EXPECT_TRUE(Reg_ValueExists(HKLM, run, L"Keytidy E2E Tray"));
  EXPECT_TRUE(Reg_ValueExists(HKLM, approved, L"Keytidy E2E Tray"));
}

}  // namespace
}  // namespace keytidy
