#pragma once
// Which findings the list shows: one filter category (All: every one) and a text
// that must occur, in any a-z case, in the path, display name or key.
#include <cstdint>
#include <string>

#include "model/categories.h"
#include "scan/result_tree.h"

namespace keytidy {

// Sets every node's visible flag for the filter, in one bulk update.
// Returns the number of visible nodes.
std::int32_t Apply_ResultFilter(TResultTree& tree, FilterCategory filterIndex, const std::wstring& filterText);

}  // namespace keytidy
