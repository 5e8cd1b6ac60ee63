#include "skin/bar_color.h"

#include <algorithm>

namespace keytidy {

COLORREF BarColorOn(COLORREF page) {
  const int r = GetRValue(page), g = GetGValue(page), b = GetBValue(page);
  // Perceived brightness, as the usual luma weights give it.
  const bool dark = (r * 299 + g * 587 + b * 114) / 1000 < 128;
  const auto shift = [dark](int channel) { return dark ? std::min(channel + 18, 255) : std::max(channel - 12, 0); };
  return RGB(shift(r), shift(g), shift(b));
}

}  // namespace keytidy
