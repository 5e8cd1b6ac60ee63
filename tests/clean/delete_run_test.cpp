// The deletion run against the real registry and the real reg.exe: what it
// deletes, what it records, what it leaves ticked when something fails, and
// that a backup set it made puts everything back exactly.
#include "clean/delete_run.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "backup/backup_set.h"
#include "backup/backup_set_operations.h"
#include "backup/backups_manager.h"
#include "backup/reg_exe.h"
#include "backup/reg_script_reader.h"
#include "platform/registry_snapshot.h"
#include "platform/debug_log.h"
#include "platform/text.h"
#include "scan/registry_cleaner.h"
#include "settings/ini_file.h"
#include "support/programs.h"
#include "support/pumping_front_end.h"
#include "support/registry_sandbox.h"
#include "support/ticked_finding.h"

namespace keytidy {
namespace {

using test::TempFolder;

RegBytes Text(const std::wstring& text) {
  RegBytes bytes((text.size() + 1) * 2, 0);
  std::memcpy(bytes.data(), text.data(), text.size() * 2);
  return bytes;
}

struct Fixture {
  std::wstring name;
  DWORD type;
  RegBytes data;
};

const std::vector<Fixture>& OddValues() {
  static const std::vector<Fixture> values = {
      {L"", REG_SZ, Text(L"default")},
      {L"quote\"and\\backslash", REG_SZ, Text(L"C:\\dir\\\"x\"")},
      {L"\u00e9t\u00e9 \u4e2d", REG_EXPAND_SZ, Text(L"%TEMP%\\\u4e2d")},
      {L"zero inside", REG_SZ, Text(std::wstring(L"a\0b", 3))},
      {L"multi", REG_MULTI_SZ, Text(std::wstring(L"\0a\0\0b\0", 6))},
      {L"qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
      {L"big binary", REG_BINARY, RegBytes(100 * 1024, 0x5A)},
      {L"dword", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
  };
  return values;
}

using TreeSnapshot = std::map<std::wstring, std::map<std::wstring, RegValueData>>;

TreeSnapshot SnapshotTree(RootKey root, const std::wstring& key) {
  TreeSnapshot snapshot;
  for (const std::wstring& path : ListKeyTree(root, key)) snapshot[path] = ReadKeyValues(root, path).value();
  return snapshot;
}

class DeleteRun : public test::RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    run_.STOP_REQUESTED = false;
  }
  void TearDown() override {
    run_.STOP_REQUESTED = false;
    RegistrySandbox::TearDown();
  }

  PVirtualNode AddValueFinding(RootKey root, const std::wstring& key, const std::wstring& name) {
    return test::AddTickedValueFinding(tree_, root, key, name);
  }
  PVirtualNode AddKeyFinding(RootKey root, const std::wstring& key) {
    PVirtualNode node = tree_.AddChild(CheckType::TriStateCheckBox, CheckState::Checked);
    TTreeData_RegCleaner& entry = *GetEntry(node);
    entry.DeleteKey = true;
    entry.Delete_Root = root;
    entry.Delete_Key = key;
    return node;
  }
  void WriteAll(RootKey root, const std::wstring& key, const std::vector<Fixture>& values) {
    RawCreateKey(root, key);
    for (const Fixture& v : values)
      RawWrite(root, key, v.name, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
  }
  std::uint32_t TickedLeft() const {
    std::uint32_t count = 0;
    for (PVirtualNode node : tree_)
      if (IsTicked(node)) ++count;
    return count;
  }
  DeleteRunResult Run(const DeleteOptions& options = {}) {
    DeleteOptions withFolder = options;
    if (withFolder.exportFolder.empty()) withFolder.exportFolder = folder_.Path();
    return RC_DeleteRun(engine_, backups_, withFolder);
  }

  TempFolder folder_;
  std::wstring backups_ = folder_.File(L"Backups");
  TResultTree tree_;
  RunControl run_;
  TRegistryCleaner engine_{&tree_, run_};
};

// Everything the run deletes, its backup set puts back: same keys, same
// values, same types, same bytes.
TEST_F(DeleteRun, RestoringTheSetPutsBackEveryByteAndType) {
  const std::wstring valueKey = Path(L"values");
  const std::wstring treeKey = Path(L"tree \"q\\\" \u4e2d");
  WriteAll(ROOT_HKEY_CURRENT_USER, valueKey, OddValues());
  WriteAll(ROOT_HKEY_LOCAL_MACHINE, treeKey, OddValues());
  WriteAll(ROOT_HKEY_LOCAL_MACHINE, treeKey + L"\\child", {{L"", REG_DWORD, {1, 2, 3}}});
  const TreeSnapshot valuesBefore = SnapshotTree(ROOT_HKEY_CURRENT_USER, valueKey);
  const TreeSnapshot treeBefore = SnapshotTree(ROOT_HKEY_LOCAL_MACHINE, treeKey);
  for (const Fixture& v : OddValues()) AddValueFinding(ROOT_HKEY_CURRENT_USER, valueKey, v.name);
  tree_.SetVisible(AddKeyFinding(ROOT_HKEY_LOCAL_MACHINE, treeKey), false);  // hidden by a filter: still deleted

  const DeleteRunResult result = Run();
  const std::uint32_t expected = static_cast<std::uint32_t>(OddValues().size()) + 1;
  EXPECT_TRUE(result.ran);
  EXPECT_EQ(result.checked, expected);
  EXPECT_EQ(result.removed, expected);
  EXPECT_TRUE(tree_.IsEmpty());
  EXPECT_EQ(result.deleted.Stat_ValuesDeleted, OddValues().size());
  EXPECT_EQ(result.deleted.Stat_KeysDeleted, 1u);
  EXPECT_EQ(engine_.Deleted().Stat_KeysDeleted, 1u);
  EXPECT_EQ(Reg_ValueCount(ROOT_HKEY_CURRENT_USER, valueKey), 0u);
  EXPECT_FALSE(Reg_KeyExists(ROOT_HKEY_LOCAL_MACHINE, treeKey));
  const std::wstring ini = Backup_DescriptorPath(result.scriptPath);
  EXPECT_EQ(Ini_ReadInteger(ini, L"Backup", L"SavedKeys"), 1);
  EXPECT_EQ(Ini_ReadInteger(ini, L"Backup", L"SavedValues"), static_cast<int>(OddValues().size()));
  EXPECT_EQ(Ini_ReadString(ini, L"Backup", L"Display"), std::to_wstring(expected));
  EXPECT_FALSE(Backup_IsIncomplete(ini));
  // Newest record first: the key found last leads, the value found first
  // closes the script.
  const RegScriptReadResult script = RegScript_ReadFile(result.scriptPath);
  ASSERT_TRUE(script.ok);
  EXPECT_EQ(script.records.front().key, treeKey);
  EXPECT_EQ(script.records.back().key, valueKey);
  EXPECT_EQ(script.records.back().name, OddValues().front().name);

  TBackupTree rows;
  TBackups manager(&rows);
  manager.BackupFolder = backups_;
  manager.Read_Backups();
  ASSERT_EQ(rows.NodeCount(), 1u);
  EXPECT_FALSE(TBackups::Data(rows.NodeAt(0)).Incomplete);
  const RestoreBackupSetResult restore = RestoreBackupSet(TBackups::Data(rows.NodeAt(0)), RestoreBackupSetRequest());
  ASSERT_EQ(restore.status, BackupSetStatus::Done) << Utf16ToUtf8(restore.detail.reason);
  EXPECT_EQ(SnapshotTree(ROOT_HKEY_CURRENT_USER, valueKey), valuesBefore);
  EXPECT_EQ(SnapshotTree(ROOT_HKEY_LOCAL_MACHINE, treeKey), treeBefore);
}

TEST_F(DeleteRun, VanishedEntriesCountAsRemovedWithoutARecord) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"present", L"x");
  AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"present");
  AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"vanished");
  AddKeyFinding(ROOT_HKEY_CURRENT_USER, Path(L"vanished key"));

  const DeleteRunResult result = Run();
  EXPECT_EQ(result.checked, 3u);
  EXPECT_EQ(result.removed, 3u);
  EXPECT_TRUE(tree_.IsEmpty());
  const RegScriptReadResult script = RegScript_ReadFile(result.scriptPath);
  ASSERT_TRUE(script.ok);
  ASSERT_EQ(script.records.size(), 2u);  // one key line, one value line
  EXPECT_EQ(script.records[1].name, L"present");
  const std::wstring ini = Backup_DescriptorPath(result.scriptPath);
  EXPECT_EQ(Ini_ReadInteger(ini, L"Backup", L"SavedValues"), 1);
  EXPECT_EQ(Ini_ReadInteger(ini, L"Backup", L"SavedKeys"), 0);
}

TEST_F(DeleteRun, NothingTickedDoesNothing) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"v", L"x");
  tree_.SetCheckState(AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"v"), CheckState::Unchecked);
  const DeleteRunResult result = Run();
  EXPECT_FALSE(result.ran);
  EXPECT_EQ(GetFileAttributesW(backups_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(Reg_ValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"v"));
}

// The console's clean: unticked and hidden findings go as well.
TEST_F(DeleteRun, EveryFindingGoesWhateverWasTicked) {
  for (const wchar_t* name : {L"ticked", L"unticked", L"hidden"})
    RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), name, L"x");
  AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"ticked");
  tree_.SetCheckState(AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"unticked"), CheckState::Unchecked);
  tree_.SetVisible(AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"hidden"), false);
  DeleteOptions options;
  options.exportFolder = folder_.Path();
  const DeleteRunResult result = RC_DeleteEveryFinding(engine_, backups_, options);
  EXPECT_EQ(result.checked, 3u);
  EXPECT_EQ(result.removed, 3u);
  EXPECT_EQ(result.deleted.Stat_ValuesDeleted, 3u);
  EXPECT_TRUE(tree_.IsEmpty());
  EXPECT_EQ(Reg_ValueCount(ROOT_HKEY_CURRENT_USER, Path()), 0u);
}

// Whatever stops the backup, the entry stays in the registry and in the
// tree, still ticked, and counts as not removed.
TEST_F(DeleteRun, FailedBackupsLeaveEntriesAloneAndTicked) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"v", L"x");
  RawCreateKey(ROOT_HKEY_CURRENT_USER, Path(L"k"));

  // Wine runs the tests as root, so a read-only attribute stops no write;
  // a file standing where the Backups folder should be does.
  test::WriteFileBytes(backups_, "in the way");
  AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"v");
  AddKeyFinding(ROOT_HKEY_CURRENT_USER, Path(L"k"));
  DeleteRunResult result = Run();
  EXPECT_EQ(result.checked, 2u);
  EXPECT_EQ(result.removed, 0u);
  EXPECT_EQ(TickedLeft(), 2u);
  EXPECT_TRUE(Reg_ValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"v"));
  EXPECT_TRUE(Reg_KeyExists(ROOT_HKEY_CURRENT_USER, Path(L"k")));
  DeleteFileW(backups_.c_str());

  // reg.exe fails (it cannot write its export); the value beside it goes.
  tree_.Clear();
  AddKeyFinding(ROOT_HKEY_CURRENT_USER, Path(L"k"));
  AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"v");
  result = Run({folder_.File(L"no such folder")});
  EXPECT_EQ(result.removed, 1u);
  EXPECT_EQ(TickedLeft(), 1u);
  EXPECT_TRUE(Reg_KeyExists(ROOT_HKEY_CURRENT_USER, Path(L"k")));
  EXPECT_FALSE(Reg_ValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"v"));

  // A value name no script can hold cannot be recorded, so it is not deleted.
  tree_.Clear();
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"two\r\nlines", L"x");
  AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"two\r\nlines");
  result = Run();
  EXPECT_EQ(result.removed, 0u);
  EXPECT_TRUE(Reg_ValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"two\r\nlines"));
}

TEST_F(DeleteRun, StopAfterTheFirstOfTenLeavesNineTicked) {
  for (int i = 0; i < 10; ++i) {
    RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"v" + std::to_wstring(i), L"x");
    AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"v" + std::to_wstring(i));
  }
  // The Stop button's click arrives while messages are processed.
  test::PumpingFrontEnd stopAtOnce([this] { run_.STOP_REQUESTED = true; });
  engine_.FrontEnd = &stopAtOnce;
  const DeleteRunResult result = Run();
  EXPECT_EQ(result.checked, 10u);
  EXPECT_EQ(result.removed, 1u);
  EXPECT_EQ(result.NotRemoved(), 9u);
  EXPECT_EQ(TickedLeft(), 9u);
  EXPECT_EQ(Reg_ValueCount(ROOT_HKEY_CURRENT_USER, Path()), 9u);
}

TEST_F(DeleteRun, EntryWhoseValuePartWentLeavesTheTreeEvenIfItsKeyStays) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(L"k"), L"v", L"x");
  PVirtualNode node = AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(L"k"), L"v");
  GetEntry(node)->DeleteKey = true;
  const DeleteRunResult result = Run({folder_.File(L"no such folder")});
  EXPECT_EQ(result.removed, 1u);
  EXPECT_TRUE(tree_.IsEmpty());
  EXPECT_TRUE(Reg_KeyExists(ROOT_HKEY_CURRENT_USER, Path(L"k")));
  EXPECT_FALSE(Reg_ValueExists(ROOT_HKEY_CURRENT_USER, Path(L"k"), L"v"));
}

std::vector<std::wstring> refusedLines;
void CaptureRefusal(std::wstring_view line) {
  if (line.starts_with(L"DeleteKey=refused")) refusedLines.emplace_back(line);
}

// A faulty check must not be able to take a whole branch with it: roots,
// hive tops and the containers the checks walk stay, ticked and unreported
// as removed, whether they exist or not, while an ordinary key beside them
// goes.
TEST_F(DeleteRun, ContainerKeysAreRefusedAndStayTicked) {
  RawCreateKey(ROOT_HKEY_CURRENT_USER, Path(L"ordinary"));
  struct Container {
    RootKey root;
    std::wstring key;
  };
  const std::vector<Container> containers = {
      {ROOT_HKEY_LOCAL_MACHINE, L""},
      {ROOT_HKEY_CURRENT_USER, L"Software\\"},
      {ROOT_HKEY_CLASSES_ROOT, L"CLSID"},
      {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node"},
      {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
      {ROOT_HKEY_USERS, L".DEFAULT\\Software"},
      {ROOT_HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts"},
  };
  std::vector<bool> existedBefore;
  for (const Container& c : containers) {
    existedBefore.push_back(RawKeyExists(c.root, c.key));
    AddKeyFinding(c.root, c.key);
  }
  AddKeyFinding(ROOT_HKEY_CURRENT_USER, Path(L"ordinary"));

  refusedLines.clear();
  const DebugLineListener previous = Debug_SetListener(CaptureRefusal);
  const DeleteRunResult result = Run();
  Debug_SetListener(previous);

  EXPECT_EQ(result.checked, containers.size() + 1);
  EXPECT_EQ(result.removed, 1u);
  EXPECT_EQ(TickedLeft(), containers.size());
  EXPECT_EQ(result.deleted.Stat_KeysDeleted, 1u);
  EXPECT_FALSE(RawKeyExists(ROOT_HKEY_CURRENT_USER, Path(L"ordinary")));
  ASSERT_EQ(refusedLines.size(), containers.size());
  for (std::size_t i = 0; i < containers.size(); ++i) {
    const Container& c = containers[i];
    EXPECT_EQ(RawKeyExists(c.root, c.key), existedBefore[i]) << Utf16ToUtf8(c.key);
    EXPECT_EQ(refusedLines[i], L"DeleteKey=refused ; " + Reg_RootKeyName(c.root) + L"\\" + c.key);
  }
  // Nothing of the containers went into the backup script either.
  const RegScriptReadResult script = RegScript_ReadFile(result.scriptPath);
  ASSERT_TRUE(script.ok);
  for (const auto& record : script.records) EXPECT_TRUE(Contains(record.key, L"ordinary")) << Utf16ToUtf8(record.key);
}

// Volumes for fault injection, mounted by scripts/test.sh where the machine
// allows it: a read-only one and one of a few hundred kilobytes. Wine runs
// the tests as root, which ignores permissions and read-only attributes, so
// a real file system is the only way to make writes fail as they would for
// a user on Windows.
std::wstring FaultVolume(const char* variable) {
  const char* value = std::getenv(variable);
  return value ? Utf8ToUtf16(value) : std::wstring();
}

TEST_F(DeleteRun, ReadOnlyBackupVolumeDeletesNothing) {
  const std::wstring volume = FaultVolume("KEYTIDY_TEST_READONLY_VOLUME");
  if (volume.empty()) GTEST_SKIP() << "no read-only volume was mounted for this run";
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"v", L"x");
  RawCreateKey(ROOT_HKEY_CURRENT_USER, Path(L"k"));
  AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"v");
  AddKeyFinding(ROOT_HKEY_CURRENT_USER, Path(L"k"));
  // The volume's root stands for an existing Backups folder nobody may write.
  const DeleteRunResult result = RC_DeleteRun(engine_, volume, {folder_.Path()});
  EXPECT_EQ(result.checked, 2u);
  EXPECT_EQ(result.removed, 0u);
  EXPECT_EQ(TickedLeft(), 2u);
  EXPECT_TRUE(Reg_ValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"v"));
  EXPECT_TRUE(Reg_KeyExists(ROOT_HKEY_CURRENT_USER, Path(L"k")));
}

// The disk fills up in the middle of a run: what was recorded was deleted
// and what could not be recorded stays, ticked; the script on the full disk
// is whole and brings back everything that went, imported by hand with
// reg.exe as the user documentation describes.
TEST_F(DeleteRun, FullDiskEndsTheRunWithEveryDeletedValueRestorable) {
  const std::wstring volume = FaultVolume("KEYTIDY_TEST_SMALL_VOLUME");
  if (volume.empty()) GTEST_SKIP() << "no small volume was mounted for this run";
  const std::wstring backups =
      volume + L"\\" + Utf8ToUtf16(testing::UnitTest::GetInstance()->current_test_info()->name());
  constexpr int kValues = 12;
  for (int i = 0; i < kValues; ++i) {
    const RegBytes data(6000, static_cast<std::uint8_t>(i));
    RawWrite(ROOT_HKEY_CURRENT_USER, Path(), L"v" + std::to_wstring(i), REG_BINARY, data.data(),
             static_cast<DWORD>(data.size()));
    AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"v" + std::to_wstring(i));
  }
  const TreeSnapshot before = SnapshotTree(ROOT_HKEY_CURRENT_USER, Path());

  const DeleteRunResult result = RC_DeleteRun(engine_, backups, {folder_.Path()});
  EXPECT_GT(result.removed, 0u);
  EXPECT_LT(result.removed, static_cast<std::uint32_t>(kValues));
  EXPECT_EQ(TickedLeft(), kValues - result.removed);
  for (PVirtualNode node : tree_)  // exactly the entries left in the tree are left in the registry
    EXPECT_TRUE(Reg_ValueExists(ROOT_HKEY_CURRENT_USER, Path(), GetEntry(node)->Delete_Value));
  EXPECT_EQ(Reg_ValueCount(ROOT_HKEY_CURRENT_USER, Path()), kValues - result.removed);

  const RegScriptReadResult script = RegScript_ReadFile(result.scriptPath);
  ASSERT_TRUE(script.ok) << Utf16ToUtf8(script.error);
  const RegExeResult import = RegExe_Run({L"import", result.scriptPath}, folder_.Path());
  EXPECT_TRUE(import.Succeeded());
  EXPECT_EQ(SnapshotTree(ROOT_HKEY_CURRENT_USER, Path()), before);

  // Leave the small volume empty for whatever runs next.
  DeleteFileW(result.scriptPath.c_str());
  DeleteFileW(Backup_DescriptorPath(result.scriptPath).c_str());
  RemoveDirectoryW(backups.c_str());
}

// Takes reg.exe away for the life of the object. Only possible here: Wine
// lets the test (root) rename a system file, where Windows would not.
class RegExeAway {
 public:
  RegExeAway() : path_(RegExe_Path()), hidden_(path_ + L".away") {
    moved_ = MoveFileExW(path_.c_str(), hidden_.c_str(), 0) != FALSE;
  }
  ~RegExeAway() {
    if (moved_) MoveFileExW(hidden_.c_str(), path_.c_str(), 0);
  }
  bool Moved() const { return moved_; }

 private:
  std::wstring path_;
  std::wstring hidden_;
  bool moved_ = false;
};

// Without reg.exe no key can be recorded, so no key is deleted; values are
// recorded without it and still go. A restore fails with a reason and
// changes nothing.
TEST_F(DeleteRun, MissingRegExeKeepsKeysAndRestoreFailsCleanly) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"v", L"x");
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(L"k"), L"inside", L"y");
  AddValueFinding(ROOT_HKEY_CURRENT_USER, Path(), L"v");
  AddKeyFinding(ROOT_HKEY_CURRENT_USER, Path(L"k"));
  {
    RegExeAway away;
    ASSERT_TRUE(away.Moved());
    const DeleteRunResult result = Run();
    EXPECT_EQ(result.removed, 1u);
    EXPECT_EQ(TickedLeft(), 1u);
    EXPECT_TRUE(Reg_KeyExists(ROOT_HKEY_CURRENT_USER, Path(L"k")));
    EXPECT_FALSE(Reg_ValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"v"));

    TBackupTree rows;
    TBackups manager(&rows);
    manager.BackupFolder = backups_;
    manager.Read_Backups();
    ASSERT_EQ(rows.NodeCount(), 1u);
    const RestoreBackupSetResult restore = RestoreBackupSet(TBackups::Data(rows.NodeAt(0)), RestoreBackupSetRequest());
    EXPECT_NE(restore.status, BackupSetStatus::Done);
    EXPECT_FALSE(restore.detail.reason.empty());
    EXPECT_FALSE(Reg_ValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"v"));
  }
  EXPECT_NE(GetFileAttributesW(RegExe_Path().c_str()), INVALID_FILE_ATTRIBUTES);  // put back
}

}  // namespace
}  // namespace keytidy
