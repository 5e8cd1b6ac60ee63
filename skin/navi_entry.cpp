#include "skin/navi_entry.h"

#include <windows.h>

#include <map>

#include "skin/skin_ini.h"
#include "ui/lanczos_resampler.h"
#include "ui/dib_section.h"
#include "ui/gdi_objects.h"
#include "ui/png_codec.h"

namespace keytidy {

namespace {

// The overlays are shared by every entry and read once per run.
const RgbaImage& Overlay(const std::wstring& path) {
  static std::map<std::wstring, RgbaImage> loaded;
  auto found = loaded.find(path);
  if (found == loaded.end()) found = loaded.emplace(path, DecodePngFile(path).value_or(RgbaImage())).first;
  return found->second;
}

// An overlay drawn for 100 %, stretched to an entry of another size.
RgbaImage FittedTo(const RgbaImage& overlay, int width, int height) {
  if (overlay.Empty() || (overlay.width == width && overlay.height == height)) return overlay;
  return ResizeLanczos(overlay, width, height);
}

RgbaImage CopyFromBackground(const RgbaImage& background, int left, int top, int width, int height) {
  RgbaImage result(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int sx = left + x, sy = top + y;
      if (sx < 0 || sy < 0 || sx >= background.width || sy >= background.height) continue;
      const std::uint8_t* from = background.At(sx, sy);
      std::copy(from, from + 4, result.At(x, y));
    }
  return result;
}

// The glyph coverage of a text line: white text on black through GDI's
// grey-scale anti-aliasing, read back from the green channel.
RgbaImage TextCoverage(const std::wstring& text, int width, int height, int x, int y, const wchar_t* face,
                       int pixelHeight) {
  RgbaImage coverage(width, height);
  std::uint32_t* bits = nullptr;
  ui::UniqueBitmap bitmap(ui::CreateDib32(width, height, bits));
  ui::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc || !bitmap) return coverage;
  ui::UniqueFont font(CreateFontW(-pixelHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, face));
  {
    ui::SelectionScope bitmapSelected(dc.get(), bitmap.get());
    ui::SelectionScope fontSelected(dc.get(), font.get());
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(255, 255, 255));
    TextOutW(dc.get(), x, y, text.c_str(), static_cast<int>(text.size()));
    GdiFlush();
  }
  const auto* pixels = reinterpret_cast<const std::uint8_t*>(bits);
  for (size_t i = 0; i < coverage.pixels.size(); i += 4) coverage.pixels[i + 3] = pixels[i + 1];
  return coverage;
}

}  // namespace

void DrawArgbText(RgbaImage& image, const std::wstring& text, int x, int y, std::uint32_t argb, const wchar_t* face,
                  int pixelHeight) {
  const std::uint32_t alpha = argb >> 24;
  if (alpha == 0 || text.empty() || image.Empty()) return;
  RgbaImage layer = TextCoverage(text, image.width, image.height, x, y, face, pixelHeight);
  for (size_t i = 0; i < layer.pixels.size(); i += 4) {
    layer.pixels[i + 0] = static_cast<std::uint8_t>(argb >> 16);
    layer.pixels[i + 1] = static_cast<std::uint8_t>(argb >> 8);
    layer.pixels[i + 2] = static_cast<std::uint8_t>(argb);
    layer.pixels[i + 3] = static_cast<std::uint8_t>(layer.pixels[i + 3] * alpha / 255);
  }
  DrawOver(image, layer, 0, 0, 255);
}

TNaviEntryPictures Paint_NaviEntry(const RgbaImage& background, int left, int top, int width, int height,
                                   const std::wstring& caption, int cell, const TStripeSkinner& stripe,
                                   const std::wstring& skinFolder, double scale) {
  TNaviEntryPictures pictures;
  pictures.normal = CopyFromBackground(background, left, top, width, height);
  pictures.hover = pictures.normal;
  pictures.pressed = pictures.normal;
  DrawOver(pictures.pressed, FittedTo(Overlay(skinFolder + L"\\menu_options_active.png"), width, height), 0, 0, 255);
  DrawOver(pictures.hover, FittedTo(Overlay(skinFolder + L"\\menu_options_hover.png"), width, height), 0, 0, 255);

  const auto s = [scale](int pixels) { return static_cast<int>(pixels * scale + 0.5); };
  const RgbaImage icon = stripe.GetOnePngImage(s(32), cell, 1.0f);
  const TNaviOptionsColors colours = Read_NaviOptionsColors(SkinIniPath(skinFolder));
  // The caption sits right of the 32-pixel icon (which spans x 8 to 40),
  // with its shadow one pixel down and right (at 100 %).
  const struct {
    RgbaImage* picture;
    std::uint32_t text, shadow;
  } states[] = {{&pictures.normal, colours.fontNormal, colours.fontNormalShadow},
                {&pictures.hover, colours.fontNormal, colours.fontNormalShadow},
                {&pictures.pressed, colours.fontDown, colours.fontDownShadow}};
  for (const auto& state : states) {
    DrawOver(*state.picture, icon, s(8), s(5), 255);
    DrawArgbText(*state.picture, caption, s(42) + 1, s(11) + 1, state.shadow, L"Tahoma", s(13));
    DrawArgbText(*state.picture, caption, s(42), s(11), state.text, L"Tahoma", s(13));
  }
  return pictures;
}

}  // namespace keytidy
