#pragma once
// A ticked finding that deletes one value, as a check would have reported
// it, for tests of the deletion run that need no check before it.
#include <string>

#include "scan/result_tree.h"

namespace keytidy::test {

PVirtualNode AddTickedValueFinding(TResultTree& tree, RootKey root, const std::wstring& key, const std::wstring& name);

}  // namespace keytidy::test
