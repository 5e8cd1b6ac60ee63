#pragma once
// Counting and setting check marks in bulk on a checkable tree. The setters
// change states directly: no per-node events, and the views are asked to
// repaint once at the end.
#include <cstdint>

#include "model/tree_model.h"

namespace keytidy {

// Nodes with a check box in the plain checked state (pressed and mixed
// states do not count).
std::int32_t Tree_CountChecked(const TTreeModel& tree);

// Every node with a check box, or only the selected ones, becomes checked /
// unchecked. A tree without nodes is left alone (no repaint).
void Tree_CheckAll(TTreeModel& tree, bool selectedOnly);
void Tree_UncheckAll(TTreeModel& tree, bool selectedOnly);

// The same, restricted to visible nodes: nodes a filter hides keep their
// state.
void Tree_CheckVisible(TTreeModel& tree, bool selectedOnly);
void Tree_UncheckVisible(TTreeModel& tree, bool selectedOnly);

}  // namespace keytidy
