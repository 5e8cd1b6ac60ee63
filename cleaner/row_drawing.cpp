#include "cleaner/row_drawing.h"

#include <commctrl.h>

#include <vector>

#include "scan/item_description.h"

namespace keytidy {

std::wstring ShortenToWidth(HDC dc, const std::wstring& text, int maxWidth) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  if (size.cx <= maxWidth) return text;
  static const std::wstring kEllipsis = L"...";
  SIZE ellipsis{};
  GetTextExtentPoint32W(dc, kEllipsis.c_str(), 3, &ellipsis);
  int fit = 0;
  const int room = maxWidth - ellipsis.cx;
  if (room > 0) GetTextExtentExPointW(dc, text.c_str(), static_cast<int>(text.size()), room, &fit, nullptr, &size);
  return text.substr(0, static_cast<size_t>(fit)) + kEllipsis;
}

void DefaultEvent_DrawNode(HIMAGELIST icons, PVirtualNode node, const TPaintInfo& paintInfo) {
  if (!node) return;
  HDC dc = paintInfo.Canvas;
  SetBkMode(dc, TRANSPARENT);
  const int left = paintInfo.ContentRect.left;
  const int top = paintInfo.ContentRect.top;
  const int right = paintInfo.ContentRect.right;

  std::int32_t imageIndex = 0;
  std::wstring line1, line2;
  Get_ItemDescription_and_Icon(&TResultTree::Data(node), imageIndex, line1, line2);
  if (icons) ImageList_Draw(icons, imageIndex, dc, left, top + 1, ILD_TRANSPARENT);

  const bool highlighted = paintInfo.Selected && paintInfo.TreeFocused;
  const int room = right - left - 36;
  line1 = ShortenToWidth(dc, line1, room);
  SetTextColor(dc, highlighted ? RGB(255, 255, 255) : RGB(0, 0, 0));
  TextOutW(dc, left + 36, top + 1, line1.c_str(), static_cast<int>(line1.size()));
  line2 = ShortenToWidth(dc, line2, room);
  SetTextColor(dc, highlighted ? RGB(192, 192, 192) : RGB(128, 128, 128));
  TextOutW(dc, left + 36, top + 17, line2.c_str(), static_cast<int>(line2.size()));
}

}  // namespace keytidy
