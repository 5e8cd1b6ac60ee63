// The search run: category order, progress steps, key-list lines, stop and
// close requests, exceptions and statistics at the end.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/debug_log.h"
#include "platform/environment.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "scan/scan_categories.h"
#include "scan/scan_run.h"
#include "support/real_registry.h"

namespace keytidy {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Strings = std::vector<std::wstring>;

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
const std::wstring kAppPaths = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const std::wstring kStats = L"Software\\KeytidyTests\\ScanRunStats";

// Records every call as one line, and lets a test act inside a hook.
class RecordingObserver : public TScanObserver {
 public:
  Strings events;
  std::int32_t maximum = -1;
  std::vector<std::int32_t> positions;
  std::function<void(const ScanCategory&)> onCategory;
  int pumps = 0;

  void SetProgressMaximum(std::int32_t value) override { maximum = value; }
  void SetProgressPosition(std::int32_t position) override { positions.push_back(position); }
  void SearchStarted() override { events.push_back(L"started"); }
  void CategoryStarted(const ScanCategory& category, const std::wstring& caption) override {
    events.push_back(L"category " + std::to_wstring(Number(category.filterIndex)) + L" " + caption);
    if (onCategory) onCategory(category);
  }
  void ProcessMessages() override { ++pumps; }
  void ChecksFinished() override { events.push_back(L"checks finished"); }
  void SearchResultsReady() override { events.push_back(L"results ready"); }
  void SearchFinished(const ScanRunResult&) override { events.push_back(L"finished"); }
};

std::vector<std::wstring>* gDebugLines = nullptr;
void CollectDebugLine(std::wstring_view line) {
  if (gDebugLines) gDebugLines->emplace_back(line);
}

class ScanRun : public test::CheckTest {
 protected:
  ScanRun() {
    previousListener_ = Debug_SetListener(CollectDebugLine);
    gDebugLines = &debugLines;
    settings.statsRoot = ROOT_HKEY_CURRENT_USER;
    settings.statsKey = kStats;
    RegDeleteTreeW(HKEY_CURRENT_USER, kStats.c_str());
  }
  ~ScanRun() override {
    Debug_SetListener(previousListener_);
    gDebugLines = nullptr;
    run.APP_TERMINATING = false;
    RegDeleteTreeW(HKEY_CURRENT_USER, kStats.c_str());
  }

  void OnlyCategories(std::initializer_list<OptionSwitch> on) {
    for (const ScanCategory& category : ScanCategoryTable()) settings.switches.SetChecked(category.option, false);
    for (OptionSwitch id : on) settings.switches.SetChecked(id, true);
  }

  Strings KeyListLines() const {
    Strings lines;
    for (const std::wstring& line : debugLines)
      if (line.starts_with(L"KX-Profiler: GET_ALL_KEYS in ")) lines.push_back(line.substr(0, line.find(L" = ")));
    return lines;
  }

  std::uint64_t StoredTotal(const wchar_t* name) const {
    return static_cast<std::uint64_t>(Reg_ReadInt64(ROOT_HKEY_CURRENT_USER, kStats, name));
  }

  TScanRunSettings settings;
  RecordingObserver observer;
  Strings debugLines;

 private:
  DebugLineListener previousListener_ = nullptr;
};

TEST_F(ScanRun, ProgressMaximumFollowsTheSwitchesAndTheBitness) {
  struct Case {
    std::vector<OptionSwitch> on;
    bool windows64;
    std::int32_t maximum;
  };
  const std::vector<OptionSwitch> all = {
      OptionSwitch::RC_FileFormate, OptionSwitch::RC_COMOLEActiveX,  OptionSwitch::RC_Shared,
      OptionSwitch::RC_Fonts,       OptionSwitch::RC_Media,          OptionSwitch::RC_Help,
      OptionSwitch::RC_AppPaths,    OptionSwitch::RC_WindowsHistory, OptionSwitch::RC_Installer,
      OptionSwitch::RC_Startmenu,   OptionSwitch::RC_WindowsFirewall};
  const Case cases[] = {
      {all, false, 41},
      {all, true, 56},
      {{}, true, 0},
      {{OptionSwitch::RC_Other}, true, 0},  // no check belongs to it
      {{OptionSwitch::RC_COMOLEActiveX}, false, 10},
      {{OptionSwitch::RC_COMOLEActiveX, OptionSwitch::RC_Help, OptionSwitch::RC_Shared}, true, 20 + 9 + 2},
      {{OptionSwitch::RC_Installer}, true, 5},
      {{OptionSwitch::RC_Leftovers}, false, 6},
      {{OptionSwitch::RC_Leftovers}, true, 9},
  };
  for (const Case& c : cases) {
    OnlyCategories({});
    for (OptionSwitch id : c.on) settings.switches.SetChecked(id, true);
    EXPECT_EQ(ScanProgressMaximum(settings.switches, c.windows64), c.maximum)
        << c.on.size() << " categories, 64-bit " << c.windows64;
  }
}

// Every category on: the categories start in run order with their captions,
// 41 steps on 32-bit Windows, 57 (one more than announced) on 64-bit.
TEST_F(ScanRun, EveryCategoryRunsInOrderWithItsSteps) {
  for (bool windows64 : {false, true}) {
    SCOPED_TRACE(windows64 ? "64-bit" : "32-bit");
    observer = RecordingObserver();
    settings.windows64 = windows64;
    const ScanRunResult result = RC_SearchRun(engine, settings, observer);

    EXPECT_TRUE(result.ran);
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(observer.maximum, windows64 ? 56 : 41);
    EXPECT_EQ(result.progressSteps, windows64 ? 57 : 41);
    ASSERT_EQ(observer.positions.size(), static_cast<size_t>(result.progressSteps));
    for (size_t i = 0; i < observer.positions.size(); ++i) EXPECT_EQ(observer.positions[i], static_cast<int>(i + 1));

    Strings expected = {L"started"};
    for (OptionSwitch id : {OptionSwitch::RC_Shared, OptionSwitch::RC_Help, OptionSwitch::RC_AppPaths,
                            OptionSwitch::RC_Fonts, OptionSwitch::RC_Media, OptionSwitch::RC_Startmenu,
                            OptionSwitch::RC_Installer, OptionSwitch::RC_WindowsHistory, OptionSwitch::RC_FileFormate,
                            OptionSwitch::RC_COMOLEActiveX, OptionSwitch::RC_WindowsFirewall})
      expected.push_back(L"category " + std::to_wstring(Describe(id).filterIndex) + L" " + OptionSwitchCaption(id));
    expected.insert(expected.end(), {L"checks finished", L"results ready", L"finished"});
    EXPECT_THAT(observer.events, ElementsAreArray(expected));
    EXPECT_FALSE(engine.Status_Search());
    EXPECT_FALSE(tree.IsUpdating());
  }
}

// A second user's pass runs only the categories that read a user's data:
// the machine-only ones (shared files, help, fonts, firewall) ran once.
TEST_F(ScanRun, ASecondUsersPassSkipsTheMachineOnlyCategories) {
  const std::wstring second = L"S-1-5-21-1111-2222-3333-1009";
  test::RealRegistryFixture hive;
  hive.CreateKey(ROOT_HKEY_USERS, second + L"\\Software");
  const struct {
    std::vector<OptionSwitch> on;
    std::vector<std::wstring> users;
    std::int32_t maximum;  // 64-bit
    size_t categoriesStarted;
  } rows[] = {
      {{OptionSwitch::RC_Shared, OptionSwitch::RC_Leftovers}, {}, 2 + 9, 2},
      {{OptionSwitch::RC_Shared, OptionSwitch::RC_Leftovers}, {GetProcessUserSid(), second}, 2 + 9 + 9, 3},
      {{OptionSwitch::RC_Fonts, OptionSwitch::RC_WindowsFirewall}, {GetProcessUserSid(), second}, 2, 2},
  };
  for (const auto& row : rows) {
    observer = RecordingObserver();
    settings.windows64 = true;
    settings.users = row.users;
    OnlyCategories({});
    for (OptionSwitch id : row.on) settings.switches.SetChecked(id, true);
    const ScanRunResult result = RC_SearchRun(engine, settings, observer);
    EXPECT_EQ(observer.maximum, row.maximum) << row.users.size();
    EXPECT_EQ(result.progressSteps, row.maximum) << row.users.size();
    const auto started = std::count_if(observer.events.begin(), observer.events.end(),
                                       [](const std::wstring& e) { return e.starts_with(L"category "); });
    EXPECT_EQ(static_cast<size_t>(started), row.categoriesStarted) << row.users.size();
  }
}

TEST_F(ScanRun, KeyListsAreReadOnlyForTheirCategories) {
  struct Case {
    std::vector<OptionSwitch> on;
    bool windows64;
    Strings lines;
  };
  const std::wstring root = L"KX-Profiler: GET_ALL_KEYS in HKEY_CLASSES_ROOT";
  const Case cases[] = {
      {{OptionSwitch::RC_FileFormate}, true, {root}},
      {{OptionSwitch::RC_COMOLEActiveX}, false, {root + L"\\CLSID"}},
      {{OptionSwitch::RC_COMOLEActiveX, OptionSwitch::RC_FileFormate},
       true,
       {root, root + L"\\CLSID", root + L"\\WOW6432Node\\CLSID"}},
      {{OptionSwitch::RC_Fonts, OptionSwitch::RC_Help}, true, {}},
  };
  for (const Case& c : cases) {
    debugLines.clear();
    OnlyCategories({});
    for (OptionSwitch id : c.on) settings.switches.SetChecked(id, true);
    settings.windows64 = c.windows64;
    RC_SearchRun(engine, settings, observer);
    EXPECT_THAT(KeyListLines(), ElementsAreArray(c.lines));
  }
  // The key lists count as keys scanned.
  std::vector<std::wstring> clsid;
  Reg_GetSubKeys(ROOT_HKEY_CLASSES_ROOT, L"CLSID", clsid);
  OnlyCategories({OptionSwitch::RC_COMOLEActiveX});
  settings.windows64 = false;
  RC_SearchRun(engine, settings, observer);
  EXPECT_GE(engine.Scanned().Stat_KeysScanned, clsid.size());
}

TEST_F(ScanRun, StopSkipsTheLaterCategoriesButStillEndsTheRun) {
  settings.windows64 = false;
  observer.onCategory = [this](const ScanCategory& category) {
    if (category.option == OptionSwitch::RC_Help) run.STOP_REQUESTED = true;
  };
  const ScanRunResult result = RC_SearchRun(engine, settings, observer);
  EXPECT_TRUE(result.stopped);
  EXPECT_THAT(observer.events, ElementsAre(L"started", L"category 3 " + OptionSwitchCaption(OptionSwitch::RC_Shared),
                                           L"category 6 " + OptionSwitchCaption(OptionSwitch::RC_Help),
                                           L"checks finished", L"results ready", L"finished"));
  EXPECT_EQ(result.progressSteps, 1 + 5);  // the help calls are made; they return at once
  EXPECT_TRUE(Reg_ValueExists(ROOT_HKEY_CURRENT_USER, kStats, kStats_KeysScanned));
  EXPECT_EQ(StoredTotal(kStats_KeysScanned), engine.Scanned().Stat_KeysScanned);

  // The next run clears the request again.
  observer = RecordingObserver();
  OnlyCategories({OptionSwitch::RC_Fonts});
  EXPECT_FALSE(RC_SearchRun(engine, settings, observer).stopped);
  EXPECT_EQ(observer.events.size(), 5u);
}

TEST_F(ScanRun, ClosingTheProgramEndsTheRunAtTheNextCategoryBoundary) {
  observer.onCategory = [this](const ScanCategory& category) {
    if (category.option == OptionSwitch::RC_AppPaths) run.APP_TERMINATING = true;
  };
  const ScanRunResult result = RC_SearchRun(engine, settings, observer);
  EXPECT_TRUE(result.terminated);
  EXPECT_EQ(observer.events.back(), L"category 7 " + OptionSwitchCaption(OptionSwitch::RC_AppPaths));
  EXPECT_FALSE(Reg_KeyExists(ROOT_HKEY_CURRENT_USER, kStats));
  EXPECT_EQ(std::find_if(debugLines.begin(), debugLines.end(),
                         [](const std::wstring& line) { return line.starts_with(L"RC-Search took ms="); }),
            debugLines.end())
      << "must not be written";
}

// Two stale application paths, one of them an exception: exactly the other
// is left, and the totals hold the run's counters.
TEST_F(ScanRun, ExceptionsAndStatisticsAtTheEnd) {
  registry.WriteString(HKLM, kAppPaths + L"\\KeytidyRunGoneA.exe", L"", T(L"{T}\\gone\\a.exe"));
  registry.WriteString(HKLM, kAppPaths + L"\\KeytidyRunGoneB.exe", L"", T(L"{T}\\gone\\b.exe"));
  TExceptionList exceptions;
  Add_ExceptionItem(kExceptionKindKey, L"HKEY_LOCAL_MACHINE", kAppPaths + L"\\KeytidyRunGoneA.exe", exceptions, L"");
  Add_ExceptionItem(kExceptionKindKey, L"HKEY_LOCAL_MACHINE", kAppPaths + L"\\keytidyrungoneb.exe", exceptions, L"");
  settings.exceptions = &exceptions;
  OnlyCategories({OptionSwitch::RC_AppPaths});
  Reg_WriteInt64(ROOT_HKEY_CURRENT_USER, kStats, kStats_KeysScanned, 10);

  const ScanRunResult result = RC_SearchRun(engine, settings, observer);
  EXPECT_EQ(result.exceptionsRemoved, 1u);
  Strings ours;
  for (PVirtualNode node : tree)
    if (Contains(TResultTree::Data(node).Delete_Key, L"KeytidyRun")) ours.push_back(TResultTree::Data(node).Delete_Key);
  EXPECT_THAT(ours, ElementsAre(kAppPaths + L"\\KeytidyRunGoneB.exe"));
  EXPECT_GT(result.scanned.Stat_KeysScanned, 0u);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, result.scanned.Stat_KeysScanned);
  EXPECT_EQ(StoredTotal(kStats_KeysScanned), 10u + result.scanned.Stat_KeysScanned);
  EXPECT_EQ(StoredTotal(kStats_ValuesScanned), result.scanned.Stat_ValuesScanned);
  EXPECT_EQ(std::count_if(debugLines.begin(), debugLines.end(),
                          [](const std::wstring& line) { return line.starts_with(L"RC-Search took ms="); }),
            1);

  // A run told to leave the registry alone finds the same and adds nothing.
  const std::uint64_t keysBefore = StoredTotal(kStats_KeysScanned);
  const std::uint64_t valuesBefore = StoredTotal(kStats_ValuesScanned);
  settings.addStatistics = false;
  const ScanRunResult again = RC_SearchRun(engine, settings, observer);
  // Each run counts from nothing.
  EXPECT_EQ(again.scanned.Stat_KeysScanned, result.scanned.Stat_KeysScanned);
  EXPECT_EQ(StoredTotal(kStats_KeysScanned), keysBefore);
  EXPECT_EQ(StoredTotal(kStats_ValuesScanned), valuesBefore);
}

// What two registry views show alike is reported once, by the native pass,
// wherever in the run the second sighting comes; an extension shared by
// several file types is taken from the last extension key naming it; an
// exception removes a finding without bringing back the repeat it
// suppressed. Pinned in tree order, across the categories of one run.
TEST_F(ScanRun, RepeatedSightingsKeepEveryFindingInItsPlace) {
  constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;
  const std::wstring native = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  const std::wstring wow = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  for (const std::wstring& base : {native, wow}) {
    registry.CreateKey(HKLM, base + L"\\{Keytidy-RunEmpty}");
    registry.WriteString(HKLM, base + L"\\KeytidyRunSource", L"InstallSource", T(L"{T}\\gone-src"));
  }
  registry.CreateKey(HKLM, wow + L"\\{Keytidy-RunOnly32}");
  registry.WriteString(HKLM, wow + L"\\KeytidyRunSource32", L"InstallSource", T(L"{T}\\gone32"));

  registry.WriteString(HKCR, L"KeytidyRunType\\shell\\open\\command", L"", T(L"\"{T}\\gone\\run.exe\" \"%1\""));
  registry.WriteString(HKCR, L"KeytidyRunType\\DefaultIcon", L"", T(L"{T}\\gone\\icons.dll,1"));
  registry.WriteString(HKCR, L".keytidyruna", L"", L"KeytidyRunType");
  registry.WriteString(HKCR, L".keytidyrunb", L"", L"keytidyruntype");
  registry.WriteString(HKCR, L".keytidyrunc", L"", L"KeytidyRunMissing");

  const std::wstring missingLib = L"{4B455954-4944-5900-8000-0000000000D1}";
  const std::wstring both = L"{4B455954-4944-5900-8000-0000000000D2}";
  const std::wstring only32 = L"{4B455954-4944-5900-8000-0000000000D3}";
  for (const std::wstring& view : {std::wstring(), std::wstring(L"Wow6432Node\\")}) {
    registry.WriteString(HKCR, view + L"CLSID\\" + both, L"", L"Keytidy Run Class");
    registry.WriteString(HKCR, view + L"CLSID\\" + both + L"\\TypeLib", L"", missingLib);
    registry.WriteString(HKCR, view + L"Interface\\" + both, L"", L"IKeytidyRunBoth");
    registry.WriteString(HKCR, view + L"Interface\\" + both + L"\\TypeLib", L"", missingLib);
  }
  // A server program in the native branch only: the class list's walk
  // runs the out-of-process check with the others.
  registry.WriteString(HKCR, L"CLSID\\" + both + L"\\LocalServer32", L"", T(L"\"{T}\\gone\\server.exe\" -Embedding"));
  registry.WriteString(HKCR, L"Wow6432Node\\Interface\\" + only32, L"", L"IKeytidyRun32");
  registry.WriteString(HKCR, L"Wow6432Node\\Interface\\" + only32 + L"\\TypeLib", L"", missingLib);

  TExceptionList exceptions;
  for (std::int32_t kind : {kExceptionKindKey, kExceptionKindKey, 7})
    Add_ExceptionItem(kind, L"HKEY_LOCAL_MACHINE", native + L"\\{Keytidy-RunEmpty}", exceptions, L"");
  Add_ExceptionItem(7, L"HKEY_LOCAL_MACHINE", wow + L"\\KeytidyRunSource32", exceptions, L"InstallSource");
  settings.exceptions = &exceptions;
  settings.windows64 = true;
  OnlyCategories({OptionSwitch::RC_Installer, OptionSwitch::RC_FileFormate, OptionSwitch::RC_COMOLEActiveX});

  EXPECT_EQ(RC_SearchRun(engine, settings, observer).exceptionsRemoved, 1u);
  std::vector<std::string> ours;
  for (PVirtualNode node : tree) {
    const TTreeData_RegCleaner& e = TResultTree::Data(node);
    if (!ContainsUpperAscii(e.DisplayName, L"KEYTIDY") && !ContainsUpperAscii(e.Delete_Key, L"KEYTIDY")) continue;
    // The fixture's statistics key leaves its parent behind empty, which the
    // vendor-key check rightly reports; it is no part of this fixture.
    if (ContainsUpperAscii(e.Delete_Key, L"\\KEYTIDYTESTS")) continue;
    ours.push_back(
        std::to_string(Number(e.GroupIndex)) + " | " +
        Utf16ToUtf8(e.DisplayName + L" | " + e.Delete_Key + L" [" + e.Delete_Value + L"] | " + e.AdditionalInfo));
  }
  const auto line = [](CheckId group, const std::wstring& text) {
    return std::to_string(Number(group)) + " | " + Utf16ToUtf8(text);
  };
  const std::wstring missingPlace = L"HKEY_CLASSES_ROOT\\TypeLib\\" + missingLib;
  EXPECT_THAT(
      ours,
      ElementsAreArray({
          line(CheckId::UninstallInstallPath,
               L"KeytidyRunSource | " + native + L"\\KeytidyRunSource [InstallSource] | "),
          line(CheckId::UninstallInstallPath,
               L"KeytidyRunSource32 | " + wow + L"\\KeytidyRunSource32 [InstallSource] | "),
          line(CheckId::EmptyUninstallKeys, L"{Keytidy-RunOnly32} (32Bit) | " + wow + L"\\{Keytidy-RunOnly32} [] | "),
          // The class keeps its icon: only the broken verb goes.
          line(CheckId::FileFormatWrongExe, L"KeytidyRunType | KeytidyRunType\\shell\\open [] | .keytidyrunb"),
          line(CheckId::FileFormatLinkMissing, L".keytidyrunc | .keytidyrunc [] | KeytidyRunMissing"),
          line(CheckId::FileFormatWrongIcon, L"KeytidyRunType | KeytidyRunType\\DefaultIcon [] | .keytidyrunb"),
          line(CheckId::ComLocalServer32, L"Keytidy Run Class | CLSID\\" + both + L"\\LocalServer32 [] | "),
          line(CheckId::ComTypeLibInvalid, L"Keytidy Run Class | CLSID\\" + both + L"\\TypeLib [] | " + missingPlace),
          line(CheckId::InterfaceTypeLibInvalid,
               L"IKeytidyRunBoth | Interface\\" + both + L"\\TypeLib [] | " + missingPlace),
          line(CheckId::InterfaceTypeLibInvalid,
               L"IKeytidyRun32 | Wow6432Node\\Interface\\" + only32 + L"\\TypeLib [] | " + missingPlace),
      }));
}

TEST_F(ScanRun, TheLocalDiskSwitchSteersTheEngine) {
  for (bool onlyHdds : {false, true}) {
    settings.switches.SetChecked(OptionSwitch::RC_IgnoreNoHDDs, onlyHdds);
    OnlyCategories({});
    RC_SearchRun(engine, settings, observer);
    EXPECT_EQ(engine.FLAG_CHECK_ONLY_HDDS, onlyHdds);
  }
}

// A search started again from a pumped message while one runs does nothing.
TEST_F(ScanRun, ASecondSearchDuringARunDoesNothing) {
  ScanRunResult inner;
  RecordingObserver innerObserver;
  observer.onCategory = [&](const ScanCategory& category) {
    if (category.option == OptionSwitch::RC_Fonts) inner = RC_SearchRun(engine, settings, innerObserver);
  };
  OnlyCategories({OptionSwitch::RC_Fonts});
  EXPECT_TRUE(RC_SearchRun(engine, settings, observer).ran);
  EXPECT_FALSE(inner.ran);
  EXPECT_TRUE(innerObserver.events.empty());
}

}  // namespace
}  // namespace keytidy
