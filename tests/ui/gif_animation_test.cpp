// Animated GIF decoding: frames composed onto the canvas with transparency
// and disposal, delays and the loop count.
#include "ui/gif_animation.h"

#include <gif_lib.h>

#include <array>
#include <string>

#include <gtest/gtest.h>

namespace keytidy {
namespace {

int WriteToString(GifFileType* gif, const GifByteType* bytes, int length) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
  return length;
}

struct FrameSpec {
  int left, top, width, height;
  std::vector<GifPixelType> pixels;
  int delayCs;
  int disposal;
  int transparent;
};

// A 4 x 2 animation over the palette black, red, green, blue.
std::string EncodeGif(const std::vector<FrameSpec>& frames, int loops) {
  std::string bytes;
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, WriteToString, &error);
  GifColorType colours[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  ColorMapObject* palette = GifMakeMapObject(4, colours);
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, 4, 2, 2, 0, palette);
  if (loops >= 0) {
    const GifByteType loop[3] = {1, static_cast<GifByteType>(loops & 0xFF), static_cast<GifByteType>(loops >> 8)};
    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
    EGifPutExtensionBlock(gif, 3, loop);
    EGifPutExtensionTrailer(gif);
  }
  for (const FrameSpec& f : frames) {
    GraphicsControlBlock control{f.disposal, false, f.delayCs, f.transparent};
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension);
    EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, false, nullptr);
    std::vector<GifPixelType> pixels = f.pixels;
    for (int y = 0; y < f.height; ++y) EGifPutLine(gif, pixels.data() + y * f.width, f.width);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(palette);
  return bytes;
}

using Rgba = std::array<int, 4>;
constexpr Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255}, kClear{0, 0, 0, 0};

Rgba At(const GifFrame& frame, int x, int y) {
  const std::uint8_t* p = frame.image.At(x, y);
  return {p[0], p[1], p[2], p[3]};
}

TEST(GifAnimation, FramesComposeWithTransparencyAndDisposal) {
  const std::string bytes = EncodeGif(
      {
          {0, 0, 4, 2, std::vector<GifPixelType>(8, 1), 5, DISPOSE_DO_NOT, NO_TRANSPARENT_COLOR},
          // Green, then a transparent pixel that lets the red show through.
          {1, 0, 2, 1, {2, 0}, 0, DISPOSE_BACKGROUND, 0},
          {0, 1, 1, 1, {3}, 20, DISPOSE_PREVIOUS, NO_TRANSPARENT_COLOR},
          {3, 1, 1, 1, {2}, 1, DISPOSE_DO_NOT, NO_TRANSPARENT_COLOR},
      },
      3);
  const std::optional<GifAnimation> animation = DecodeGif(bytes);
  ASSERT_TRUE(animation);
  EXPECT_EQ(animation->width, 4);
  EXPECT_EQ(animation->height, 2);
  EXPECT_EQ(animation->loopCount, 3);
  ASSERT_EQ(animation->frames.size(), 4u);
  const auto& f = animation->frames;

  EXPECT_EQ(f[0].delayMs, 50);
  EXPECT_EQ(At(f[0], 0, 0), kRed);
  EXPECT_EQ(At(f[0], 3, 1), kRed);

  EXPECT_EQ(f[1].delayMs, kGifDefaultDelayMs);  // a delay of 0 means "the usual pace"
  EXPECT_EQ(At(f[1], 1, 0), kGreen);
  EXPECT_EQ(At(f[1], 2, 0), kRed);

  // Frame 1 cleared its rectangle to the background (transparent) after showing.
  EXPECT_EQ(f[2].delayMs, 200);
  EXPECT_EQ(At(f[2], 1, 0), kClear);
  EXPECT_EQ(At(f[2], 2, 0), kClear);
  EXPECT_EQ(At(f[2], 0, 1), kBlue);
  EXPECT_EQ(At(f[2], 0, 0), kRed);

  // Frame 2 restored what was there before it.
  EXPECT_EQ(f[3].delayMs, kGifDefaultDelayMs);  // 10 ms is treated like 0
  EXPECT_EQ(At(f[3], 0, 1), kRed);
  EXPECT_EQ(At(f[3], 3, 1), kGreen);
}

TEST(GifAnimation, LoopCountDefaultsToForever) {
  const std::string bytes =
      EncodeGif({{0, 0, 4, 2, std::vector<GifPixelType>(8, 2), 7, DISPOSE_DO_NOT, NO_TRANSPARENT_COLOR}}, -1);
  const std::optional<GifAnimation> animation = DecodeGif(bytes);
  ASSERT_TRUE(animation);
  EXPECT_EQ(animation->loopCount, 0);
  ASSERT_EQ(animation->frames.size(), 1u);
  EXPECT_EQ(animation->frames[0].delayMs, 70);
  EXPECT_EQ(At(animation->frames[0], 2, 1), kGreen);
}

TEST(GifAnimation, BrokenInputGivesNoAnimation) {
  const std::string good =
      EncodeGif({{0, 0, 4, 2, std::vector<GifPixelType>(8, 1), 5, DISPOSE_DO_NOT, NO_TRANSPARENT_COLOR}}, 0);
  EXPECT_FALSE(DecodeGif(""));
  EXPECT_FALSE(DecodeGif("GIF89a"));
  EXPECT_FALSE(DecodeGif(good.substr(0, good.size() / 2)));
  EXPECT_FALSE(DecodeGif("\x89PNG\r\n\x1a\n"));
  EXPECT_FALSE(DecodeGifFile(L"C:\\no\\such\\status_ok.gif"));
}

}  // namespace
}  // namespace keytidy
