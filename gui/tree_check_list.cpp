#include "gui/tree_check_list.h"

namespace keytidy {

ui::CheckBoxLook TreeCheckListModel::ItemCheckBox(std::size_t item) const {
  const TTreeNode* node = tree_.NodeAt(item);
  if (!node->hasCheckBox()) return ui::CheckBoxLook::None;
  switch (node->checkState()) {
    case CheckState::Checked:
    case CheckState::CheckedPressed: return ui::CheckBoxLook::Checked;
    case CheckState::Mixed:
    case CheckState::MixedPressed: return ui::CheckBoxLook::Mixed;
    default: return ui::CheckBoxLook::Unchecked;
  }
}

bool TreeCheckListModel::ItemTicked(std::size_t item) const {
  return tree_.NodeAt(item)->checkState() == CheckState::Checked;
}

void TreeCheckListModel::SetItemTicked(std::size_t item, bool ticked) {
  tree_.SetCheckState(tree_.NodeAt(item), ticked ? CheckState::Checked : CheckState::Unchecked);
}

int TreeCheckListModel::Subscribe(Listener listener) {
  return tree_.Subscribe([listener = std::move(listener)](const TreeChanges& changes) { listener(changes.structure); });
}

// The widget must let go of the view before the view goes.
TreeCheckList::~TreeCheckList() { ui::VirtualCheckList::SetModel(nullptr); }

void TreeCheckList::SetModel(TTreeModel* model) {
  ui::VirtualCheckList::SetModel(nullptr);
  model_ = model ? std::make_unique<TreeCheckListModel>(*model) : nullptr;
  ui::VirtualCheckList::SetModel(model_.get());
}

PVirtualNode TreeCheckList::NodeOf(std::size_t item) const {
  return model_ && item < model_->ItemCount() ? model_->Tree().NodeAt(item) : nullptr;
}

std::size_t TreeCheckList::ItemOf(const TTreeNode* node) const {
  if (!model_ || !node) return kNoItem;
  const std::size_t item = model_->Tree().IndexOf(node);
  return item < model_->ItemCount() ? item : kNoItem;
}

PVirtualNode TreeCheckList::NodeOfRow(size_t row) const { return NodeOf(ItemOfRow(row)); }

int TreeCheckList::RowOf(const TTreeNode* node) const {
  const std::size_t item = ItemOf(node);
  return item == kNoItem ? -1 : RowOfItem(item);
}

std::vector<PVirtualNode> TreeCheckList::SelectedNodes() const {
  std::vector<PVirtualNode> nodes;
  for (std::size_t item : SelectedItems()) nodes.push_back(NodeOf(item));
  return nodes;
}

PVirtualNode TreeCheckList::FirstSelected() const { return NodeOf(FirstSelectedItem()); }

void TreeCheckList::SelectNode(PVirtualNode node) {
  if (const std::size_t item = ItemOf(node); item != kNoItem) SelectItem(item);
}

void TreeCheckList::ToggleCheck(PVirtualNode node) {
  if (const std::size_t item = ItemOf(node); item != kNoItem) ToggleItemCheck(item);
}

void TreeCheckList::DrawItem(HDC dc, const RECT& content, std::size_t item, bool selected, bool focused) {
  if (OnDrawNode) OnDrawNode(dc, content, NodeOf(item), selected, focused);
}

void TreeCheckList::ItemChecking(std::size_t item, bool ticked) {
  if (OnChecking) OnChecking(NodeOf(item), ticked ? CheckState::Checked : CheckState::Unchecked);
}

}  // namespace keytidy
