#pragma once
// PNG pictures in and out, always as 8-bit RGBA with straight alpha: palette,
// grey and 16-bit files are converted on reading.
#include <optional>
#include <string>
#include <string_view>

#include "ui/rgba_image.h"

namespace keytidy {

// No value when the file cannot be read or is no valid PNG.
std::optional<RgbaImage> DecodePngFile(const std::wstring& path);
std::optional<RgbaImage> DecodePng(std::string_view bytes);

// The PNG file bytes of an image; empty on failure.
std::string EncodePng(const RgbaImage& image);

// Pictures are small: a picture file larger than this is not worth reading.
inline constexpr size_t kLargestPictureFile = 64u << 20;

}  // namespace keytidy
