#pragma once
#include "ui/rgba_image.h"

namespace keytidy {

// Scales an image with a Lanczos filter of window 3. Pixels beyond the edge
// repeat the edge pixel, so icons do not darken or fade at their borders.
// Colours are filtered premultiplied by alpha: transparent pixels carry no
// colour into their visible neighbours. Scaling to the same size gives an
// exact copy. An empty source or target size gives an empty image.
RgbaImage ResizeLanczos(const RgbaImage& source, int width, int height);

}  // namespace keytidy
