#pragma once
// How a finding looks in the result list: its 32-pixel icon and two text
// lines, the description over the detail, each cut with "..." to the room
// left beside the icon.
#include <windows.h>

#include <string>

#include "scan/registry_cleaner.h"

namespace keytidy {

struct TPaintInfo {
  HDC Canvas = nullptr;
  RECT ContentRect{};
  bool Selected = false;
  bool TreeFocused = false;
};

// The engine's row painter for one node of its tree.
void DefaultEvent_DrawNode(const TRegistryCleaner& engine, PVirtualNode node, const TPaintInfo& paintInfo);

// `text` as it fits into `maxWidth` pixels with the font selected into the
// context: unchanged when it fits, otherwise as many leading characters as
// fit together with a trailing "...".
std::wstring ShortenToWidth(HDC dc, const std::wstring& text, int maxWidth);

}  // namespace keytidy
