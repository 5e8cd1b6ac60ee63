#include "model/tree_model.h"

#include <algorithm>

namespace keytidy {

std::size_t TTreeModel::IndexOf(const TTreeNode* node) const {
  for (std::size_t i = 0; i < nodes_.size(); ++i)
    if (nodes_[i].get() == node) return i;
  return nodes_.size();
}

PVirtualNode TTreeModel::AppendNode(std::unique_ptr<TTreeNode> node, CheckType type, CheckState state) {
  node->checkType_ = type;
  node->checkState_ = state;
  nodes_.push_back(std::move(node));
  Changed(true, true);
  return nodes_.back().get();
}

void TTreeModel::SetCheckState(PVirtualNode node, CheckState state) {
  if (!node || node->checkState_ == state) return;
  node->checkState_ = state;
  Changed(false, true);
}

void TTreeModel::SetVisible(PVirtualNode node, bool visible) {
  if (!node || node->visible_ == visible) return;
  node->visible_ = visible;
  Changed(false, true);
}

void TTreeModel::SetSelected(PVirtualNode node, bool selected) {
  if (!node || node->selected_ == selected) return;
  node->selected_ = selected;
  Changed(false, true);
}

void TTreeModel::Invalidate() { Changed(false, true); }

std::size_t TTreeModel::RemoveIf(const std::function<bool(PVirtualNode)>& remove) {
  const std::size_t removed =
      std::erase_if(nodes_, [&](const std::unique_ptr<TTreeNode>& node) { return remove(node.get()); });
  if (removed > 0) {
    ++removals_;
    Changed(true, true);
  }
  return removed;
}

bool TTreeModel::Remove(PVirtualNode node) {
  return RemoveIf([node](PVirtualNode candidate) { return candidate == node; }) > 0;
}

void TTreeModel::Clear() {
  if (nodes_.empty()) return;
  nodes_.clear();
  ++removals_;
  Changed(true, true);
}

void TTreeModel::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0) Notify();
}

int TTreeModel::Subscribe(Listener listener) {
  const int id = nextSubscription_++;
  listeners_.emplace_back(id, std::move(listener));
  return id;
}

void TTreeModel::Unsubscribe(int subscription) {
  std::erase_if(listeners_, [subscription](const auto& entry) { return entry.first == subscription; });
}

void TTreeModel::Changed(bool structure, bool display) {
  pending_.structure = pending_.structure || structure;
  pending_.display = pending_.display || display;
  if (updateDepth_ == 0) Notify();
}

void TTreeModel::Notify() {
  if (!pending_.structure && !pending_.display) return;
  const TreeChanges changes = pending_;
  pending_ = {};
  // A listener may unsubscribe (or subscribe) while being told; work on a
  // copy so the walk is not disturbed.
  const auto listeners = listeners_;
  for (const auto& [id, listener] : listeners)
    if (listener) listener(changes);
}

}  // namespace keytidy
