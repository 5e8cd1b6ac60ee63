#include "ui/rgba_image.h"

#include <cstring>

namespace keytidy {

RgbaImage CropImage(const RgbaImage& source, int left, int top, int width, int height) {
  RgbaImage result(width, height);
  for (int y = 0; y < height; ++y)
    std::memcpy(result.At(0, y), source.At(left, top + y), static_cast<size_t>(width) * 4);
  return result;
}

}  // namespace keytidy
