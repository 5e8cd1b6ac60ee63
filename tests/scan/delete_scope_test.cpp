// What the deletion removes when a finding was read through the merged
// classes view: the one key the view showed (the user's or the machine's),
// recorded under its own name, and never its namesake in the other hive.
// Real per-user (HKCU\Software\Classes) and machine-wide
// (HKLM\Software\Classes) class keys are set up side by side.
//
// Wine differs from Windows here: its HKEY_CLASSES_ROOT is exactly the
// machine's classes, so a key that only the user has is invisible through
// it, and where both hives hold the key the view shows the machine's. The
// rows therefore ask the registry (through plain advapi32) which hive the
// view shows and expect exactly that one to go, as Windows would.
#include <windows.h>

#include <cctype>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "backup/reg_exe.h"
#include "backup/reg_script_reader.h"
#include "platform/concrete_key.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"
#include "scan/delete_place.h"
#include "scan/delete_run.h"
#include "scan/registry_cleaner.h"
#include "support/programs.h"
#include "support/real_registry.h"

namespace keytidy {
namespace {

constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;
constexpr RootKey HKCU = ROOT_HKEY_CURRENT_USER;
constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;

enum class Hive { None, User, Machine };

const wchar_t* MarkerOf(Hive hive) { return hive == Hive::User ? L"user" : L"machine"; }

std::wstring ClassesKey(Hive hive, const std::wstring& name) {
  return (hive == Hive::User ? L"Software\\Classes\\" : L"SOFTWARE\\Classes\\") + name;
}
RootKey RootOf(Hive hive) { return hive == Hive::User ? HKCU : HKLM; }

std::optional<std::wstring> RawString(RootKey root, const std::wstring& key, const std::wstring& name) {
  UniqueHKey handle;
  if (RegOpenKeyExW(RootKeyHandle(root), key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, handle.put()) != ERROR_SUCCESS)
    return std::nullopt;
  wchar_t buffer[64] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  if (RegQueryValueExW(handle.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(buffer);
}

bool RawKeyExists(RootKey root, const std::wstring& key) {
  UniqueHKey handle;
  return RegOpenKeyExW(RootKeyHandle(root), key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, handle.put()) == ERROR_SUCCESS;
}

// Which hive's key the merged view shows, told by the marker value each
// hive's copy holds.
Hive ShownHive(const std::wstring& name) {
  const std::optional<std::wstring> marker = RawString(HKCR, name, L"marker");
  if (!marker) return Hive::None;
  return *marker == L"user" ? Hive::User : Hive::Machine;
}

struct ScopeRow {
  const char* label;
  bool inUser;
  bool inMachine;
  bool valueFinding;  // the finding deletes the value "marker" instead of the key
};

const ScopeRow kScopeRows[] = {
    {"machine only, key", false, true, false},
    {"user only, key", true, false, false},
    {"both hives, key", true, true, false},
    {"both hives, value", true, true, true},
    {"machine only, value", false, true, true},
};

class DeleteScope : public ::testing::TestWithParam<ScopeRow> {
 protected:
  void SetUp() override { run_.STOP_REQUESTED = false; }

  void CreateClass(Hive hive) {
    registry_.WriteString(RootOf(hive), ClassesKey(hive, name_), L"marker", MarkerOf(hive));
    registry_.WriteString(RootOf(hive), ClassesKey(hive, name_) + L"\\sub", L"kept", MarkerOf(hive));
  }
  bool Whole(Hive hive) const {
    return RawString(RootOf(hive), ClassesKey(hive, name_), L"marker") == std::wstring(MarkerOf(hive)) &&
           RawString(RootOf(hive), ClassesKey(hive, name_) + L"\\sub", L"kept") == std::wstring(MarkerOf(hive));
  }
  bool Gone(Hive hive, bool valueOnly) const {
    if (valueOnly)
      return RawKeyExists(RootOf(hive), ClassesKey(hive, name_)) &&
             !RawString(RootOf(hive), ClassesKey(hive, name_), L"marker");
    return !RawKeyExists(RootOf(hive), ClassesKey(hive, name_));
  }

  std::wstring name_ = L"KeytidyScope." + std::to_wstring(GetCurrentProcessId()) + L"." + Utf8ToUtf16(GetParam().label);
  test::RealRegistryFixture registry_;
  test::TempFolder folder_;
  TResultTree tree_;
  RunControl run_;
  TRegistryCleaner engine_{&tree_, run_};
};

TEST_P(DeleteScope, OnlyTheKeyTheViewShowedIsRecordedAndDeleted) {
  const ScopeRow& row = GetParam();
  if (row.inUser) CreateClass(Hive::User);
  if (row.inMachine) CreateClass(Hive::Machine);
  const Hive shown = ShownHive(name_);

  TTreeData_RegCleaner& entry = *GetEntry(tree_.AddChild(CheckType::TriStateCheckBox, CheckState::Checked));
  entry.Delete_Root = HKCR;
  entry.Delete_Key = name_;
  entry.DeleteValue = row.valueFinding;
  entry.DeleteKey = !row.valueFinding;
  entry.Delete_Value = row.valueFinding ? L"marker" : L"";
  const DeleteRunResult result = RC_DeleteRun(engine_, folder_.File(L"Backups"), {folder_.Path()});

  EXPECT_EQ(result.removed, 1u);
  for (Hive hive : {Hive::User, Hive::Machine}) {
    const bool present = hive == Hive::User ? row.inUser : row.inMachine;
    if (!present) continue;
    SCOPED_TRACE(MarkerOf(hive));
    if (hive == shown)
      EXPECT_TRUE(Gone(hive, row.valueFinding));
    else
      EXPECT_TRUE(Whole(hive));
  }
  if (shown == Hive::None) return;  // nothing was shown, so nothing was recorded

  // The record names the concrete key, so that a restore puts it back
  // where it was and nowhere else.
  const RegScriptReadResult script = RegScript_ReadFile(result.scriptPath);
  ASSERT_TRUE(script.ok) << Utf16ToUtf8(script.error);
  ASSERT_FALSE(script.records.empty());
  for (const RegRecord& record : script.records) {
    EXPECT_EQ(record.root, shown == Hive::User ? ROOT_HKEY_USERS : HKLM);
    EXPECT_TRUE(record.key.ends_with(L"\\" + name_) || Contains(record.key, L"\\" + name_ + L"\\"))
        << Utf16ToUtf8(record.key);
  }
  ASSERT_TRUE(RegExe_Run({L"import", result.scriptPath}, folder_.Path()).Succeeded());
  EXPECT_TRUE(Whole(Hive::User) || !row.inUser);
  EXPECT_TRUE(Whole(Hive::Machine) || !row.inMachine);
}

INSTANTIATE_TEST_SUITE_P(Rows, DeleteScope, ::testing::ValuesIn(kScopeRows),
                         [](const auto& info) {
                           std::string name = info.param.label;
                           for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

// The registry layer itself, asked to delete a key through the merged
// view, deletes the key the view shows and leaves its namesake alone;
// before, its second attempt took the other hive's key as well.
TEST(DeleteScopeLayer, DeletingThroughTheMergedViewTakesOneHiveOnly) {
  test::RealRegistryFixture registry;
  const std::wstring name = L"KeytidyScope.Layer." + std::to_wstring(GetCurrentProcessId());
  registry.WriteString(HKCU, ClassesKey(Hive::User, name), L"marker", L"user");
  registry.WriteString(HKLM, ClassesKey(Hive::Machine, name), L"marker", L"machine");
  registry.WriteString(HKLM, ClassesKey(Hive::Machine, name) + L"\\sub", L"kept", L"machine");
  const Hive shown = ShownHive(name);
  ASSERT_NE(shown, Hive::None);
  const Hive other = shown == Hive::User ? Hive::Machine : Hive::User;

  // On Windows the machine's namesake shows through afterwards, so the
  // layer reports the key as still there; Wine's view never shows the
  // user's key, so there it is gone from the view.
  const bool deleted = Reg_DeleteKey(HKCR, name);
  EXPECT_EQ(deleted, !RawKeyExists(HKCR, name));
  EXPECT_FALSE(RawKeyExists(RootOf(shown), ClassesKey(shown, name)));
  EXPECT_TRUE(RawKeyExists(RootOf(other), ClassesKey(other, name)));
  if (other == Hive::Machine) {
    EXPECT_TRUE(RawKeyExists(HKLM, ClassesKey(Hive::Machine, name) + L"\\sub"));
  }
}

TEST(ConcreteKey, KernelNamesMapToTheirRoots) {
  struct Case {
    const wchar_t* kernel;
    std::optional<ConcreteKey> expected;
  };
  const Case cases[] = {
      {L"\\REGISTRY\\MACHINE\\SOFTWARE\\Classes\\txtfile", ConcreteKey{HKLM, L"SOFTWARE\\Classes\\txtfile"}},
      {L"\\Registry\\Machine\\Software\\Classes\\Wow6432Node\\CLSID\\{X}",
       ConcreteKey{HKLM, L"Software\\Classes\\Wow6432Node\\CLSID\\{X}"}},
      {L"\\REGISTRY\\USER\\S-1-5-21-1-2-3-1001_Classes\\.abc",
       ConcreteKey{ROOT_HKEY_USERS, L"S-1-5-21-1-2-3-1001_Classes\\.abc"}},
      {L"\\REGISTRY\\USER\\S-1-5-21-0-0-0-1000\\Software\\Classes\\x\\",
       ConcreteKey{ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000\\Software\\Classes\\x"}},
      {L"\\REGISTRY\\MACHINE", std::nullopt},  // a hive's root is never a place to delete
      {L"\\REGISTRY\\MACHINE\\", std::nullopt},
      {L"\\REGISTRY\\MACHINE\\\\x", std::nullopt},
      {L"\\REGISTRY\\A\\x", std::nullopt},
      {L"MACHINE\\SOFTWARE", std::nullopt},
      {L"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ConcreteKey_FromKernelName(c.kernel), c.expected) << Utf16ToUtf8(c.kernel);
}

TEST(ConcreteKey, ResolvesOpenedKeysAndLeavesOtherRootsAlone) {
  test::RealRegistryFixture registry;
  const std::wstring name = L"KeytidyScope.Resolve." + std::to_wstring(GetCurrentProcessId());
  registry.WriteString(HKLM, ClassesKey(Hive::Machine, name), L"marker", L"machine");
  const std::optional<ConcreteKey> resolved = Reg_ConcreteKey(HKCR, name);
  ASSERT_TRUE(resolved);
  // Only the machine holds the key, so Windows and Wine agree here.
  EXPECT_EQ(resolved->root, HKLM);
  EXPECT_EQ(UpperCaseAscii(resolved->path), UpperCaseAscii(ClassesKey(Hive::Machine, name)));
  EXPECT_FALSE(Reg_ConcreteKey(HKCR, name + L"\\missing"));
  EXPECT_EQ(Reg_ConcreteKey(HKCU, L"Software\\Anything"), (ConcreteKey{HKCU, L"Software\\Anything"}));
}

}  // namespace
}  // namespace keytidy

namespace keytidy {
namespace {

// Under the merged classes view a finding's command may be read from the
// machine's class while the key to delete is the user's namesake (or the
// reverse); the deletion then refuses. Wine's view never shows the user's
// classes, so the decision is tested with the concrete names Windows gives.
TEST(DeleteInEvidenceHive, TheConcreteDeleteKeyMustHoldTheConcreteEvidenceKey) {
  const std::wstring user = L"S-1-5-21-1-2-3-1001_Classes\\Foo.Doc";
  const std::wstring machine = L"SOFTWARE\\Classes\\Foo.Doc";
  struct Row {
    const char* label;
    DeletePlace deleteAt;
    DeletePlace evidenceAt;
    bool allowed;
  };
  const Row rows[] = {
      {"machine class, machine command", {HKLM, machine, L""}, {HKLM, machine + L"\\shell\\open\\command", L""}, true},
      {"user class, user command", {ROOT_HKEY_USERS, user, L""},
       {ROOT_HKEY_USERS, user + L"\\shell\\open\\command", L""}, true},
      {"user class, machine command", {ROOT_HKEY_USERS, user, L""},
       {HKLM, machine + L"\\shell\\open\\command", L""}, false},
      {"machine class, user command", {HKLM, machine, L""},
       {ROOT_HKEY_USERS, user + L"\\shell\\open\\command", L""}, false},
      {"the evidence is the deleted key", {HKLM, machine, L""}, {HKLM, machine, L""}, true},
      {"other letter case and doubled backslashes", {HKLM, L"software\\classes\\foo.doc\\", L""},
       {HKLM, L"SOFTWARE\\\\Classes\\FOO.DOC\\shell", L""}, true},
      {"a namesake that only starts alike", {HKLM, machine, L""},
       {HKLM, machine + L"2\\shell\\open\\command", L""}, false},
      {"evidence above the deleted key", {HKLM, machine + L"\\shell\\open", L""}, {HKLM, machine, L""}, false},
      {"evidence whose key could not be told", {HKLM, machine, L""}, {}, false},
  };
  for (const Row& row : rows) EXPECT_EQ(Deletion_InEvidenceHive(row.deleteAt, row.evidenceAt), row.allowed) << row.label;
}

// Under Wine both names lie in the machine's classes: a class finding is
// deleted, and one whose evidence has gone away meanwhile is kept.
TEST(DeleteInEvidenceHive, AFindingReadThroughTheMergedViewIsDeletedInItsOwnHive) {
  test::RealRegistryFixture registry;
  test::TempFolder folder;
  TResultTree tree;
  RunControl run;
  run.STOP_REQUESTED = false;
  TRegistryCleaner engine{&tree, run};
  const std::wstring name = L"KeytidyHive." + std::to_wstring(GetCurrentProcessId());
  registry.WriteString(HKCR, name + L"\\shell\\open\\command", L"", L"C:\\gone\\app.exe");
  PVirtualNode node = Report_Finding(engine, 30, 1, L"C:\\gone\\app.exe", name, {HKCR, name, L""}, DeleteTarget::Key,
                                     {EvidenceTest::NotRepeatable, L""},
                                     FindingPlace{HKCR, name + L"\\shell\\open\\command", L""});
  ASSERT_TRUE(node);
  const std::optional<DeletePlace> evidence = Resolve_EvidencePlace(*GetEntry(node));
  ASSERT_TRUE(evidence);
  EXPECT_EQ(evidence->root, HKLM);
  const DeleteRunResult result = RC_DeleteRun(engine, folder.File(L"Backups"), {folder.Path()});
  EXPECT_EQ(result.removed, 1u);
  EXPECT_EQ(result.otherHive, 0u);
  EXPECT_FALSE(RawKeyExists(HKLM, ClassesKey(Hive::Machine, name)));
}

}  // namespace
}  // namespace keytidy
