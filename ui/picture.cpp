#include "ui/picture.h"

#include <cstring>

#include "platform/file_existence.h"
#include "platform/text.h"
#include "ui/dib_section.h"
#include "ui/png_codec.h"

namespace keytidy::ui {

namespace {

bool EndsWithIgnoreCase(const std::wstring& text, const wchar_t* suffix) {
  const size_t length = wcslen(suffix);
  return text.size() >= length && EqualsIgnoreCaseAscii(std::wstring_view(text).substr(text.size() - length), suffix);
}

}  // namespace

Picture Picture::FromRgba(int width, int height, const std::uint8_t* rgba) {
  Picture picture;
  if (width <= 0 || height <= 0 || !rgba) return picture;
  std::uint32_t* bits = nullptr;
  HBITMAP bitmap = CreateDib32(width, height, bits);
  if (!bitmap) return picture;
  bool opaque = true;
  for (size_t i = 0, count = static_cast<size_t>(width) * height; i < count; ++i) {
    const std::uint8_t* p = rgba + i * 4;
    const unsigned alpha = p[3];
    if (alpha != 255) opaque = false;
    const unsigned r = p[0] * alpha / 255, g = p[1] * alpha / 255, b = p[2] * alpha / 255;
    bits[i] = (alpha << 24) | (r << 16) | (g << 8) | b;
  }
  picture.bitmap_ = std::make_shared<UniqueBitmap>(bitmap);
  picture.pixels_ = bits;
  picture.width_ = width;
  picture.height_ = height;
  picture.opaque_ = opaque;
  return picture;
}

Picture Picture::FromBitmap(HBITMAP source) {
  BITMAP info{};
  if (!source || !GetObjectW(source, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0) return {};
  const int width = info.bmWidth, height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  std::vector<std::uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof(request.bmiHeader);
  request.bmiHeader.biWidth = width;
  request.bmiHeader.biHeight = -height;
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  WindowDc screen(nullptr);
  if (!GetDIBits(screen.get(), source, 0, height, rgba.data(), &request, DIB_RGB_COLORS)) return {};
  // GetDIBits gives BGRX; bitmaps files carry no usable alpha.
  for (size_t i = 0; i < rgba.size(); i += 4) {
    std::swap(rgba[i], rgba[i + 2]);
    rgba[i + 3] = 255;
  }
  return FromRgba(width, height, rgba.data());
}

Picture Picture::FromFile(const std::wstring& path) {
  if (!FileOrFolderExists(path)) return {};
  if (EndsWithIgnoreCase(path, L".png")) {
    const auto image = DecodePngFile(path);
    return image ? FromImage(*image) : Picture();
  }
  UniqueBitmap loaded(static_cast<HBITMAP>(
      LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  return FromBitmap(loaded.get());
}

void Picture::Draw(HDC dc, int x, int y, int width, int height) const {
  if (Empty() || width <= 0 || height <= 0) return;
  UniqueMemoryDc source(CreateCompatibleDC(dc));
  SelectionScope selected(source.get(), bitmap_->get());
  if (opaque_ && width == width_ && height == height_) {
    BitBlt(dc, x, y, width, height, source.get(), 0, 0, SRCCOPY);
    return;
  }
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, width, height, source.get(), 0, 0, width_, height_, blend);
}

}  // namespace keytidy::ui
