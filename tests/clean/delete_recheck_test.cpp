// The deletion repeats each finding's test right before it records and
// deletes it: what was fixed since the search (the file is back, the data
// changed, the key got content) is unticked, kept and counted apart; what
// is still stale goes. And a key whose deletion fails half-way is put back
// whole from the record just written for it.
#include <windows.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "backup/key_record_reimport.h"
#include "backup/reg_script_text.h"
#include "platform/environment.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "scan/check_skeleton.h"
#include "clean/delete_run.h"
#include "scan/registry_cleaner.h"
#include "support/programs.h"
#include "support/real_registry.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

constexpr RootKey HKCU = ROOT_HKEY_CURRENT_USER;

class DeleteRecheck : public test::RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    run_.STOP_REQUESTED = false;
    engine_.HDDS = L"C";
  }
  DeleteRunResult Run(const DeleteOptions& options = {}) {
    DeleteOptions withFolder = options;
    withFolder.exportFolder = folder_.Path();
    return RC_DeleteRun(engine_, folder_.File(L"Backups"), withFolder);
  }

  test::TempFolder folder_;
  TResultTree tree_;
  RunControl run_;
  TRegistryCleaner engine_{&tree_, run_};
};

// What happens between the search and the deletion, and what the deletion
// must then do with the finding.
struct RecheckRow {
  const char* label;
  EvidenceTest test;
  bool valueFinding;
  // Changes the world after the finding was reported; `file` is the
  // tested file or folder, `key` the finding's key.
  std::function<void(const std::wstring& file, const std::wstring& key)> meanwhile;
  bool stillStale;
};

void Nothing(const std::wstring&, const std::wstring&) {}

const RecheckRow kRecheckRows[] = {
    {"file still missing", EvidenceTest::FileMissing, true, Nothing, true},
    {"file recreated", EvidenceTest::FileMissing, true,
     [](const std::wstring& file, const std::wstring&) { test::WriteFileBytes(file, "back"); }, false},
    {"value data changed", EvidenceTest::FileMissing, true,
     [](const std::wstring&, const std::wstring& key) {
       Reg_WriteString(HKCU, key, L"ref", L"C:\\elsewhere\\other.exe");
     },
     false},
    {"value type changed", EvidenceTest::NotRepeatable, true,
     [](const std::wstring&, const std::wstring& key) {
       const DWORD one = 1;
       Reg_WriteValue(HKCU, key, L"ref", &one, sizeof(one), REG_DWORD);
     },
     false},
    {"untestable, data unchanged", EvidenceTest::NotRepeatable, true, Nothing, true},
    {"folder came back", EvidenceTest::FolderMissing, true,
     [](const std::wstring& file, const std::wstring&) { CreateDirectoryW(file.c_str(), nullptr); }, false},
    {"empty key still empty", EvidenceTest::KeyEmpty, false, Nothing, true},
    {"empty key got a value", EvidenceTest::KeyEmpty, false,
     [](const std::wstring&, const std::wstring& key) { Reg_WriteString(HKCU, key + L"\\empty", L"new", L"x"); },
     false},
    {"empty key got a sub-key", EvidenceTest::KeyEmpty, false,
     [](const std::wstring&, const std::wstring& key) { Reg_WriteString(HKCU, key + L"\\empty\\child", L"", L"x"); },
     false},
};

TEST_F(DeleteRecheck, WhatIsNoLongerStaleIsKeptUntickedAndCountedApart) {
  for (const RecheckRow& row : kRecheckRows) {
    SCOPED_TRACE(row.label);
    tree_.Clear();
    const std::wstring key = Path(Utf8ToUtf16(row.label));
    const std::wstring file = folder_.File(L"gone " + Utf8ToUtf16(row.label) + L".exe");
    PVirtualNode node = nullptr;
    if (row.valueFinding) {
      RawWriteString(HKCU, key, L"ref", file);
      node = Report_Finding(engine_, CheckId::Shared, FilterCategory::Shared, file, L"ref", {HKCU, key, L"ref"},
                            DeleteTarget::Value, {row.test, file});
    } else {
      RawCreateKey(HKCU, key + L"\\empty");
      node = Report_Finding(engine_, CheckId::EmptySoftwareKeys, FilterCategory::Software, L"", L"empty",
                            {HKCU, key + L"\\empty", L""}, DeleteTarget::Key, {row.test, key + L"\\empty"});
    }
    ASSERT_TRUE(node);
    row.meanwhile(file, key);

    const DeleteRunResult result = Run();
    EXPECT_EQ(result.checked, 1u);
    EXPECT_EQ(result.removed, row.stillStale ? 1u : 0u);
    EXPECT_EQ(result.noLongerStale, row.stillStale ? 0u : 1u);
    EXPECT_EQ(result.NotRemoved(), 0u);
    if (row.stillStale) {
      EXPECT_TRUE(tree_.IsEmpty());
    } else {
      ASSERT_EQ(tree_.NodeCount(), 1u);  // kept, so the user still sees it
      EXPECT_FALSE(IsTicked(tree_.NodeAt(0)));
      EXPECT_FALSE(GetEntry(tree_.NodeAt(0))->RemoveFromTree);
    }
    const bool present = row.valueFinding ? RawValueExists(HKCU, key, L"ref") : RawKeyExists(HKCU, key + L"\\empty");
    EXPECT_EQ(present, !row.stillStale);
    // Nothing that stayed was recorded.
    if (!row.stillStale) {
      EXPECT_EQ(GetFileAttributesW(result.scriptPath.c_str()), INVALID_FILE_ATTRIBUTES);
    }
  }
}

// A type library registered between the search and the deletion makes
// the references to it good again.
TEST_F(DeleteRecheck, TypeLibraryTestIsRepeated) {
  for (const bool registeredMeanwhile : {false, true}) {
    SCOPED_TRACE(registeredMeanwhile ? "registered meanwhile" : "still unregistered");
    tree_.Clear();
    test::RealRegistryFixture classes;
    const std::wstring libid =
        L"{6B7F1D4A-0000-4000-8000-00000000" + std::to_wstring(1000 + registeredMeanwhile) + L"}";
    RawCreateKey(HKCU, Path(L"lib"));
    Report_Finding(engine_, CheckId::ComTypeLibInvalid, FilterCategory::Com, L"", L"lib", {HKCU, Path(L"lib"), L""},
                   DeleteTarget::Key, {EvidenceTest::TypeLibNotRegistered, libid});
    if (registeredMeanwhile) classes.WriteString(ROOT_HKEY_CLASSES_ROOT, L"TypeLib\\" + libid + L"\\1.0", L"", L"Lib");
    const DeleteRunResult result = Run();
    EXPECT_EQ(result.removed, registeredMeanwhile ? 0u : 1u);
    EXPECT_EQ(result.noLongerStale, registeredMeanwhile ? 1u : 0u);
    EXPECT_EQ(RawKeyExists(HKCU, Path(L"lib")), registeredMeanwhile);
  }
}

// A stand-in delete that removes one sub-key and then fails, as a key with
// a sub-key the user may not delete does on Windows. Under Wine the tests
// run with every right, so no real key refuses deletion.
bool DeleteOneSubKeyThenFail(RootKey root, const std::wstring& key) {
  RegDeleteTreeW(RootKeyHandle(root), (key + L"\\first").c_str());
  return false;
}

TEST_F(DeleteRecheck, HalfDeletedKeyIsPutBackWholeAndCountsAsNotRemoved) {
  RawWriteString(HKCU, Path(L"earlier"), L"v", L"old");
  RawWriteString(HKCU, Path(L"half\\first"), L"a", L"1");
  RawWriteString(HKCU, Path(L"half\\first\\deeper"), L"b", L"2");
  RawWriteString(HKCU, Path(L"half\\second"), L"c", L"3");
  // An earlier record in the same script must not be brought back.
  PVirtualNode earlier = tree_.AddChild(CheckType::TriStateCheckBox, CheckState::Checked);
  GetEntry(earlier)->DeleteValue = true;
  GetEntry(earlier)->Delete_Root = HKCU;
  GetEntry(earlier)->Delete_Key = Path(L"earlier");
  GetEntry(earlier)->Delete_Value = L"v";
  PVirtualNode half = tree_.AddChild(CheckType::TriStateCheckBox, CheckState::Checked);
  GetEntry(half)->DeleteKey = true;
  GetEntry(half)->Delete_Root = HKCU;
  GetEntry(half)->Delete_Key = Path(L"half");

  DeleteOptions options;
  options.deleteKey = DeleteOneSubKeyThenFail;
  const DeleteRunResult result = Run(options);
  EXPECT_EQ(result.checked, 2u);
  EXPECT_EQ(result.removed, 1u);
  EXPECT_EQ(result.NotRemoved(), 1u);
  ASSERT_EQ(tree_.NodeCount(), 1u);
  EXPECT_TRUE(IsTicked(tree_.NodeAt(0)));
  EXPECT_EQ(Reg_ReadString(HKCU, Path(L"half\\first"), L"a"), L"1");
  EXPECT_EQ(Reg_ReadString(HKCU, Path(L"half\\first\\deeper"), L"b"), L"2");
  EXPECT_EQ(Reg_ReadString(HKCU, Path(L"half\\second"), L"c"), L"3");
  EXPECT_FALSE(RawValueExists(HKCU, Path(L"earlier"), L"v"));
}

// Which part of a script is the record just written, for both ways a
// writer may add records (in front of the older ones, or after them).
TEST(KeyRecordWrittenSince, FindsTheNewBlockOrNothing) {
  const std::wstring older = L"[HKEY_CURRENT_USER\\Other]\r\n\"v\"=\"x\"\r\n\r\n";
  const std::wstring record = L"[HKEY_CURRENT_USER\\K]\r\n\"a\"=\"1\"\r\n\r\n[HKEY_CURRENT_USER\\K\\sub]\r\n\r\n";
  const std::wstring foreign = L"[HKEY_CURRENT_USER\\Kx]\r\n\r\n";
  const std::string header = RegScriptHeaderBytes();
  const auto bytes = [&](const std::wstring& text) { return header + RegScriptBytes(text); };
  struct Case {
    const char* label;
    std::string script;
    std::uint64_t sizeBefore;
    std::optional<std::wstring> expected;
  };
  const Case cases[] = {
      {"new script", bytes(record), 0, record},
      {"written in front", bytes(record + older), bytes(older).size(), record},
      {"written after", bytes(older + record), bytes(older).size(), record},
      {"new block names another key", bytes(foreign + older), bytes(older).size(), std::nullopt},
      {"nothing written", bytes(older), bytes(older).size(), std::nullopt},
      {"script shrank", bytes(L""), bytes(older).size(), std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Backup_RecordWrittenSince(c.script, c.sizeBefore, HKCU, L"K"), c.expected) << c.label;
}

}  // namespace
}  // namespace keytidy

namespace keytidy {
namespace {

// The cheap tests of the file-type, open-with and installer checks are
// repeated against the registry as it is right before the deletion, never
// against what the search saw: each row runs the real check, mends (or
// leaves) the fault, and deletes.
class FreshLook : public test::CheckTest {
 public:
  std::wstring UserRecord(const std::wstring& extension) const {
    return L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\" + extension;
  }
  test::RealRegistryFixture& Registry() { return registry; }

 protected:
  FreshLook() : previousSid_(InteractiveUserSid()) { Set_InteractiveUserSid(GetInteractiveUserSid()); }
  ~FreshLook() override { Set_InteractiveUserSid(previousSid_); }

  KeyList keys;

 private:
  std::wstring previousSid_;
};

constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;
constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
const std::wstring kInstallerFolders = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";

enum class FreshCheck { LinkMissing, EmptyClass, InvalidOpenWith, EmptyOpenWith, InstallerFolder };

struct FreshRow {
  const char* label;
  FreshCheck check;
  // `name` is the row's own extension, class or folder.
  std::function<void(FreshLook&, const std::wstring& name)> meanwhile;
  bool stillStale;
};

void Leave(FreshLook&, const std::wstring&) {}

const FreshRow kFreshRows[] = {
    {"class still missing", FreshCheck::LinkMissing, Leave, true},
    {"class registered meanwhile", FreshCheck::LinkMissing,
     [](FreshLook& t, const std::wstring& name) { t.Registry().CreateKey(HKCR, L"Keytidy.Fresh" + name); }, false},
    {"empty class key still empty", FreshCheck::EmptyClass, Leave, true},
    {"empty class key got a value", FreshCheck::EmptyClass,
     [](FreshLook& t, const std::wstring& name) { t.Registry().WriteString(HKCR, name, L"EditFlags", L""); }, false},
    {"empty class key got a sub-key", FreshCheck::EmptyClass,
     [](FreshLook& t, const std::wstring& name) { t.Registry().CreateKey(HKCR, name + L"\\shell"); }, false},
    {"open-with record still unused", FreshCheck::InvalidOpenWith, Leave, true},
    {"extension registered meanwhile", FreshCheck::InvalidOpenWith,
     [](FreshLook& t, const std::wstring& name) { t.Registry().CreateKey(HKCR, name); }, false},
    {"user chose a registered program meanwhile", FreshCheck::InvalidOpenWith,
     [](FreshLook& t, const std::wstring& name) {
       t.Registry().WriteString(ROOT_HKEY_CURRENT_USER, t.UserRecord(name) + L"\\UserChoice", L"ProgId", L"txtfile");
     },
     false},
    {"empty open-with record got a list entry", FreshCheck::EmptyOpenWith,
     [](FreshLook& t, const std::wstring& name) {
       t.Registry().WriteString(ROOT_HKEY_CURRENT_USER, t.UserRecord(name) + L"\\OpenWithList", L"a", L"notepad.exe");
     },
     false},
    {"installer folder still missing", FreshCheck::InstallerFolder, Leave, true},
    {"installer folder created meanwhile", FreshCheck::InstallerFolder,
     [](FreshLook&, const std::wstring& name) { CreateDirectoryW(name.c_str(), nullptr); }, false},
};

TEST_F(FreshLook, CheapTestsAreRepeatedAgainstTheRegistryAsItIsNow) {
  for (std::size_t i = 0; i < std::size(kFreshRows); ++i) {
    const FreshRow& row = kFreshRows[i];
    SCOPED_TRACE(row.label);
    tree.Clear();
    const std::wstring n = std::to_wstring(i);
    std::wstring name;
    RootKey root = ROOT_HKEY_CURRENT_USER;
    std::wstring key, value;
    switch (row.check) {
      case FreshCheck::LinkMissing:
        name = L".keytidyfresh" + n;
        registry.WriteString(HKCR, name, L"", L"Keytidy.Fresh" + name);
        keys = {name};
        engine.SEARCH_FILEFORMAT_LINKMISSING(keys, CheckId::FileFormatLinkMissing, FilterCategory::FileTypes);
        root = HKCR, key = name;
        break;
      case FreshCheck::EmptyClass:
        name = L"KeytidyFreshEmpty" + n;
        registry.CreateKey(HKCR, name);
        keys = {name};
        engine.SEARCH_FILEFORMAT_EMPTY(keys, CheckId::FileFormatEmpty, FilterCategory::FileTypes);
        root = HKCR, key = name;
        break;
      case FreshCheck::InvalidOpenWith:
      case FreshCheck::EmptyOpenWith:
        name = L".keytidyfreshow" + n;
        if (row.check == FreshCheck::InvalidOpenWith)
          registry.WriteString(ROOT_HKEY_CURRENT_USER, UserRecord(name) + L"\\OpenWithProgids", L"Keytidy.Gone", L"");
        else
          registry.CreateKey(ROOT_HKEY_CURRENT_USER, UserRecord(name) + L"\\OpenWithList");
        key = UserRecord(name);
        Reg_RedirectCurrentUser(root, key);
        engine.SEARCH_EMPTYOPENWITH(CheckId::EmptyOpenWith, FilterCategory::FileTypes);
        engine.SEARCH_INVALID_OPENWITH(CheckId::InvalidOpenWith, FilterCategory::FileTypes);
        break;
      case FreshCheck::InstallerFolder:
        name = T(L"{T}\\gone " + n + L"\\");
        registry.WriteString(HKLM, kInstallerFolders, name, L"");
        engine.SEARCH_INSTALLERPATH(CheckId::InstallerPath, FilterCategory::Software);
        root = HKLM, key = kInstallerFolders, value = name;
        break;
    }
    // Only the row's own finding is deleted; the prefix has findings of its own.
    std::size_t ours = 0;
    for (PVirtualNode node : tree) {
      const TTreeData_RegCleaner& e = *GetEntry(node);
      const bool mine = e.Delete_Key == key && e.Delete_Value == value;
      if (mine) {
        ++ours;
        EXPECT_NE(e.Evidence.test, EvidenceTest::NotRepeatable);
      } else {
        tree.SetCheckState(node, CheckState::Unchecked);
      }
    }
    ASSERT_EQ(ours, 1u);
    row.meanwhile(*this, name);

    const DeleteRunResult result = RC_DeleteRun(engine, temp.File(L"Backups"), {temp.Path()});
    EXPECT_EQ(result.removed, row.stillStale ? 1u : 0u);
    EXPECT_EQ(result.noLongerStale, row.stillStale ? 0u : 1u);
    const bool present = value.empty() ? Reg_KeyExists(root, key) : Reg_ValueExists(root, key, value);
    EXPECT_EQ(present, !row.stillStale);
  }
}

// A finding whose test cannot be repeated is deleted only while its whole
// key is as the search saw it: not only the value it read, but every value
// and the names of its sub-keys.
TEST_F(DeleteRecheck, AnUnrepeatableKeyFindingNeedsItsWholeKeyUnchanged) {
  struct Row {
    const char* label;
    std::function<void(const std::wstring& key)> meanwhile;
    bool stillStale;
  };
  const Row rows[] = {
      {"unchanged", [](const std::wstring&) {}, true},
      {"another value added", [](const std::wstring& key) { Reg_WriteString(HKCU, key, L"added", L"x"); }, false},
      {"another value's data changed", [](const std::wstring& key) { Reg_WriteString(HKCU, key, L"other", L"2"); },
       false},
      {"a sub-key created", [](const std::wstring& key) { Reg_WriteString(HKCU, key + L"\\child", L"", L""); }, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    tree_.Clear();
    const std::wstring key = Path(Utf8ToUtf16(row.label));
    RawWriteString(HKCU, key, L"", L"read by the check");
    RawWriteString(HKCU, key, L"other", L"1");
    ASSERT_TRUE(Report_Finding(engine_, CheckId::Shared, FilterCategory::Shared, L"", L"key", {HKCU, key, L""},
                               DeleteTarget::Key, {EvidenceTest::NotRepeatable, L""}));
    row.meanwhile(key);
    const DeleteRunResult result = Run();
    EXPECT_EQ(result.removed, row.stillStale ? 1u : 0u);
    EXPECT_EQ(result.noLongerStale, row.stillStale ? 0u : 1u);
    EXPECT_EQ(RawKeyExists(HKCU, key), !row.stillStale);
  }
}

}  // namespace
}  // namespace keytidy
