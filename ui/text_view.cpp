#include "ui/text_view.h"

namespace keytidy::ui {

bool TextView::Create(HWND parent, int x, int y, int width, int height) {
  // Without ES_AUTOHSCROLL a multi-line box wraps instead of scrolling sideways.
  return CreateNative(L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP, L"",
                      parent, x, y, width, height);
}

void TextView::SetMargins(int pixels) {
  if (Alive()) SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(pixels, pixels));
}

}  // namespace keytidy::ui
