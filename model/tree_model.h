#pragma once
// The model behind the program's checkable lists (found entries, backup
// sets): an ordered list of nodes, each with a check type, a check state, a
// visible flag and a selected flag, plus one record of the owner's type.
// It knows nothing of windows. A view (an owner-data list view that pulls
// rows by index) subscribes to its change notifications; check states live
// here, not in the control.
//
// Node handles stay valid until their node is removed or the tree cleared.
// Everything runs on the GUI thread; nothing is locked.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace keytidy {

enum class CheckType : std::uint8_t { None, CheckBox, TriStateCheckBox };

// The pressed variants are the transient states while the mouse button is
// down on a box; only plain Checked counts as ticked.
enum class CheckState : std::uint8_t {
  Unchecked,
  UncheckedPressed,
  Checked,
  CheckedPressed,
  Mixed,
  MixedPressed,
};

class TTreeNode {
 public:
  virtual ~TTreeNode() = default;
  CheckType checkType() const { return checkType_; }
  CheckState checkState() const { return checkState_; }
  bool visible() const { return visible_; }
  bool selected() const { return selected_; }
  bool hasCheckBox() const { return checkType_ != CheckType::None; }

 protected:
  TTreeNode() = default;

 private:
  friend class TTreeModel;
  CheckType checkType_ = CheckType::None;
  CheckState checkState_ = CheckState::Unchecked;
  bool visible_ = true;
  bool selected_ = false;
};

using PVirtualNode = TTreeNode*;

// What changed since the last notification: the node list itself (count,
// order) and/or what a view shows of the nodes (states, flags, records).
struct TreeChanges {
  bool structure = false;
  bool display = false;
};

class TTreeModel {
 public:
  using Listener = std::function<void(const TreeChanges&)>;

  TTreeModel() = default;
  virtual ~TTreeModel() = default;
  TTreeModel(const TTreeModel&) = delete;
  TTreeModel& operator=(const TTreeModel&) = delete;

  std::size_t NodeCount() const { return nodes_.size(); }
  bool IsEmpty() const { return nodes_.empty(); }
  // The node at a position in tree order (an owner-data view's row index).
  PVirtualNode NodeAt(std::size_t index) const { return nodes_[index].get(); }
  std::size_t IndexOf(const TTreeNode* node) const;  // NodeCount() when absent
  // Raised whenever nodes leave the tree. Between two changes of it the tree
  // only grows at its end, which lets a look-up index over the nodes catch
  // up with the new ones instead of starting over.
  std::uint64_t RemovalCount() const { return removals_; }

  // Iteration in tree order, yielding PVirtualNode.
  class const_iterator {
   public:
    explicit const_iterator(std::vector<std::unique_ptr<TTreeNode>>::const_iterator at) : at_(at) {}
    PVirtualNode operator*() const { return at_->get(); }
    const_iterator& operator++() {
      ++at_;
      return *this;
    }
    bool operator==(const const_iterator& other) const = default;

   private:
    std::vector<std::unique_ptr<TTreeNode>>::const_iterator at_;
  };
  const_iterator begin() const { return const_iterator(nodes_.begin()); }
  const_iterator end() const { return const_iterator(nodes_.end()); }

  void SetCheckState(PVirtualNode node, CheckState state);
  void SetVisible(PVirtualNode node, bool visible);
  void SetSelected(PVirtualNode node, bool selected);
  // Asks the views to repaint although nothing may have changed.
  void Invalidate();

  // Removes the nodes the predicate picks, keeping the order of the rest;
  // returns how many went. One notification however many are removed.
  std::size_t RemoveIf(const std::function<bool(PVirtualNode)>& remove);
  bool Remove(PVirtualNode node);
  void Clear();

  // Bulk update: changes between the outermost Begin and End are reported
  // once, at the End. Nested pairs are allowed.
  void BeginUpdate() { ++updateDepth_; }
  void EndUpdate();
  bool IsUpdating() const { return updateDepth_ > 0; }

  int Subscribe(Listener listener);
  void Unsubscribe(int subscription);

 protected:
  PVirtualNode AppendNode(std::unique_ptr<TTreeNode> node, CheckType type, CheckState state);

 private:
  void Changed(bool structure, bool display);
  void Notify();

  std::vector<std::unique_ptr<TTreeNode>> nodes_;
  std::uint64_t removals_ = 0;
  int updateDepth_ = 0;
  TreeChanges pending_;
  std::vector<std::pair<int, Listener>> listeners_;
  int nextSubscription_ = 1;
};

// A model whose every node carries one record of type Record.
template <typename Record>
class TTreeModelOf : public TTreeModel {
 public:
  PVirtualNode AddChild(CheckType type, CheckState state) { return AppendNode(std::make_unique<Node>(), type, state); }
  // The record of a node of this tree.
  static Record& Data(PVirtualNode node) { return static_cast<Node*>(node)->data; }
  static const Record& Data(const TTreeNode* node) { return static_cast<const Node*>(node)->data; }

 private:
  struct Node final : TTreeNode {
    Record data{};
  };
};

}  // namespace keytidy
