#include "ui/dib_section.h"

namespace keytidy::ui {

HBITMAP CreateDib32(int width, int height, std::uint32_t*& bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  bits = static_cast<std::uint32_t*>(memory);
  return bitmap;
}

}  // namespace keytidy::ui
