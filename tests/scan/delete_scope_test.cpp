// What the deletion removes when a finding was read through the merged
// classes view: the one key the view showed (the user's or the machine's),
// recorded under its own name, and never its namesake in the other hive.
// Real per-user (HKCU\Software\Classes) and machine-wide
// (HKLM\Software\Classes) class keys are set up side by side. The merged
// view is the program's own, so under Wine it shows the user's key where
// the user holds one, as Windows does.
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
#include "clean/delete_run.h"
#include "scan/deletion_preview.h"
#include "scan/evidence_hive.h"
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

// Which hive's key the merged view shows: the user's wherever the user
// holds the key.
Hive ShownHive(bool inUser, bool inMachine) {
  if (inUser) return Hive::User;
  return inMachine ? Hive::Machine : Hive::None;
}

struct ScopeRow {
  const char* label;
  bool inUser;
  bool inMachine;
  bool valueFinding;  // the finding deletes the value "marker" instead of the key
};

const ScopeRow kScopeRows[] = {
    {"machine only, key", false, true, false},  {"user only, key", true, false, false},
    {"both hives, key", true, true, false},     {"both hives, value", true, true, true},
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
  const Hive shown = ShownHive(row.inUser, row.inMachine);

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

INSTANTIATE_TEST_SUITE_P(Rows, DeleteScope, ::testing::ValuesIn(kScopeRows), [](const auto& info) {
  std::string name = info.param.label;
  for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
});

// The registry layer itself, asked to delete a key through the merged
// view, deletes the key the view shows (the user's) and leaves its
// namesake alone, which then shows through.
TEST(DeleteScopeLayer, DeletingThroughTheMergedViewTakesOneHiveOnly) {
  test::RealRegistryFixture registry;
  const std::wstring name = L"KeytidyScope.Layer." + std::to_wstring(GetCurrentProcessId());
  registry.WriteString(HKCU, ClassesKey(Hive::User, name), L"marker", L"user");
  registry.WriteString(HKLM, ClassesKey(Hive::Machine, name), L"marker", L"machine");
  registry.WriteString(HKLM, ClassesKey(Hive::Machine, name) + L"\\sub", L"kept", L"machine");

  EXPECT_TRUE(Reg_DeleteKey(HKCR, name));
  EXPECT_FALSE(RawKeyExists(HKCU, ClassesKey(Hive::User, name)));
  EXPECT_TRUE(RawKeyExists(HKLM, ClassesKey(Hive::Machine, name) + L"\\sub"));
  EXPECT_EQ(Reg_ReadString(HKCR, name, L"marker"), L"machine");
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
// machine's class while the user holds a namesake of the key to delete (or
// the reverse); the deletion then acts in the hive the command came from.
// The decision is tested with the names Windows gives (the user's classes
// hive is "<SID>_Classes" there; Wine has none).
TEST(DeleteInEvidenceHive, AClassKeyHoldingTheEvidenceIsTakenInTheEvidencesHive) {
  const ConcreteKey userHive{ROOT_HKEY_USERS, L"S-1-5-21-1-2-3-1001_Classes"};
  const ConcreteKey machineHive{HKLM, L"Software\\Classes"};
  struct Row {
    const char* label;
    std::optional<ConcreteKey> hive;
    RootKey evidenceRoot;
    const wchar_t* evidenceKey;
    const wchar_t* deleteKey;
    std::optional<ConcreteKey> expected;
  };
  const Row rows[] = {
      {"user's command, user's class", userHive, HKCR, L"Foo.Doc\\shell\\open\\command", L"Foo.Doc",
       ConcreteKey{ROOT_HKEY_USERS, L"S-1-5-21-1-2-3-1001_Classes\\Foo.Doc"}},
      {"machine's command, its verb", machineHive, HKCR, L"Foo.Doc\\shell\\open\\command", L"Foo.Doc\\shell\\open",
       ConcreteKey{HKLM, L"Software\\Classes\\Foo.Doc\\shell\\open"}},
      {"the evidence is the deleted key", machineHive, HKCR, L".foo", L".foo",
       ConcreteKey{HKLM, L"Software\\Classes\\.foo"}},
      {"other letter case and doubled backslashes", userHive, HKCR, L"FOO.DOC\\\\shell", L"foo.doc",
       ConcreteKey{ROOT_HKEY_USERS, L"S-1-5-21-1-2-3-1001_Classes\\foo.doc"}},
      {"the 32-bit branch", machineHive, HKCR, L"Wow6432Node\\CLSID\\{X}\\InprocServer32",
       L"Wow6432Node\\CLSID\\{X}\\InprocServer32",
       ConcreteKey{HKLM, L"Software\\Classes\\Wow6432Node\\CLSID\\{X}\\InprocServer32"}},
      {"a namesake that only starts alike", machineHive, HKCR, L"Foo.Doc2\\shell\\open\\command", L"Foo.Doc",
       std::nullopt},
      {"evidence above the deleted key", machineHive, HKCR, L"Foo.Doc", L"Foo.Doc\\shell\\open", std::nullopt},
      {"no hive recorded", std::nullopt, HKCR, L"Foo.Doc\\shell\\open\\command", L"Foo.Doc", std::nullopt},
      {"evidence under another root", machineHive, HKLM, L"Software\\Classes\\Foo.Doc", L"Foo.Doc", std::nullopt},
  };
  for (const Row& row : rows) {
    FindingEvidence evidence;
    evidence.classesHive = row.hive;
    evidence.root = row.evidenceRoot;
    evidence.key = row.evidenceKey;
    EXPECT_EQ(Evidence_KeyInHive(evidence, HKCR, row.deleteKey), row.expected) << row.label;
  }
}

// A finding whose data came from the machine's class is deleted there, even
// when the user has meanwhile put a namesake of the class in front of it.
TEST(DeleteInEvidenceHive, AFindingReadThroughTheMergedViewIsDeletedInItsOwnHive) {
  test::RealRegistryFixture registry;
  test::TempFolder folder;
  TResultTree tree;
  RunControl run;
  run.STOP_REQUESTED = false;
  TRegistryCleaner engine{&tree, run};
  const std::wstring name = L"KeytidyHive." + std::to_wstring(GetCurrentProcessId());
  registry.WriteString(HKLM, ClassesKey(Hive::Machine, name) + L"\\shell\\open\\command", L"", L"C:\\gone\\app.exe");
  PVirtualNode node = Report_Finding(
      engine, CheckId::FileFormatWrongExe, FilterCategory::FileTypes, L"C:\\gone\\app.exe", name, {HKCR, name, L""},
      DeleteTarget::Key, {EvidenceTest::NotRepeatable, L""}, FindingPlace{HKCR, name + L"\\shell\\open\\command", L""});
  ASSERT_TRUE(node);
  const FindingEvidence& evidence = GetEntry(node)->Evidence;
  ASSERT_TRUE(evidence.classesHive);
  EXPECT_EQ(evidence.classesHive->root, HKLM);
  registry.WriteString(HKCU, ClassesKey(Hive::User, name), L"marker", L"user");
  // What the dry run and the scan file say it takes is the machine's key:
  // three keys and the command, not the user's marker.
  const DeletionPreview preview = Preview_Deletion(*GetEntry(node));
  EXPECT_EQ(preview.subKeys, 3u);
  EXPECT_EQ(preview.keyValues, 0u);
  EXPECT_EQ(preview.values, 1u);
  const DeleteRunResult result = RC_DeleteRun(engine, folder.File(L"Backups"), {folder.Path()});
  EXPECT_EQ(result.removed, 1u);
  EXPECT_FALSE(RawKeyExists(HKLM, ClassesKey(Hive::Machine, name)));
  EXPECT_TRUE(RawKeyExists(HKCU, ClassesKey(Hive::User, name)));
}

}  // namespace
}  // namespace keytidy
