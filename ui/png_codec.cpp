#include "ui/png_codec.h"

#include <windows.h>

#include <png.h>

#include <cstring>

#include "platform/whole_file.h"

namespace keytidy {

std::optional<RgbaImage> DecodePng(std::string_view bytes) {
  png_image image;
  std::memset(&image, 0, sizeof(image));
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return std::nullopt;
  image.format = PNG_FORMAT_RGBA;
  // Refuse sizes whose pixel buffer would not fit comfortably in memory; a
  // broken header must not make us allocate gigabytes.
  if (image.width == 0 || image.height == 0 || image.width > 32768 || image.height > 32768 ||
      static_cast<unsigned long long>(image.width) * image.height > (64ull << 20)) {
    png_image_free(&image);
    return std::nullopt;
  }
  RgbaImage result(static_cast<int>(image.width), static_cast<int>(image.height));
  if (!png_image_finish_read(&image, nullptr, result.pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return result;
}

std::optional<RgbaImage> DecodePngFile(const std::wstring& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path, kLargestPictureFile);
  if (!bytes) return std::nullopt;
  return DecodePng(*bytes);
}

std::string EncodePng(const RgbaImage& source) {
  if (source.Empty()) return {};
  png_image image;
  std::memset(&image, 0, sizeof(image));
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(source.width);
  image.height = static_cast<png_uint_32>(source.height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, source.pixels.data(), 0, nullptr)) return {};
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, source.pixels.data(), 0, nullptr)) return {};
  bytes.resize(size);
  return bytes;
}

}  // namespace keytidy
