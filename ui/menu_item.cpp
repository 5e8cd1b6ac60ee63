#include "ui/menu_item.h"

#include <algorithm>

namespace keytidy::ui {

bool PopupMenuAt(HWND owner, const std::vector<MenuItem*>& items, POINT screenPoint) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return false;
  std::vector<MenuItem*> shown;
  for (MenuItem* item : items) {
    if (!item->visible) continue;
    if (item->separator) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    shown.push_back(item);
    AppendMenuW(menu, MF_STRING | (item->enabled ? 0 : MF_GRAYED), shown.size(), item->Caption().c_str());
  }
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY,
                                                       screenPoint.x, screenPoint.y, 0, owner, nullptr));
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
