#pragma once
// A picture ready for drawing: a 32-bit top-down DIB section with
// premultiplied alpha, drawn with AlphaBlend so PNG transparency survives.
// Empty pictures draw nothing.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/gdi_objects.h"
#include "ui/rgba_image.h"

namespace keytidy::ui {

class Picture {
 public:
  Picture() = default;
  // From straight-alpha RGBA pixels, rows top to bottom.
  static Picture FromRgba(int width, int height, const std::uint8_t* rgba);
  static Picture FromImage(const RgbaImage& image) { return FromRgba(image.width, image.height, image.pixels.data()); }
  // An opaque copy of a device-dependent or DIB bitmap.
  static Picture FromBitmap(HBITMAP bitmap);
  // A .bmp (opaque) or .png file; empty when the file is missing or broken.
  static Picture FromFile(const std::wstring& path);

  bool Empty() const { return !bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  HBITMAP Bitmap() const { return bitmap_ ? bitmap_->get() : nullptr; }
  // Premultiplied BGRA pixels; null when empty.
  const std::uint32_t* Pixels() const { return pixels_; }

  // Draws the whole picture into the rectangle (stretched when sizes differ).
  void Draw(HDC dc, int x, int y, int width, int height) const;
  void Draw(HDC dc, int x, int y) const { Draw(dc, x, y, width_, height_); }

 private:
  // Shared: pictures are copied freely between controls (a button's three
  // states often share one file) and never changed after creation.
  std::shared_ptr<UniqueBitmap> bitmap_;
  std::uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  bool opaque_ = true;
};

}  // namespace keytidy::ui
