// The checkable tree model: change notifications and the bulk check-mark
// operations.
#include "model/tree_model.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scan/tree_operations.h"

namespace keytidy {
namespace {

using Tree = TTreeModelOf<int>;

struct Recorder {
  explicit Recorder(TTreeModel& tree) {
    tree.Subscribe([this](const TreeChanges& c) { seen.push_back({c.structure, c.display}); });
  }
  std::vector<std::pair<bool, bool>> seen;
};

TEST(TreeModel, BulkUpdateReportsOnceAtTheOutermostEnd) {
  Tree tree;
  Recorder recorder(tree);
  tree.BeginUpdate();
  tree.BeginUpdate();
  for (int i = 0; i < 1000; ++i) Tree::Data(tree.AddChild(CheckType::TriStateCheckBox, CheckState::Checked)) = i;
  tree.EndUpdate();
  EXPECT_TRUE(recorder.seen.empty());
  tree.EndUpdate();
  ASSERT_EQ(recorder.seen.size(), 1u);
  EXPECT_EQ(recorder.seen[0], std::make_pair(true, true));
  EXPECT_EQ(tree.NodeCount(), 1000u);
  EXPECT_EQ(Tree::Data(tree.NodeAt(999)), 999);
  EXPECT_EQ(tree.IndexOf(tree.NodeAt(500)), 500u);

  recorder.seen.clear();
  tree.SetCheckState(tree.NodeAt(0), CheckState::Checked);  // no change, no news
  tree.SetSelected(tree.NodeAt(0), true);
  tree.EndUpdate();  // unbalanced: ignored
  tree.BeginUpdate();
  tree.EndUpdate();  // nothing happened inside
  EXPECT_EQ(recorder.seen, (std::vector<std::pair<bool, bool>>{{false, true}}));

  recorder.seen.clear();
  EXPECT_TRUE(tree.Remove(tree.NodeAt(0)));
  EXPECT_FALSE(tree.Remove(nullptr));
  tree.Clear();
  tree.Clear();
  EXPECT_EQ(recorder.seen, (std::vector<std::pair<bool, bool>>{{true, true}, {true, true}}));
}

TEST(TreeModel, ListenersCanLeaveWhileBeingTold) {
  Tree tree;
  int first = 0, second = 0;
  int firstId = 0;
  firstId = tree.Subscribe([&](const TreeChanges&) {
    ++first;
    tree.Unsubscribe(firstId);
  });
  tree.Subscribe([&](const TreeChanges&) { ++second; });
  tree.Invalidate();
  tree.Invalidate();
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
}

// Node layout for the check operations: check type, state, visible, selected.
struct NodeSpec {
  CheckType type;
  CheckState state;
  bool visible;
  bool selected;
};

constexpr CheckType kBox = CheckType::TriStateCheckBox;
const NodeSpec kNodes[] = {
    {kBox, CheckState::Checked, true, false},
    {kBox, CheckState::Unchecked, true, true},
    {kBox, CheckState::Checked, false, true},  // hidden by the filter
    {kBox, CheckState::Unchecked, false, false},
    {kBox, CheckState::CheckedPressed, true, false},
    {kBox, CheckState::Mixed, true, true},
    {CheckType::None, CheckState::Checked, true, true},  // never counted or changed
};

void Build(Tree& tree) {
  for (const NodeSpec& row : kNodes) {
    PVirtualNode node = tree.AddChild(row.type, row.state);
    tree.SetVisible(node, row.visible);
    tree.SetSelected(node, row.selected);
  }
}

std::string States(const Tree& tree) {
  std::string letters;
  for (PVirtualNode node : tree) {
    switch (node->checkState()) {
      case CheckState::Checked: letters += 'C'; break;
      case CheckState::Unchecked: letters += 'u'; break;
      case CheckState::CheckedPressed: letters += 'P'; break;
      case CheckState::Mixed: letters += 'M'; break;
      default: letters += '?'; break;
    }
  }
  return letters;
}

TEST(TreeOperations, CheckOperationsPickTheirNodes) {
  struct Case {
    const char* label;
    void (*operation)(TTreeModel&, bool);
    bool selectedOnly;
    const char* after;
  } cases[] = {
      // node:                                       0123456
      {"CheckAll", Tree_CheckAll, false, "CCCCCCC"},
      {"UncheckAll", Tree_UncheckAll, false, "uuuuuuC"},
      {"CheckAll selected", Tree_CheckAll, true, "CCCuPCC"},
      {"UncheckAll selected", Tree_UncheckAll, true, "CuuuPuC"},
      {"CheckVisible", Tree_CheckVisible, false, "CCCuCCC"},
      {"UncheckVisible", Tree_UncheckVisible, false, "uuCuuuC"},
      {"CheckVisible selected", Tree_CheckVisible, true, "CCCuPCC"},
      {"UncheckVisible selected", Tree_UncheckVisible, true, "CuCuPuC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Tree tree;
    Build(tree);
    ASSERT_EQ(States(tree), "CuCuPMC");
    Recorder recorder(tree);
    c.operation(tree, c.selectedOnly);
    EXPECT_EQ(States(tree), c.after);
    EXPECT_EQ(recorder.seen.size(), 1u);  // one repaint for the whole walk
  }
}

TEST(TreeOperations, CountingAndTheEdgeTrees) {
  Tree tree;
  EXPECT_EQ(Tree_CountChecked(tree), 0);
  Recorder recorder(tree);
  Tree_CheckAll(tree, false);
  Tree_UncheckVisible(tree, false);
  EXPECT_TRUE(recorder.seen.empty());  // no nodes: nothing, not even a repaint

  Build(tree);
  EXPECT_EQ(Tree_CountChecked(tree), 2);  // pressed, mixed and box-less nodes do not count
  for (PVirtualNode node : tree) tree.SetSelected(node, false);
  const std::string before = States(tree);
  recorder.seen.clear();
  Tree_CheckAll(tree, true);  // nothing selected: nothing changes, still one repaint
  EXPECT_EQ(States(tree), before);
  EXPECT_EQ(recorder.seen.size(), 1u);
}

}  // namespace
}  // namespace keytidy
