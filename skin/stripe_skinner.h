#pragma once
// The icon stripe of a skin: one row of square cells in a PNG with alpha.
// The skinner cuts a cell out, scales it to the size a control needs and can
// fade it or lay a second, half-sized icon over it.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/rgba_image.h"

namespace keytidy {

// The cell size a stripe of this height is cut into: 16-23 gives 16, 24-31
// gives 24, 32-47 gives 32, 48-63 gives 48, 64-79 gives 64, 128 and more
// give 128; any other height stays as it is.
int StandardStripeSize(int height);

// Applies a fade factor to an image's alpha: exactly 1 leaves it alone,
// anything else gives round(blend * alpha), halves to even, kept in 0-255.
void ApplyBlend(RgbaImage& image, float blend);

// Source-over drawing of `overlay` onto `target` with the overlay's top-left
// corner at (left, top) and a global opacity of 0-255. Parts outside the
// target are clipped. Both images keep straight alpha.
void DrawOver(RgbaImage& target, const RgbaImage& overlay, int left, int top, int opacity);

class TStripeSkinner {
 public:
  TStripeSkinner() = default;
  TStripeSkinner(const TStripeSkinner&) = delete;
  TStripeSkinner& operator=(const TStripeSkinner&) = delete;
  TStripeSkinner(TStripeSkinner&&) = default;
  TStripeSkinner& operator=(TStripeSkinner&&) = default;

  // Decodes the stripe. False (and the skinner stays as it was) when the
  // file is missing or no valid PNG.
  bool LoadFromStripeFile(const std::wstring& filename);

  int FImageSize() const { return imageSize_; }
  int Fimages() const { return images_; }
  const RgbaImage& FBitmap() const { return bitmap_; }

  // The cell drawn instead of an index that is out of range; the main window
  // sets it to 1 after loading.
  int ErrorIndex = 0;

  // One icon of size x size pixels. An index out of range (negative too)
  // writes a debug line and uses ErrorIndex; when that is out of range as
  // well (nothing loaded), the result is empty.
  RgbaImage GetOnePngImage(int targetsize, int index, float blendfactor) const;
  bool CopyToPicture(int targetsize, RgbaImage& picture, int index, float blendfactor) const;
  // Appends the icon in the list's own icon size; the new index or -1.
  int AddOneToImageList(HIMAGELIST list, int index, float blendfactor) const;

  // The icon `index` with the icon `addon_index` at half size over it, its
  // bottom-right corner offx pixels left of and offy pixels above the icon's
  // own bottom-right corner. No debug line for out-of-range indexes.
  RgbaImage CombineImages(int targetsize, int index, int addon_index, float blendfactor, int offx, int offy) const;
  bool CombineToPicture(int targetsize, RgbaImage& picture, int index, int addon_index, float blendfactor, int offx,
                        int offy) const;
  int CombineToImageList(HIMAGELIST list, int index, int addon_index, float blendfactor, int offx, int offy) const;

 private:
  bool ValidIndex(int index) const { return index >= 0 && index < images_; }
  RgbaImage ScaledCell(int index, int size) const;

  int imageSize_ = 0;
  int images_ = 0;
  RgbaImage bitmap_;
};

}  // namespace keytidy
