#include "ui/png_codec.h"

#include <windows.h>

#include <png.h>

#include <cstring>

#include "platform/handles.h"

namespace keytidy {

std::optional<std::string> ReadWholeFile(const std::wstring& path, size_t limit) {
  // Opened through the wide API: skin and program folders may hold any
  // character, which libpng's own narrow file opening could not reach.
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > limit)
    return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr) ||
        read == 0)
      return std::nullopt;
    done += read;
  }
  return bytes;
}

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
  const std::optional<std::string> bytes = ReadWholeFile(path);
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
