#include "ui/dpi_change.h"

#include <commctrl.h>

#include <initializer_list>

namespace keytidy::ui {

namespace {

struct Scaling {
  HWND parent;
  int fromDpi, toDpi;
  HFONT oldFont, newFont;
  int Scaled(int pixels) const { return MulDiv(pixels, toDpi, fromDpi); }
};

bool IsClass(HWND window, const wchar_t* name) {
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  return lstrcmpiW(className, name) == 0;
}

// The system's compound controls place their own parts (a list view its
// header, a combo box its edit field).
bool PlacesItsOwnParts(HWND window) {
  for (const wchar_t* name : {WC_LISTVIEWW, WC_TREEVIEWW, WC_HEADERW, WC_COMBOBOXW, WC_COMBOBOXEXW, WC_TABCONTROLW})
    if (IsClass(window, name)) return true;
  return false;
}

void ScaleListColumns(HWND list, const Scaling& scaling) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int column = 0; column < columns; ++column) {
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
    SendMessageW(list, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(scaling.Scaled(width), 0));
  }
}

void ScaleChild(HWND child, const Scaling& scaling) {
  RECT place;
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, scaling.parent, reinterpret_cast<POINT*>(&place), 2);
  const int left = scaling.Scaled(place.left), top = scaling.Scaled(place.top);
  SetWindowPos(child, nullptr, left, top, scaling.Scaled(place.right) - left, scaling.Scaled(place.bottom) - top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == scaling.oldFont)
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(scaling.newFont), FALSE);
  if (IsClass(child, WC_LISTVIEWW)) ScaleListColumns(child, scaling);
  if (!PlacesItsOwnParts(child))
    ScaleChildLayout(child, scaling.fromDpi, scaling.toDpi, scaling.oldFont, scaling.newFont);
}

BOOL CALLBACK ScaleDirectChild(HWND child, LPARAM context) {
  const Scaling& scaling = *reinterpret_cast<const Scaling*>(context);
  // The enumeration reaches grandchildren too; each parent scales its own.
  if (GetParent(child) == scaling.parent) ScaleChild(child, scaling);
  return TRUE;
}

}  // namespace

void ScaleChildLayout(HWND parent, int fromDpi, int toDpi, HFONT oldFont, HFONT newFont) {
  if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return;
  const Scaling scaling{parent, fromDpi, toDpi, oldFont, newFont};
  EnumChildWindows(parent, ScaleDirectChild, reinterpret_cast<LPARAM>(&scaling));
}

}  // namespace keytidy::ui
