#include "ui/buffered_paint.h"

#include "ui/gdi_objects.h"
#include "ui/panel.h"

namespace keytidy::ui {

void PaintBuffered(HWND window, UINT message, WPARAM wParam, const std::function<void(HDC dc)>& paint) {
  if (message == WM_PRINTCLIENT) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    PaintParentBackground(window, dc);
    paint(dc);
    return;
  }
  PaintScope scope(window);
  RECT client;
  GetClientRect(window, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  UniqueMemoryDc buffer(CreateCompatibleDC(scope.dc()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(scope.dc(), client.right, client.bottom));
  if (!buffer || !bitmap) {
    PaintParentBackground(window, scope.dc());
    paint(scope.dc());
    return;
  }
  SelectionScope selected(buffer.get(), bitmap.get());
  FillRect(buffer.get(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PaintParentBackground(window, buffer.get());
  paint(buffer.get());
  BitBlt(scope.dc(), 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
}

}  // namespace keytidy::ui
