// The state Explorer keeps for each start-up entry (StartupApproved\Run and
// \Run32): it goes with its entry when the entry is deleted, recorded in the
// same backup set, and one whose entry is gone is a leftover of its own.
#include "scan/startup_approved.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/registry_snapshot.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "clean/delete_run.h"
#include "clean/finding_recheck.h"
#include "support/programs.h"
#include "support/ticked_finding.h"

namespace keytidy {
namespace {

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
constexpr RootKey HKCU = ROOT_HKEY_CURRENT_USER;
const std::wstring kVersion = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const std::wstring kRun = kVersion + L"\\Run";
const std::wstring kRun32 = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::wstring kApproved = kVersion + L"\\Explorer\\StartupApproved\\Run";
const std::wstring kApproved32 = kVersion + L"\\Explorer\\StartupApproved\\Run32";

// Enabled, as Explorer writes it: 02 followed by eleven zero bytes.
const BYTE kEnabled[12] = {2};

TEST(StartupApprovedCompanion, OnlyRunKeysAtAHivesTopHaveOne) {
  const std::wstring sid = L"S-1-5-21-0-0-0-1000\\";
  struct Case {
    const char* name;
    RootKey root;
    std::wstring key;
    bool has;
    std::wstring companion;
  };
  const Case cases[] = {
      {"machine", HKLM, kRun, true, kApproved},
      {"machine, 32-bit branch", HKLM, kRun32, true, kApproved32},
      {"user", HKCU, kRun, true, kApproved},
      {"user through HKEY_USERS", ROOT_HKEY_USERS, sid + kRun, true, sid + kApproved},
      {"any letter case", HKLM, L"software\\microsoft\\windows\\currentversion\\RUN", true, kApproved},
      {"a user has no 32-bit branch", HKCU, kRun32, false, L""},
      {"RunOnce keeps no state", HKLM, kVersion + L"\\RunOnce", false, L""},
      {"a Run key deeper down", HKLM, L"SOFTWARE\\Vendor\\" + kRun, false, L""},
      {"two names below HKEY_USERS", ROOT_HKEY_USERS, L"a\\" + sid + kRun, false, L""},
      {"classes root", ROOT_HKEY_CLASSES_ROOT, kRun, false, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<DeletePlace> companion = StartupApproved_CompanionOf(c.root, c.key, L"Tray");
    ASSERT_EQ(companion.has_value(), c.has);
    if (!companion) continue;
    EXPECT_EQ(companion->root, c.root);
    EXPECT_EQ(companion->key, c.companion);
    EXPECT_EQ(companion->value, L"Tray");
  }
}

class StartupApproved : public test::CheckTest {
 protected:
  struct Hive {
    const char* name;
    RootKey root;
    std::wstring run;
    std::wstring approved;
  };
  const std::vector<Hive> hives = {
      {"machine", HKLM, kRun, kApproved},
      {"machine, 32-bit branch", HKLM, kRun32, kApproved32},
      {"user", HKCU, kRun, kApproved},
  };
};

// The entry and its state go together; the set records both, and importing
// it brings both back. An entry without a state goes alone.
TEST_F(StartupApproved, TheStateGoesWithItsEntryAndComesBackWithTheSet) {
  for (const Hive& hive : hives) {
    for (bool withState : {true, false}) {
      SCOPED_TRACE(std::string(hive.name) + (withState ? ", with state" : ", without state"));
      const std::wstring name = L"Keytidy Companion " + Utf8ToUtf16(hive.name);
      registry.WriteString(hive.root, hive.run, name, T(L"\"{T}\\gone\\tray.exe\""));
      registry.WriteString(hive.root, hive.approved, L"Keytidy Neighbour", L"stays");
      if (withState)
        registry.Write(hive.root, hive.approved, name, REG_BINARY, kEnabled, sizeof kEnabled);
      else
        Reg_DeleteValue(hive.root, hive.approved, name);  // put back by the previous round's import
      tree.Clear();
      test::AddTickedValueFinding(tree, hive.root, hive.run, name);

      DeleteOptions options;
      options.exportFolder = temp.Path();
      const DeleteRunResult result = RC_DeleteRun(engine, temp.File(L"Backups"), options);
      EXPECT_EQ(result.removed, 1u);
      EXPECT_FALSE(Reg_ValueExists(hive.root, hive.run, name));
      EXPECT_FALSE(Reg_ValueExists(hive.root, hive.approved, name));
      EXPECT_TRUE(Reg_ValueExists(hive.root, hive.approved, L"Keytidy Neighbour"));
      const std::string bytes = test::ReadFileBytes(result.scriptPath);
      const std::string script =
          Utf16ToUtf8(std::wstring_view(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2));
      EXPECT_EQ(script.find("\\StartupApproved\\") != std::string::npos, withState) << script;

      const test::RunResult import = test::RunProgram(L"reg.exe import " + test::Quote(result.scriptPath));
      ASSERT_EQ(import.exitCode, 0u) << import.output;
      EXPECT_EQ(Reg_ReadString(hive.root, hive.run, name), T(L"\"{T}\\gone\\tray.exe\""));
      const std::optional<RegValueData> state = ReadValueData(hive.root, hive.approved, name);
      ASSERT_EQ(state.has_value(), withState);
      if (state) {
        EXPECT_EQ(state->type, static_cast<DWORD>(REG_BINARY));
        EXPECT_EQ(state->data, RegBytes(kEnabled, kEnabled + sizeof kEnabled));
      }
    }
  }
}

// A state whose entry is gone is found, with the entry's key as what was
// tested; one whose entry exists is not; and the deletion's repeated test
// follows the entry coming back.
TEST_F(StartupApproved, AStateWithoutItsEntryIsALeftover) {
  for (const Hive& hive : hives) {
    registry.Write(hive.root, hive.approved, L"Keytidy Orphan", REG_BINARY, kEnabled, sizeof kEnabled);
    registry.Write(hive.root, hive.approved, L"Keytidy Paired", REG_BINARY, kEnabled, sizeof kEnabled);
    registry.WriteString(hive.root, hive.run, L"Keytidy Paired", L"C:\\windows\\system32\\cmd.exe");
  }
  for (RootKey root : {HKLM, HKCU})
    engine.SEARCH_STARTUP_APPROVED_ORPHANS(CheckId::StartupApprovedOrphan, FilterCategory::Leftovers, root, false);
  engine.SEARCH_STARTUP_APPROVED_ORPHANS(CheckId::StartupApprovedOrphan, FilterCategory::Leftovers, HKLM, true);

  std::vector<const TTreeData_RegCleaner*> ours;
  for (PVirtualNode node : tree)
    if (GetEntry(node)->Delete_Value.rfind(L"Keytidy", 0) == 0) ours.push_back(GetEntry(node));
  ASSERT_EQ(ours.size(), hives.size());
  for (size_t i = 0; i < hives.size(); ++i) {
    const Hive& hive = hives[i];
    SCOPED_TRACE(hive.name);
    RootKey root = hive.root;
    std::wstring approved = hive.approved, run = hive.run;
    Reg_RedirectCurrentUser(root, approved);
    RootKey runRoot = hive.root;
    Reg_RedirectCurrentUser(runRoot, run);
    const auto found = std::find_if(ours.begin(), ours.end(), [&](const TTreeData_RegCleaner* e) {
      return e->Delete_Root == root && _wcsicmp(e->Delete_Key.c_str(), approved.c_str()) == 0;
    });
    ASSERT_NE(found, ours.end());
    const TTreeData_RegCleaner& entry = **found;
    EXPECT_EQ(entry.Delete_Value, L"Keytidy Orphan");
    EXPECT_TRUE(entry.DeleteValue);
    EXPECT_EQ(entry.GroupIndex, CheckId::StartupApprovedOrphan);
    EXPECT_EQ(entry.ComboBoxIndex, FilterCategory::Leftovers);
    EXPECT_EQ(entry.Evidence.test, EvidenceTest::StartupEntryMissing);
    EXPECT_EQ(entry.Evidence.target, run);
    EXPECT_TRUE(Is_StillStale(engine, entry.Evidence));
    registry.WriteString(hive.root, hive.run, L"Keytidy Orphan", L"C:\\windows\\system32\\cmd.exe");
    EXPECT_FALSE(Is_StillStale(engine, entry.Evidence)) << "the entry is back";
    Reg_DeleteValue(hive.root, hive.run, L"Keytidy Orphan");
  }
}

}  // namespace
}  // namespace keytidy
