// Every test's scratch folder goes when the test ends, however deep it
// grew, and its removal touches nothing outside it: removing a tree that
// reached past MAX_PATH once emptied the folder CTest runs the tests in.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/folder_tree.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::TempFolder;

bool Exists(const std::wstring& path) {
  const std::wstring extended = L"\\\\?\\" + path;
  return GetFileAttributesW(extended.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Six levels of 40 characters each: well beyond MAX_PATH below the temp
// folder. The innermost file is read-only, as restored backups can be.
std::wstring GrowDeepTree(const std::wstring& root) {
  std::wstring deep = root;
  for (int i = 0; i < 6; ++i) {
    deep += L"\\" + std::wstring(40, static_cast<wchar_t>(L'a' + i));
    if (!CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr)) return L"";
  }
  const std::wstring file = L"\\\\?\\" + deep + L"\\backup.reg";
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_READONLY, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return L"";
  CloseHandle(handle);
  return deep + L"\\backup.reg";
}

// Runs the rest of the scope in another current folder.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::wstring& folder) {
    GetCurrentDirectoryW(MAX_PATH, previous_);
    SetCurrentDirectoryW(folder.c_str());
  }
  ~CurrentFolder() { SetCurrentDirectoryW(previous_); }

 private:
  wchar_t previous_[MAX_PATH] = {};
};

TEST(TempFolder, ADeepTreeGoesAndTheCurrentFolderKeepsItsFiles) {
  TempFolder bystander;
  test::WriteFileBytes(bystander.File(L"keep.txt"), "mine");
  ASSERT_TRUE(CreateDirectoryW(bystander.File(L"keep-folder").c_str(), nullptr));
  CurrentFolder inside(bystander.Path());

  std::wstring root, deepFile;
  {
    TempFolder scratch;
    root = scratch.Path();
    deepFile = GrowDeepTree(root);
    ASSERT_FALSE(deepFile.empty());
    ASSERT_GT(deepFile.size(), static_cast<size_t>(MAX_PATH));
    test::WriteFileBytes(scratch.File(L"short.txt"), "scratch");
  }
  EXPECT_FALSE(Exists(deepFile));
  EXPECT_FALSE(Exists(root));
  EXPECT_EQ(test::ReadFileBytes(bystander.File(L"keep.txt")), "mine");
  EXPECT_TRUE(Exists(bystander.File(L"keep-folder")));
}

TEST(TempFolder, RemovalOfAFileOrANameThatIsNotThere) {
  TempFolder scratch;
  const std::wstring file = scratch.File(L"a file.txt");
  test::WriteFileBytes(file, "stays");
  EXPECT_FALSE(test::RemoveFolderTree(file)) << "a file is not a folder";
  EXPECT_EQ(test::ReadFileBytes(file), "stays");
  EXPECT_TRUE(test::RemoveFolderTree(scratch.File(L"never made")));
  EXPECT_FALSE(test::RemoveFolderTree(L""));
}

}  // namespace
}  // namespace keytidy
