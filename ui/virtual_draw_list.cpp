#include "ui/virtual_draw_list.h"

#include <algorithm>

#include "ui/window_dpi.h"

namespace keytidy::ui {

namespace {

constexpr COLORREF kRowBackground = RGB(255, 255, 255);
constexpr COLORREF kSelectedFocused = RGB(204, 228, 247);
constexpr COLORREF kSelectedUnfocused = RGB(229, 234, 240);

bool SelectionChanged(UINT oldState, UINT newState) { return ((oldState ^ newState) & LVIS_SELECTED) != 0; }

}  // namespace

VirtualDrawList::~VirtualDrawList() {
  Destroy();
  if (rowHeightList_) ImageList_Destroy(rowHeightList_);
}

bool VirtualDrawList::Create(HWND parent, int x, int y, int width, int height, bool multiSelect) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_OWNERDATA |
                      LVS_SHOWSELALWAYS | (multiSelect ? 0 : LVS_SINGLESEL);
  if (!CreateNativeWindow(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, x, y, width, height, parent)) return false;
  ListView_SetExtendedListViewStyle(Handle(), LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  return true;
}

void VirtualDrawList::AddColumn(const std::wstring& caption, int width) {
  columns_.push_back({caption, width, true});
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(caption.c_str());
  ListView_InsertColumn(Handle(), static_cast<int>(columns_.size()) - 1, &column);
}

int VirtualDrawList::ItemCount() const { return ColumnCount(); }

std::wstring VirtualDrawList::ItemText(int index) const {
  if (index < 0 || index >= ColumnCount()) return {};
  return columns_[static_cast<size_t>(index)].caption;
}

void VirtualDrawList::SetItemText(int index, const std::wstring& text) {
  if (index < 0 || index >= ColumnCount()) return;
  columns_[static_cast<size_t>(index)].caption = text;
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = const_cast<wchar_t*>(text.c_str());
  ListView_SetColumn(Handle(), index, &column);
}

void VirtualDrawList::SetColumnShown(int column, bool shown) {
  if (column < 0 || column >= ColumnCount()) return;
  columns_[static_cast<size_t>(column)].width = ColumnWidth(column);
  columns_[static_cast<size_t>(column)].shown = shown;
  ApplyColumn(column);
}

bool VirtualDrawList::ColumnShown(int column) const {
  return column >= 0 && column < ColumnCount() && columns_[static_cast<size_t>(column)].shown;
}

void VirtualDrawList::SetHeaderVisible(bool visible) {
  LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  style = visible ? (style & ~static_cast<LONG_PTR>(LVS_NOCOLUMNHEADER)) : (style | LVS_NOCOLUMNHEADER);
  SetWindowLongPtrW(Handle(), GWL_STYLE, style);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  InvalidateRect(Handle(), nullptr, TRUE);
}

bool VirtualDrawList::HeaderVisible() const {
  return (GetWindowLongPtrW(Handle(), GWL_STYLE) & LVS_NOCOLUMNHEADER) == 0;
}

void VirtualDrawList::SetRowHeight(int pixels) {
  // A report list view makes its rows as high as its small icons; an image
  // list of one-pixel-wide, empty icons is the portable way to set it.
  HIMAGELIST list = ImageList_Create(1, pixels > 1 ? pixels - 1 : 1, ILC_COLOR32, 1, 1);
  ListView_SetImageList(Handle(), list, LVSIL_SMALL);
  if (rowHeightList_) ImageList_Destroy(rowHeightList_);
  rowHeightList_ = list;
}

void VirtualDrawList::SetRowCount(int rows) {
  ListView_SetItemCountEx(Handle(), rows < 0 ? 0 : rows, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

int VirtualDrawList::RowCount() const { return ListView_GetItemCount(Handle()); }

std::vector<int> VirtualDrawList::SelectedRows() const {
  std::vector<int> rows;
  for (int row = ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(Handle(), row, LVNI_SELECTED))
    rows.push_back(row);
  return rows;
}

void VirtualDrawList::SetRowSelected(int row, bool selected) {
  ListView_SetItemState(Handle(), row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void VirtualDrawList::SetMultiSelect(bool on) {
  LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  style = on ? (style & ~static_cast<LONG_PTR>(LVS_SINGLESEL)) : (style | LVS_SINGLESEL);
  SetWindowLongPtrW(Handle(), GWL_STYLE, style);
}

bool VirtualDrawList::MultiSelect() const { return (GetWindowLongPtrW(Handle(), GWL_STYLE) & LVS_SINGLESEL) == 0; }

void VirtualDrawList::RefreshRows() { InvalidateRect(Handle(), nullptr, TRUE); }

RECT VirtualDrawList::CellRect(int row, int column) const {
  RECT cell{};
  if (row < 0 || row >= RowCount() || !ColumnShown(column)) return cell;
  RECT bounds{};
  if (!ListView_GetItemRect(Handle(), row, &bounds, LVIR_BOUNDS)) return cell;
  int left = bounds.left;
  for (int c = 0; c < column; ++c) left += ListView_GetColumnWidth(Handle(), c);
  return RECT{left, bounds.top, left + ListView_GetColumnWidth(Handle(), column), bounds.bottom};
}

int VirtualDrawList::TreeWidth() const {
  RECT frame{};
  GetWindowRect(Handle(), &frame);
  return frame.right - frame.left;
}

int VirtualDrawList::Dpi() const { return WindowDpi(Handle()); }

int VirtualDrawList::ColumnWidth(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  // A shown column may have been dragged wider or narrower by the user.
  if (columns_[static_cast<size_t>(column)].shown) return ListView_GetColumnWidth(Handle(), column);
  return columns_[static_cast<size_t>(column)].width;
}

void VirtualDrawList::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount()) return;
  columns_[static_cast<size_t>(column)].width = width < 0 ? 0 : width;
  ApplyColumn(column);
}

void VirtualDrawList::ApplyColumn(int column) {
  const Column& c = columns_[static_cast<size_t>(column)];
  ListView_SetColumnWidth(Handle(), column, c.shown ? c.width : 0);
}

void VirtualDrawList::SetSortDirection(TSortDirection direction) {
  sortDirection_ = direction;
  ShowSortMark();
}

void VirtualDrawList::SetSortColumn(int column) {
  sortColumn_ = column;
  ShowSortMark();
}

void VirtualDrawList::ShowSortMark() {
  HWND header = ListView_GetHeader(Handle());
  if (!header) return;
  for (int column = 0; column < ColumnCount(); ++column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(header, column, &item);
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (column == sortColumn_) item.fmt |= sortDirection_ == TSortDirection::Ascending ? HDF_SORTUP : HDF_SORTDOWN;
    Header_SetItem(header, column, &item);
  }
}

void VirtualDrawList::SortTree() {
  if (OnSort) OnSort();
  RefreshRows();
}

void VirtualDrawList::ScrollFirstSelectedIntoView() {
  const int first = ListView_GetNextItem(Handle(), -1, LVNI_SELECTED);
  if (first < 0) return;
  // Bring the row to the middle of the view: scroll so that it sits half a
  // page below the top row, but never sideways.
  const int perPage = ListView_GetCountPerPage(Handle());
  const int top = ListView_GetTopIndex(Handle());
  RECT row{};
  if (!ListView_GetItemRect(Handle(), first, &row, LVIR_BOUNDS)) return;
  const int rowHeight = row.bottom - row.top;
  const int wantedTop = first - perPage / 2;
  ListView_Scroll(Handle(), 0, (std::max(wantedTop, 0) - top) * rowHeight);
}

LRESULT VirtualDrawList::CustomDraw(NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const int row = static_cast<int>(draw->nmcd.dwItemSpec);
      HDC dc = draw->nmcd.hdc;
      const bool selected = ListView_GetItemState(Handle(), row, LVIS_SELECTED) != 0;
      RECT bounds{};
      ListView_GetItemRect(Handle(), row, &bounds, LVIR_BOUNDS);
      const COLORREF back =
          !selected ? kRowBackground : (GetFocus() == Handle() ? kSelectedFocused : kSelectedUnfocused);
      UniqueBrush brush(CreateSolidBrush(back));
      FillRect(dc, &bounds, brush.get());
      if (OnDrawCell) {
        SetBkMode(dc, TRANSPARENT);
        for (int column = 0; column < ColumnCount(); ++column) {
          const RECT cell = CellRect(row, column);
          if (cell.right <= cell.left) continue;
          const int saved = SaveDC(dc);
          IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
          OnDrawCell(dc, row, column, cell, selected);
          RestoreDC(dc, saved);
        }
      }
      return CDRF_SKIPDEFAULT;
    }
    default: return CDRF_DODEFAULT;
  }
}

bool VirtualDrawList::OnReflectedNotify(NMHDR* header, LRESULT& result) {
  switch (header->code) {
    case NM_CUSTOMDRAW: result = CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header)); return true;
    case LVN_GETDISPINFOW:
      // Every cell is painted by the owner; the control needs no texts.
      result = 0;
      return true;
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if ((change->uChanged & LVIF_STATE) && SelectionChanged(change->uOldState, change->uNewState) &&
          OnSelectionChange)
        OnSelectionChange();
      result = 0;
      return true;
    }
    case LVN_ODSTATECHANGED: {
      const auto* change = reinterpret_cast<NMLVODSTATECHANGE*>(header);
      if (SelectionChanged(change->uOldState, change->uNewState) && OnSelectionChange) OnSelectionChange();
      result = 0;
      return true;
    }
    case LVN_COLUMNCLICK:
      if (OnHeaderClick) OnHeaderClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
      result = 0;
      return true;
    default: return false;
  }
}

}  // namespace keytidy::ui
