#pragma once
// The header side of the program's tree lists: stretching chosen columns to
// the list's width, and the shared header-click sorting. The list views
// implement THeaderTree; these operations know nothing else of them.
#include <vector>

namespace keytidy {

enum class TSortDirection { Ascending, Descending };

class THeaderTree {
 public:
  virtual ~THeaderTree() = default;
  virtual int TreeWidth() const = 0;  // the whole control, in pixels
  // The DPI the control is shown at, which the room kept beside the columns
  // follows.
  virtual int Dpi() const { return 96; }
  virtual int ColumnCount() const = 0;
  virtual int ColumnWidth(int column) const = 0;
  virtual void SetColumnWidth(int column, int width) = 0;
  virtual int SortColumn() const = 0;  // -1 when unsorted
  virtual TSortDirection SortDirection() const = 0;
  virtual void SetSortDirection(TSortDirection direction) = 0;
  virtual void SetSortColumn(int column) = 0;
  // Sorts every node by the sort column in the sort direction, with the
  // comparison the list's owner installed.
  virtual void SortTree() = 0;
  // Scrolls the first selected node into view, centred vertically, without
  // horizontal scrolling; nothing when no node is selected.
  virtual void ScrollFirstSelectedIntoView() = 0;
};

// Stretches the listed columns so that all columns fill the tree's width
// less 28 pixels at 96 DPI (room for the scroll bar and border, growing with
// the DPI), each in proportion to
// its current width. Indexes that name no column, and repeats, are ignored;
// widths never go below 0. With listed widths summing to 0 nothing changes.
void Tree_FitColumns(THeaderTree& tree, const std::vector<int>& columns);

struct TVTree_DefaultEvents {
  // A click on a column sorts by it: ascending, or descending when it is
  // already the ascending sort column. The first selected node stays in view.
  static void OnHeaderClick(THeaderTree& tree, int column);
};

}  // namespace keytidy
