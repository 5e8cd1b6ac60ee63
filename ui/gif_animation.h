#pragma once
// Animated GIF pictures (the status animations of the cleaner screen),
// decoded into whole frames ready to draw, each with its display time.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/rgba_image.h"

namespace keytidy {

struct GifFrame {
  RgbaImage image;  // the whole canvas as it looks while this frame shows
  int delayMs = 0;
};

struct GifAnimation {
  int width = 0;
  int height = 0;
  int loopCount = 0;  // 0 = forever (also when the file says nothing)
  std::vector<GifFrame> frames;
};

// Frames with a delay of 0 or 10 ms show for this long instead: such files
// were made for viewers that treat tiny delays as "as slow as usual".
inline constexpr int kGifDefaultDelayMs = 100;

// No value when the file cannot be read or is no GIF with at least one
// frame.
std::optional<GifAnimation> DecodeGifFile(const std::wstring& path);
std::optional<GifAnimation> DecodeGif(std::string_view bytes);

}  // namespace keytidy
