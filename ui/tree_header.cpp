#include "ui/tree_header.h"

#include <algorithm>
#include <cmath>

namespace keytidy {

void Tree_FitColumns(THeaderTree& tree, const std::vector<int>& columns) {
  const int count = tree.ColumnCount();
  std::vector<bool> listed(static_cast<size_t>(std::max(count, 0)), false);
  for (int column : columns)
    if (column >= 0 && column < count) listed[static_cast<size_t>(column)] = true;

  int available = tree.TreeWidth() - (28 * tree.Dpi() + 48) / 96;
  int sum = 0;
  for (int column = 0; column < count; ++column) {
    if (listed[static_cast<size_t>(column)])
      sum += tree.ColumnWidth(column);
    else
      available -= tree.ColumnWidth(column);
  }
  if (sum == 0) return;

  // The factor is computed once, before any width changes; a column listed
  // twice is stretched once (stretching it again would overshoot the width).
  const double factor = static_cast<double>(available) / sum;
  std::vector<bool> done(listed.size(), false);
  for (int column : columns) {
    if (column < 0 || column >= count || done[static_cast<size_t>(column)]) continue;
    done[static_cast<size_t>(column)] = true;
    // nearbyint rounds halves to even under the default rounding mode.
    const double width = std::nearbyint(tree.ColumnWidth(column) * factor);
    tree.SetColumnWidth(column, static_cast<int>(std::max(width, 0.0)));
  }
}

void TVTree_DefaultEvents::OnHeaderClick(THeaderTree& tree, int column) {
  const bool flip = tree.SortColumn() == column && tree.SortDirection() == TSortDirection::Ascending;
  tree.SetSortDirection(flip ? TSortDirection::Descending : TSortDirection::Ascending);
  tree.SetSortColumn(column);
  tree.SortTree();
  tree.ScrollFirstSelectedIntoView();
}

}  // namespace keytidy
