// The merged classes view: the judged user's classes over the machine's,
// key by key. The merge is the program's own, so it shows under Wine what
// Windows shows: the user's classes are set up in the user's
// Software\Classes (Wine has no separate classes hive) and the machine's in
// HKLM\Software\Classes, side by side.
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "backup/reg_exe.h"
#include "backup/reg_script_reader.h"
#include "platform/class_view.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "scan/delete_place.h"
#include "clean/delete_run.h"
#include "scan/evidence_hive.h"
#include "support/real_registry.h"

namespace keytidy {
namespace {

constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;
constexpr RootKey HKCU = ROOT_HKEY_CURRENT_USER;
constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
constexpr RootKey HKU = ROOT_HKEY_USERS;

enum class Hive { User, Machine };

RootKey RootOf(Hive hive) { return hive == Hive::User ? HKCU : HKLM; }
std::wstring ClassesKey(const std::wstring& name) { return L"Software\\Classes\\" + name; }

// The concrete name the view gives a key of that hive, as HKEY_USERS or
// HKEY_LOCAL_MACHINE sees it.
ConcreteKey Concrete(Hive hive, const std::wstring& name) {
  if (hive == Hive::Machine) return {HKLM, ClassesKey(name)};
  return {HKU, JudgedUserSid() + L"\\" + ClassesKey(name)};
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  for (std::wstring& name : names) name = UpperCaseAscii(name);
  std::sort(names.begin(), names.end());
  return names;
}

TEST(UserClassesPath, TheClassesHiveWhenLoadedElseTheUsersSoftwareClasses) {
  struct Row {
    const wchar_t* sid;
    bool hiveLoaded;
    const wchar_t* expected;
  };
  const Row rows[] = {
      {L"S-1-5-21-1-2-3-1001", true, L"S-1-5-21-1-2-3-1001_Classes"},
      {L"S-1-5-21-1-2-3-1001", false, L"S-1-5-21-1-2-3-1001\\Software\\Classes"},
      {L"", true, L""},
      {L"", false, L""},
  };
  for (const Row& row : rows)
    EXPECT_EQ(UserClasses_Path(row.sid, row.hiveLoaded), row.expected) << Utf16ToUtf8(row.sid) << row.hiveLoaded;
}

// What one key of the view looks like when the user's and the machine's
// hives hold the planted keys.
struct MergeRow {
  const char* label;
  std::function<void(test::RealRegistryFixture&, const std::wstring& name)> plant;
  bool shown;
  std::optional<Hive> from;           // which hive the view reads the key's values from
  const wchar_t* defaultValue;        // as read through the view
  std::vector<std::wstring> subKeys;  // upper case, sorted
  std::uint32_t values;
};

void Put(test::RealRegistryFixture& r, Hive hive, const std::wstring& key, const std::wstring& name,
         const std::wstring& text) {
  r.WriteString(RootOf(hive), ClassesKey(key), name, text);
}

const MergeRow kMergeRows[] = {
    {"user only",
     [](test::RealRegistryFixture& r, const std::wstring& n) { Put(r, Hive::User, n, L"", L"user"); },
     true,
     Hive::User,
     L"user",
     {},
     1},
    {"machine only",
     [](test::RealRegistryFixture& r, const std::wstring& n) { Put(r, Hive::Machine, n + L"\\a", L"", L"x"); },
     true,
     Hive::Machine,
     L"",
     {L"A"},
     0},
    {"both: the user's values hide the machine's, sub-keys of both show",
     [](test::RealRegistryFixture& r, const std::wstring& n) {
       Put(r, Hive::User, n, L"kind", L"user");
       Put(r, Hive::User, n + L"\\Shared", L"", L"user");
       Put(r, Hive::User, n + L"\\UserOnly", L"", L"user");
       Put(r, Hive::Machine, n, L"", L"machine");
       Put(r, Hive::Machine, n, L"other", L"machine");
       Put(r, Hive::Machine, n + L"\\shared", L"", L"machine");
       Put(r, Hive::Machine, n + L"\\MachineOnly", L"", L"machine");
     },
     true,
     Hive::User,
     L"",
     {L"MACHINEONLY", L"SHARED", L"USERONLY"},
     1},
    {"neither", [](test::RealRegistryFixture&, const std::wstring&) {}, false, std::nullopt, L"", {}, 0},
};

TEST(ClassView, MergesTheUsersClassesOverTheMachinesKeyByKey) {
  ASSERT_FALSE(JudgedUserSid().empty());
  for (std::size_t i = 0; i < std::size(kMergeRows); ++i) {
    const MergeRow& row = kMergeRows[i];
    SCOPED_TRACE(row.label);
    test::RealRegistryFixture registry;
    const std::wstring name = L"KeytidyMerge." + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(i);
    row.plant(registry, name);

    EXPECT_EQ(Reg_KeyExists(HKCR, name), row.shown);
    EXPECT_EQ(Reg_ReadString(HKCR, name, L""), row.defaultValue);
    std::vector<std::wstring> subKeys;
    EXPECT_EQ(Reg_GetSubKeys(HKCR, name, subKeys), row.shown);
    EXPECT_EQ(Sorted(subKeys), row.subKeys);
    std::uint32_t values = 0, subKeyCount = 0;
    EXPECT_EQ(Reg_KeyCounts(HKCR, name, values, subKeyCount), row.shown);
    EXPECT_EQ(values, row.values);
    EXPECT_EQ(subKeyCount, row.subKeys.size());
    const RegKeyGlance glance = Reg_Glance(HKCR, name);
    EXPECT_EQ(glance.exists, row.shown);
    EXPECT_EQ(glance.subKeys, row.subKeys.size());
    // The 32-bit branch is merged the same way, from each hive's own branch.
    EXPECT_FALSE(Reg_KeyExists(HKCR, L"Wow6432Node\\" + name));

    const std::optional<ConcreteKey> concrete = Reg_ConcreteKey(HKCR, name);
    ASSERT_EQ(concrete.has_value(), row.from.has_value());
    if (!row.from) continue;
    const ConcreteKey expected = Concrete(*row.from, name);
    EXPECT_EQ(concrete->root, expected.root);
    EXPECT_EQ(UpperCaseAscii(concrete->path), UpperCaseAscii(expected.path));
  }
}

TEST(ClassView, TheThirtyTwoBitBranchMergesEachHivesOwnBranch) {
  test::RealRegistryFixture registry;
  const std::wstring name = L"KeytidyMerge32." + std::to_wstring(GetCurrentProcessId());
  Put(registry, Hive::User, L"Wow6432Node\\" + name + L"\\user", L"", L"u");
  Put(registry, Hive::Machine, L"Wow6432Node\\" + name + L"\\machine", L"", L"m");
  Put(registry, Hive::Machine, name + L"\\native", L"", L"n");
  std::vector<std::wstring> subKeys;
  ASSERT_TRUE(Reg_GetSubKeys(HKCR, L"Wow6432Node\\" + name, subKeys));
  EXPECT_EQ(Sorted(subKeys), (std::vector<std::wstring>{L"MACHINE", L"USER"}));
  const std::optional<ShownClassKey> shown = ClassView_ShownKey(L"Wow6432Node\\" + name + L"\\user");
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->hive.root, HKU);
  EXPECT_EQ(UpperCaseAscii(shown->key.path),
            UpperCaseAscii(JudgedUserSid() + L"\\Software\\Classes\\Wow6432Node\\" + name + L"\\user"));
}

// Writes and deletions through HKEY_CLASSES_ROOT land where Windows puts
// them: in the key the view shows, a new key in the machine's classes.
TEST(ClassView, ChangesThroughTheViewLandInTheShownKey) {
  test::RealRegistryFixture registry;
  const std::wstring name = L"KeytidyMergeWrite." + std::to_wstring(GetCurrentProcessId());
  Put(registry, Hive::User, name, L"marker", L"user");
  Put(registry, Hive::Machine, name, L"marker", L"machine");
  ASSERT_TRUE(Reg_WriteString(HKCR, name, L"added", L"x"));
  EXPECT_EQ(Reg_ReadString(HKCU, ClassesKey(name), L"added"), L"x");
  EXPECT_FALSE(Reg_ValueExists(HKLM, ClassesKey(name), L"added"));
  ASSERT_TRUE(Reg_DeleteValue(HKCR, name, L"marker"));
  EXPECT_FALSE(Reg_ValueExists(HKCU, ClassesKey(name), L"marker"));
  EXPECT_EQ(Reg_ReadString(HKLM, ClassesKey(name), L"marker"), L"machine");

  // Deleting the key takes the user's copy; the machine's then shows.
  EXPECT_TRUE(Reg_DeleteKey(HKCR, name));
  EXPECT_FALSE(Reg_KeyExists(HKCU, ClassesKey(name)));
  EXPECT_EQ(Reg_ReadString(HKCR, name, L"marker"), L"machine");
}

// The checks that read classes see the user's classes, report what is
// broken in the hive it is broken in, and the deletion acts in that hive
// only; the backup set names that hive's key, so that a restore puts it
// back there.
class PerUserClasses : public test::CheckTest {
 public:
  void Put(Hive hive, const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    registry.WriteString(RootOf(hive), ClassesKey(key), name, T(text));
  }
};

enum class Check { WrongExe, LinkMissing };

struct PerUserRow {
  const char* label;
  Check check;
  std::function<void(PerUserClasses&, const std::wstring& name)> plant;
  std::optional<Hive> reportedIn;  // none: nothing reported
  const wchar_t* deletedKey;       // below the planted class
  const wchar_t* keptKey;          // below the planted class, in the other hive
};

const wchar_t kBroken[] = L"\"{T}\\gone\\app.exe\" \"%1\"";
const wchar_t kWorking[] = L"\"C:\\windows\\system32\\cmd.exe\" /c \"%1\"";

const PerUserRow kPerUserRows[] = {
    {"extension naming a class only the user has", Check::LinkMissing,
     [](PerUserClasses& t, const std::wstring& name) {
       t.Put(Hive::Machine, L".kt" + name, L"", name + L".Doc");
       t.Put(Hive::User, name + L".Doc", L"", L"Keytidy document");
     },
     std::nullopt, L"", L""},
    {"user's class with a broken verb over the machine's working one", Check::WrongExe,
     [](PerUserClasses& t, const std::wstring& name) {
       t.Put(Hive::User, name + L"\\shell\\open\\command", L"", kBroken);
       t.Put(Hive::Machine, name, L"", L"Keytidy document");
       t.Put(Hive::Machine, name + L"\\shell\\open\\command", L"", kWorking);
     },
     Hive::User, L"", L"\\shell\\open\\command"},
    {"user's working verb hides the machine's broken one", Check::WrongExe,
     [](PerUserClasses& t, const std::wstring& name) {
       t.Put(Hive::User, name + L"\\shell\\open\\command", L"", kWorking);
       t.Put(Hive::Machine, name + L"\\shell\\open\\command", L"", kBroken);
     },
     std::nullopt, L"", L""},
    {"same class in both hives with different verbs", Check::WrongExe,
     [](PerUserClasses& t, const std::wstring& name) {
       t.Put(Hive::User, name + L"\\shell\\print\\command", L"", kWorking);
       t.Put(Hive::Machine, name, L"", L"Keytidy document");
       t.Put(Hive::Machine, name + L"\\shell\\open\\command", L"", kBroken);
     },
     Hive::Machine, L"\\shell\\open", L"\\shell\\print\\command"},
};

TEST_F(PerUserClasses, ClassFindingsComeFromAndAreDeletedInTheirOwnHive) {
  ASSERT_FALSE(JudgedUserSid().empty());
  for (std::size_t i = 0; i < std::size(kPerUserRows); ++i) {
    const PerUserRow& row = kPerUserRows[i];
    SCOPED_TRACE(row.label);
    tree.Clear();
    const std::wstring name = L"KeytidyPerUser" + std::to_wstring(GetCurrentProcessId()) + L"n" + std::to_wstring(i);
    row.plant(*this, name);
    const KeyList keys = {name, L".kt" + name, name + L".Doc"};
    if (row.check == Check::WrongExe)
      engine.SEARCH_FILEFORMAT_WRONGEXE(keys, CheckId::FileFormatWrongExe, FilterCategory::FileTypes);
    if (row.check == Check::LinkMissing)
      engine.SEARCH_FILEFORMAT_LINKMISSING(keys, CheckId::FileFormatLinkMissing, FilterCategory::FileTypes);
    if (!row.reportedIn) {
      EXPECT_EQ(tree.NodeCount(), 0u);
      continue;
    }
    ASSERT_EQ(tree.NodeCount(), 1u);
    const Hive hive = *row.reportedIn;
    const Hive other = hive == Hive::User ? Hive::Machine : Hive::User;
    const TTreeData_RegCleaner& entry = *GetEntry(tree.NodeAt(0));
    // The finding keeps its classes-root name; its evidence names the hive.
    EXPECT_EQ(entry.Delete_Root, HKCR);
    EXPECT_EQ(entry.Delete_Key, name + row.deletedKey);
    ASSERT_TRUE(entry.Evidence.classesHive);
    const ConcreteKey hiveKey = Concrete(hive, L"");
    EXPECT_EQ(entry.Evidence.classesHive->root, hiveKey.root);
    EXPECT_EQ(UpperCaseAscii(entry.Evidence.classesHive->path + L"\\"), UpperCaseAscii(hiveKey.path));
    const ConcreteKey target = Concrete(hive, name + row.deletedKey);
    const DeletePlace place = Resolve_DeletePlace(entry);
    EXPECT_EQ(place.root, target.root);
    EXPECT_EQ(UpperCaseAscii(place.key), UpperCaseAscii(target.path));

    const DeleteRunResult result = RC_DeleteRun(engine, temp.File(L"Backups"), {temp.Path()});
    EXPECT_EQ(result.removed, 1u);
    EXPECT_FALSE(Reg_KeyExists(target.root, target.path));
    const ConcreteKey kept = Concrete(other, name + row.keptKey);
    EXPECT_TRUE(Reg_KeyExists(kept.root, kept.path)) << Utf16ToUtf8(kept.path);

    const RegScriptReadResult script = RegScript_ReadFile(result.scriptPath);
    ASSERT_TRUE(script.ok) << Utf16ToUtf8(script.error);
    ASSERT_FALSE(script.records.empty());
    for (const RegRecord& record : script.records) {
      EXPECT_EQ(record.root, target.root);
      EXPECT_TRUE(UpperCaseAscii(record.key).starts_with(UpperCaseAscii(target.path))) << Utf16ToUtf8(record.key);
    }
    ASSERT_TRUE(RegExe_Run({L"import", result.scriptPath}, temp.Path()).Succeeded());
    EXPECT_TRUE(Reg_KeyExists(target.root, target.path));
  }
}

}  // namespace
}  // namespace keytidy
