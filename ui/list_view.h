#pragma once
// The system's report list view: columns with captions (which the
// translation walk reaches one by one) and rows of texts.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace keytidy::ui {

class ListView : public Control {
 public:
  using Control::Control;
  bool Create(HWND parent, int x, int y, int width, int height, bool multiSelect);
  std::wstring ClassName() const override { return L"TLISTVIEW"; }

  void AddColumn(const std::wstring& caption, int width);
  int ItemCount() const override;  // columns, for the translation walk
  std::wstring ItemText(int index) const override;
  void SetItemText(int index, const std::wstring& text) override;

  void SetImageList(HIMAGELIST images) const;
  void ClearRows();
  // Appends a row; the first text goes to the first column. Returns its index.
  int AddRow(const std::vector<std::wstring>& texts, int image = -1, LPARAM data = 0);
  int RowCount() const;
  std::wstring CellText(int row, int column) const;
  LPARAM RowData(int row) const;
  std::vector<int> SelectedRows() const;
  void SelectRow(int row, bool selected = true);
};

class TabStrip : public Control {
 public:
  using Control::Control;
  bool Create(HWND parent, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"TADVOFFICETABSET"; }

  int ItemCount() const override;  // tabs
  std::wstring ItemText(int index) const override;
  void SetItemText(int index, const std::wstring& text) override;

  void ClearTabs();
  // A tab with a number of the owner's choice (a page index, say).
  void AddTab(const std::wstring& caption, int data);
  int TabData(int index) const;
  int ActiveTab() const;
  void SetActiveTab(int index);

  std::function<void()> OnChange;
  bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;
};

}  // namespace keytidy::ui
