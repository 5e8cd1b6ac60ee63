#pragma once
// How a finding looks in the result list: its 32-pixel icon and two text
// lines, the description over the detail, each cut with "..." to the room
// left beside the icon.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "scan/result_tree.h"

namespace keytidy {

struct TPaintInfo {
  HDC Canvas = nullptr;
  RECT ContentRect{};
  bool Selected = false;
  bool TreeFocused = false;
};

// The row painter for one node of the result tree; `icons` holds the row
// icons (none: the text alone).
void DefaultEvent_DrawNode(HIMAGELIST icons, PVirtualNode node, const TPaintInfo& paintInfo);

// `text` as it fits into `maxWidth` pixels with the font selected into the
// context: unchanged when it fits, otherwise as many leading characters as
// fit together with a trailing "...".
std::wstring ShortenToWidth(HDC dc, const std::wstring& text, int maxWidth);

}  // namespace keytidy
