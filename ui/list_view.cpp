#include "ui/list_view.h"

namespace keytidy::ui {

bool ListView::Create(HWND parent, int x, int y, int width, int height, bool multiSelect) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS |
                      (multiSelect ? 0 : LVS_SINGLESEL);
  if (!CreateNativeWindow(0, WC_LISTVIEWW, L"", style, x, y, width, height, parent)) return false;
  ListView_SetExtendedListViewStyle(Handle(), LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  return true;
}

void ListView::AddColumn(const std::wstring& caption, int width) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(caption.c_str());
  ListView_InsertColumn(Handle(), ItemCount(), &column);
}

int ListView::ItemCount() const {
  HWND header = ListView_GetHeader(Handle());
  return header ? Header_GetItemCount(header) : 0;
}

std::wstring ListView::ItemText(int index) const {
  wchar_t buffer[260] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = buffer;
  column.cchTextMax = 260;
  ListView_GetColumn(Handle(), index, &column);
  return buffer;
}

void ListView::SetItemText(int index, const std::wstring& text) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = const_cast<wchar_t*>(text.c_str());
  ListView_SetColumn(Handle(), index, &column);
}

void ListView::SetImageList(HIMAGELIST images) const { ListView_SetImageList(Handle(), images, LVSIL_SMALL); }

void ListView::ClearRows() { ListView_DeleteAllItems(Handle()); }

int ListView::AddRow(const std::vector<std::wstring>& texts, int image, LPARAM data) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
  item.iItem = RowCount();
  item.iImage = image;
  item.lParam = data;
  item.pszText = const_cast<wchar_t*>(texts.empty() ? L"" : texts[0].c_str());
  const int row = ListView_InsertItem(Handle(), &item);
  for (size_t column = 1; row >= 0 && column < texts.size(); ++column)
    ListView_SetItemText(Handle(), row, static_cast<int>(column), const_cast<wchar_t*>(texts[column].c_str()));
  return row;
}

int ListView::RowCount() const { return ListView_GetItemCount(Handle()); }

std::wstring ListView::CellText(int row, int column) const {
  wchar_t buffer[1024] = {};
  ListView_GetItemText(Handle(), row, column, buffer, 1024);
  return buffer;
}

LPARAM ListView::RowData(int row) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  ListView_GetItem(Handle(), &item);
  return item.lParam;
}

std::vector<int> ListView::SelectedRows() const {
  std::vector<int> rows;
  for (int row = ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(Handle(), row, LVNI_SELECTED))
    rows.push_back(row);
  return rows;
}

void ListView::SelectRow(int row, bool selected) {
  ListView_SetItemState(Handle(), row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

bool TabStrip::Create(HWND parent, int x, int y, int width, int height) {
  return CreateNativeWindow(0, WC_TABCONTROLW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | TCS_BUTTONS | TCS_FLATBUTTONS | TCS_FOCUSNEVER, x, y,
                            width, height, parent);
}

int TabStrip::ItemCount() const { return TabCtrl_GetItemCount(Handle()); }

std::wstring TabStrip::ItemText(int index) const {
  wchar_t buffer[260] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer;
  item.cchTextMax = 260;
  TabCtrl_GetItem(Handle(), index, &item);
  return buffer;
}

void TabStrip::SetItemText(int index, const std::wstring& text) {
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  TabCtrl_SetItem(Handle(), index, &item);
}

void TabStrip::ClearTabs() { TabCtrl_DeleteAllItems(Handle()); }

void TabStrip::AddTab(const std::wstring& caption, int data) {
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_PARAM;
  item.pszText = const_cast<wchar_t*>(caption.c_str());
  item.lParam = data;
  TabCtrl_InsertItem(Handle(), ItemCount(), &item);
}

int TabStrip::TabData(int index) const {
  TCITEMW item{};
  item.mask = TCIF_PARAM;
  if (!TabCtrl_GetItem(Handle(), index, &item)) return -1;
  return static_cast<int>(item.lParam);
}

int TabStrip::ActiveTab() const { return TabCtrl_GetCurSel(Handle()); }

void TabStrip::SetActiveTab(int index) { TabCtrl_SetCurSel(Handle(), index); }

bool TabStrip::OnReflectedNotify(NMHDR* header, LRESULT& result) {
  if (header->code != TCN_SELCHANGE) return false;
  if (OnChange) OnChange();
  result = 0;
  return true;
}

}  // namespace keytidy::ui
