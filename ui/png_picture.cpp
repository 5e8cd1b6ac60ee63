// PNG decoding for pictures, through libpng's simplified reading interface.
#include <png.h>

#include <cstdio>

#include "ui/picture.h"

namespace keytidy::ui {

bool DecodePngPicture(const std::wstring& path, int& width, int& height, std::vector<std::uint8_t>& rgba) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return false;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  bool ok = false;
  if (png_image_begin_read_from_stdio(&image, file)) {
    image.format = PNG_FORMAT_RGBA;
    rgba.assign(PNG_IMAGE_SIZE(image), 0);
    ok = png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr) != 0;
  }
  png_image_free(&image);
  fclose(file);
  if (!ok) return false;
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  return true;
}

}  // namespace keytidy::ui
