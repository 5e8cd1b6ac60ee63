#pragma once
// A report list view without data of its own: an owner-data, owner-drawn
// list with one column over a checkable tree model. Its rows are the model's
// visible nodes in model order; check states and the selection live in the
// model (hidden nodes keep theirs), so a filter can come and go without
// losing either. The control asks for nothing but the row count; each row is
// painted by the owner's OnDrawNode after the list drew the background and
// the check box. A right click or the menu key sends WM_CONTEXTMENU to the
// parent as usual.
//
// The row height comes from WM_MEASUREITEM, which the list sends to its
// parent while it is being created: the parent answers with
// MeasureRow(). A small image list of the same height backs it up on
// systems that size rows by their icons.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "model/tree_model.h"
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
  void SetModel(TTreeModel* model);
  TTreeModel* Model() const { return model_; }

  int RowHeight() const;
  size_t RowCount() const { return rows_.size(); }
  PVirtualNode NodeOfRow(size_t row) const { return row < rows_.size() ? rows_[row] : nullptr; }
  // The row of a visible node; -1 for a hidden or unknown one.
  int RowOf(const TTreeNode* node) const;
  void SetColumnWidth(int width);

  // Selection, as the model holds it (hidden nodes included).
  std::vector<PVirtualNode> SelectedNodes() const;
  size_t SelectedCount() const;
  PVirtualNode FirstSelected() const;
  void ClearSelection();
  // Selects a visible node, gives it the focus rectangle and scrolls to it.
  void SelectNode(PVirtualNode node);
  bool HasFocus() const { return Alive() && GetFocus() == Handle(); }

  // Paints one row's content: `content` starts right of the check box.
  std::function<void(HDC dc, const RECT& content, PVirtualNode node, bool selected, bool focused)> OnDrawNode;
  // A check box is about to change to `newState`; the change follows.
  std::function<void(PVirtualNode node, CheckState newState)> OnChecking;
  // The selection changed (after the model took it over).
  std::function<void()> OnSelectionChange;

  // Toggles a node's check box the way a click does.
  void ToggleCheck(PVirtualNode node);

  bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;
  bool OnReflectedDrawItem(DRAWITEMSTRUCT* item) override;

  // Where a row's check box lies, relative to the row's left edge.
  static constexpr int kCheckLeft = 4;
  static constexpr int kCheckSize = 13;
  static constexpr int kContentLeft = 22;

 private:
  void ModelChanged(const TreeChanges& changes);
  void Rebuild(bool force);
  void PushSelection();
  void TakeSelection(int from, int to, bool selected);
  void ClickAt(int row, POINT point);

  TTreeModel* model_ = nullptr;
  int subscription_ = 0;
  std::vector<PVirtualNode> rows_;
  std::vector<char> shownSelected_;  // per row: what the control shows as selected
  HIMAGELIST heightImages_ = nullptr;
  bool pushing_ = false;      // selection going from the model to the control
  bool taking_ = false;       // selection going from the control to the model
};

}  // namespace keytidy::ui
