#pragma once
// A report list whose rows belong to its owner: the control only knows how
// many rows there are (owner data) and asks the owner to paint every cell.
// It keeps the header: captions (one per column, for the translation walk),
// widths, the sort mark. Columns can be left out of the view without losing
// their width, and the header can be hidden.
//
// The selection lives in the control, as with every owner-data list view;
// the owner hears of changes through OnSelectionChange and reads or sets it
// by row index.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/gdi_objects.h"
#include "ui/tree_header.h"

namespace keytidy::ui {

class VirtualDrawList : public Control, public THeaderTree {
 public:
  using Control::Control;
  ~VirtualDrawList() override;
  bool Create(HWND parent, int x, int y, int width, int height, bool multiSelect);
  std::wstring ClassName() const override { return L"TVIRTUALDRAWTREE"; }

  // --- columns (also what the translation walk reads and writes) ---
  void AddColumn(const std::wstring& caption, int width);
  int ItemCount() const override;
  std::wstring ItemText(int index) const override;
  void SetItemText(int index, const std::wstring& text) override;
  // A column left out keeps its width for when it comes back.
  void SetColumnShown(int column, bool shown);
  bool ColumnShown(int column) const;
  void SetHeaderVisible(bool visible);
  bool HeaderVisible() const;

  // --- rows ---
  // Rows are this many pixels high (at least the font's height).
  void SetRowHeight(int pixels);
  void SetRowCount(int rows);
  int RowCount() const;
  std::vector<int> SelectedRows() const;
  void SetRowSelected(int row, bool selected);
  void SetMultiSelect(bool on);
  bool MultiSelect() const;
  // Repaints every row (the owner's data changed).
  void RefreshRows();
  // The rectangle of one cell in client coordinates; empty when the row or
  // column is out of range or the column is left out.
  RECT CellRect(int row, int column) const;

  // Paints one cell; the background is already painted.
  std::function<void(HDC dc, int row, int column, const RECT& cell, bool selected)> OnDrawCell;
  std::function<void()> OnSelectionChange;
  std::function<void(int column)> OnHeaderClick;
  // Puts the owner's rows in the order of SortColumn()/SortDirection().
  std::function<void()> OnSort;

  // --- THeaderTree ---
  int TreeWidth() const override;
  int Dpi() const override;
  int ColumnCount() const override { return static_cast<int>(columns_.size()); }
  int ColumnWidth(int column) const override;
  void SetColumnWidth(int column, int width) override;
  int SortColumn() const override { return sortColumn_; }
  TSortDirection SortDirection() const override { return sortDirection_; }
  void SetSortDirection(TSortDirection direction) override;
  void SetSortColumn(int column) override;
  void SortTree() override;
  void ScrollFirstSelectedIntoView() override;

  bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;

 private:
  struct Column {
    std::wstring caption;
    int width = 0;
    bool shown = true;
  };
  void ApplyColumn(int column);
  void ShowSortMark();
  LRESULT CustomDraw(NMLVCUSTOMDRAW* draw);

  std::vector<Column> columns_;
  int sortColumn_ = -1;
  TSortDirection sortDirection_ = TSortDirection::Ascending;
  HIMAGELIST rowHeightList_ = nullptr;  // owned; only gives the rows their height
};

}  // namespace keytidy::ui
