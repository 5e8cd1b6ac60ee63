// Cutting, scaling, fading and combining stripe icons, on small stripes the
// tests paint themselves so every expected pixel can be worked out by hand.
#include "skin/stripe_skinner.h"

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/debug_log.h"
#include "support/programs.h"
#include "ui/lanczos_resampler.h"
#include "ui/png_codec.h"

namespace keytidy {
namespace {

using Rgba = std::array<int, 4>;
using CellPainter = std::function<Rgba(int cell, int x, int y)>;

// A stripe of `cells` square cells of `size` pixels (plus `extraRows` rows
// below them), each pixel chosen by the painter.
RgbaImage PaintStripe(int cells, int size, const CellPainter& paint, int extraRows = 0) {
  RgbaImage stripe(cells * size, size + extraRows);
  for (int y = 0; y < stripe.height; ++y)
    for (int x = 0; x < stripe.width; ++x) {
      const Rgba colour = paint(x / size, x % size, y);
      for (int c = 0; c < 4; ++c) stripe.At(x, y)[c] = static_cast<std::uint8_t>(colour[c]);
    }
  return stripe;
}

Rgba PixelOf(const RgbaImage& image, int x, int y) {
  const std::uint8_t* p = image.At(x, y);
  return {p[0], p[1], p[2], p[3]};
}

// Every cell a different opaque grey, so a cell can be recognised by colour.
Rgba CellGrey(int cell, int, int) { return {cell * 10, cell * 10, cell * 10, 255}; }

class StripeFile : public ::testing::Test {
 protected:
  std::wstring Save(const RgbaImage& stripe, const wchar_t* name = L"stripe.png") {
    const std::wstring path = temp_.File(name);
    test::WriteFileBytes(path, EncodePng(stripe));
    return path;
  }
  TStripeSkinner Load(const RgbaImage& stripe) {
    TStripeSkinner skinner;
    EXPECT_TRUE(skinner.LoadFromStripeFile(Save(stripe)));
    return skinner;
  }
  test::TempFolder temp_;
};

std::vector<std::wstring> capturedLines;
void CaptureLine(std::wstring_view line) { capturedLines.emplace_back(line); }

TEST(StripeSize, HeightsRoundDownToStandardSizes) {
  const std::pair<int, int> cases[] = {{15, 15},   {16, 16},   {23, 16},   {24, 24}, {31, 24}, {32, 32},
                                       {47, 32},   {48, 48},   {63, 48},   {64, 64}, {79, 64}, {80, 80},
                                       {127, 127}, {128, 128}, {300, 128}, {0, 0}};
  for (const auto& [height, size] : cases) EXPECT_EQ(StandardStripeSize(height), size) << "height " << height;
}

TEST_F(StripeFile, LoadCutsCellsOfTheStandardSizeAndDropsExtraRows) {
  // 70 rows: cells are 64 high, the 6 rows below are not part of any cell.
  TStripeSkinner skinner = Load(PaintStripe(20, 64, CellGrey, 6));
  EXPECT_EQ(skinner.FImageSize(), 64);
  EXPECT_EQ(skinner.Fimages(), 20);
  EXPECT_EQ(skinner.FBitmap().width, 1280);
  EXPECT_EQ(skinner.FBitmap().height, 64);
  EXPECT_EQ(PixelOf(skinner.GetOnePngImage(64, 7, 1.0f), 10, 63), (Rgba{70, 70, 70, 255}));

  // A stripe whose width is no whole number of cells: the partial cell is no cell.
  TStripeSkinner partial = Load(PaintStripe(3, 32, CellGrey));
  RgbaImage wide = CropImage(partial.FBitmap(), 0, 0, 80, 32);
  TStripeSkinner cut = Load(wide);
  EXPECT_EQ(cut.Fimages(), 2);
}

TEST_F(StripeFile, MissingOrBrokenFilesLeaveTheSkinnerEmpty) {
  TStripeSkinner skinner;
  EXPECT_FALSE(skinner.LoadFromStripeFile(temp_.File(L"missing.png")));
  test::WriteFileBytes(temp_.File(L"broken.png"), "\x89PNG\r\n\x1a\nnot really");
  EXPECT_FALSE(skinner.LoadFromStripeFile(temp_.File(L"broken.png")));
  EXPECT_EQ(skinner.Fimages(), 0);
  RgbaImage picture(3, 3);
  // Nothing loaded: even the error cell does not exist, so there is no picture.
  EXPECT_TRUE(skinner.GetOnePngImage(16, 0, 1.0f).Empty());
  EXPECT_FALSE(skinner.CopyToPicture(16, picture, 0, 1.0f));
  EXPECT_EQ(picture.width, 3);  // a failed copy leaves the picture alone
  EXPECT_FALSE(skinner.CombineToPicture(16, picture, 0, 0, 1.0f, 0, 0));
}

TEST_F(StripeFile, OutOfRangeIndexDrawsTheErrorCellAndSaysSo) {
  TStripeSkinner skinner = Load(PaintStripe(20, 64, CellGrey));
  skinner.ErrorIndex = 1;
  capturedLines.clear();
  const DebugLineListener previous = Debug_SetListener(CaptureLine);
  const RgbaImage tooHigh = skinner.GetOnePngImage(16, 25, 1.0f);
  const RgbaImage negative = skinner.GetOnePngImage(16, -3, 1.0f);
  const RgbaImage combined = skinner.CombineImages(16, 20, 99, 1.0f, 0, 0);
  Debug_SetListener(previous);

  EXPECT_EQ(tooHigh.width, 16);
  EXPECT_EQ(PixelOf(tooHigh, 8, 8), (Rgba{10, 10, 10, 255}));
  EXPECT_EQ(PixelOf(negative, 0, 0), (Rgba{10, 10, 10, 255}));
  EXPECT_EQ(PixelOf(combined, 15, 15), (Rgba{10, 10, 10, 255}));
  // One line per faulty single icon; combining stays quiet.
  EXPECT_EQ(capturedLines, (std::vector<std::wstring>(2, L"*** GetOnePngImage -> error 1 ; FImages=20")));
}

TEST_F(StripeFile, BlendFadesAlphaWithHalvesToEven) {
  // Cell 0 holds, along its top row, the alphas whose faded values matter.
  const int alphas[] = {255, 51, 53, 1, 0, 200};
  TStripeSkinner skinner = Load(PaintStripe(1, 16, [&](int, int x, int) -> Rgba {
    return {40, 80, 120, alphas[std::min(x, 5)]};
  }));
  const struct {
    float blend;
    int expected[6];
  } cases[] = {
      {1.0f, {255, 51, 53, 1, 0, 200}},
      {0.5f, {128, 26, 26, 0, 0, 100}},  // 127.5 up, 25.5 up, 26.5 down, 0.5 down: all to even
      {0.0f, {0, 0, 0, 0, 0, 0}},
      {2.0f, {255, 102, 106, 2, 0, 255}},  // kept within 0-255
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.blend);
    const RgbaImage icon = skinner.GetOnePngImage(16, 0, c.blend);
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(icon.At(x, 0)[3], c.expected[x]) << "x " << x;
      if (alphas[x] != 0) {
        EXPECT_EQ(icon.At(x, 0)[0], 40);  // colours are copied as they are
        EXPECT_EQ(icon.At(x, 0)[2], 120);
      }
    }
  }
}

TEST(LanczosResampler, SameSizeCopiesAndUniformStaysUniform) {
  RgbaImage pattern = PaintStripe(1, 32, [](int, int x, int y) -> Rgba {
    return {x * 8, y * 8, (x ^ y) & 255, (x * 37 + y) % 256};
  });
  const RgbaImage copy = ResizeLanczos(pattern, 32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (pattern.At(x, y)[3] != 0) {
        ASSERT_EQ(PixelOf(copy, x, y), PixelOf(pattern, x, y)) << x << "," << y;
      }

  // Clamped edges: a uniform picture keeps its colour up to the border, in
  // every target size (no dark or faded rim).
  const RgbaImage uniform = PaintStripe(1, 64, [](int, int, int) -> Rgba { return {200, 100, 50, 180}; });
  for (int size : {48, 32, 24, 17, 16, 1, 100}) {
    const RgbaImage scaled = ResizeLanczos(uniform, size, size);
    for (const auto& [x, y] : {std::pair{0, 0}, {size - 1, size - 1}, {size / 2, 0}, {size / 2, size / 2}})
      EXPECT_EQ(PixelOf(scaled, x, y), (Rgba{200, 100, 50, 180})) << "size " << size;
  }
  EXPECT_TRUE(ResizeLanczos(uniform, 0, 16).Empty());
  EXPECT_TRUE(ResizeLanczos(RgbaImage(), 16, 16).Empty());
}

TEST(LanczosResampler, DownscaleOfARampKeepsTheRampAwayFromTheEdges) {
  // A symmetric filter reproduces a linear ramp exactly: target pixel t of a
  // 64 -> 16 scale is centred on source 4t + 1.5, so it must read
  // 4 * (4t + 1.5) = 16t + 6 wherever its window (12 source pixels each way)
  // stays inside the picture, i.e. for t = 3 to 12.
  const RgbaImage ramp = PaintStripe(1, 64, [](int, int x, int) -> Rgba { return {4 * x, 255 - 4 * x, 128, 255}; });
  const RgbaImage scaled = ResizeLanczos(ramp, 16, 16);
  for (int t = 3; t <= 12; ++t) {
    SCOPED_TRACE(t);
    EXPECT_EQ(PixelOf(scaled, t, 5), (Rgba{16 * t + 6, 255 - (16 * t + 6), 128, 255}));
  }
  // Near the edges the clamped border flattens the ramp slightly but keeps
  // it rising.
  for (int t = 1; t < 16; ++t) EXPECT_GT(scaled.At(t, 0)[0], scaled.At(t - 1, 0)[0]);
}

TEST(LanczosResampler, TransparentPixelsLendNoColour) {
  // Left half transparent green, right half opaque red: the soft edge must
  // be red with falling alpha, never a green or brown fringe.
  const RgbaImage half = PaintStripe(1, 64, [](int, int x, int) -> Rgba {
    return x < 32 ? Rgba{0, 255, 0, 0} : Rgba{255, 0, 0, 255};
  });
  const RgbaImage scaled = ResizeLanczos(half, 16, 16);
  for (int x = 0; x < 16; ++x) {
    const Rgba p = PixelOf(scaled, x, 8);
    if (p[3] > 8) {
      EXPECT_EQ(p[1], 0) << "x " << x;
      EXPECT_EQ(p[0], 255) << "x " << x;
    }
  }
  EXPECT_EQ(scaled.At(2, 8)[3], 0);
  EXPECT_EQ(scaled.At(13, 8)[3], 255);
}

// Cell 0: opaque red; cell 1: blue at half alpha (128); cell 2: transparent.
Rgba OverlayCells(int cell, int, int) {
  if (cell == 0) return {255, 0, 0, 255};
  if (cell == 1) return {0, 0, 255, 128};
  return {0, 0, 0, 0};
}

TEST_F(StripeFile, CombineLaysAHalfSizeAddOnIntoTheCorner) {
  TStripeSkinner skinner = Load(PaintStripe(3, 64, OverlayCells));
  const Rgba red{255, 0, 0, 255};
  // Blue at alpha 128/255 over red: 255 * 127 / 255 = 127 red, 128 blue.
  const Rgba mixed{127, 0, 128, 255};

  RgbaImage icon;
  ASSERT_TRUE(skinner.CombineToPicture(48, icon, 0, 1, 1.0f, 0, 0));
  ASSERT_EQ(icon.width, 48);
  EXPECT_EQ(PixelOf(icon, 23, 23), red);
  EXPECT_EQ(PixelOf(icon, 24, 24), mixed);
  EXPECT_EQ(PixelOf(icon, 47, 47), mixed);
  EXPECT_EQ(PixelOf(icon, 47, 23), red);

  // Offsets move the add-on's bottom-right corner left and up.
  icon = skinner.CombineImages(48, 0, 1, 1.0f, 4, 2);
  EXPECT_EQ(PixelOf(icon, 43, 45), mixed);
  EXPECT_EQ(PixelOf(icon, 20, 22), mixed);
  EXPECT_EQ(PixelOf(icon, 19, 22), red);
  EXPECT_EQ(PixelOf(icon, 44, 45), red);
  EXPECT_EQ(PixelOf(icon, 43, 46), red);

  // The fade acts on the add-on only: opacity round(0.5 * 255) = 128, so the
  // blue counts with 128 * 128 / 65025 = 0.252.
  icon = skinner.CombineImages(48, 0, 1, 0.5f, 0, 0);
  EXPECT_EQ(PixelOf(icon, 0, 0), red);
  EXPECT_EQ(PixelOf(icon, 40, 40), (Rgba{191, 0, 64, 255}));

  // Over a transparent icon the add-on keeps its own alpha.
  icon = skinner.CombineImages(16, 2, 1, 1.0f, 0, 0);
  EXPECT_EQ(PixelOf(icon, 12, 12), (Rgba{0, 0, 255, 128}));
  EXPECT_EQ(icon.At(7, 7)[3], 0);
}

TEST_F(StripeFile, AddOnSizeIsHalfRoundedToEven) {
  TStripeSkinner skinner = Load(PaintStripe(3, 64, OverlayCells));
  // Count the add-on's columns along the bottom row.
  for (const auto& [size, addon] : {std::pair{16, 8}, {17, 8}, {19, 10}, {48, 24}, {1, 0}}) {
    const RgbaImage icon = skinner.CombineImages(size, 0, 1, 1.0f, 0, 0);
    int covered = 0;
    for (int x = 0; x < size; ++x) covered += icon.At(x, size - 1)[2] > 0 ? 1 : 0;
    EXPECT_EQ(covered, addon) << "size " << size;
  }
}

TEST_F(StripeFile, IconsGoIntoImageListsInTheirIconSize) {
  TStripeSkinner skinner = Load(PaintStripe(3, 64, OverlayCells));
  HIMAGELIST list = ImageList_Create(24, 24, ILC_COLOR32, 4, 4);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(skinner.AddOneToImageList(list, 0, 1.0f), 0);
  EXPECT_EQ(skinner.CombineToImageList(list, 0, 1, 1.0f, 0, 0), 1);
  EXPECT_EQ(skinner.AddOneToImageList(nullptr, 0, 1.0f), -1);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);

  // The stored icon keeps the picture: draw it onto white and read it back.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 24, 24);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 24, 24};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(list, 1, dc, 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 0, 0));
  const COLORREF corner = GetPixel(dc, 20, 20);
  EXPECT_NEAR(GetRValue(corner), 127, 3);
  EXPECT_NEAR(GetBValue(corner), 128, 3);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ImageList_Destroy(list);
}

}  // namespace
}  // namespace keytidy
