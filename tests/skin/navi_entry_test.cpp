// The options navigation entry's three pictures.
#include "skin/navi_entry.h"

#include <windows.h>

#include <algorithm>
#include <array>

#include <gtest/gtest.h>

#include "support/programs.h"
#include "ui/png_codec.h"

namespace keytidy {
namespace {

using Rgba = std::array<int, 4>;

Rgba PixelOf(const RgbaImage& image, int x, int y) {
  const std::uint8_t* p = image.At(x, y);
  return {p[0], p[1], p[2], p[3]};
}

RgbaImage Solid(int width, int height, Rgba colour) {
  RgbaImage image(width, height);
  for (size_t i = 0; i < image.pixels.size(); i += 4)
    for (int c = 0; c < 4; ++c) image.pixels[i + c] = static_cast<std::uint8_t>(colour[c]);
  return image;
}

bool HasColour(const RgbaImage& image, Rgba colour, RECT area) {
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (PixelOf(image, x, y) == colour) return true;
  return false;
}

class NaviEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteFileBytes(temp_.File(L"stripe.png"), EncodePng(Solid(128, 64, {0, 0, 255, 255})));
    ASSERT_TRUE(stripe_.LoadFromStripeFile(temp_.File(L"stripe.png")));
    test::WriteFileBytes(temp_.File(L"menu_options_active.png"), EncodePng(Solid(181, 40, {255, 0, 0, 255})));
    test::WriteFileBytes(temp_.File(L"menu_options_hover.png"), EncodePng(Solid(181, 40, {0, 255, 0, 128})));
    // Background: the left half grey, the right half white; the entry
    // starts inside the grey part.
    background_ = Solid(200, 100, {255, 255, 255, 255});
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) std::fill(background_.At(x, y), background_.At(x, y) + 3, 100);
  }
  void WriteIni(const std::string& navi) { test::WriteFileBytes(temp_.File(L"skin.ini"), "[Navi_Options]\r\n" + navi); }
  test::TempFolder temp_;
  TStripeSkinner stripe_;
  RgbaImage background_;
};

TEST_F(NaviEntry, BackgroundOverlaysIconAndCaption) {
  // $AAXXGGYY: alpha AA, red YY, green GG, blue XX.
  WriteIni("Font_Normal=$FF0000FF\r\nFont_Normal_Shadow=$FF00FF00\r\nFont_Down=$FFFFFFFF\r\n");
  const TNaviEntryPictures pictures =
      Paint_NaviEntry(background_, 10, 20, 181, 40, L"General", 1, stripe_, temp_.Path());
  ASSERT_EQ(pictures.normal.width, 181);
  ASSERT_EQ(pictures.normal.height, 40);

  EXPECT_EQ(PixelOf(pictures.normal, 0, 0), (Rgba{100, 100, 100, 255})) << "the background under the entry";
  EXPECT_EQ(PixelOf(pictures.normal, 95, 0), (Rgba{255, 255, 255, 255})) << "copied unstretched";
  EXPECT_EQ(PixelOf(pictures.pressed, 0, 0), (Rgba{255, 0, 0, 255})) << "the active overlay";
  EXPECT_EQ(PixelOf(pictures.hover, 0, 0), (Rgba{50, 178, 50, 255})) << "the hover overlay, half transparent";

  for (const RgbaImage* picture : {&pictures.normal, &pictures.hover, &pictures.pressed}) {
    EXPECT_EQ(PixelOf(*picture, 8, 5), (Rgba{0, 0, 255, 255})) << "the icon from (8, 5)";
    EXPECT_EQ(PixelOf(*picture, 39, 36), (Rgba{0, 0, 255, 255})) << "to (40, 37)";
    EXPECT_NE(PixelOf(*picture, 40, 37), (Rgba{0, 0, 255, 255}));
  }
  const RECT caption{41, 0, 181, 40};
  EXPECT_TRUE(HasColour(pictures.normal, {255, 0, 0, 255}, caption)) << "red caption";
  EXPECT_TRUE(HasColour(pictures.normal, {0, 255, 0, 255}, caption)) << "green shadow";
  EXPECT_TRUE(HasColour(pictures.pressed, {255, 255, 255, 255}, caption)) << "pressed caption";
  EXPECT_FALSE(HasColour(pictures.pressed, {0, 255, 0, 255}, caption)) << "no pressed shadow configured";
}

TEST_F(NaviEntry, SevenCharacterColoursHaveNoAlphaAndDrawNothing) {
  WriteIni("Font_Normal=$FF0000\r\nFont_Normal_Shadow=$00FF00\r\n");
  const TNaviEntryPictures pictures =
      Paint_NaviEntry(background_, 10, 20, 181, 40, L"General", 1, stripe_, temp_.Path());
  for (int y = 0; y < 40; ++y)
    for (int x = 41; x < 90; ++x) ASSERT_EQ(PixelOf(pictures.normal, x, y), (Rgba{100, 100, 100, 255}));
}

// At 150 % the entry is 272 x 60: the overlay covers all of it, and the
// icon and caption grow with it instead of staying in the top-left corner.
TEST_F(NaviEntry, AtAHigherScalingEverythingGrowsWithTheEntry) {
  WriteIni("Font_Normal=$FF0000FF\r\nFont_Down=$FFFFFFFF\r\n");
  const TNaviEntryPictures pictures =
      Paint_NaviEntry(background_, 15, 30, 272, 60, L"General", 1, stripe_, temp_.Path(), 1.5);
  ASSERT_EQ(pictures.pressed.width, 272);
  EXPECT_EQ(PixelOf(pictures.pressed, 271, 59), (Rgba{255, 0, 0, 255})) << "the overlay reaches the far corner";
  EXPECT_EQ(PixelOf(pictures.normal, 12, 8), (Rgba{0, 0, 255, 255})) << "the icon from (12, 8)";
  EXPECT_EQ(PixelOf(pictures.normal, 59, 55), (Rgba{0, 0, 255, 255})) << "to (60, 56)";
  EXPECT_NE(PixelOf(pictures.normal, 60, 56), (Rgba{0, 0, 255, 255}));
  EXPECT_FALSE(HasColour(pictures.normal, {255, 0, 0, 255}, RECT{61, 0, 272, 16})) << "no caption above its place";
  EXPECT_TRUE(HasColour(pictures.normal, {255, 0, 0, 255}, RECT{61, 16, 272, 60})) << "a caption 20 pixels high";
}

}  // namespace
}  // namespace keytidy
