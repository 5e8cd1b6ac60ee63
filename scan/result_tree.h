#pragma once
// The tree of findings the scan engine fills and the cleaner screen shows:
// a flat list of tri-state checkable nodes, one found entry per node.
#include "model/found_entry.h"
#include "model/tree_model.h"

namespace keytidy {

using TResultTree = TTreeModelOf<TTreeData_RegCleaner>;

// The found entry of a result-tree node; null for a null node.
inline PTreeData_RegCleaner GetEntry(PVirtualNode node) { return node ? &TResultTree::Data(node) : nullptr; }

// A checked node is one the user wants deleted.
inline bool IsTicked(const TTreeNode* node) { return node->checkState() == CheckState::Checked; }

}  // namespace keytidy
