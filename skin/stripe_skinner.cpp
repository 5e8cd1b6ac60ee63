#include "skin/stripe_skinner.h"

#include <algorithm>
#include <cmath>

#include "lang/format_size.h"
#include "platform/debug_log.h"
#include "ui/lanczos_resampler.h"
#include "ui/png_codec.h"
#include "ui/rgba_icon.h"

namespace keytidy {

int StandardStripeSize(int height) {
  if (height >= 128) return 128;
  if (height >= 80) return height;
  if (height >= 64) return 64;
  if (height >= 48) return 48;
  if (height >= 32) return 32;
  if (height >= 24) return 24;
  if (height >= 16) return 16;
  return height;
}

void ApplyBlend(RgbaImage& image, float blendfactor) {
  if (blendfactor == 1.0f) return;
  const double blend = blendfactor;
  for (size_t i = 3; i < image.pixels.size(); i += 4) {
    // nearbyint follows the default rounding mode: to nearest, halves to even.
    const double faded = std::nearbyint(blend * image.pixels[i]);
    image.pixels[i] = static_cast<std::uint8_t>(std::clamp(faded, 0.0, 255.0));
  }
}

void DrawOver(RgbaImage& target, const RgbaImage& overlay, int left, int top, int opacity) {
  opacity = std::clamp(opacity, 0, 255);
  for (int y = std::max(0, -top); y < overlay.height && top + y < target.height; ++y)
    for (int x = std::max(0, -left); x < overlay.width && left + x < target.width; ++x) {
      const std::uint8_t* source = overlay.At(x, y);
      std::uint8_t* dest = target.At(left + x, top + y);
      const double sourceAlpha = source[3] * opacity / (255.0 * 255.0);
      const double destAlpha = dest[3] / 255.0;
      const double outAlpha = sourceAlpha + destAlpha * (1.0 - sourceAlpha);
      if (outAlpha <= 0.0) continue;  // both transparent: leave the pixel as it is
      for (int c = 0; c < 3; ++c) {
        const double mixed = (source[c] * sourceAlpha + dest[c] * destAlpha * (1.0 - sourceAlpha)) / outAlpha;
        dest[c] = static_cast<std::uint8_t>(std::clamp(std::lround(mixed), 0L, 255L));
      }
      dest[3] = static_cast<std::uint8_t>(std::clamp(std::lround(outAlpha * 255.0), 0L, 255L));
    }
}

bool TStripeSkinner::LoadFromStripeFile(const std::wstring& filename) {
  std::optional<RgbaImage> decoded = DecodePngFile(filename);
  if (!decoded) return false;
  const int size = StandardStripeSize(decoded->height);
  // Rows below the standard height are dropped; the rule never rounds up.
  decoded->height = size;
  decoded->pixels.resize(static_cast<size_t>(decoded->width) * size * 4);
  imageSize_ = size;
  images_ = size > 0 ? decoded->width / size : 0;
  bitmap_ = std::move(*decoded);
  return true;
}

RgbaImage TStripeSkinner::ScaledCell(int index, int size) const {
  if (!ValidIndex(index) || size <= 0) return {};
  return ResizeLanczos(CropImage(bitmap_, index * imageSize_, 0, imageSize_, imageSize_), size, size);
}

RgbaImage TStripeSkinner::GetOnePngImage(int targetsize, int index, float blendfactor) const {
  if (!ValidIndex(index)) {
    Debug_Output(L"*** GetOnePngImage -> error 1 ; FImages=" + std::to_wstring(images_));
    index = ErrorIndex;
  }
  RgbaImage image = ScaledCell(index, targetsize);
  ApplyBlend(image, blendfactor);
  return image;
}

bool TStripeSkinner::CopyToPicture(int targetsize, RgbaImage& picture, int index, float blendfactor) const {
  RgbaImage image = GetOnePngImage(targetsize, index, blendfactor);
  if (image.Empty()) return false;
  picture = std::move(image);
  return true;
}

int TStripeSkinner::AddOneToImageList(HIMAGELIST list, int index, float blendfactor) const {
  int width = 0, height = 0;
  if (!list || !ImageList_GetIconSize(list, &width, &height)) return -1;
  return AddImageToImageList(list, GetOnePngImage(width, index, blendfactor));
}

RgbaImage TStripeSkinner::CombineImages(int targetsize, int index, int addon_index, float blendfactor, int offx,
                                        int offy) const {
  if (!ValidIndex(index)) index = ErrorIndex;
  if (!ValidIndex(addon_index)) addon_index = ErrorIndex;
  RgbaImage main = ScaledCell(index, targetsize);
  if (main.Empty()) return main;
  const int addonSize = static_cast<int>(DivideRoundHalfEven(static_cast<std::int64_t>(targetsize) * 50, 100));
  const RgbaImage addon = ScaledCell(addon_index, addonSize);
  const int opacity = static_cast<int>(std::nearbyint(static_cast<double>(blendfactor) * 255.0));
  DrawOver(main, addon, targetsize - offx - addonSize, targetsize - offy - addonSize, opacity);
  return main;
}

bool TStripeSkinner::CombineToPicture(int targetsize, RgbaImage& picture, int index, int addon_index, float blendfactor,
                                      int offx, int offy) const {
  RgbaImage image = CombineImages(targetsize, index, addon_index, blendfactor, offx, offy);
  if (image.Empty()) return false;
  picture = std::move(image);
  return true;
}

int TStripeSkinner::CombineToImageList(HIMAGELIST list, int index, int addon_index, float blendfactor, int offx,
                                       int offy) const {
  int width = 0, height = 0;
  if (!list || !ImageList_GetIconSize(list, &width, &height)) return -1;
  return AddImageToImageList(list, CombineImages(width, index, addon_index, blendfactor, offx, offy));
}

}  // namespace keytidy
