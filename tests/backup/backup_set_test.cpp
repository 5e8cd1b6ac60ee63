// Backup sets: names that never collide, the descriptor's keys and order,
// and the counters that travel from the writer into the descriptor and the
// usage totals.
#include "backup/backup_set.h"

#include <windows.h>

#include <regex>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "backup/backup_counters.h"
#include "backup/backup_user_name.h"
#include "settings/ini_file.h"
#include "settings/statistics.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::ReadFileBytes;
using test::TempFolder;

std::wstring FileName(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

TEST(BackupSetName, IsStampedCreatesItsFolderAndNeverRepeats) {
  TempFolder temp;
  const std::wstring folder = temp.File(L"a\\b\\Backups");
  std::set<std::wstring> names;
  for (int i = 0; i < 5; ++i) {
    const TDateTime before = Now_Local();
    const std::wstring script = Backup_Create_Filename(folder, L"RC");
    // The name alone tells module and moment, for a script that lost its
    // descriptor.
    const std::optional<BackupNameParts> parts = Backup_NameParts(script);
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->module, L"RC");
    EXPECT_NEAR(parts->stamp, before, 1.0 / 86400);
    // Each set claims its name at once, as the deletion does with its first
    // record; the next name must differ even within the same millisecond.
    test::WriteFileBytes(Backup_DescriptorPath(script), "");
    names.insert(script);
    const std::wstring wname = FileName(script);
    const std::string name(wname.begin(), wname.end());
    EXPECT_TRUE(std::regex_match(name, std::regex(R"(RC_\d{4}_\d\d_\d\d_\d\d_\d\d_\d\d_\d{3}\.reg)"))) << name;
    EXPECT_EQ(script.substr(0, folder.size() + 1), folder + L"\\");
  }
  EXPECT_EQ(names.size(), 5u);
  EXPECT_NE(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(BackupSetName, ScriptAndDescriptorPathsDifferOnlyInTheFileName) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"C:\\B\\RC_1.reg", L"C:\\B\\RC_1.ini"},
      {L"C:\\B\\RC_1.REG", L"C:\\B\\RC_1.ini"},
      {L"C:\\tools.reg\\RC_1.reg", L"C:\\tools.reg\\RC_1.ini"},
  };
  for (const auto& [script, descriptor] : cases) EXPECT_EQ(Backup_DescriptorPath(script), descriptor);
  EXPECT_EQ(Backup_ScriptPath(L"C:\\x.ini\\RC_1.INI"), L"C:\\x.ini\\RC_1.reg");
  EXPECT_EQ(Backup_DescriptorPath(L"C:\\B\\RC_1.txt"), L"");
}

// Opened when the set is made and completed at the end: in between the
// descriptor says the set is incomplete, afterwards it is exactly what a
// descriptor written only at the end would be.
TEST(BackupSetDescriptor, ListsItsKeysInOrderAndMovesTheCountersToTheTotals) {
  TempFolder temp;
  const std::wstring script = Backup_Create_Filename(temp.Path(), L"RC");
  ASSERT_TRUE(Backup_Begin_Inifile(script, L"RC", L"RC_DELETED"));
  EXPECT_TRUE(Backup_IsIncomplete(Backup_DescriptorPath(script)));
  EXPECT_GT(Ini_ReadDateTime(Backup_DescriptorPath(script), L"Backup", L"DateTime"), 0.0);
  EXPECT_EQ(Ini_ReadString(Backup_DescriptorPath(script), L"Backup", L"Modul"), L"RC");
  const BackupCounters counted{2, 5};
  const auto total = [](const wchar_t* name) { return Reg_ReadInt64(ROOT_HKEY_LOCAL_MACHINE, kStatsKey, name); };
  const std::int64_t created = total(kStats_BackupsCreated);
  const std::int64_t keys = total(kStats_BackupsSavedKeys);
  const std::int64_t values = total(kStats_BackupsSavedValues);

  ASSERT_TRUE(Backup_Write_Inifile(script, L"RC", L"RC_DELETED", L"7", true, counted));

  const std::wstring ini = Backup_DescriptorPath(script);
  const std::string text = ReadFileBytes(ini);
  const std::regex order(
      "\\[Backup\\]\\r\\nDateTime=[^\\r]+\\r\\nModul=RC\\r\\nAction=RC_DELETED\\r\\nDisplay=7\\r\\n"
      "User=[^\\r]+\\r\\nSavedKeys=2\\r\\nSavedValues=5\\r\\n");
  EXPECT_TRUE(std::regex_match(text, order)) << text;
  EXPECT_FALSE(Backup_IsIncomplete(ini));
  EXPECT_EQ(Ini_ReadString(ini, L"Backup", L"User"), Get_BackupUserName());
  EXPECT_GT(Ini_ReadDateTime(ini, L"Backup", L"DateTime"), 0.0);
  EXPECT_EQ(total(kStats_BackupsCreated), created + 1);
  EXPECT_EQ(total(kStats_BackupsSavedKeys), keys + 2);
  EXPECT_EQ(total(kStats_BackupsSavedValues), values + 5);
  // Nothing was recorded: the set has its descriptor and no script.
  EXPECT_EQ(GetFileAttributesW(script.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(BackupSetDescriptor, OmitsAnEmptyActionAndTheStampWhenNotAsked) {
  TempFolder temp;
  const std::wstring script = Backup_Create_Filename(temp.Path(), L"RC");
  ASSERT_TRUE(Backup_Write_Inifile(script, L"RC", L"", L"0", false, BackupCounters{}));
  const std::wstring ini = Backup_DescriptorPath(script);
  EXPECT_FALSE(Ini_ValueExists(ini, L"Backup", L"Action"));
  EXPECT_FALSE(Ini_ValueExists(ini, L"Backup", L"DateTime"));
  EXPECT_EQ(Ini_ReadInteger(ini, L"Backup", L"SavedKeys"), 0);
  EXPECT_FALSE(Backup_Write_Inifile(L"", L"RC", L"", L"0", true, BackupCounters{}));
}

}  // namespace
}  // namespace keytidy
