// The skins that come with the program: every file the program loads is
// there and decodes, and skin.ini has every section and key it reads.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "skin/skin_folder.h"
#include "skin/stripe_skinner.h"
#include "support/programs.h"
#include "ui/gif_animation.h"
#include "ui/png_codec.h"

namespace keytidy {
namespace {

const wchar_t* const kPngFiles[] = {
    L"stripe.png",
    L"preview_small.png",
    L"menu_options_active.png",
    L"menu_options_hover.png",
    L"grip.png",
    L"but_close.png",
    L"but_close_hover.png",
    L"but_maximize.png",
    L"but_maximize_hover.png",
    L"but_unmax_normal.png",
    L"but_unmax_hover.png",
    L"but_minimize.png",
    L"but_minimize_hover.png",
    L"but_help_normal.png",
    L"but_help_hover.png",
    L"but_settings_normal.png",
    L"but_settings_hover.png",
    L"but_internet_normal.png",
    L"but_internet_hover.png",
    L"but_feedback_normal.png",
    L"but_feedback_hover.png",
    L"but_back_normal.png",
    L"but_back_hover.png",
    L"but_back_disabled.png",
};
const wchar_t* const kBmpFiles[] = {L"logo.bmp", L"Background_Asker.bmp", L"navi_options.bmp", L"Navi_Top_tiled.bmp"};
const wchar_t* const kGifFiles[] = {L"status_search.gif", L"status_delete.gif", L"status_ok.gif"};

const struct {
  const wchar_t* section;
  const wchar_t* names[4];
} kIniKeys[] = {
    {L"SkinInfo", {L"DisplayName", L"Display1", L"Display2"}},
    {L"Navi_Options", {L"Font_Normal", L"Font_Normal_Shadow", L"Font_Down", L"Font_Down_Shadow"}},
    {L"VellButtons", {L"FontColor", L"BorderColor_Normal", L"BorderColor_Hover", L"BorderColor_Disabled"}},
    {L"MainPages", {L"BackgroundColor"}},
    {L"Header", {L"Color"}},
    {L"KX14_MainMenuButton", {L"Color", L"ColorTo", L"ColorMirror", L"ColorMirrorTo"}},
    {L"QuickAccess", {L"QuickAccess_FontColor", L"QuickAccess_DisabledFontColor"}},
};

std::wstring SkinsFolder() { return test::BinFolder() + L"\\skins"; }

TEST(ShippedSkins, EverySkinFileIsThereAndDecodes) {
  for (const wchar_t* skin : {L"default", L"dark"}) {
    SCOPED_TRACE(skin);
    const std::wstring folder = SkinsFolder() + L"\\" + skin;
    const std::wstring ini = folder + L"\\skin.ini";
    for (const auto& section : kIniKeys)
      for (const wchar_t* name : section.names) {
        if (!name) continue;
        EXPECT_FALSE(Ini_ReadString(ini, section.section, name).empty()) << section.section << "." << name;
        if (std::wstring(section.section) != L"SkinInfo") {
          EXPECT_TRUE(Ini_ReadColor(ini, section.section, name)) << section.section << "." << name;
        }
      }
    for (const wchar_t* name : kPngFiles) EXPECT_TRUE(DecodePngFile(folder + L"\\" + name)) << name;
    for (const wchar_t* name : kBmpFiles) {
      HANDLE bitmap = LoadImageW(nullptr, (folder + L"\\" + name).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
      EXPECT_NE(bitmap, nullptr) << name;
      if (bitmap) DeleteObject(bitmap);
    }
    for (const wchar_t* name : kGifFiles) {
      const std::optional<GifAnimation> animation = DecodeGifFile(folder + L"\\" + name);
      ASSERT_TRUE(animation) << name;
      EXPECT_GE(animation->frames.size(), 2u) << name;
    }
  }
  for (const wchar_t* name : {L"stripe.png", L"back.png", L"back_Cleaner.png"})
    EXPECT_TRUE(DecodePngFile(SkinsFolder() + L"\\" + name)) << name;
}

TEST(ShippedSkins, StripesHoldEveryCellTheProgramUses) {
  for (const wchar_t* path : {L"\\stripe.png", L"\\default\\stripe.png", L"\\dark\\stripe.png"}) {
    TStripeSkinner skinner;
    ASSERT_TRUE(skinner.LoadFromStripeFile(SkinsFolder() + path)) << path;
    EXPECT_EQ(skinner.FImageSize(), 64);
    EXPECT_GE(skinner.Fimages(), 225);
    // No cell the program uses is blank.
    for (int cell = 0; cell <= 224; ++cell) {
      const RgbaImage icon = skinner.GetOnePngImage(16, cell, 1.0f);
      int visible = 0;
      for (size_t i = 3; i < icon.pixels.size(); i += 4) visible += icon.pixels[i] > 128 ? 1 : 0;
      EXPECT_GT(visible, 40) << path << " cell " << cell;
    }
  }
}

TEST(ShippedSkins, BothSkinsCanBeChosen) {
  EXPECT_EQ(ChooseSkinFolder(SkinsFolder(), L"dark"), SkinsFolder() + L"\\dark");
  EXPECT_EQ(ChooseSkinFolder(SkinsFolder(), L"Default"), SkinsFolder() + L"\\default");
}

}  // namespace
}  // namespace keytidy
