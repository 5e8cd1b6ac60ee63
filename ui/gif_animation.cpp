#include "ui/gif_animation.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/whole_file.h"
#include "ui/png_codec.h"

namespace keytidy {

namespace {

struct MemoryReader {
  std::string_view bytes;
  size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  const size_t count = std::min(static_cast<size_t>(std::max(length, 0)), reader->bytes.size() - reader->position);
  std::memcpy(buffer, reader->bytes.data() + reader->position, count);
  reader->position += count;
  return static_cast<int>(count);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using UniqueGif = std::unique_ptr<GifFileType, GifCloser>;

// The loop count of the NETSCAPE2.0 application block. The library keeps
// that block among the first image's extension blocks: the application
// block, then a continuation block holding 1 and the count (little-endian).
int LoopCount(const GifFileType& gif) {
  if (gif.ImageCount < 1) return 0;
  const SavedImage& first = gif.SavedImages[0];
  for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
    const ExtensionBlock& block = first.ExtensionBlocks[i];
    const ExtensionBlock& data = first.ExtensionBlocks[i + 1];
    if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
        std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && data.Function == CONTINUE_EXT_FUNC_CODE &&
        data.ByteCount >= 3 && data.Bytes[0] == 1)
      return data.Bytes[1] | (data.Bytes[2] << 8);
  }
  return 0;
}

void FillRectangle(RgbaImage& canvas, int left, int top, int width, int height) {
  for (int y = std::max(0, top); y < std::min(canvas.height, top + height); ++y)
    for (int x = std::max(0, left); x < std::min(canvas.width, left + width); ++x) std::memset(canvas.At(x, y), 0, 4);
}

// Draws one frame's pixels onto the canvas; transparent pixels leave the
// canvas alone. Pixels outside the canvas are dropped.
void DrawFrame(RgbaImage& canvas, const SavedImage& frame, const ColorMapObject* palette, int transparent) {
  const GifImageDesc& desc = frame.ImageDesc;
  if (!palette || !frame.RasterBits) return;
  for (int y = 0; y < desc.Height; ++y) {
    const int canvasY = desc.Top + y;
    if (canvasY < 0 || canvasY >= canvas.height) continue;
    for (int x = 0; x < desc.Width; ++x) {
      const int canvasX = desc.Left + x;
      if (canvasX < 0 || canvasX >= canvas.width) continue;
      const int index = frame.RasterBits[static_cast<size_t>(y) * desc.Width + x];
      if (index == transparent || index >= palette->ColorCount) continue;
      const GifColorType& colour = palette->Colors[index];
      std::uint8_t* pixel = canvas.At(canvasX, canvasY);
      pixel[0] = colour.Red;
      pixel[1] = colour.Green;
      pixel[2] = colour.Blue;
      pixel[3] = 255;
    }
  }
}

}  // namespace

std::optional<GifAnimation> DecodeGif(std::string_view bytes) {
  MemoryReader reader{bytes, 0};
  int error = 0;
  UniqueGif gif(DGifOpen(&reader, ReadFromMemory, &error));
  if (!gif || DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1) return std::nullopt;
  const int width = gif->SWidth, height = gif->SHeight;
  if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > (16ll << 20)) return std::nullopt;

  GifAnimation animation;
  animation.width = width;
  animation.height = height;
  animation.loopCount = LoopCount(*gif);
  RgbaImage canvas(width, height);  // starts transparent: the background shows through
  // Every frame keeps a whole canvas; a file with thousands of frames must
  // not make that grow without bound. Later frames are dropped.
  const long long maxFrames = std::max(1ll, (256ll << 20) / (static_cast<long long>(width) * height * 4));
  for (int i = 0; i < gif->ImageCount && i < maxFrames; ++i) {
    const SavedImage& frame = gif->SavedImages[i];
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    DGifSavedExtensionToGCB(gif.get(), i, &control);
    const ColorMapObject* palette = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    const RgbaImage before = canvas;
    DrawFrame(canvas, frame, palette, control.TransparentColor);
    const int delay = control.DelayTime * 10;
    animation.frames.push_back({canvas, delay <= 10 ? kGifDefaultDelayMs : delay});
    // What the next frame starts from.
    if (control.DisposalMode == DISPOSE_BACKGROUND)
      FillRectangle(canvas, frame.ImageDesc.Left, frame.ImageDesc.Top, frame.ImageDesc.Width, frame.ImageDesc.Height);
    else if (control.DisposalMode == DISPOSE_PREVIOUS)
      canvas = before;
  }
  return animation;
}

std::optional<GifAnimation> DecodeGifFile(const std::wstring& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path, kLargestPictureFile);
  if (!bytes) return std::nullopt;
  return DecodeGif(*bytes);
}

}  // namespace keytidy
