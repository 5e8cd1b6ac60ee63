// Exceptions applied to a result tree: exactly the matching findings go.
#include "scan/exception_apply.h"

#include <gtest/gtest.h>

namespace keytidy {
namespace {

constexpr wchar_t kShared[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLS";

struct Finding {
  const wchar_t* label;
  bool deleteKey;
  bool deleteValue;
  RootKey root;
  const wchar_t* key;
  const wchar_t* value;
};

void Fill(TResultTree& tree, std::initializer_list<Finding> findings) {
  for (const Finding& f : findings) {
    PVirtualNode node = tree.AddChild(CheckType::CheckBox, CheckState::Checked);
    TTreeData_RegCleaner& entry = TResultTree::Data(node);
    entry.DisplayName = f.label;
    entry.DeleteKey = f.deleteKey;
    entry.DeleteValue = f.deleteValue;
    entry.Delete_Root = f.root;
    entry.Delete_Key = f.key;
    entry.Delete_Value = f.value;
  }
}

std::vector<std::wstring> Labels(const TResultTree& tree) {
  std::vector<std::wstring> labels;
  for (PVirtualNode node : tree) labels.push_back(TResultTree::Data(node).DisplayName);
  return labels;
}

TEST(ApplyExceptions, RemovesExactlyTheMatchingFindings) {
  TResultTree tree;
  Fill(tree, {
                 {L"shared dll", false, true, ROOT_HKEY_LOCAL_MACHINE, kShared, L"C:\\Gone\\x.dll"},
                 {L"shared dll other case", false, true, ROOT_HKEY_LOCAL_MACHINE, kShared, L"C:\\Gone\\X.dll"},
                 {L"same value other root", false, true, ROOT_HKEY_CURRENT_USER, kShared, L"C:\\Gone\\x.dll"},
                 {L"key finding", true, false, ROOT_HKEY_CURRENT_USER, L"Software\\Gone", L""},
                 {L"key and value finding", true, true, ROOT_HKEY_CURRENT_USER, L"Software\\Gone", L""},
                 {L"default value finding", false, true, ROOT_HKEY_CLASSES_ROOT, L".gone", L""},
                 {L"second shared dll", false, true, ROOT_HKEY_LOCAL_MACHINE, kShared, L"C:\\Gone\\x.dll"},
             });
  TExceptionList list;
  Add_ExceptionItem(kExceptionKindValue, L"HKEY_LOCAL_MACHINE", kShared, list, L"C:\\Gone\\x.dll");
  Add_ExceptionItem(kExceptionKindKey, L"HKEY_CURRENT_USER", L"Software\\Gone", list, L"");
  Add_ExceptionItem(kExceptionKindKey, L"HKEY_CLASSES_ROOT", L".gone", list, L"");

  EXPECT_EQ(Apply_Exceptions(&tree, list), 3u);
  EXPECT_EQ(Labels(tree), (std::vector<std::wstring>{L"shared dll other case", L"same value other root",
                                                     L"key and value finding", L"default value finding"}));
}

TEST(ApplyExceptions, NothingToApplyRemovesNothing) {
  TResultTree tree;
  Fill(tree, {{L"finding", true, false, ROOT_HKEY_CURRENT_USER, L"Software\\Gone", L""}});
  EXPECT_EQ(Apply_Exceptions(&tree, TExceptionList()), 0u);
  EXPECT_EQ(tree.NodeCount(), 1u);
  TExceptionList list;
  Add_ExceptionItem(kExceptionKindKey, L"HKEY_CURRENT_USER", L"Software\\Gone", list, L"");
  EXPECT_EQ(Apply_Exceptions(nullptr, list), 0u);
}

}  // namespace
}  // namespace keytidy
