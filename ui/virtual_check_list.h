#pragma once
// A report list view without data of its own: an owner-data, owner-drawn
// list with one column over a checkable list model. Its rows are the model's
// visible items in model order; check states and the selection live in the
// model (hidden items keep theirs), so a filter can come and go without
// losing either. The control asks for nothing but the row count; each row is
// painted by DrawItem after the list drew the background and the check box. A right click or the menu key sends
// WM_CONTEXTMENU to the parent as usual.
//
// The row height comes from WM_MEASUREITEM, which the list sends to its
// parent while it is being created: the parent answers with
// MeasureRow(). A small image list of the same height backs it up on
// systems that size rows by their icons.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <vector>

#include "ui/check_list_model.h"
#include "ui/list_view.h"

namespace keytidy::ui {

class VirtualCheckList : public ListView {
 public:
  using ListView::ListView;
  ~VirtualCheckList() override;
  std::wstring ClassName() const override { return L"TVIRTUALDRAWTREE"; }

  bool Create(HWND parent, int x, int y, int width, int height, int rowHeight);
  // For the parent's WM_MEASUREITEM: true (and the height filled in) when
  // the message is about a list view.
  static bool MeasureRow(LPARAM lParam, int rowHeight);

  // The model is borrowed and must outlive the list (or be set to null).
  void SetModel(CheckListModel* model);

  // What no row shows.
  static constexpr std::size_t kNoItem = static_cast<std::size_t>(-1);

  int RowHeight() const;
  size_t RowCount() const { return rows_.size(); }
  std::size_t ItemOfRow(size_t row) const { return row < rows_.size() ? rows_[row] : kNoItem; }
  // The row of a visible item; -1 for a hidden or unknown one.
  int RowOfItem(std::size_t item) const;
  void SetColumnWidth(int width);

  // Selection, as the model holds it (hidden items included).
  std::vector<std::size_t> SelectedItems() const;
  size_t SelectedCount() const;
  std::size_t FirstSelectedItem() const;  // kNoItem when none
  void ClearSelection();
  // Selects a visible item, gives it the focus rectangle and scrolls to it.
  void SelectItem(std::size_t item);
  bool HasFocus() const { return Alive() && GetFocus() == Handle(); }

  // The selection changed (after the model took it over).
  std::function<void()> OnSelectionChange;

  // Toggles an item's check box the way a click does.
  void ToggleItemCheck(std::size_t item);

  bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;
  bool OnReflectedDrawItem(DRAWITEMSTRUCT* item) override;

  // Where a row's check box lies, relative to the row's left edge.
  static constexpr int kCheckLeft = 4;
  static constexpr int kCheckSize = 13;
  static constexpr int kContentLeft = 22;

 protected:
  // Paints one row's content: `content` starts right of the check box.
  virtual void DrawItem(HDC dc, const RECT& content, std::size_t item, bool selected, bool focused) {}
  // A check box is about to be ticked or cleared; the change follows.
  virtual void ItemChecking(std::size_t item, bool ticked) {}

 private:
  void ModelChanged(bool structure);
  void Rebuild(bool force);
  void PushSelection();
  void TakeSelection(int from, int to, bool selected);
  void ClickAt(int row, POINT point);

  CheckListModel* model_ = nullptr;
  int subscription_ = 0;
  std::vector<std::size_t> rows_;    // the model positions of the rows
  std::vector<char> shownSelected_;  // per row: what the control shows as selected
  HIMAGELIST heightImages_ = nullptr;
  bool pushing_ = false;  // selection going from the model to the control
  bool taking_ = false;   // selection going from the control to the model
};

}  // namespace keytidy::ui
