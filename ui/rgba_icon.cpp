#include "ui/rgba_icon.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

namespace keytidy {

HICON CreateIconFromImage(const RgbaImage& image) {
  if (image.Empty()) return nullptr;
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof(header);
  header.bV5Width = image.width;
  header.bV5Height = -image.height;  // top-down rows, as the image keeps them
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!colour || !bits) {
    if (colour) DeleteObject(colour);
    return nullptr;
  }
  auto* out = static_cast<std::uint8_t*>(bits);
  for (size_t i = 0; i < image.pixels.size(); i += 4) {
    out[i + 0] = image.pixels[i + 2];
    out[i + 1] = image.pixels[i + 1];
    out[i + 2] = image.pixels[i + 0];
    out[i + 3] = image.pixels[i + 3];
  }
  // An all-zero mask: the alpha channel alone decides what shows.
  const int maskStride = ((image.width + 15) / 16) * 2;
  std::vector<std::uint8_t> maskBits(static_cast<size_t>(maskStride) * image.height, 0);
  HBITMAP mask = CreateBitmap(image.width, image.height, 1, 1, maskBits.data());
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour;
  info.hbmMask = mask;
  HICON icon = mask ? CreateIconIndirect(&info) : nullptr;
  DeleteObject(colour);
  if (mask) DeleteObject(mask);
  return icon;
}

int AddImageToImageList(HIMAGELIST list, const RgbaImage& image) {
  if (!list) return -1;
  HICON icon = CreateIconFromImage(image);
  if (!icon) return -1;
  const int index = ImageList_ReplaceIcon(list, -1, icon);
  DestroyIcon(icon);
  return index;
}

}  // namespace keytidy
