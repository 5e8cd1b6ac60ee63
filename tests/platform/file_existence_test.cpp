// Existence tests on real files and folders of the Wine prefix.
#include "platform/file_existence.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/text.h"
#include "support/programs.h"

namespace keytidy {
namespace {

TEST(FileExistence, FilesFoldersAndMissingPaths) {
  test::TempFolder temp;
  test::WriteFileBytes(temp.File(L"five.txt"), "12345");
  CreateDirectoryW(temp.File(L"sub").c_str(), nullptr);
  struct Case {
    std::wstring path;
    bool file;
    bool folder;
    bool entryFound;
  } cases[] = {
      {temp.File(L"five.txt"), true, false, true},
      {temp.File(L"FIVE.TXT"), true, false, true},
      {temp.File(L"sub"), false, true, true},
      {temp.File(L"sub\\"), false, true, false},  // a search needs the name itself
      {temp.File(L"gone.txt"), false, false, false},
      {temp.File(L"gone\\x.txt"), false, false, false},
      {temp.File(L"*.txt"), false, false, false},  // a pattern names no single entry
      {temp.File(L"fi?e.txt"), false, false, false},
      {L"", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.path));
    EXPECT_EQ(FileExists(c.path), c.file);
    EXPECT_EQ(FilePresence_W64(c.path, RegistryView::Native) == PathPresence::Present, c.file);
    EXPECT_EQ(DirectoryExists(c.path), c.folder);
    EXPECT_EQ(Find_DirectoryEntry(c.path).found, c.entryFound);
  }
}

TEST(FileExistence, DirectoryEntryReportsLongNameAndSize) {
  test::TempFolder temp;
  test::WriteFileBytes(temp.File(L"Long File Name.dat"), "12345");
  wchar_t shortPath[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameW(temp.File(L"Long File Name.dat").c_str(), shortPath, MAX_PATH), 0u);
  const DirectoryEntry entry = Find_DirectoryEntry(shortPath);
  EXPECT_TRUE(entry.found);
  EXPECT_FALSE(entry.isDirectory);
  EXPECT_EQ(entry.longName, L"Long File Name.dat");
  EXPECT_EQ(entry.size, 5u);
}

}  // namespace
}  // namespace keytidy
