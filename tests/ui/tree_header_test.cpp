// Column stretching and header-click sorting on a small fake list.
#include "ui/tree_header.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace keytidy {
namespace {

class FakeHeaderTree : public THeaderTree {
 public:
  FakeHeaderTree(int width, std::vector<int> columns) : width_(width), widths(std::move(columns)) {}
  int TreeWidth() const override { return width_; }
  int ColumnCount() const override { return static_cast<int>(widths.size()); }
  int ColumnWidth(int column) const override { return widths[column]; }
  void SetColumnWidth(int column, int width) override { widths[column] = width; }
  int SortColumn() const override { return sortColumn; }
  TSortDirection SortDirection() const override { return direction; }
  void SetSortDirection(TSortDirection d) override {
    direction = d;
    calls += "direction,";
  }
  void SetSortColumn(int column) override {
    sortColumn = column;
    calls += "column,";
  }
  void SortTree() override { calls += "sort,"; }
  void ScrollFirstSelectedIntoView() override { calls += "scroll,"; }

  int width_;
  std::vector<int> widths;
  int sortColumn = -1;
  TSortDirection direction = TSortDirection::Ascending;
  std::string calls;
};

TEST(FitColumns, ListedColumnsShareTheFreeWidth) {
  const struct {
    const char* label;
    int treeWidth;
    std::vector<int> widths;
    std::vector<int> listed;
    std::vector<int> expected;
  } cases[] = {
      // Available 600 - 28 - 264 = 308, sum 360: 160.84 and 147.16.
      {"two stretched", 600, {188, 172, 64, 88, 112}, {0, 1}, {161, 147, 64, 88, 112}},
      {"order of the list does not matter", 600, {188, 172, 64, 88, 112}, {1, 0}, {161, 147, 64, 88, 112}},
      {"one column", 428, {100, 100}, {0}, {300, 100}},
      {"listed widths of 0 change nothing", 600, {0, 0, 50}, {0, 1}, {0, 0, 50}},
      {"unknown and repeated indexes", 600, {100, 50}, {0, 7, -1, 0}, {522, 50}},
      {"too narrow a tree gives 0, not negative", 100, {50, 200}, {0}, {0, 200}},
      {"empty list", 600, {10, 20}, {}, {10, 20}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    FakeHeaderTree tree(c.treeWidth, c.widths);
    Tree_FitColumns(tree, c.listed);
    EXPECT_EQ(tree.widths, c.expected);
  }
}

TEST(FitColumns, RoundsHalvesToEven) {
  // Free 10, sum 4: factor 2.5, so widths 1 and 3 become 2.5 -> 2 and 7.5 -> 8.
  FakeHeaderTree tree(38, {1, 3});
  Tree_FitColumns(tree, {0, 1});
  EXPECT_EQ(tree.widths, (std::vector<int>{2, 8}));
}

TEST(HeaderClick, SameColumnTogglesOtherColumnStartsAscending) {
  FakeHeaderTree tree(600, {100, 100, 100});
  const struct {
    int column;
    TSortDirection expected;
  } clicks[] = {
      {1, TSortDirection::Ascending},  {1, TSortDirection::Descending}, {1, TSortDirection::Ascending},
      {1, TSortDirection::Descending}, {2, TSortDirection::Ascending},  {2, TSortDirection::Descending},
      {0, TSortDirection::Ascending},
  };
  for (const auto& click : clicks) {
    tree.calls.clear();
    TVTree_DefaultEvents::OnHeaderClick(tree, click.column);
    EXPECT_EQ(tree.sortColumn, click.column);
    EXPECT_EQ(tree.direction, click.expected) << "column " << click.column;
    EXPECT_EQ(tree.calls, "direction,column,sort,scroll,");
  }
}

}  // namespace
}  // namespace keytidy
