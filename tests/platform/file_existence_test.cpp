// Existence tests on real files and folders of the Wine prefix.
#include "platform/file_existence.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/extended_length_path.h"
#include "platform/text.h"
#include "support/long_paths.h"
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
    EXPECT_EQ(FileOrFolderPresence_W64(c.path, RegistryView::Native) == PathPresence::Present, c.file || c.folder);
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

TEST(ExtendedLengthPath, OnlyLongPathsGetThePrefix) {
  const std::wstring deep = L"C:\\" + std::wstring(150, L'a') + L"\\" + std::wstring(150, L'b');
  const struct {
    std::wstring path;
    std::wstring expected;
  } cases[] = {
      {L"C:\\windows\\x.dll", L"C:\\windows\\x.dll"},
      {L"", L""},
      {deep + L"\\x.dll", L"\\\\?\\" + deep + L"\\x.dll"},
      // the prefix passes the text on as it is: "..", "." and "/" are resolved first
      {deep + L"\\..\\.\\c/x.dll", L"\\\\?\\C:\\" + std::wstring(150, L'a') + L"\\c\\x.dll"},
      {L"\\\\server\\share\\" + std::wstring(300, L's'), L"\\\\?\\UNC\\server\\share\\" + std::wstring(300, L's')},
      {L"\\\\?\\" + deep, L"\\\\?\\" + deep},
      {std::wstring(300, L'r'), std::wstring(300, L'r')},  // relative: no single place to prefix
  };
  for (const auto& c : cases) EXPECT_EQ(ExtendedLength_Form(c.path), c.expected) << Utf16ToUtf8(c.path);
}

// Wine answers these even without the "\\?\" form (Windows fails them as
// "path not found"); the form is checked on its own above.
TEST(FileExistence, PathsLongerThanMaxPath) {
  test::TempFolder temp;
  const std::wstring folder = test::Make_LongFolder(temp.Path(), 290);
  const std::wstring file = folder + L"\\here.dll";
  test::Write_LongFile(file, "12345");
  ASSERT_GE(file.size(), 300u);
  ASSERT_NE(GetFileAttributesW((L"\\\\?\\" + file).c_str()), INVALID_FILE_ATTRIBUTES) << "fixture";
  const struct {
    std::wstring path;
    PathPresence asFile;
    PathPresence asFolder;
  } cases[] = {
      {file, PathPresence::Present, PathPresence::Missing},
      {folder, PathPresence::Missing, PathPresence::Present},
      {folder + L"\\gone.dll", PathPresence::Missing, PathPresence::Missing},
      {folder + L"\\gone\\x.dll", PathPresence::Missing, PathPresence::Missing},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.path.substr(c.path.size() - 20)));
    const bool there = c.asFile == PathPresence::Present || c.asFolder == PathPresence::Present;
    EXPECT_EQ(File_Presence(c.path), c.asFile);
    EXPECT_EQ(FilePresence_W64(c.path, RegistryView::Native), c.asFile);
    EXPECT_EQ(Directory_Presence(c.path), c.asFolder);
    EXPECT_EQ(FileOrFolderPresence_W64(c.path, RegistryView::Native) == PathPresence::Present, there);
    EXPECT_EQ(Find_DirectoryEntry(c.path).found, there);
  }
  EXPECT_EQ(Find_DirectoryEntry(file).size, 5u);
}

}  // namespace
}  // namespace keytidy
