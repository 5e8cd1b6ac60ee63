// The console's output for other programs and for a cautious user, end to
// end with the real keytidy-cli.exe: "scan --json" parsed back and compared
// with what the engine finds, "clean --dry-run" proven to change no
// registry byte and no backup, and the usage errors of both.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/deletion_preview.h"
#include "scan/finding_names.h"
#include "scan/registry_cleaner.h"
#include "scan/scan_run.h"
#include "settings/statistics.h"
#include "support/category_switches.h"
#include "support/key_tree.h"
#include "support/programs.h"
#include "support/real_registry.h"

namespace keytidy {
namespace {

using nlohmann::json;
using test::BinFolder;
using test::CliPath;
using test::Quote;
using test::ReadFileBytes;
using test::RunProgram;
using test::TempFolder;

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
const std::wstring kAppPaths = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const std::wstring kShared = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLS";
const std::wstring kShared32 = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDLLS";
const std::wstring kSettingsKey = L"SOFTWARE\\Quarvint\\Quarvint Keytidy 2";
const std::wstring kGoneApp = kAppPaths + L"\\KeytidyJsonGone.exe";
const std::wstring kEmptyApp = kAppPaths + L"\\KeytidyJsonEmpty.exe";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
std::string U8(const std::wstring& text) { return Utf16ToUtf8Replacing(text); }

// Findings of two categories, in both registry views: a key whose program
// is gone (with sub-keys and values its deletion takes along), an empty
// key, a missing file named with quotes, a backslash run and non-ASCII
// letters, one on the 32-bit branch, and one whose name holds a surrogate
// without its partner.
class MachineOutput : public ::testing::Test {
 protected:
  MachineOutput() {
    registry.WriteString(HKLM, kGoneApp, L"", T(L"\\gone\\app.exe"));
    registry.WriteString(HKLM, kGoneApp, L"Path", T(L"\\gone"));
    registry.WriteString(HKLM, kGoneApp + L"\\Sub", L"one", L"1");
    registry.WriteString(HKLM, kGoneApp + L"\\Sub\\Deeper", L"two", L"2");
    registry.CreateKey(HKLM, kEmptyApp);
    const DWORD one = 1, three = 3;
    registry.Write(HKLM, kShared, OddName(), REG_DWORD, &one, sizeof one);
    registry.Write(HKLM, kShared, LoneSurrogateName(), REG_DWORD, &one, sizeof one);
    registry.Write(HKLM, kShared32, T(L"\\gone\\keytidy-json32.dll"), REG_DWORD, &three, sizeof three);
  }

  std::wstring T(const std::wstring& below) const { return temp.Path() + below; }
  std::wstring OddName() const { return T(L"\\gone\\Keytidy \"json\" \\\\ \u00e4\u20ac.dll"); }
  std::wstring LoneSurrogateName() const { return T(L"\\gone\\keytidy-json-lone") + wchar_t(0xD800) + L".dll"; }

  test::RunResult Cli(const std::wstring& arguments) const { return RunProgram(Quote(CliPath()) + L" " + arguments); }

  // The same search in this process, with the same switches; no counters.
  void SearchHere() {
    TScanRunSettings settings;
    for (const OptionSwitchInfo& info : OptionSwitchTable())
      if (info.filterIndex != 0) settings.switches.SetChecked(info.id, false);
    settings.switches.SetChecked(OptionSwitch::RC_AppPaths, true);
    settings.switches.SetChecked(OptionSwitch::RC_Shared, true);
    settings.addStatistics = false;
    TScanObserver observer;
    RC_SearchRun(engine, settings, observer);
  }

  test::OnlyCategories categories{OptionSwitch::RC_AppPaths, OptionSwitch::RC_Shared};
  TempFolder temp;
  test::RealRegistryFixture registry;
  TResultTree tree;
  RunControl run;
  TRegistryCleaner engine{&tree, run};
};

// Fields are read with a non-const operator[]: a missing one reads as null
// and fails the comparison instead of stopping the test program.
json* FindFinding(json& findings, const TTreeData_RegCleaner& entry) {
  for (json& finding : findings)
    if (finding["check"]["group"] == Number(entry.GroupIndex) && finding["key"] == U8(entry.Key) &&
        finding["value"] == U8(entry.Value) && finding["root"] == U8(Reg_RootKeyName(entry.RootKey)))
      return &finding;
  return nullptr;
}

// Every field that restates a field of the engine's finding.
void ExpectSameAsEngine(json& finding, const TTreeData_RegCleaner& entry) {
  EXPECT_EQ(finding["category"]["filter"], Number(entry.ComboBoxIndex));
  EXPECT_EQ(finding["category"]["name"], U8(CategoryName(entry.ComboBoxIndex)));
  EXPECT_EQ(finding["check"]["name"], U8(CheckName(entry.GroupIndex)));
  EXPECT_EQ(finding["display_name"], U8(entry.DisplayName));
  json& deletion = finding["deletion"];
  EXPECT_EQ(deletion["root"], U8(Reg_RootKeyName(entry.Delete_Root)));
  EXPECT_EQ(deletion["key"], U8(entry.Delete_Key));
  const DeletionPreview preview = Preview_Deletion(entry, 5);
  EXPECT_EQ(deletion["exists"], preview.exists);
  EXPECT_EQ(deletion["sub_keys"], preview.subKeys);
  EXPECT_EQ(deletion["values"], preview.values);
  std::vector<std::string> subKeys, values;
  for (const std::wstring& name : preview.firstSubKeys) subKeys.push_back(U8(name));
  for (const std::wstring& name : preview.firstValues) values.push_back(U8(name));
  EXPECT_EQ(deletion["first_sub_keys"].get<std::vector<std::string>>(), subKeys);
  EXPECT_EQ(deletion["first_values"].get<std::vector<std::string>>(), values);
  json& evidence = finding["evidence"];
  const bool classLink = entry.Evidence.target.empty() && !entry.MissingKey.empty();
  EXPECT_EQ(evidence["tested"], classLink ? "HKEY_CLASSES_ROOT\\" + U8(entry.MissingKey) : U8(entry.Evidence.target));
  EXPECT_EQ(evidence["read_from"]["root"], U8(Reg_RootKeyName(entry.Evidence.root)));
  EXPECT_EQ(evidence["read_from"]["key"], U8(entry.Evidence.key));
  EXPECT_EQ(evidence["read_from"]["value"], U8(entry.Evidence.value));
  ASSERT_EQ(evidence["raw"] == nullptr, !entry.Evidence.raw);
  if (entry.Evidence.raw) {
    EXPECT_EQ(evidence["raw"]["type_code"], entry.Evidence.raw->type);
    std::string hex;
    for (std::uint8_t byte : entry.Evidence.raw->data) {
      char two[3];
      snprintf(two, sizeof two, "%02x", byte);
      hex += two;
    }
    EXPECT_EQ(evidence["raw"]["hex"], hex);
  }
  // Class data names the classes it came from; other data names none.
  ASSERT_EQ(evidence["hive"] == nullptr, !entry.Evidence.classesHive);
  if (entry.Evidence.classesHive) {
    EXPECT_EQ(entry.Evidence.root, ROOT_HKEY_CLASSES_ROOT);
    EXPECT_EQ(evidence["hive"],
              U8(Reg_RootKeyName(entry.Evidence.classesHive->root) + L"\\" + entry.Evidence.classesHive->path));
  }
}

TEST_F(MachineOutput, JsonRoundTripMatchesTheEngineFieldByField) {
  const std::wstring file = temp.File(L"scan.json");
  const test::RunResult scan = Cli(L"scan --json " + Quote(file));
  ASSERT_EQ(scan.exitCode, 0u) << scan.output;
  EXPECT_TRUE(Has(scan.output, "JSON: " + Utf16ToUtf8(file) + "\r\n")) << scan.output;

  // nlohmann refuses invalid UTF-8: parsing proves the text is valid.
  json document = json::parse(ReadFileBytes(file));
  EXPECT_EQ(document["format"], "keytidy-scan");
  EXPECT_EQ(document["version"], 1);
  json& findings = document["findings"];
  ASSERT_TRUE(findings.is_array());
  EXPECT_EQ(document["count"], findings.size());

  SearchHere();
  EXPECT_EQ(findings.size(), tree.NodeCount()) << "every finding, not only ours";
  for (PVirtualNode node : tree) {
    const TTreeData_RegCleaner& entry = TResultTree::Data(node);
    json* finding = FindFinding(findings, entry);
    SCOPED_TRACE(U8(entry.Key) + " | " + U8(entry.Value));
    ASSERT_NE(finding, nullptr);
    ExpectSameAsEngine(*finding, entry);
  }

  // Ours, with what they must say whatever the engine holds.
  const std::string gone = U8(T(L"\\gone\\app.exe"));
  const struct {
    std::wstring key;
    std::wstring value;
    CheckId group;
    FilterCategory filter;
    const char* removes;
    json deletedValue;
    std::uint32_t subKeys, values;
    json verdict;
    const char* view;
    json raw;  // type and data
  } cases[] = {
      {kGoneApp,
       L"",
       CheckId::AppPaths,
       FilterCategory::AppPaths,
       "key",
       nullptr,
       2,
       4,
       "neither file nor folder found",
       "64-bit",
       {{"type", "REG_SZ"}, {"data", gone}}},
      {kEmptyApp, L"", CheckId::AppPathsEmpty, FilterCategory::AppPaths, "key", nullptr, 0, 0, "key is empty", "64-bit",
       nullptr},
      {kShared,
       OddName(),
       CheckId::Shared,
       FilterCategory::Shared,
       "value",
       U8(OddName()),
       0,
       1,
       "neither file nor folder found",
       "64-bit",
       {{"type", "REG_DWORD"}, {"data", 1}}},
      {kShared,
       LoneSurrogateName(),
       CheckId::Shared,
       FilterCategory::Shared,
       "value",
       U8(LoneSurrogateName()),
       0,
       1,
       "neither file nor folder found",
       "64-bit",
       {{"type", "REG_DWORD"}, {"data", 1}}},
      {kShared32,
       T(L"\\gone\\keytidy-json32.dll"),
       CheckId::Shared,
       FilterCategory::Shared,
       "value",
       U8(T(L"\\gone\\keytidy-json32.dll")),
       0,
       1,
       "neither file nor folder found",
       "32-bit",
       {{"type", "REG_DWORD"}, {"data", 3}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(U8(c.key) + " | " + U8(c.value));
    TTreeData_RegCleaner wanted;
    wanted.GroupIndex = c.group;
    wanted.RootKey = HKLM;
    wanted.Key = c.key;
    wanted.Value = c.value;
    json* finding = FindFinding(findings, wanted);
    ASSERT_NE(finding, nullptr);
    EXPECT_EQ((*finding)["category"]["filter"], Number(c.filter));
    EXPECT_EQ((*finding)["deletion"]["removes"], c.removes);
    EXPECT_EQ((*finding)["deletion"]["value"], c.deletedValue);
    EXPECT_EQ((*finding)["deletion"]["sub_keys"], c.subKeys);
    EXPECT_EQ((*finding)["deletion"]["values"], c.values);
    EXPECT_EQ((*finding)["evidence"]["verdict"], c.verdict);
    EXPECT_EQ((*finding)["evidence"]["view"], c.view);
    json& raw = (*finding)["evidence"]["raw"];
    if (c.raw == nullptr) {
      EXPECT_EQ(raw, nullptr);
    } else {
      EXPECT_EQ(raw["type"], c.raw["type"]);
      EXPECT_EQ(raw["data"], c.raw["data"]);
    }
  }
  // The lone surrogate became U+FFFD; the other names are exact.
  EXPECT_TRUE(Has(U8(LoneSurrogateName()), "keytidy-json-lone\xEF\xBF\xBD.dll"));
  TTreeData_RegCleaner goneKey;
  goneKey.GroupIndex = CheckId::AppPaths;
  goneKey.RootKey = HKLM;
  goneKey.Key = kGoneApp;
  json* found = FindFinding(findings, goneKey);
  ASSERT_NE(found, nullptr);
  json& keyFinding = *found;
  std::vector<std::string> subKeys = keyFinding["deletion"]["first_sub_keys"].get<std::vector<std::string>>();
  std::vector<std::string> values = keyFinding["deletion"]["first_values"].get<std::vector<std::string>>();
  std::sort(subKeys.begin(), subKeys.end());
  std::sort(values.begin(), values.end());
  EXPECT_EQ(subKeys, (std::vector<std::string>{"Sub", "Sub\\Deeper"}));
  EXPECT_EQ(values, (std::vector<std::string>{"", "Path"}));
}

TEST_F(MachineOutput, JsonWriteFailuresAndUsageErrors) {
  // A file that cannot be written fails the command and leaves no
  // temporary file; an old file at a good path is replaced whole.
  const std::wstring folderNamedLikeTheFile = temp.File(L"a folder.json");
  ASSERT_TRUE(CreateDirectoryW(folderNamedLikeTheFile.c_str(), nullptr));
  for (const std::wstring& path : {temp.File(L"no such folder\\scan.json"), folderNamedLikeTheFile}) {
    SCOPED_TRACE(U8(path));
    const test::RunResult run = Cli(L"scan --json " + Quote(path));
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_TRUE(Has(run.output, "the JSON file could not be written to " + U8(path))) << run.output;
  }
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((temp.Path() + L"\\*.new").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "no temporary file is left";
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  RemoveDirectoryW(folderNamedLikeTheFile.c_str());

  const std::wstring file = temp.File(L"old.json");
  test::WriteFileBytes(file, "not json");
  ASSERT_EQ(Cli(L"clean --dry-run --json " + Quote(file)).exitCode, 0u);
  EXPECT_EQ(json::parse(ReadFileBytes(file))["format"], "keytidy-scan");

  for (const wchar_t* arguments : {L"scan --json", L"scan --json a.json --json b.json", L"scan --json \"\"",
                                   L"scan --dry-run", L"clean --dry-run --dry-run", L"clean --json"}) {
    SCOPED_TRACE(U8(arguments));
    const test::RunResult run = Cli(arguments);
    EXPECT_EQ(run.exitCode, 2u) << run.output;
    EXPECT_TRUE(Has(run.output, "usage: ")) << run.output;
  }
}

std::vector<std::wstring> BackupFiles() {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((BinFolder() + L"\\Backups\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// The fixture's keys, the keys the checks read and the program's own
// settings (counters included) stay byte for byte as they were, and no
// backup set appears; the listing names what clean would take.
TEST_F(MachineOutput, DryRunListsWhatCleanTakesAndChangesNoRegistryByte) {
  const std::vector<std::wstring> keys = {kAppPaths, kShared, kShared32, kSettingsKey};
  std::vector<test::KeyTree> before;
  for (const std::wstring& key : keys) before.push_back(test::SnapshotKeyTree(HKLM, key));
  ASSERT_FALSE(before.back().empty()) << "the settings key exists while the tests run";
  const std::vector<std::wstring> backupsBefore = BackupFiles();

  const test::RunResult run = Cli(L"clean --dry-run");
  ASSERT_EQ(run.exitCode, 0u) << run.output;

  for (size_t i = 0; i < keys.size(); ++i) {
    SCOPED_TRACE(U8(keys[i]));
    EXPECT_EQ(test::KeyTreeDifferences(before[i], test::SnapshotKeyTree(HKLM, keys[i])), std::vector<std::string>{});
  }
  EXPECT_EQ(BackupFiles(), backupsBefore);

  const std::string out = run.output;
  EXPECT_TRUE(Has(out, "Dry run: nothing is backed up, deleted or counted.\r\n")) << out;
  EXPECT_TRUE(Has(out, " back up and delete key HKEY_LOCAL_MACHINE\\" + U8(kGoneApp) +
                           "\r\n      with 2 sub-keys and 4 values\r\n"))
      << out;
  EXPECT_TRUE(Has(out, "      sub-keys: Sub, Sub\\Deeper\r\n")) << out;
  EXPECT_TRUE(Has(out, " back up and delete key HKEY_LOCAL_MACHINE\\" + U8(kEmptyApp) +
                           "\r\n      with 0 sub-keys and 0 values\r\n"))
      << out;
  for (const std::wstring& name : {OddName(), T(L"\\gone\\keytidy-json32.dll")}) {
    const std::wstring key = name == OddName() ? kShared : kShared32;
    EXPECT_TRUE(Has(out, " back up and delete a value of HKEY_LOCAL_MACHINE\\" + Utf16ToUtf8(key) +
                             "\r\n      value: " + Utf16ToUtf8(name) + "\r\n"))
        << out;
  }
  EXPECT_TRUE(Has(out, "Would back up and delete: ")) << out;
}

}  // namespace
}  // namespace keytidy
