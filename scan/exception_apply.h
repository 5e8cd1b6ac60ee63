#pragma once
// The end of every scan run: findings the user declared exceptions leave the
// result tree.
#include <cstdint>
#include <string>

#include "scan/exception_list.h"
#include "scan/result_tree.h"

namespace keytidy {

// Removes every node whose entry matches an exception by what deleting it
// would remove (kind, root name, key and value, all exact), keeping the
// order of the rest. A key of the user the run judges matches under either
// of its names (HKEY_CURRENT_USER\X and HKEY_USERS\<SID>\X). Returns how
// many went; 0 without a tree.
std::uint32_t Apply_Exceptions(TResultTree* tree, const TExceptionList& list);
std::uint32_t Apply_Exceptions(TResultTree* tree, const TExceptionList& list, const std::wstring& userSid);

}  // namespace keytidy
