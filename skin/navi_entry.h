#pragma once
// The pictures of an options navigation entry (181 x 40 at 100 %): the part
// of the navigation background under the entry, the skin's hover or pressed
// overlay, the entry's stripe icon and its caption with a one-pixel shadow,
// in the colours of the skin's [Navi_Options] section.
#include <string>

#include "skin/stripe_skinner.h"
#include "ui/rgba_image.h"

namespace keytidy {

struct TNaviEntryPictures {
  RgbaImage normal;
  RgbaImage hover;
  RgbaImage pressed;
};

// `background` is the navigation picture as the panel shows it; the entry
// copies the part under (left, top) unstretched. The overlays
// menu_options_active.png and menu_options_hover.png are read from the skin
// folder once per run and stretched to the entry. `scale` is the window's
// DPI over 96: the icon, the caption and their places grow with it.
TNaviEntryPictures Paint_NaviEntry(const RgbaImage& background, int left, int top, int width, int height,
                                   const std::wstring& caption, int cell, const TStripeSkinner& stripe,
                                   const std::wstring& skinFolder, double scale = 1.0);

// Draws text in a 32-bit ARGB colour (alpha in the top byte; 0 draws
// nothing), grey-scale anti-aliased, with the text's top-left at (x, y).
void DrawArgbText(RgbaImage& image, const std::wstring& text, int x, int y, std::uint32_t argb, const wchar_t* face,
                  int pixelHeight);

}  // namespace keytidy
