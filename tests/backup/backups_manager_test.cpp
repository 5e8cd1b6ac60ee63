// The backup manager on real folders: rows read from descriptors (with the
// date fallback and extra files), ages, selection, sorting, whose set it
// is, restoring and deleting.
#include "backup/backups_manager.h"

#include <windows.h>

#include <cwchar>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "backup/backup_age.h"
#include "backup/backup_extra_files.h"
#include "backup/backup_set_operations.h"
#include "backup/reg_script_text.h"
#include "platform/text.h"
#include "settings/date_time.h"
#include "support/programs.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

std::string Utf8(const std::wstring& text) { return Utf16ToUtf8(text); }

class BackupManager : public test::RegistrySandbox {
 protected:
  BackupManager() { manager_.BackupFolder = folder_.Path(); }

  // A set's descriptor; `daysOld` < 0 writes no DateTime.
  std::wstring AddSet(const std::wstring& base, double daysOld, const std::string& extra = "",
                      const std::string& user = "anna") {
    std::string ini = "[Backup]\r\n";
    if (daysOld >= 0) ini += "DateTime=" + Utf8(FormatDateTime_Fixed(Now_Local() - daysOld)) + "\r\n";
    ini += "Modul=RC\r\nAction=RC_DELETED\r\nDisplay=" + Utf8(base) + "\r\nUser=" + user +
           "\r\nSavedKeys=1\r\nSavedValues=2\r\n" + extra;
    const std::wstring path = folder_.File(base + L".ini");
    WriteFileBytes(path, ini);
    return path;
  }

  PVirtualNode Row(const std::wstring& display) {
    for (PVirtualNode row : tree_)
      if (TBackups::Data(row).Display == display) return row;
    return nullptr;
  }
  void SelectOnly(const std::wstring& display) {
    for (PVirtualNode row : tree_) tree_.SetSelected(row, TBackups::Data(row).Display == display);
  }

  // Puts the whole set named `name` back, as the screen and the console do.
  RestoreBackupSetResult Restore(const std::wstring& name) {
    return RestoreBackupSet(folder_.Path(), name, RestoreBackupSetRequest());
  }

  TempFolder folder_;
  TBackupTree tree_;
  TBackups manager_{&tree_};
};

TEST_F(BackupManager, ReadsRowsWithSizesDatesAndExtraFiles) {
  AddSet(L"RC_a", 3);
  WriteFileBytes(folder_.File(L"RC_a.reg"), std::string(100, 'x'));
  AddSet(L"RC_nodate", -1);
  AddSet(L"RC_files", 2, "[Files]\r\nFileCount=1\r\nhosts=C:\\somewhere\\hosts\r\n");
  WriteFileBytes(folder_.File(L"RC_files.hosts"), std::string(50, 'h'));
  WriteFileBytes(folder_.File(L"notes.txt"), "not a set");

  manager_.Read_Backups();
  ASSERT_EQ(tree_.NodeCount(), 3u);
  const TTreeData_Backup& a = TBackups::Data(Row(L"RC_a"));
  EXPECT_EQ(a.Modul, L"RC");
  EXPECT_EQ(a.Action, L"RC_DELETED");
  EXPECT_EQ(a.User, L"anna");
  EXPECT_EQ(a.FullPath_regfile, folder_.File(L"RC_a.reg"));
  EXPECT_EQ(a.size, 100 + static_cast<std::int64_t>(ReadFileBytes(folder_.File(L"RC_a.ini")).size()));
  EXPECT_EQ(manager_.Get_Days_since_Backup(Row(L"RC_a")), 3);

  // No date: the descriptor's creation time, which is today.
  EXPECT_EQ(manager_.Get_Days_since_Backup(Row(L"RC_nodate")), 0);
  EXPECT_GT(TBackups::Data(Row(L"RC_nodate")).DateTime, 0.0);

  const TTreeData_Backup& files = TBackups::Data(Row(L"RC_files"));
  EXPECT_EQ(files.size, 50 + static_cast<std::int64_t>(ReadFileBytes(folder_.File(L"RC_files.ini")).size()));
  std::int32_t keys = -1, values = -1, count = -1;
  manager_.Get_Details(Row(L"RC_files"), keys, values, count);
  EXPECT_EQ(keys, 1);
  EXPECT_EQ(values, 2);
  EXPECT_EQ(count, 1);
  std::vector<std::wstring> copies{L"stale"};
  ExtraFiles_Get_Filenames_in_BackupDir(files.FullPath_Inifile, copies);
  EXPECT_EQ(copies, std::vector<std::wstring>{folder_.File(L"RC_files.hosts")});
}

// A run that never completed its set, or a script whose descriptor is
// missing, is still listed (marked) and can be deleted like any set.
TEST_F(BackupManager, IncompleteSetsAndScriptsWithoutDescriptorAreListed) {
  AddSet(L"RC_done", 1);
  AddSet(L"RC_killed", 1, "Incomplete=1\r\n");
  WriteFileBytes(folder_.File(L"RC_cut.ini"), "");  // power lost while it was written
  WriteFileBytes(folder_.File(L"RC_killed.reg"), std::string(40, 'k'));
  WriteFileBytes(folder_.File(L"RC_2026_03_04_05_06_07_089.reg"), std::string(300, 's'));
  WriteFileBytes(folder_.File(L"Keytidy_OLD_2025_12_31_23_59_58_001.reg"), std::string(10, 's'));
  WriteFileBytes(folder_.File(L"hand made.reg"), std::string(20, 's'));
  WriteFileBytes(folder_.File(L"RC_2026_13_04_05_06_07_089.reg"), std::string(30, 's'));  // month 13

  manager_.Read_Backups();
  SYSTEMTIME stamped{2026, 3, 0, 4, 5, 6, 7, 89};
  SYSTEMTIME old{2025, 12, 0, 31, 23, 59, 58, 1};
  const struct {
    const wchar_t* file;  // the row's script
    bool incomplete;
    const wchar_t* module;
    std::optional<TDateTime> date;  // none: the file's creation time, today
    std::int64_t size;              // -1: not checked
  } rows[] = {
      {L"RC_done.reg", false, L"RC", Now_Local() - 1, -1},
      {L"RC_killed.reg", true, L"RC", Now_Local() - 1, -1},
      {L"RC_cut.reg", true, L"", std::nullopt, 0},
      {L"RC_2026_03_04_05_06_07_089.reg", true, L"RC", DateTimeFromSystemTime(stamped), 300},
      {L"Keytidy_OLD_2025_12_31_23_59_58_001.reg", true, L"Keytidy_OLD", DateTimeFromSystemTime(old), 10},
      {L"hand made.reg", true, L"", std::nullopt, 20},
      {L"RC_2026_13_04_05_06_07_089.reg", true, L"", std::nullopt, 30},
  };
  ASSERT_EQ(tree_.NodeCount(), std::size(rows));
  for (const auto& expected : rows) {
    SCOPED_TRACE(Utf8(expected.file));
    PVirtualNode found = nullptr;
    for (PVirtualNode row : tree_)
      if (TBackups::Data(row).FullPath_regfile == folder_.File(expected.file)) found = row;
    ASSERT_NE(found, nullptr);
    const TTreeData_Backup& row = TBackups::Data(found);
    EXPECT_EQ(row.Incomplete, expected.incomplete);
    EXPECT_EQ(row.Modul, expected.module);
    if (expected.date)
      EXPECT_NEAR(row.DateTime, *expected.date, 2.0 / 86400);
    else
      EXPECT_EQ(manager_.Get_Days_since_Backup(found), 0);
    if (expected.size >= 0) EXPECT_EQ(row.size, expected.size);
    EXPECT_EQ(row.FullPath_Inifile, folder_.File(std::wstring(expected.file, wcslen(expected.file) - 4) + L".ini"));
  }

  for (PVirtualNode row : tree_)
    tree_.SetSelected(row, TBackups::Data(row).FullPath_regfile == folder_.File(L"RC_2026_03_04_05_06_07_089.reg"));
  manager_.Delete_Selected_Backups();
  manager_.Read_Backups();
  EXPECT_EQ(tree_.NodeCount(), std::size(rows) - 1);
  EXPECT_EQ(GetFileAttributesW(folder_.File(L"RC_2026_03_04_05_06_07_089.reg").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(BackupManager, OldSetsAreCountedAndSelectedByWholeDays) {
  AddSet(L"three", 3.5);
  AddSet(L"ten", 10.5);
  AddSet(L"forty", 40.5);
  manager_.Read_Backups();
  EXPECT_EQ(manager_.Get_OldCount(7), 2);
  SelectOnly(L"three");
  EXPECT_EQ(manager_.Select_OldBackups(30), 1);
  EXPECT_TRUE(Row(L"forty")->selected());
  EXPECT_FALSE(Row(L"three")->selected());
  EXPECT_FALSE(Row(L"ten")->selected());
  // A date in the future counts like a past one.
  EXPECT_EQ(Backup_AgeInDays(Now_Local() + 20.5, Now_Local()), 20);
  TBackupTree empty;
  EXPECT_EQ(TBackups(&empty).Get_OldCount(0), 0);
}

TEST_F(BackupManager, TellsSetsOfOtherUsersApart) {
  const struct {
    const char* writer;
    const wchar_t* reader;
    bool different;
  } cases[] = {{"ANNA", L"anna", false}, {"Default", L"Bert", true}, {"anna", L"Default", true}};
  for (const auto& c : cases) {
    AddSet(L"set", 1, "", c.writer);
    manager_.CurrentUser = c.reader;
    manager_.Read_Backups();
    EXPECT_FALSE(manager_.created_by_different_User()) << "nothing selected";
    SelectOnly(L"set");
    EXPECT_EQ(manager_.created_by_different_User(), c.different) << c.writer;
  }
}

TEST_F(BackupManager, SortsByEachColumnInEitherDirection) {
  AddSet(L"b", 1, "", "zed");
  AddSet(L"A", 5, "", "Bert");
  AddSet(L"c", -1, "", "anna");  // dated by its creation time: newest
  WriteFileBytes(folder_.File(L"A.reg"), std::string(10, 'x'));
  const auto order = [&] {
    std::wstring text;
    for (PVirtualNode row : tree_) text += TBackups::Data(row).Display;
    return text;
  };
  manager_.SortColumn = kBackupColumn_Date;
  manager_.Read_Backups();
  EXPECT_EQ(order(), L"Abc");
  manager_.Sort(kBackupColumn_Description, true);
  EXPECT_EQ(order(), L"cbA");
  manager_.Sort(kBackupColumn_User, false);
  EXPECT_EQ(order(), L"cAb");
  manager_.Sort(kBackupColumn_Size, true);
  EXPECT_EQ(order().substr(0, 1), L"A");
  TTreeData_Backup x, y;
  EXPECT_EQ(TBackups::DefaultEvent_CompareNodes(x, y, 9), 0);
}

TEST_F(BackupManager, DeletesSelectedSetsWithTheirExtraFiles) {
  AddSet(L"RC_keep", 1);
  AddSet(L"RC_gone", 1, "[Files]\r\nFileCount=1\r\nhosts=C:\\x\\hosts\r\n");
  WriteFileBytes(folder_.File(L"RC_gone.reg"), "r");
  WriteFileBytes(folder_.File(L"RC_gone.hosts"), "h");
  manager_.Read_Backups();
  SelectOnly(L"RC_gone");
  manager_.Delete_Selected_Backups();
  for (const wchar_t* name : {L"RC_gone.ini", L"RC_gone.reg", L"RC_gone.hosts"})
    EXPECT_EQ(GetFileAttributesW(folder_.File(name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
  EXPECT_NE(GetFileAttributesW(folder_.File(L"RC_keep.ini").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(tree_.NodeCount(), 2u);  // rows stay until the folder is read again
  manager_.Read_Backups();
  EXPECT_EQ(tree_.NodeCount(), 1u);
}

TEST_F(BackupManager, RecycleBinOptionMovesTheFilesIntoTheTrash) {
  // The test run points XDG_DATA_HOME into the prefix; Wine's recycle bin
  // is the freedesktop trash below it.
  wchar_t xdg[1024] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"XDG_DATA_HOME", xdg, 1024), 0u);
  std::wstring trash = std::wstring(L"Z:") + xdg + L"/Trash/files/";
  for (wchar_t& c : trash)
    if (c == L'/') c = L'\\';
  const std::wstring unique = L"RC_recycled_" + std::to_wstring(GetTickCount());
  AddSet(unique, 1);
  WriteFileBytes(folder_.File(unique + L".reg"), "r");
  manager_.FLAG_USE_RECYCLEBIN = true;
  manager_.Read_Backups();
  SelectOnly(unique);
  manager_.Delete_Selected_Backups();
  EXPECT_EQ(GetFileAttributesW(folder_.File(unique + L".reg").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadFileBytes(trash + unique + L".reg"), "r");
  EXPECT_NE(GetFileAttributesW((trash + unique + L".ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(BackupManager, RestoreNeedsAScriptOrAnExtraFile) {
  AddSet(L"RC_empty", 1);
  TempFolder target;
  AddSet(L"RC_files", 1, "[Files]\r\nFileCount=1\r\nhosts=" + Utf8(target.File(L"hosts")) + "\r\n");
  WriteFileBytes(folder_.File(L"RC_files.hosts"), "restored");
  WriteFileBytes(target.File(L"hosts"), "current");

  EXPECT_EQ(Restore(L"RC_none").status, BackupSetStatus::NoSuchSet);
  const RestoreBackupSetResult empty = Restore(L"rc_empty.INI");
  EXPECT_EQ(empty.status, BackupSetStatus::Failed);
  EXPECT_FALSE(empty.detail.reason.empty());
  EXPECT_EQ(Restore(L"RC_files").status, BackupSetStatus::Done);
  EXPECT_EQ(ReadFileBytes(target.File(L"hosts")), "restored");
}

TEST_F(BackupManager, RestoreChecksTheRegistryInsteadOfTrustingTheExitCode) {
  AddSet(L"RC_script", 1);
  const std::wstring key = L"HKEY_CURRENT_USER\\" + Path();
  const std::wstring script = L"[" + key + L"\\back]\r\n\"v\"=dword:00000007\r\n\r\n";
  WriteFileBytes(
      folder_.File(L"RC_script.reg"), "\xFF\xFE" + [&] {
        const std::wstring text = L"Windows Registry Editor Version 5.00\r\n\r\n" + script;
        return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
      }());
  const RestoreBackupSetResult restored = Restore(L"RC_script");
  EXPECT_EQ(restored.status, BackupSetStatus::Done) << Utf8(restored.detail.reason);
  EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_CURRENT_USER, Path(L"back"), L"v"), 7);

  // A key name longer than the registry allows: reg.exe import skips its
  // lines and still exits 0. The restore fails and says what is missing.
  AddSet(L"RC_broken", 1);
  const std::wstring broken = L"Windows Registry Editor Version 5.00\r\n\r\n[" + key + L"\\" + std::wstring(300, L'k') +
                              L"]\r\n\"ok\"=dword:00000001\r\n\r\n";
  WriteFileBytes(folder_.File(L"RC_broken.reg"),
                 "\xFF\xFE" + std::string(reinterpret_cast<const char*>(broken.data()), broken.size() * 2));
  const RestoreBackupSetResult failed = Restore(L"RC_broken");
  EXPECT_EQ(failed.status, BackupSetStatus::Failed);
  EXPECT_NE(failed.detail.reason.find(L"key is missing"), std::wstring::npos) << Utf8(failed.detail.reason);
}

// A power cut while the last record was appended leaves it cut short; its
// entry was never deleted. The restore puts back everything else, says so,
// and leaves the live value the cut record names as it is. Damage anywhere
// else refuses the set: no file copied, nothing imported.
TEST_F(BackupManager, TornLastRecordIsLeftOutAndAnUnreadableScriptChangesNothing) {
  const std::wstring key = L"[HKEY_CURRENT_USER\\" + Path() + L"]\r\n";
  const std::wstring whole = key + L"\"a\"=dword:00000007\r\n\r\n";
  const struct {
    const char* kind;
    std::wstring script;
    std::string rawTail;  // bytes after the text
    bool restored;
  } cases[] = {
      {"cut line", whole + key + L"\"live\"=\"repl", "", true},
      {"dword with too few digits", whole + key + L"\"live\"=dword:000", "", true},
      {"hex list cut short", whole + key + L"\"live\"=hex:01,02,\\\r\n", "", true},
      {"zeros after the cut", whole + key + L"\"live\"=dword:0", std::string(32, '\0'), true},
      {"half a character", whole, "[", true},
      {"damage before the last record", key + L"\"live\"=dwurd:0\r\n\r\n" + whole, "", false},
      {"no header", L"", "REGEDIT4\r\n", false},
  };
  TempFolder elsewhere;
  const std::wstring target = elsewhere.File(L"hosts");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    RawWriteDword(ROOT_HKEY_CURRENT_USER, Path(), L"live", 1);
    Reg_DeleteValue(ROOT_HKEY_CURRENT_USER, Path(), L"a");
    WriteFileBytes(target, "current");
    AddSet(L"RC_torn", 1, "[Files]\r\nFileCount=1\r\nhosts=" + Utf8(target) + "\r\n");
    WriteFileBytes(folder_.File(L"RC_torn.hosts"), "restored");
    const std::string header = c.script.empty() ? "" : RegScriptHeaderBytes();
    WriteFileBytes(folder_.File(L"RC_torn.reg"), header + RegScriptBytes(c.script) + c.rawTail);
    const RestoreBackupSetResult result = Restore(L"RC_torn");

    EXPECT_EQ(result.status, c.restored ? BackupSetStatus::Done : BackupSetStatus::Refused)
        << Utf8(result.detail.reason);
    DWORD type = 0, live = 0, size = sizeof(live);
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, Path().c_str(), L"live", RRF_RT_ANY, &type, &live, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(live, 1u);
    if (c.restored) {
      EXPECT_TRUE(result.detail.tornRecordLeftOut);
      EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_CURRENT_USER, Path(), L"a"), 7);
      EXPECT_EQ(ReadFileBytes(target), "restored");
    } else {
      EXPECT_EQ(result.detail.refusal, RestoreRefusal::UnreadableScript);
      EXPECT_FALSE(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"a"));
      EXPECT_EQ(ReadFileBytes(target), "current");
    }
  }
}

}  // namespace
}  // namespace keytidy
