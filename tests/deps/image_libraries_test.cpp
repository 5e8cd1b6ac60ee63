// The cross-built picture libraries work inside our programs: libpng (with
// zlib) decodes an RGBA PNG and giflib a multi-frame GIF with its delays.
#include <png.h>
#include <gif_lib.h>

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "deps/image_fixtures.h"

namespace keytidy::test {
namespace {

TEST(ImageLibraries, LibpngDecodesRgbaWithAlpha) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_memory(&image, kRgbaPng, sizeof(kRgbaPng))) << image.message;
  image.format = PNG_FORMAT_RGBA;
  ASSERT_EQ(image.width, 2u);
  ASSERT_EQ(image.height, 1u);
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) << image.message;
  const std::vector<std::uint8_t> expected = {0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x7F};
  EXPECT_EQ(pixels, expected);
}

struct MemoryReader {
  const std::uint8_t* data;
  size_t size;
  size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int wanted) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  const size_t count = std::min(static_cast<size_t>(wanted), reader->size - reader->position);
  std::memcpy(buffer, reader->data + reader->position, count);
  reader->position += count;
  return static_cast<int>(count);
}

TEST(ImageLibraries, GiflibDecodesEveryFrameWithItsDelay) {
  MemoryReader reader{kThreeFrameGif, sizeof(kThreeFrameGif)};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
  ASSERT_NE(gif, nullptr) << GifErrorString(error);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  ASSERT_EQ(gif->ImageCount, 3);

  const int expectedDelays[] = {10, 20, 30};  // hundredths of a second
  const std::uint8_t expectedColours[][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  for (int frame = 0; frame < gif->ImageCount; ++frame) {
    SCOPED_TRACE(frame);
    GraphicsControlBlock control{};
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, frame, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, expectedDelays[frame]);
    const SavedImage& image = gif->SavedImages[frame];
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    ASSERT_NE(map, nullptr);
    const GifColorType colour = map->Colors[image.RasterBits[0]];
    EXPECT_EQ(colour.Red, expectedColours[frame][0]);
    EXPECT_EQ(colour.Green, expectedColours[frame][1]);
    EXPECT_EQ(colour.Blue, expectedColours[frame][2]);
  }
  DGifCloseFile(gif, &error);
}

}  // namespace
}  // namespace keytidy::test
