#include "scan/exception_apply.h"

#include "platform/registry.h"

namespace keytidy {

std::uint32_t Apply_Exceptions(TResultTree* tree, const TExceptionList& list) {
  if (!tree || list.Empty()) return 0;
  const std::size_t removed = tree->RemoveIf([&list](PVirtualNode node) {
    const TTreeData_RegCleaner& entry = TResultTree::Data(node);
    return Is_Exception(ExceptionKindOf(entry.DeleteKey, entry.DeleteValue), Reg_RootKeyName(entry.Delete_Root),
                        entry.Delete_Key, list, entry.Delete_Value);
  });
  return static_cast<std::uint32_t>(removed);
}

}  // namespace keytidy
