// Adding findings to the result tree and the engine's walks over it:
// counting by category, duplicate look-ups and removal after a deletion.
#include "scan/add_found_entry.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "model/categories.h"
#include "scan/registry_cleaner.h"
#include "scan/tree_operations.h"

namespace keytidy {
namespace {

TEST(AddFoundEntry, FilenameAndFolderDerivation) {
  struct Case {
    const wchar_t* fullPath;
    const wchar_t* filename;
    const wchar_t* folder;
  } cases[] = {
      {L"C:\\Windows\\foo.dll", L"foo.dll", L"C:\\Windows"},
      {L"C:\\dir\\", L"dir\\", L"C:"},  // the last character is never the split point
      {L"abc\\", L"", L"abc"},
      {L"foo.dll", L"", L""},
      {L"\\x", L"x", L""},
      {L"\\", L"", L""},
      {L"", L"", L""},
      {L"\\\\server\\share\\x.dll", L"x.dll", L"\\\\server\\share"},
  };
  TResultTree tree;
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.fullPath));
    PVirtualNode node = Add_FoundEntry(c.fullPath, L"name", &tree, true, CheckId::Shared, FilterCategory::Shared,
                                       ROOT_HKEY_LOCAL_MACHINE, L"K", L"V");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(GetEntry(node)->Filename, c.filename);
    EXPECT_EQ(GetEntry(node)->Folder, c.folder);
  }
}

TEST(AddFoundEntry, ExcludedPathsAddNothing) {
  struct Case {
    const wchar_t* fullPath;
    bool added;
  } cases[] = {
      {L"c:\\program files\\incredimail\\x.exe", false},
      {L"C:\\Windows\\vbe\\x.dll", false},
      {L"C:\\eTrustTools\\x.exe", false},
      {L"C:\\x\\umxEventCli.dll", false},
      {L"C:\\x\\UMXXMLSDP.DLL", false},
      {L"D:\\Tools\\ole32.dll", false},
      {L"C:\\Tools\\ole32.dll.bak", false},
      {L"C:\\a?.dll", false},
      {L"C:\\*.dll", false},
      {L"", true},  // findings about keys carry no path
      {L"C:\\myole32.dll", true},
      {L"C:\\Incredimail.exe", true},
      {L"C:\\Tools\\vbe.dll", true},
      // only a to z are upper-cased: a dotless capital I does not match
      {L"C:\\x\\\x0130NCREDIMAIL\\x.exe", true},
  };
  TResultTree tree;
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.fullPath));
    const size_t before = tree.NodeCount();
    PVirtualNode node = Add_FoundEntry(c.fullPath, L"n", &tree, true, CheckId::Shared, FilterCategory::Shared,
                                       ROOT_HKEY_LOCAL_MACHINE, L"K", L"");
    EXPECT_EQ(node != nullptr, c.added);
    EXPECT_EQ(tree.NodeCount(), before + (c.added ? 1 : 0));
  }
  EXPECT_EQ(Add_FoundEntry(L"C:\\x.dll", L"n", nullptr, true, CheckId::Shared, FilterCategory::Shared,
                           ROOT_HKEY_LOCAL_MACHINE, L"K", L""),
            nullptr);
}

TEST(AddFoundEntry, NewNodeIsAppendedWithAFreshRecord) {
  TResultTree tree;
  Add_FoundEntry(L"", L"first", &tree, true, CheckId::Fonts, FilterCategory::Fonts, ROOT_HKEY_LOCAL_MACHINE, L"A", L"");
  PVirtualNode node = Add_FoundEntry(L"C:\\Gone\\x.dll", L"x.dll", &tree, false, CheckId::Shared,
                                     FilterCategory::Shared, ROOT_HKEY_USERS, L"S-1\\Software", L"C:\\Gone\\x.dll");
  ASSERT_EQ(tree.NodeCount(), 2u);
  EXPECT_EQ(tree.NodeAt(1), node);
  EXPECT_EQ(node->checkType(), CheckType::TriStateCheckBox);
  EXPECT_EQ(node->checkState(), CheckState::Unchecked);
  EXPECT_EQ(tree.NodeAt(0)->checkState(), CheckState::Checked);
  EXPECT_TRUE(node->visible());
  EXPECT_FALSE(node->selected());

  const TTreeData_RegCleaner& e = *GetEntry(node);
  EXPECT_EQ(e.DisplayName, L"x.dll");
  EXPECT_EQ(e.FullPath, L"C:\\Gone\\x.dll");
  EXPECT_EQ(e.RootKey, ROOT_HKEY_USERS);
  EXPECT_EQ(e.Key, L"S-1\\Software");
  EXPECT_EQ(e.Value, L"C:\\Gone\\x.dll");
  EXPECT_EQ(e.GroupIndex, CheckId::Shared);
  EXPECT_EQ(e.ComboBoxIndex, FilterCategory::Shared);
  EXPECT_TRUE(e.AdditionalInfo.empty() && e.MissingKey.empty() && e.Delete_Key.empty() && e.Delete_Value.empty());
  EXPECT_FALSE(e.DeleteKey || e.DeleteValue || e.RemoveFromTree || e.is_Header);
  EXPECT_EQ(e.Delete_Root, 0u);
}

// A small tree as a finished scan leaves it; each row: group, filter,
// delete root, key, value, ticked.
class ScanResults : public ::testing::Test {
 protected:
  void SetUp() override {
    struct Row {
      CheckId group;
      FilterCategory filter;
      RootKey root;
      const wchar_t* key;
      const wchar_t* value;
      bool ticked;
    } rows[] = {
        {CheckId::Shared, FilterCategory::Shared, ROOT_HKEY_LOCAL_MACHINE, L"Shared", L"C:\\a.dll", true},
        {CheckId::Shared, FilterCategory::Shared, ROOT_HKEY_LOCAL_MACHINE, L"Shared", L"C:\\b.dll", false},
        {CheckId::EmptyOpenWith, FilterCategory::FileTypes, ROOT_HKEY_USERS, L"S\\FileExts\\.abc", L"", true},
        {CheckId::InvalidOpenWith, FilterCategory::FileTypes, ROOT_HKEY_USERS, L"S\\FileExts\\.abc", L"", true},
        {CheckId::Fonts, FilterCategory::Fonts, ROOT_HKEY_LOCAL_MACHINE, L"Fonts", L"Arial", false},
    };
    for (const Row& r : rows) {
      PVirtualNode node = Add_FoundEntry(L"", L"n", &tree, r.ticked, r.group, r.filter, r.root, r.key, r.value);
      TTreeData_RegCleaner& e = *GetEntry(node);
      e.Delete_Root = r.root;
      e.Delete_Key = r.key;
      e.Delete_Value = r.value;
      (*r.value ? e.DeleteValue : e.DeleteKey) = true;
    }
  }

  TResultTree tree;
  RunControl run;
  TRegistryCleaner engine{&tree, run};
};

TEST_F(ScanResults, CountsPerFilterCategoryIncludeHiddenNodes) {
  tree.SetVisible(tree.NodeAt(0), false);
  const std::int32_t expected[kFilterCount] = {0, 2, 0, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  for (std::int32_t i = 0; i < kFilterCount; ++i)
    EXPECT_EQ(engine.Count_ItemsWithThisComboBoxIndex(static_cast<FilterCategory>(i)), expected[i]) << i;

  TRegistryCleaner withoutTree(nullptr, run);
  EXPECT_EQ(withoutTree.Count_ItemsWithThisComboBoxIndex(FilterCategory::Shared), 0);
  EXPECT_EQ(withoutTree.Find_EntryByDeleteKey(CheckId::Shared, ROOT_HKEY_LOCAL_MACHINE, L"Shared"), nullptr);
}

TEST_F(ScanResults, LookUpsMatchGroupRootKeyAndValueExactly) {
  EXPECT_EQ(engine.Find_EntryByDeleteKey(CheckId::Shared, ROOT_HKEY_LOCAL_MACHINE, L"Shared"), tree.NodeAt(0));
  EXPECT_EQ(engine.Find_EntryByDeleteKey(CheckId::EmptyOpenWith, ROOT_HKEY_USERS, L"S\\FileExts\\.abc"),
            tree.NodeAt(2));
  EXPECT_EQ(engine.Find_EntryByDeleteKey(CheckId::InvalidOpenWith, ROOT_HKEY_USERS, L"S\\FileExts\\.abc"),
            tree.NodeAt(3));
  EXPECT_EQ(engine.Find_EntryByDeleteValue(CheckId::Shared, ROOT_HKEY_LOCAL_MACHINE, L"C:\\b.dll", L"Shared"),
            tree.NodeAt(1));

  struct Miss {
    CheckId group;
    RootKey root;
    const wchar_t* key;
    const wchar_t* value;
  } misses[] = {
      {CheckId::Shared, ROOT_HKEY_LOCAL_MACHINE, L"SHARED", L"C:\\a.dll"},  // case counts
      {CheckId::Shared, ROOT_HKEY_CURRENT_USER, L"Shared", L"C:\\a.dll"},
      {CheckId::Fonts, ROOT_HKEY_LOCAL_MACHINE, L"Shared", L"C:\\a.dll"},
      {CheckId::Shared, ROOT_HKEY_LOCAL_MACHINE, L"Shared", L"c:\\a.dll"},
      {CheckId::Shared, ROOT_HKEY_LOCAL_MACHINE, L"Shared\\", L"C:\\a.dll"},
  };
  for (const Miss& m : misses) {
    SCOPED_TRACE(Utf16ToUtf8(std::wstring(m.key) + L"|" + m.value));
    EXPECT_EQ(engine.Find_EntryByDeleteValue(m.group, m.root, m.value, m.key), nullptr);
  }
  EXPECT_EQ(engine.Find_EntryByDeleteKey(CheckId::Fonts, ROOT_HKEY_LOCAL_MACHINE, L"fonts"), nullptr);
}

// The look-ups are answered from an index: it must take in nodes added after
// an earlier look-up, keep answering with the first of equal targets, and
// forget removed nodes rather than hand them out.
TEST_F(ScanResults, LookUpsFollowTheTreeAsItGrowsAndShrinks) {
  const auto add = [&](CheckId group, const wchar_t* key, const wchar_t* value) {
    PVirtualNode node =
        Add_FoundEntry(L"", L"n", &tree, true, group, FilterCategory::Shared, ROOT_HKEY_LOCAL_MACHINE, key, value);
    GetEntry(node)->Delete_Root = ROOT_HKEY_LOCAL_MACHINE;
    GetEntry(node)->Delete_Key = key;
    GetEntry(node)->Delete_Value = value;
    return node;
  };
  const auto byKey = [&](CheckId group, const wchar_t* key) {
    return engine.Find_EntryByDeleteKey(group, ROOT_HKEY_LOCAL_MACHINE, key);
  };
  const auto byValue = [&](const wchar_t* value) {
    return engine.Find_EntryByDeleteValue(CheckId::Shared, ROOT_HKEY_LOCAL_MACHINE, value, L"Shared");
  };
  const PVirtualNode first = tree.NodeAt(0), second = tree.NodeAt(1);
  EXPECT_EQ(byKey(CheckId::Shared, L"Shared"), first);

  const PVirtualNode repeat = add(CheckId::Shared, L"Shared", L"C:\\a.dll");
  const PVirtualNode added = add(CheckId::Fonts, L"Fonts\\New", L"");
  EXPECT_EQ(byValue(L"C:\\a.dll"), first);
  EXPECT_EQ(byKey(CheckId::Fonts, L"Fonts\\New"), added);

  tree.Remove(first);
  EXPECT_EQ(byKey(CheckId::Shared, L"Shared"), second);
  EXPECT_EQ(byValue(L"C:\\a.dll"), repeat);

  tree.Clear();
  EXPECT_EQ(byKey(CheckId::Shared, L"Shared"), nullptr);
  const PVirtualNode again = add(CheckId::Shared, L"Shared", L"C:\\a.dll");
  EXPECT_EQ(byValue(L"C:\\a.dll"), again);
}

TEST_F(ScanResults, RemovalAfterADeletionKeepsTheRightNodes) {
  // A deletion in which every ticked entry succeeded marks exactly those.
  for (PVirtualNode node : tree) GetEntry(node)->RemoveFromTree = IsTicked(node);
  const PVirtualNode unticked[] = {tree.NodeAt(1), tree.NodeAt(4)};
  int notifications = 0;
  tree.Subscribe([&](const TreeChanges& changes) { notifications += changes.structure ? 1 : 0; });

  TRegistryCleaner::RemoveDeletedFilesFromTree(&tree);
  ASSERT_EQ(tree.NodeCount(), 2u);
  EXPECT_EQ(tree.NodeAt(0), unticked[0]);
  EXPECT_EQ(tree.NodeAt(1), unticked[1]);
  EXPECT_EQ(Tree_CountChecked(tree), 0);
  EXPECT_EQ(notifications, 1);

  GetEntry(tree.NodeAt(1))->RemoveFromTree = true;
  TRegistryCleaner::RemoveNONDeletedFilesFromTree(&tree);
  ASSERT_EQ(tree.NodeCount(), 1u);
  EXPECT_EQ(tree.NodeAt(0), unticked[1]);

  TRegistryCleaner::RemoveDeletedFilesFromTree(nullptr);
  TRegistryCleaner::RemoveNONDeletedFilesFromTree(nullptr);
}

}  // namespace
}  // namespace keytidy
