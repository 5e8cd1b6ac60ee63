#include "scan/exception_apply.h"

#include <functional>
#include <string_view>
#include <unordered_set>

#include "platform/environment.h"
#include "platform/registry.h"

namespace keytidy {

namespace {

struct RowHash {
  std::size_t operator()(const ExceptionRow& row) const {
    const std::hash<std::wstring_view> text;
    std::size_t hash = text(row.key);
    hash = hash * 31 + text(row.value);
    hash = hash * 31 + text(row.rootName);
    return hash * 31 + static_cast<std::size_t>(row.kind);
  }
};

// The rows as Is_Exception matches them, each also under the other name of
// the same key for the user the run judges, gathered once so that each
// finding costs one look-up however long the list is. Rows of any kind
// other than key or value match nothing and are left out.
std::unordered_set<ExceptionRow, RowHash> MatchableRows(const TExceptionList& list, const std::wstring& userSid) {
  std::unordered_set<ExceptionRow, RowHash> rows;
  for (const ExceptionRow& row : list.Rows()) {
    if (row.kind != kExceptionKindKey && row.kind != kExceptionKindValue) continue;
    rows.insert(row);
    for (ExceptionRow& other : ExceptionRow_OtherNames(row, userSid)) rows.insert(std::move(other));
  }
  return rows;
}

}  // namespace

std::uint32_t Apply_Exceptions(TResultTree* tree, const TExceptionList& list) {
  return Apply_Exceptions(tree, list, JudgedUserSid());
}

std::uint32_t Apply_Exceptions(TResultTree* tree, const TExceptionList& list, const std::wstring& userSid) {
  if (!tree || list.Empty()) return 0;
  const auto rows = MatchableRows(list, userSid);
  const std::size_t removed = tree->RemoveIf([&rows](PVirtualNode node) {
    const TTreeData_RegCleaner& entry = TResultTree::Data(node);
    return rows.contains(ExceptionRow{ExceptionKindOf(entry.DeleteKey, entry.DeleteValue),
                                      Reg_RootKeyName(entry.Delete_Root), entry.Delete_Key, entry.Delete_Value});
  });
  return static_cast<std::uint32_t>(removed);
}

}  // namespace keytidy
