#include "ui/virtual_check_list.h"

#include <algorithm>

#include "ui/gdi_objects.h"

namespace keytidy::ui {

VirtualCheckList::~VirtualCheckList() {
  SetModel(nullptr);
  if (Alive()) Destroy();
  if (heightImages_) ImageList_Destroy(heightImages_);
}

bool VirtualCheckList::Create(HWND parent, int x, int y, int width, int height, int rowHeight) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_OWNERDATA |
                      LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
  if (!CreateNativeWindow(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, x, y, width, height, parent)) return false;
  ListView_SetExtendedListViewStyle(Handle(), LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  // Rows sized by their icons get the height from this list (the list adds
  // one pixel of its own); rows sized by WM_MEASUREITEM ignore it.
  heightImages_ = ImageList_Create(1, std::max(1, rowHeight - 1), ILC_COLOR32, 0, 1);
  ListView_SetImageList(Handle(), heightImages_, LVSIL_SMALL);
  return true;
}

bool VirtualCheckList::MeasureRow(LPARAM lParam, int rowHeight) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (!measure || measure->CtlType != ODT_LISTVIEW) return false;
  measure->itemHeight = static_cast<UINT>(rowHeight);
  return true;
}

void VirtualCheckList::SetModel(CheckListModel* model) {
  if (model_ && subscription_) model_->Unsubscribe(subscription_);
  model_ = model;
  subscription_ = 0;
  if (model_) subscription_ = model_->Subscribe([this](bool structure) { ModelChanged(structure); });
  Rebuild(true);
}

int VirtualCheckList::RowHeight() const {
  RECT r{};
  if (!Alive() || rows_.empty() || !ListView_GetItemRect(Handle(), 0, &r, LVIR_BOUNDS)) return 0;
  return r.bottom - r.top;
}

int VirtualCheckList::RowOfItem(std::size_t item) const {
  const auto at = std::lower_bound(rows_.begin(), rows_.end(), item);
  return at == rows_.end() || *at != item ? -1 : static_cast<int>(at - rows_.begin());
}

void VirtualCheckList::SetColumnWidth(int width) {
  if (Alive()) ListView_SetColumnWidth(Handle(), 0, std::max(0, width));
}

std::vector<std::size_t> VirtualCheckList::SelectedItems() const {
  std::vector<std::size_t> items;
  const std::size_t count = model_ ? model_->ItemCount() : 0;
  for (std::size_t item = 0; item < count; ++item)
    if (model_->ItemSelected(item)) items.push_back(item);
  return items;
}

size_t VirtualCheckList::SelectedCount() const {
  size_t selected = 0;
  const std::size_t count = model_ ? model_->ItemCount() : 0;
  for (std::size_t item = 0; item < count; ++item)
    if (model_->ItemSelected(item)) ++selected;
  return selected;
}

std::size_t VirtualCheckList::FirstSelectedItem() const {
  const std::size_t count = model_ ? model_->ItemCount() : 0;
  for (std::size_t item = 0; item < count; ++item)
    if (model_->ItemSelected(item)) return item;
  return kNoItem;
}

void VirtualCheckList::ClearSelection() {
  if (!model_) return;
  model_->BeginUpdate();
  const std::size_t count = model_->ItemCount();
  for (std::size_t item = 0; item < count; ++item)
    if (model_->ItemSelected(item)) model_->SetItemSelected(item, false);
  model_->EndUpdate();
}

void VirtualCheckList::SelectItem(std::size_t item) {
  if (!model_ || item >= model_->ItemCount()) return;
  model_->SetItemSelected(item, true);
  const int row = RowOfItem(item);
  if (row < 0 || !Alive()) return;
  pushing_ = true;
  ListView_SetItemState(Handle(), row, LVIS_FOCUSED, LVIS_FOCUSED);
  pushing_ = false;
  ListView_EnsureVisible(Handle(), row, FALSE);
}

void VirtualCheckList::ToggleItemCheck(std::size_t item) {
  if (!model_ || item >= model_->ItemCount() || model_->ItemCheckBox(item) == CheckBoxLook::None) return;
  const bool next = !model_->ItemTicked(item);
  ItemChecking(item, next);
  model_->SetItemTicked(item, next);
}

void VirtualCheckList::ModelChanged(bool structure) {
  if (taking_) {
    Invalidate();
    return;
  }
  Rebuild(structure);
}

void VirtualCheckList::Rebuild(bool force) {
  std::vector<std::size_t> rows;
  if (model_) {
    const std::size_t count = model_->ItemCount();
    rows.reserve(count);
    for (std::size_t item = 0; item < count; ++item)
      if (model_->ItemVisible(item)) rows.push_back(item);
  }
  const bool changed = force || rows != rows_;
  rows_ = std::move(rows);
  if (!Alive()) return;
  if (changed) {
    // The control keeps its selection by row number, and those numbers now
    // name other items. Emptying the list drops that selection without a
    // notification per row (deselecting "all rows" sends one per row).
    pushing_ = true;
    ListView_SetItemCountEx(Handle(), 0, LVSICF_NOSCROLL);
    ListView_SetItemCountEx(Handle(), static_cast<int>(rows_.size()), LVSICF_NOSCROLL);
    pushing_ = false;
    shownSelected_.assign(rows_.size(), 0);
  }
  PushSelection();
  InvalidateRect(Handle(), nullptr, FALSE);
}

// Tells the control about the rows whose selection differs from what it
// shows; with a large list most calls change nothing and send nothing.
void VirtualCheckList::PushSelection() {
  pushing_ = true;
  for (size_t row = 0; row < rows_.size(); ++row) {
    const char selected = model_ && model_->ItemSelected(rows_[row]) ? 1 : 0;
    if (selected == shownSelected_[row]) continue;
    ListView_SetItemState(Handle(), static_cast<int>(row), selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
    shownSelected_[row] = selected;
  }
  pushing_ = false;
}

// The control changed its selection (a click, the keyboard): the model
// follows. A "deselect everything" also clears hidden items, as a fresh
// click would; "select everything" only reaches the rows that are shown.
void VirtualCheckList::TakeSelection(int from, int to, bool selected) {
  if (pushing_ || !model_) return;
  taking_ = true;
  model_->BeginUpdate();
  if (from < 0) {
    if (selected) {
      for (size_t row = 0; row < rows_.size(); ++row) model_->SetItemSelected(rows_[row], true);
    } else {
      const std::size_t count = model_->ItemCount();
      for (std::size_t item = 0; item < count; ++item)
        if (model_->ItemSelected(item)) model_->SetItemSelected(item, false);
    }
    std::fill(shownSelected_.begin(), shownSelected_.end(), selected ? 1 : 0);
  } else {
    const int last = std::min(to, static_cast<int>(rows_.size()) - 1);
    for (int row = from; row <= last; ++row) {
      model_->SetItemSelected(rows_[row], selected);
      shownSelected_[row] = selected ? 1 : 0;
    }
  }
  model_->EndUpdate();
  taking_ = false;
  if (OnSelectionChange) OnSelectionChange();
}

void VirtualCheckList::ClickAt(int row, POINT point) {
  if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
  RECT r{};
  if (!ListView_GetItemRect(Handle(), row, &r, LVIR_BOUNDS)) return;
  const int x = point.x - r.left;
  if (x >= kCheckLeft - 2 && x <= kCheckLeft + kCheckSize + 2) ToggleItemCheck(rows_[row]);
}

bool VirtualCheckList::OnReflectedNotify(NMHDR* header, LRESULT& result) {
  result = 0;
  switch (header->code) {
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
        TakeSelection(change->iItem, change->iItem, (change->uNewState & LVIS_SELECTED) != 0);
      return true;
    }
    case LVN_ODSTATECHANGED: {
      const auto* change = reinterpret_cast<NMLVODSTATECHANGE*>(header);
      if ((change->uOldState ^ change->uNewState) & LVIS_SELECTED)
        TakeSelection(change->iFrom, change->iTo, (change->uNewState & LVIS_SELECTED) != 0);
      return true;
    }
    case LVN_GETDISPINFOW: {
      // Rows are painted, not described; the control gets empty texts.
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) info->item.pszText[0] = 0;
      return true;
    }
    case LVN_ODFINDITEMW: result = -1; return true;
    case NM_CLICK:
    case NM_DBLCLK: {
      const auto* click = reinterpret_cast<NMITEMACTIVATE*>(header);
      ClickAt(click->iItem, click->ptAction);
      return true;
    }
    case LVN_KEYDOWN: {
      const auto* key = reinterpret_cast<NMLVKEYDOWN*>(header);
      if (key->wVKey == VK_SPACE) {
        const int row = ListView_GetNextItem(Handle(), -1, LVNI_FOCUSED);
        if (row >= 0 && static_cast<size_t>(row) < rows_.size()) ToggleItemCheck(rows_[row]);
      }
      return true;
    }
    default: return false;
  }
}

bool VirtualCheckList::OnReflectedDrawItem(DRAWITEMSTRUCT* item) {
  if (item->itemID >= rows_.size() || !model_) return true;
  const std::size_t shown = rows_[item->itemID];
  HDC dc = item->hDC;
  const RECT row = item->rcItem;
  const bool selected = model_->ItemSelected(shown);
  const bool focused = HasFocus();
  COLORREF back = GetSysColor(COLOR_WINDOW);
  if (selected) back = focused ? GetSysColor(COLOR_HIGHLIGHT) : RGB(224, 224, 224);
  UniqueBrush brush(CreateSolidBrush(back));
  FillRect(dc, &row, brush.get());
  const CheckBoxLook look = model_->ItemCheckBox(shown);
  if (look != CheckBoxLook::None) {
    const int top = row.top + (row.bottom - row.top - kCheckSize) / 2;
    RECT box{row.left + kCheckLeft, top, row.left + kCheckLeft + kCheckSize, top + kCheckSize};
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (look == CheckBoxLook::Checked) state |= DFCS_CHECKED;
    if (look == CheckBoxLook::Mixed) state = DFCS_BUTTON3STATE | DFCS_FLAT | DFCS_CHECKED;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
  }
  RECT content{row.left + kContentLeft, row.top, row.right, row.bottom};
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, content.left, content.top, content.right, content.bottom);
  DrawItem(dc, content, shown, selected, focused);
  RestoreDC(dc, saved);
  if ((item->itemState & ODS_FOCUS) && focused) DrawFocusRect(dc, &row);
  return true;
}

}  // namespace keytidy::ui
