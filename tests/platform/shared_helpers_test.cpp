// The small helpers the screens share: size texts, module codes, the text
// after a separator, user names, file queries, recycling and environment
// expansion.
#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "backup/backup_user_name.h"
#include "backup/module_codes.h"
#include "lang/format_size.h"
#include "platform/expand_environment.h"
#include "platform/file_queries.h"
#include "platform/fixed_drives.h"
#include "platform/recycle_bin.h"
#include "platform/text.h"
#include "platform/text_after_last.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::TempFolder;

TEST(FormatSize, UnitsAndRoundingHalvesToEven) {
  const struct {
    std::int64_t bytes;
    const wchar_t* text;
  } cases[] = {
      {0, L"0 Byte"},
      {1, L"1 Bytes"},
      {10239, L"10239 Bytes"},
      {10240, L"10 KB"},
      {10752, L"10 KB"},  // 10.5 goes down to the even 10
      {11776, L"12 KB"},  // 11.5 goes up to the even 12
      {11265, L"11 KB"},  // just above 11 KB rounds to the nearest
      {10485759, L"10240 KB"},
      {10485760, L"10 MB"},
      {11010048, L"10 MB"},                          // 10.5 MB
      {(1LL << 53) + 524288 * 3, L"8589934594 MB"},  // exact beyond a double's halves
      {-5, L"-5 Bytes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(Format_Size(c.bytes, L"Byte", L"Bytes"), c.text);
  }
}

TEST(ModuleCodes, KnownCodesMatchExactly) {
  EXPECT_EQ(Get_ModuleIcon(L"OPTIONS"), 23);
  EXPECT_EQ(Get_ModuleIcon(L"BACKUPS"), 29);
  EXPECT_EQ(Get_ModuleIcon(L"RC"), 86);
  EXPECT_EQ(Get_ModuleIcon(L"options"), -1);
  EXPECT_EQ(Get_ModuleIcon(L""), -1);
  EXPECT_EQ(ModuleNameKey(L"RC"), MessageKey::MESSAGE_MODULNAME_RC);
  EXPECT_EQ(ModuleNameKey(L"BACKUPS"), MessageKey::MESSAGE_MODULE_BACKUPS);
  EXPECT_EQ(ModuleNameKey(L"OPTIONS"), MessageKey::MESSAGE_MODULE_OPTIONS);
  EXPECT_EQ(ModuleNameKey(L"Rc"), std::nullopt);
  // The family's other codes have a cell of their own, not the error cell,
  // and no name.
  EXPECT_EQ(Get_ModuleIcon(L"ADS"), 91);
  EXPECT_EQ(Get_ModuleIcon(L"TASKPLANER"), 94);
  EXPECT_EQ(ModuleNameKey(L"ADS"), std::nullopt);
  EXPECT_EQ(Get_ModuleName(L"TASKPLANER"), L"");
  EXPECT_EQ(Get_ModuleName(L"Backups"), L"");
}

TEST(TextAfterLast, FinalSeparatorIsNeverTheOneFound) {
  const struct {
    const wchar_t* text;
    const wchar_t* separator;
    const wchar_t* expected;
  } cases[] = {
      {L"a\\b\\", L"\\", L"b\\"}, {L"C:\\skins\\dark", L"\\", L"dark"},
      {L"\\", L"\\", L""},        {L"ab", L"\\", L""},
      {L"a\\", L"\\", L""},       {L"\\a", L"\\", L"a"},
      {L"x::y::", L"::", L"y::"}, {L"x::y:", L"::", L"y:"},
      {L"x::", L"::", L""},       {L"abc", L"", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "text " << c.text << " separator " << c.separator);
    EXPECT_EQ(Get_TextAfterLast(c.text, c.separator), c.expected);
  }
}

// Registry names may hold a surrogate without its partner; the UTF-8 for
// other programs must stay valid and keep everything else as it was.
TEST(Utf16ToUtf8Replacing, ValidTextIsExactAndLoneSurrogatesBecomeReplacementCharacters) {
  const struct {
    std::wstring text;
    std::string expected;
  } cases[] = {
      {L"", ""},
      {L"plain \\ \"quoted\"", "plain \\ \"quoted\""},
      {L"\u00e4\u20ac", "\xC3\xA4\xE2\x82\xAC"},
      {std::wstring{L'a', wchar_t(0xD83D), wchar_t(0xDE00), L'b'},
       "a\xF0\x9F\x98\x80"
       "b"},
      {std::wstring{L'a', wchar_t(0xD800), L'b'},
       "a\xEF\xBF\xBD"
       "b"},
      {std::wstring{wchar_t(0xDC00), wchar_t(0xD800)}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {std::wstring{L'x', wchar_t(0xDBFF)}, "x\xEF\xBF\xBD"},
      {std::wstring(1, L'\0') + L"z", std::string(1, '\0') + "z"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(Utf16ToUtf8Replacing(c.text), c.expected);
  }
}

TEST(BackupUserName, ShortOrNonLetterNamesBecomeDefault) {
  const struct {
    const wchar_t* name;
    const wchar_t* expected;
  } cases[] = {
      {L"Al", L"Default"},  {L"_svc", L"Default"}, {L"\u00C9mile", L"Default"}, {L"anna", L"anna"}, {L"", L"Default"},
      {L"1st", L"Default"}, {L"Zed", L"Zed"},
  };
  for (const auto& c : cases) EXPECT_EQ(BackupUserNameFor(c.name), c.expected) << c.name;
  // Wine's process user is "root".
  wchar_t name[257] = {};
  DWORD size = ARRAYSIZE(name);
  ASSERT_TRUE(GetUserNameW(name, &size));
  EXPECT_EQ(Get_BackupUserName(), BackupUserNameFor(name));
}

TEST(FixedDrives, LettersAreFixedDisksInOrderWithoutA) {
  const std::string letters = Get_FixedDriveLetters();
  // Wine maps C: and Z: as fixed disks.
  EXPECT_NE(letters.find('C'), std::string::npos);
  EXPECT_EQ(letters.find('A'), std::string::npos);
  for (size_t i = 1; i < letters.size(); ++i) EXPECT_LT(letters[i - 1], letters[i]);
}

TEST(FileQueries, SizesListingsAndMisses) {
  TempFolder temp;
  test::WriteFileBytes(temp.File(L"a.reg"), std::string(5000, 'x'));
  test::WriteFileBytes(temp.File(L"b.ini"), "");
  test::WriteFileBytes(temp.File(L"c.reg"), "1");
  ASSERT_TRUE(CreateDirectoryW(temp.File(L"sub").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(temp.File(L".hidden").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(temp.File(L"dir.reg").c_str(), nullptr));

  EXPECT_EQ(Get_FileSize(temp.File(L"a.reg")), 5000);
  EXPECT_EQ(Get_FileSize(temp.File(L"b.ini")), 0);
  EXPECT_EQ(Get_FileSize(temp.File(L"missing.reg")), -1);
  EXPECT_EQ(Get_FileSize(temp.File(L"sub")), -1);

  std::vector<std::wstring> files{L"kept"};
  List_Files(temp.Path() + L"\\", L"*.reg", files);
  std::sort(files.begin() + 1, files.end());
  EXPECT_EQ(files, (std::vector<std::wstring>{L"kept", temp.File(L"a.reg"), temp.File(L"c.reg")}));

  std::vector<std::wstring> folders;
  List_SubFolders(temp.Path() + L"\\", folders);
  std::sort(folders.begin(), folders.end());
  EXPECT_EQ(folders, (std::vector<std::wstring>{L"dir.reg", L"sub"}));

  std::vector<std::wstring> none;
  List_Files(temp.File(L"missing\\"), L"*", none);
  List_SubFolders(temp.File(L"missing\\"), none);
  EXPECT_TRUE(none.empty());
}

TEST(RecycleBin, MovesExistingFilesAndRefusesOthers) {
  // The test run points XDG_DATA_HOME at the prefix, so Wine's trash does
  // not fill the user's own.
  TempFolder temp;
  // A path well beyond 254 characters must be recycled too.
  std::wstring deep = temp.Path();
  for (int i = 0; i < 6; ++i) {
    deep += L"\\" + std::wstring(40, static_cast<wchar_t>(L'a' + i));
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
  }
  const std::wstring longFile = deep + L"\\backup.reg";
  ASSERT_GT(longFile.size(), 254u);
  test::WriteFileBytes(longFile, "data");
  test::WriteFileBytes(temp.File(L"short.reg"), "data");

  EXPECT_TRUE(Delete_ToRecycleBin(temp.File(L"short.reg")));
  EXPECT_EQ(GetFileAttributesW(temp.File(L"short.reg").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(Delete_ToRecycleBin(longFile));
  EXPECT_EQ(GetFileAttributesW(longFile.c_str()), INVALID_FILE_ATTRIBUTES);

  EXPECT_FALSE(Delete_ToRecycleBin(temp.File(L"short.reg")));
  EXPECT_FALSE(Delete_ToRecycleBin(deep));  // a folder is not a file
  EXPECT_NE(GetFileAttributesW(deep.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ExpandEnvironment, ReplacesKnownReferencesAndKeepsOverlongText) {
  SetEnvironmentVariableW(L"KEYTIDY_EXPAND_TEST", L"C:\\Data");
  EXPECT_EQ(Expand_Environment(L"%KEYTIDY_EXPAND_TEST%\\x.dll"), L"C:\\Data\\x.dll");
  EXPECT_EQ(Expand_Environment(L"%keytidy_expand_test%"), L"C:\\Data");
  EXPECT_EQ(Expand_Environment(L"%KEYTIDY_NOT_SET%\\y"), L"%KEYTIDY_NOT_SET%\\y");
  EXPECT_EQ(Expand_Environment(L""), L"");
  SetEnvironmentVariableW(L"KEYTIDY_EXPAND_TEST", std::wstring(1500, L'v').c_str());
  const std::wstring overlong = L"%KEYTIDY_EXPAND_TEST%%KEYTIDY_EXPAND_TEST%";
  EXPECT_EQ(Expand_Environment(overlong), overlong);
  SetEnvironmentVariableW(L"KEYTIDY_EXPAND_TEST", nullptr);
}

}  // namespace
}  // namespace keytidy
