// What a deletion would take: counted on a real key tree, nothing changed.
#include "scan/deletion_preview.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

using ::testing::ElementsAre;

class DeletionPreviewTest : public test::RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    // App (default, a, b)
    //   Sub1 (x)
    //     Deep (y, z)
    //   Sub2
    RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(L"App"), L"", L"d");
    RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(L"App"), L"a", L"1");
    RawWriteDword(ROOT_HKEY_LOCAL_MACHINE, Path(L"App"), L"b", 2);
    RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(L"App\\Sub1"), L"x", L"1");
    RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(L"App\\Sub1\\Deep"), L"y", L"1");
    RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(L"App\\Sub1\\Deep"), L"z", L"1");
    RawCreateKey(ROOT_HKEY_LOCAL_MACHINE, Path(L"App\\Sub2"));
  }

  TTreeData_RegCleaner KeyFinding(const std::wstring& key) const {
    TTreeData_RegCleaner entry;
    entry.DeleteKey = true;
    entry.Delete_Root = ROOT_HKEY_LOCAL_MACHINE;
    entry.Delete_Key = Path(key);
    return entry;
  }
  TTreeData_RegCleaner ValueFinding(const std::wstring& key, const std::wstring& name) const {
    TTreeData_RegCleaner entry;
    entry.DeleteValue = true;
    entry.Delete_Root = ROOT_HKEY_LOCAL_MACHINE;
    entry.Delete_Key = Path(key);
    entry.Delete_Value = name;
    return entry;
  }
};

TEST_F(DeletionPreviewTest, AKeyTakesEverythingBelowIt) {
  const DeletionPreview preview = Preview_Deletion(KeyFinding(L"App"), 5);
  EXPECT_TRUE(preview.removesKey);
  EXPECT_TRUE(preview.exists);
  EXPECT_EQ(preview.subKeys, 3u);
  EXPECT_EQ(preview.values, 6u);  // three in App, one in Sub1, two in Deep
  EXPECT_THAT(preview.firstSubKeys, ElementsAre(L"Sub1", L"Sub1\\Deep", L"Sub2"));
  EXPECT_EQ(preview.firstValues.size(), 3u);
  // The lists stop at the limit; the counts do not.
  const DeletionPreview cut = Preview_Deletion(KeyFinding(L"App"), 1);
  EXPECT_EQ(cut.firstSubKeys.size(), 1u);
  EXPECT_EQ(cut.firstValues.size(), 1u);
  EXPECT_EQ(cut.subKeys, 3u);
  EXPECT_EQ(cut.values, 6u);
  EXPECT_EQ(cut.keyValues, 3u);
  EXPECT_TRUE(RawValueExists(ROOT_HKEY_LOCAL_MACHINE, Path(L"App\\Sub1\\Deep"), L"z"));
}

TEST_F(DeletionPreviewTest, ValuesMissingTargetsAndFindingsThatDeleteNothing) {
  const struct {
    TTreeData_RegCleaner entry;
    bool exists;
    std::uint32_t values;
  } cases[] = {
      {ValueFinding(L"App", L"a"), true, 1},
      {ValueFinding(L"App", L"gone"), false, 0},
      {KeyFinding(L"NoSuchKey"), false, 0},
      {TTreeData_RegCleaner{}, false, 0},
  };
  for (const auto& c : cases) {
    const DeletionPreview preview = Preview_Deletion(c.entry, 5);
    EXPECT_EQ(preview.exists, c.exists) << c.entry.Delete_Key << " " << c.entry.Delete_Value;
    EXPECT_EQ(preview.values, c.values) << c.entry.Delete_Key << " " << c.entry.Delete_Value;
    EXPECT_EQ(preview.subKeys, 0u);
    EXPECT_TRUE(preview.firstSubKeys.empty());
  }
}

}  // namespace
}  // namespace keytidy
