#pragma once
// A picture in memory: 8-bit red, green, blue and alpha per pixel, straight
// (not premultiplied) alpha, rows from top to bottom. Everything the skins
// decode or compose is held this way; drawing code converts to what the
// window system needs at the last moment.
#include <cstdint>
#include <vector>

namespace keytidy {

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // width * height * 4 bytes

  RgbaImage() = default;
  RgbaImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4, 0) {}

  bool Empty() const { return width <= 0 || height <= 0; }
  std::uint8_t* At(int x, int y) { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }
  const std::uint8_t* At(int x, int y) const { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }
};

// A copy of the rectangle whose top-left corner is (left, top). The caller
// keeps the rectangle inside the image.
RgbaImage CropImage(const RgbaImage& source, int left, int top, int width, int height);

}  // namespace keytidy
