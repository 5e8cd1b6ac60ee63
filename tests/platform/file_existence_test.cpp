// Existence tests on real files and folders of the Wine prefix.
#include "platform/file_existence.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/extended_length_path.h"
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

// A folder tree deeper than MAX_PATH, made and removed through the "\\?\"
// form, which reaches any length.
class LongPathFixture {
 public:
  explicit LongPathFixture(const std::wstring& base)
      : folder_(base + L"\\" + std::wstring(130, L'a') + L"\\" + std::wstring(130, L'b')) {
    CreateDirectoryW(Extended(folder_.substr(0, base.size() + 131)).c_str(), nullptr);
    CreateDirectoryW(Extended(folder_).c_str(), nullptr);
    test::WriteFileBytes(Extended(File()), "12345");
  }
  ~LongPathFixture() {
    DeleteFileW(Extended(File()).c_str());
    RemoveDirectoryW(Extended(folder_).c_str());
    RemoveDirectoryW(Extended(folder_.substr(0, folder_.rfind(L'\\'))).c_str());
  }
  const std::wstring& Folder() const { return folder_; }
  std::wstring File() const { return folder_ + L"\\here.dll"; }

 private:
  static std::wstring Extended(const std::wstring& path) { return L"\\\\?\\" + path; }
  std::wstring folder_;
};

// Wine answers these even without the "\\?\" form (Windows fails them as
// "path not found"); the form is checked on its own above.
TEST(FileExistence, PathsLongerThanMaxPath) {
  test::TempFolder temp;
  const LongPathFixture tree(temp.Path());
  ASSERT_GE(tree.File().size(), 300u);
  ASSERT_NE(GetFileAttributesW((L"\\\\?\\" + tree.File()).c_str()), INVALID_FILE_ATTRIBUTES) << "fixture";
  const struct {
    std::wstring path;
    PathPresence file;
    PathPresence folder;
  } cases[] = {
      {tree.File(), PathPresence::Present, PathPresence::Missing},
      {tree.Folder(), PathPresence::Missing, PathPresence::Present},
      {tree.Folder() + L"\\gone.dll", PathPresence::Missing, PathPresence::Missing},
      {tree.Folder() + L"\\gone\\x.dll", PathPresence::Missing, PathPresence::Missing},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.path.substr(c.path.size() - 20)));
    EXPECT_EQ(File_Presence(c.path), c.file);
    EXPECT_EQ(FilePresence_W64(c.path, RegistryView::Native), c.file);
    EXPECT_EQ(Directory_Presence(c.path), c.folder);
    EXPECT_EQ(Find_DirectoryEntry(c.path).found, c.file == PathPresence::Present || c.folder == PathPresence::Present);
  }
  EXPECT_EQ(Find_DirectoryEntry(tree.File()).size, 5u);
}

TEST(FileExistence, FileOrFolderPresence) {
  test::TempFolder temp;
  test::WriteFileBytes(temp.File(L"here.dll"), "x");
  CreateDirectoryW(temp.File(L"folder.dll").c_str(), nullptr);
  const struct {
    std::wstring path;
    PathPresence expected;
  } cases[] = {
      {temp.File(L"here.dll"), PathPresence::Present},
      {temp.File(L"folder.dll"), PathPresence::Present},
      {temp.File(L"folder.dll\\"), PathPresence::Present},
      {temp.File(L"gone.dll"), PathPresence::Missing},
      {temp.File(L"gone\\x.dll"), PathPresence::Missing},
      {L"", PathPresence::Missing},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FileOrFolderPresence_W64(c.path, RegistryView::Native), c.expected) << Utf16ToUtf8(c.path);
}

}  // namespace
}  // namespace keytidy
