#include "ui/menu_item.h"

#include <algorithm>

namespace keytidy::ui {

HMENU BuildPopupMenu(const std::vector<MenuItem*>& items, std::vector<MenuItem*>& shown) {
  shown.clear();
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  for (MenuItem* item : items) {
    if (!item->visible) continue;
    if (item->separator) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    shown.push_back(item);
    std::wstring caption = item->Caption();
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
    info.fType = MFT_STRING;
    info.fState = item->enabled ? MFS_ENABLED : MFS_GRAYED;
    info.wID = static_cast<UINT>(shown.size());
    info.dwTypeData = caption.data();
    if (!item->picture.Empty()) {
      // A premultiplied 32-bit DIB is drawn with its alpha channel by the
      // menu itself (Vista and later); older systems show it opaque.
      info.fMask |= MIIM_BITMAP;
      info.hbmpItem = item->picture.Bitmap();
    }
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
  }
  return menu;
}

bool PopupMenuAt(HWND owner, const std::vector<MenuItem*>& items, POINT screenPoint) {
  std::vector<MenuItem*> shown;
  HMENU menu = BuildPopupMenu(items, shown);
  if (!menu) return false;
  SetForegroundWindow(owner);
  const UINT chosen =
      static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY, screenPoint.x,
                                       screenPoint.y, 0, owner, nullptr));
  DestroyMenu(menu);
  if (chosen == 0 || chosen > shown.size()) return false;
  MenuItem* item = shown[chosen - 1];
  if (item->OnClick) item->OnClick();
  return true;
}

std::wstring WithoutAccelerators(const std::wstring& caption) {
  std::wstring text = caption;
  std::erase(text, L'&');
  return text;
}

}  // namespace keytidy::ui
