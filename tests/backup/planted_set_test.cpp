// Backup sets whose descriptor was written by someone else: names that lead
// out of the Backups folder, absolute paths, device names, targets that are
// no full paths. Such a set is listed as not ours, is never restored, and
// deleting it (by hand or through the automatic clean-up) removes only its
// own plain files; nothing outside the folder is read, copied or deleted.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "backup/auto_delete_old_backups.h"
#include "backup/backup_set_names.h"
#include "backup/backup_user_name.h"
#include "backup/backup_set_operations.h"
#include "backup/backups_manager.h"
#include "backup/reg_script_text.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "settings/date_time.h"
#include "settings/option_switches.h"
#include "support/programs.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

TEST(BackupSetNames, OnlyPlainNamesAndFullTargets) {
  const struct {
    const wchar_t* name;
    bool plain;
  } names[] = {
      {L"hosts", true},
      {L"hosts.bak", true},
      {L"COM10", true},
      {L"CONSOLE.txt", true},
      {L"", false},
      {L"x\\..\\..\\victim.txt", false},
      {L"..\\victim.txt", false},
      {L"x/../victim.txt", false},
      {L"C:\\victim.txt", false},
      {L"victim.txt:hidden", false},
      {L"NUL", false},
      {L"con", false},
      {L"COM1", false},
      {L"lpt9.log", false},
      {L"nul .txt", false},
      {L"COM\u00B9", false},
      {L"CONOUT$", false},
      {L"a..b", false},
      {L"dot.", false},
      {L"blank ", false},
      {L"wild*", false},
      {L"line\nbreak", false},
  };
  for (const auto& c : names) EXPECT_EQ(Backup_IsPlainFileName(c.name), c.plain) << Utf16ToUtf8(c.name);

  const struct {
    const wchar_t* target;
    bool accepted;
  } targets[] = {
      {L"C:\\Windows\\System32\\drivers\\etc\\hosts", true},
      {L"\\\\server\\share\\file.txt", true},
      {L"victim.txt", false},
      {L"\\victim.txt", false},
      {L"C:victim.txt", false},
      {L"C:\\a\\..\\victim.txt", false},
      {L"C:\\a\\\\victim.txt", false},
      {L"C:\\dir\\", false},
      {L"C:\\NUL", false},
      {L"C:\\dir\\com1.txt", false},
      {L"\\\\.\\NUL", false},
      {L"\\\\?\\C:\\victim.txt", false},
      {L"\\\\server", false},
      {L"1:\\victim.txt", false},
  };
  for (const auto& c : targets) EXPECT_EQ(Backup_IsRestoreTarget(c.target), c.accepted) << Utf16ToUtf8(c.target);

  EXPECT_TRUE(Backup_IsFileInFolder(L"C:\\b\\Backups\\RC_1.ini", L"C:\\b\\Backups"));
  EXPECT_TRUE(Backup_IsFileInFolder(L"c:\\B\\backups\\RC_1.ini", L"C:\\b\\Backups"));
  EXPECT_FALSE(Backup_IsFileInFolder(L"C:\\b\\Backups\\sub\\RC_1.ini", L"C:\\b\\Backups"));
  EXPECT_FALSE(Backup_IsFileInFolder(L"C:\\b\\Backups2\\RC_1.ini", L"C:\\b\\Backups"));
  EXPECT_FALSE(Backup_IsFileInFolder(L"C:\\b\\Backups\\", L"C:\\b\\Backups"));
}

// Answers every question with yes.
class YesFrontEnd : public TFrontEnd {
 public:
  bool AskYesNo(const std::wstring&, const std::wstring&, bool& dontAskAgain) override {
    dontAskAgain = false;
    return true;
  }
};

// A folder with the Backups folder inside and, beside it, a file that a
// planted descriptor names (the victim) and one it would overwrite.
class PlantedSet : public test::RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    CreateDirectoryW(backups_.c_str(), nullptr);
    WriteFileBytes(victim_, "victim");
    WriteFileBytes(target_, "current");
    WriteFileBytes(ownTarget_, "own current");
    manager_.BackupFolder = backups_;
  }

  // The set RC_planted, 40 days old, made by this user: a script that
  // writes into the sandbox, one extra file of its own and the planted
  // line `name`=`target` in section "Files".
  void Plant(const std::wstring& name, const std::wstring& target) {
    const std::string ini =
        "[Backup]\r\nDateTime=" + Utf16ToUtf8(FormatDateTime_Fixed(Now_Local() - 40.5)) +
        "\r\nModul=RC\r\nAction=RC_DELETED\r\nDisplay=1\r\nUser=" + Utf16ToUtf8(Get_BackupUserName()) +
        "\r\nSavedKeys=0\r\nSavedValues=1\r\n[Files]\r\nFileCount=2\r\nown=" + Utf16ToUtf8(ownTarget_) + "\r\n" +
        Utf16ToUtf8(name) + "=" + Utf16ToUtf8(target) + "\r\n";
    WriteFileBytes(File(L"RC_planted.ini"), ini);
    WriteFileBytes(File(L"RC_planted.reg"),
                   RegScriptHeaderBytes() +
                       RegScriptBytes(L"[HKEY_CURRENT_USER\\" + Path() + L"]\r\n\"planted\"=dword:00000001\r\n\r\n"));
    WriteFileBytes(File(L"RC_planted.own"), "own copy");
    // A plain name's copy is the set's own file, whatever its target.
    if (Backup_IsPlainFileName(name)) WriteFileBytes(File(L"RC_planted." + name), "planted copy");
  }
  std::wstring File(const std::wstring& name) const { return backups_ + L"\\" + name; }
  static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  // Nothing outside the Backups folder was touched.
  void ExpectOutsideUntouched() {
    EXPECT_EQ(ReadFileBytes(victim_), "victim");
    EXPECT_EQ(ReadFileBytes(target_), "current");
    EXPECT_EQ(ReadFileBytes(ownTarget_), "own current");
  }
  void ExpectOnlyItsOwnFilesGone(const std::wstring& plantedName) {
    for (const wchar_t* name : {L"RC_planted.ini", L"RC_planted.reg", L"RC_planted.own"})
      EXPECT_FALSE(Exists(File(name))) << Utf16ToUtf8(name);
    if (Backup_IsPlainFileName(plantedName)) {
      EXPECT_FALSE(Exists(File(L"RC_planted." + plantedName)));
    }
    ExpectOutsideUntouched();
  }

  TempFolder root_;
  const std::wstring backups_ = root_.File(L"Backups");
  const std::wstring victim_ = root_.File(L"victim.txt");
  const std::wstring target_ = root_.File(L"target.txt");
  const std::wstring ownTarget_ = root_.File(L"own.txt");
  TBackupTree tree_;
  TBackups manager_{&tree_};
};

TEST_F(PlantedSet, IsListedAsNotOursNeverRestoredAndDeletedOnlyInItsFolder) {
  const struct {
    const char* kind;
    std::wstring name;
    std::wstring target;
  } cases[] = {
      // Backups\RC_planted.x\..\..\victim.txt is the victim itself.
      {"name leading out of the folder", L"x\\..\\..\\victim.txt", target_},
      {"the same with forward slashes", L"x/../../victim.txt", target_},
      {"name one folder up", L"..\\victim.txt", target_},
      {"absolute path as name", victim_, target_},
      {"device name NUL", L"NUL", target_},
      {"device name CON", L"CON", target_},
      {"device name COM1", L"COM1", target_},
      {"stream of the descriptor", L"ini:hidden", target_},
      {"relative target", L"own2", L"..\\victim.txt"},
      {"target through a parent folder", L"own2", root_.File(L"sub\\..\\victim.txt")},
      {"device as target", L"own2", L"\\\\.\\NUL"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    Plant(c.name, c.target);
    manager_.Read_Backups();
    ASSERT_EQ(tree_.NodeCount(), 1u);
    PVirtualNode row = *tree_.begin();
    EXPECT_EQ(TBackups::Data(row).FullPath_Inifile, File(L"RC_planted.ini"));
    EXPECT_TRUE(TBackups::Data(row).NotOurs);
    // The size counts its own files only.
    std::int64_t own = 0;
    for (const wchar_t* name : {L"RC_planted.ini", L"RC_planted.reg", L"RC_planted.own"})
      own += static_cast<std::int64_t>(ReadFileBytes(File(name)).size());
    if (Backup_IsPlainFileName(c.name))
      own += static_cast<std::int64_t>(ReadFileBytes(File(L"RC_planted." + c.name)).size());
    EXPECT_EQ(TBackups::Data(row).size, own);

    for (PVirtualNode each : tree_) tree_.SetSelected(each, each == row);
    const RestoreBackupSetResult restore = RestoreBackupSet(TBackups::Data(row), RestoreBackupSetRequest());
    EXPECT_EQ(restore.status, BackupSetStatus::Refused);
    EXPECT_EQ(restore.detail.refusal, RestoreRefusal::NotOurs);
    EXPECT_FALSE(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"planted"));
    ExpectOutsideUntouched();

    manager_.Delete_Selected_Backups();
    ExpectOnlyItsOwnFilesGone(c.name);
  }
}

// The automatic clean-up deletes old sets through the same manager: a
// planted old set loses its own files and nothing else.
TEST_F(PlantedSet, AutomaticCleanUpDeletesOnlyItsOwnFiles) {
  const std::wstring askName = Describe(OptionSwitch::Backups_Ask_Before_AutoDelete).name;
  Reg_WriteInteger(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, askName, 1);
  TOptionSwitches switches;
  switches.SetChecked(OptionSwitch::Backups_Ask_Before_AutoDelete, true);
  switches.SetChecked(OptionSwitch::Backups_UseRecycleBin, false);
  switches.SetBackupAge(BackupAutoDelete::Days7);
  YesFrontEnd yes;
  for (const std::wstring& name : {std::wstring(L"x\\..\\..\\victim.txt"), std::wstring(L"x/../../victim.txt")}) {
    SCOPED_TRACE(Utf16ToUtf8(name));
    AutoDeleteOldBackups_Reset();
    FirstArgument.clear();
    Plant(name, target_);
    EXPECT_EQ(AutoDeleteOldBackups(backups_, switches, yes), 1);
    ExpectOnlyItsOwnFilesGone(name);
  }
  Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, askName);
  AutoDeleteOldBackups_Reset();
}

}  // namespace
}  // namespace keytidy
