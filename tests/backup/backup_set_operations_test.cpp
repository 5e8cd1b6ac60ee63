// Deleting a set by the name a user types: which names find it, what is
// left alone when none does, and a set whose files do not all go.
#include "backup/backup_set_operations.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/text.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::TempFolder;
using test::WriteFileBytes;

bool Present(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(DeleteBackupSet, FindsTheSetByItsNameAndReportsWhatIsLeft) {
  const struct {
    const char* kind;
    std::wstring name;
    BackupSetStatus status;
  } cases[] = {
      {"base name", L"RC_one", BackupSetStatus::Done},
      {"other case, descriptor extension", L"rc_ONE.Ini", BackupSetStatus::Done},
      {"script extension", L"RC_one.reg", BackupSetStatus::Done},
      {"no such set", L"RC_two", BackupSetStatus::NoSuchSet},
      {"a path, not a name", L"..\\RC_one", BackupSetStatus::NoSuchSet},
      {"an extra file's name", L"RC_one.hosts", BackupSetStatus::NoSuchSet},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    TempFolder folder;
    WriteFileBytes(folder.File(L"RC_one.ini"),
                   "[Backup]\r\nModul=RC\r\n[Files]\r\nFileCount=1\r\nhosts=C:\\x\\hosts\r\n");
    WriteFileBytes(folder.File(L"RC_one.reg"), "r");
    WriteFileBytes(folder.File(L"RC_one.hosts"), "h");

    const DeleteBackupSetResult result = DeleteBackupSet(folder.Path(), c.name, BackupDisposal::Delete);

    EXPECT_EQ(result.status, c.status);
    const bool gone = c.status == BackupSetStatus::Done;
    for (const wchar_t* file : {L"RC_one.ini", L"RC_one.reg", L"RC_one.hosts"})
      EXPECT_EQ(Present(folder.File(file)), !gone) << Utf16ToUtf8(file);
    if (gone) {
      EXPECT_EQ(result.set.FullPath_Inifile, folder.File(L"RC_one.ini"));
    }
  }
}

// A folder under the descriptor's name: the script alone is a set, and
// once it is deleted the name is still taken.
TEST(DeleteBackupSet, SaysSoWhenSomethingOfTheSetStaysBehind) {
  TempFolder folder;
  ASSERT_TRUE(CreateDirectoryW(folder.File(L"RC_blocked.ini").c_str(), nullptr));
  WriteFileBytes(folder.File(L"RC_blocked.reg"), "r");

  const DeleteBackupSetResult result = DeleteBackupSet(folder.Path(), L"RC_blocked", BackupDisposal::Delete);

  EXPECT_EQ(result.status, BackupSetStatus::FilesLeft);
  EXPECT_TRUE(result.set.Incomplete);
  EXPECT_FALSE(Present(folder.File(L"RC_blocked.reg")));
  EXPECT_TRUE(Present(folder.File(L"RC_blocked.ini")));
  RemoveDirectoryW(folder.File(L"RC_blocked.ini").c_str());
}

}  // namespace
}  // namespace keytidy
