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

// An exception names the desktop user's key one way, a later run the other
// way (over remote desktop or from a scheduled task no desktop user is
// found, and the user's keys are read as HKEY_CURRENT_USER): the exception
// still matches, for that user only.
TEST(ApplyExceptions, AUsersKeyMatchesUnderEitherName) {
  const std::wstring sid = L"S-1-5-21-1-2-3-1001";
  const wchar_t* const run = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  struct Row {
    const char* label;
    const wchar_t* exceptionRoot;
    std::wstring exceptionKey;
    RootKey findingRoot;
    std::wstring findingKey;
    bool matches;
  };
  const Row rows[] = {
      {"current user exception, user finding", L"HKEY_CURRENT_USER", run, ROOT_HKEY_USERS, sid + L"\\" + run, true},
      {"user exception, current user finding", L"HKEY_USERS", sid + L"\\" + run, ROOT_HKEY_CURRENT_USER, run, true},
      {"SID in other letter case", L"HKEY_USERS", L"s-1-5-21-1-2-3-1001\\" + std::wstring(run), ROOT_HKEY_CURRENT_USER,
       run, true},
      {"user classes, current user finding", L"HKEY_USERS", sid + L"_Classes\\.gone", ROOT_HKEY_CURRENT_USER,
       L"Software\\Classes\\.gone", true},
      {"current user classes exception, user classes finding", L"HKEY_CURRENT_USER", L"Software\\Classes\\.gone",
       ROOT_HKEY_USERS, sid + L"_Classes\\.gone", true},
      {"another user's key", L"HKEY_USERS", L"S-1-5-21-9-9-9-1002\\" + std::wstring(run), ROOT_HKEY_CURRENT_USER, run,
       false},
      {"a SID that only starts alike", L"HKEY_USERS", sid + L"0\\" + run, ROOT_HKEY_CURRENT_USER, run, false},
      {"the machine's key of the same path", L"HKEY_CURRENT_USER", run, ROOT_HKEY_LOCAL_MACHINE, run, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TResultTree tree;
    PVirtualNode node = tree.AddChild(CheckType::CheckBox, CheckState::Checked);
    TTreeData_RegCleaner& entry = TResultTree::Data(node);
    entry.DeleteValue = true;
    entry.Delete_Root = row.findingRoot;
    entry.Delete_Key = row.findingKey;
    entry.Delete_Value = L"Gone";
    TExceptionList list;
    Add_ExceptionItem(kExceptionKindValue, row.exceptionRoot, row.exceptionKey, list, L"Gone");
    EXPECT_EQ(Apply_Exceptions(&tree, list, sid), row.matches ? 1u : 0u);
    // Without a user to judge, only the exact name matches.
    TResultTree again;
    TResultTree::Data(again.AddChild(CheckType::CheckBox, CheckState::Checked)) = entry;
    EXPECT_EQ(Apply_Exceptions(&again, list, L""), 0u);
  }
}

}  // namespace
}  // namespace keytidy
