#include "scan/tree_operations.h"

namespace keytidy {

namespace {

void SetStates(TTreeModel& tree, CheckState state, bool visibleOnly, bool selectedOnly) {
  if (tree.IsEmpty()) return;
  // One bracket around the walk: the views hear of it once, and they hear
  // of it even when no node matched (the callers expect a repaint).
  tree.BeginUpdate();
  for (PVirtualNode node : tree) {
    if (!node->hasCheckBox()) continue;
    if (visibleOnly && !node->visible()) continue;
    if (selectedOnly && !node->selected()) continue;
    tree.SetCheckState(node, state);
  }
  tree.Invalidate();
  tree.EndUpdate();
}

}  // namespace

std::int32_t Tree_CountChecked(const TTreeModel& tree) {
  std::int32_t count = 0;
  for (PVirtualNode node : tree)
    if (node->hasCheckBox() && node->checkState() == CheckState::Checked) ++count;
  return count;
}

void Tree_CheckAll(TTreeModel& tree, bool selectedOnly) { SetStates(tree, CheckState::Checked, false, selectedOnly); }

void Tree_UncheckAll(TTreeModel& tree, bool selectedOnly) {
  SetStates(tree, CheckState::Unchecked, false, selectedOnly);
}

void Tree_CheckVisible(TTreeModel& tree, bool selectedOnly) {
  SetStates(tree, CheckState::Checked, true, selectedOnly);
}

void Tree_UncheckVisible(TTreeModel& tree, bool selectedOnly) {
  SetStates(tree, CheckState::Unchecked, true, selectedOnly);
}

}  // namespace keytidy
