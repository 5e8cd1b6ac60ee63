#pragma once
// The check list over the program's tree models (findings, backup records):
// the widget's list model is a view of a TTreeModel, and the list speaks in
// that model's nodes to the screens that use it.
#include <functional>
#include <memory>
#include <vector>

#include "model/tree_model.h"
#include "ui/check_list_model.h"
#include "ui/virtual_check_list.h"

namespace keytidy {

// A TTreeModel as the widget sees it: items are nodes by tree position.
class TreeCheckListModel final : public ui::CheckListModel {
 public:
  explicit TreeCheckListModel(TTreeModel& tree) : tree_(tree) {}

  std::size_t ItemCount() const override { return tree_.NodeCount(); }
  bool ItemVisible(std::size_t item) const override { return tree_.NodeAt(item)->visible(); }
  bool ItemSelected(std::size_t item) const override { return tree_.NodeAt(item)->selected(); }
  ui::CheckBoxLook ItemCheckBox(std::size_t item) const override;
  bool ItemTicked(std::size_t item) const override;

  void SetItemSelected(std::size_t item, bool selected) override { tree_.SetSelected(tree_.NodeAt(item), selected); }
  void SetItemTicked(std::size_t item, bool ticked) override;
  void BeginUpdate() override { tree_.BeginUpdate(); }
  void EndUpdate() override { tree_.EndUpdate(); }

  int Subscribe(Listener listener) override;
  void Unsubscribe(int subscription) override { tree_.Unsubscribe(subscription); }

  TTreeModel& Tree() const { return tree_; }

 private:
  TTreeModel& tree_;
};

class TreeCheckList : public ui::VirtualCheckList {
 public:
  using ui::VirtualCheckList::VirtualCheckList;
  ~TreeCheckList() override;

  // The model is borrowed and must outlive the list (or be set to null).
  void SetModel(TTreeModel* model);

  PVirtualNode NodeOfRow(size_t row) const;
  // The row of a visible node; -1 for a hidden or unknown one.
  int RowOf(const TTreeNode* node) const;

  // Selection, as the model holds it (hidden nodes included).
  std::vector<PVirtualNode> SelectedNodes() const;
  PVirtualNode FirstSelected() const;
  // Selects a visible node, gives it the focus rectangle and scrolls to it.
  void SelectNode(PVirtualNode node);
  // Toggles a node's check box the way a click does.
  void ToggleCheck(PVirtualNode node);

  // Paints one row's content: `content` starts right of the check box.
  std::function<void(HDC dc, const RECT& content, PVirtualNode node, bool selected, bool focused)> OnDrawNode;
  // A check box is about to change to `newState`; the change follows.
  std::function<void(PVirtualNode node, CheckState newState)> OnChecking;

 protected:
  void DrawItem(HDC dc, const RECT& content, std::size_t item, bool selected, bool focused) override;
  void ItemChecking(std::size_t item, bool ticked) override;

 private:
  PVirtualNode NodeOf(std::size_t item) const;
  std::size_t ItemOf(const TTreeNode* node) const;

  std::unique_ptr<TreeCheckListModel> model_;
};

}  // namespace keytidy
