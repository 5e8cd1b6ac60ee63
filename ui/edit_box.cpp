#include "ui/edit_box.h"

#include <commctrl.h>

namespace keytidy::ui {

bool EditBox::Create(HWND parent, int x, int y, int width, int height, DWORD extraStyle) {
  return CreateNative(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | extraStyle, L"", parent, x, y, width, height);
}

void EditBox::SetHint(const std::wstring& hint) {
  hint_ = hint;
  if (Alive()) SendMessageW(Handle(), EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(hint_.c_str()));
}

bool EditBox::OnReflectedCommand(WORD code) {
  if (code != EN_CHANGE) return false;
  if (OnChange) OnChange();
  return true;
}

}  // namespace keytidy::ui
