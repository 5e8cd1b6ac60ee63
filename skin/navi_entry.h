#pragma once
// The pictures of an options navigation entry (181 x 40): the part of the
// navigation background under the entry, the skin's hover or pressed overlay,
// the entry's stripe icon and its caption with a one-pixel shadow, in the
// colours of the skin's [Navi_Options] section.
#include <string>

#include "skin/stripe_skinner.h"
#include "ui/rgba_image.h"

namespace keytidy {

struct TNaviEntryPictures {
  RgbaImage normal;
  RgbaImage hover;
  RgbaImage pressed;
};

// `background` is the navigation picture in its own pixels (the panel shows
// it stretched; the entries copy it unstretched); (left, top) is the entry's
// position. The overlays menu_options_active.png and menu_options_hover.png
// are read from the skin folder once per run.
TNaviEntryPictures Paint_NaviEntry(const RgbaImage& background, int left, int top, int width, int height,
                                   const std::wstring& caption, int cell, const TStripeSkinner& stripe,
                                   const std::wstring& skinFolder);

// Draws text in a 32-bit ARGB colour (alpha in the top byte; 0 draws
// nothing), grey-scale anti-aliased, with the text's top-left at (x, y).
void DrawArgbText(RgbaImage& image, const std::wstring& text, int x, int y, std::uint32_t argb,
                  const wchar_t* face, int pixelHeight);

}  // namespace keytidy
