// Reading a skin's colours and texts from its skin.ini.
#include "skin/skin_ini.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/debug_log.h"
#include "support/programs.h"

namespace keytidy {
namespace {

std::vector<std::wstring> capturedLines;
void CaptureLine(std::wstring_view line) { capturedLines.emplace_back(line); }

class SkinIni : public ::testing::Test {
 protected:
  std::wstring MakeSkin(const wchar_t* name, const std::string& ini) {
    const std::wstring folder = temp_.File(name);
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!ini.empty()) test::WriteFileBytes(folder + L"\\skin.ini", ini);
    return folder;
  }
  test::TempFolder temp_;
};

TEST_F(SkinIni, ColoursTextsAndOptionalSections) {
  const std::wstring folder = MakeSkin(L"night",
                                       "[SkinInfo]\r\nDisplayName=Night Owl\r\nDisplay1=Dark grey\r\n"
                                       "[VellButtons]\r\nFontColor=$FF0000\r\nBorderColor_Normal=clWhite\r\n"
                                       "BorderColor_Hover=$0B0BF7\r\nBorderColor_Disabled=255\r\n"
                                       "[Navi_Options]\r\nFont_Normal=$FF112233\r\nFont_Down=$123456\r\n"
                                       "[MainPages]\r\nBackgroundColor=$202020\r\n"
                                       "[QuickAccess]\r\nQuickAccess_FontColor=$00FF00\r\n"
                                       "QuickAccess_DisabledFontColor=$808080\r\n");
  const TSkinInfo info = Read_SkinInfo(folder);
  EXPECT_EQ(info.displayName, L"Night Owl");
  EXPECT_EQ(info.display1, L"Dark grey");
  EXPECT_EQ(info.display2, L"");

  const std::wstring ini = SkinIniPath(folder);
  const TVellButtonColors buttons = Read_VellButtonColors(ini);
  EXPECT_EQ(buttons.fontColor, 0x0000FFu);  // $RRGGBB red is 0x0000FF in BGR order
  EXPECT_EQ(buttons.borderNormal, 0xFFFFFFu);
  EXPECT_EQ(buttons.borderHover, 0xF70B0Bu);
  EXPECT_EQ(buttons.borderDisabled, 255u);

  // Navigation colours stay the 32-bit numbers as read: $AARRGGBB keeps
  // its top byte, $RRGGBB has none (and so draws nothing).
  const TNaviOptionsColors navi = Read_NaviOptionsColors(ini);
  EXPECT_EQ(navi.fontNormal, 0xFF332211u);
  EXPECT_EQ(navi.fontDown, 0x00563412u);
  EXPECT_EQ(navi.fontNormalShadow, 0u);  // missing

  const TMainWindowColors main = Read_MainWindowColors(ini);
  EXPECT_EQ(main.pagesBackground, 0x202020u);
  EXPECT_EQ(main.header, 0u);
  EXPECT_FALSE(main.mainMenuButton);
  EXPECT_EQ(main.quickAccessFont, 0x00FF00u);
  EXPECT_EQ(main.quickAccessDisabledFont, 0x808080u);
}

TEST_F(SkinIni, MissingFileAndBrokenValuesReadAsBlack) {
  const std::wstring bare = MakeSkin(L"bare", "");
  const TSkinInfo info = Read_SkinInfo(bare);
  EXPECT_EQ(info.displayName, L"bare");  // the folder name stands in
  const TMainWindowColors main = Read_MainWindowColors(SkinIniPath(bare));
  EXPECT_EQ(main.pagesBackground, 0u);
  EXPECT_FALSE(main.quickAccessDisabledFont);

  const std::wstring broken = MakeSkin(L"broken",
                                       "[SkinInfo]\r\nDisplayName=\r\n"
                                       "[KX14_MainMenuButton]\r\nColor=$FFFFFF\r\nColorTo=bright blue\r\n");
  EXPECT_EQ(Read_SkinInfo(broken).displayName, L"");  // present but empty stays empty
  capturedLines.clear();
  const DebugLineListener previous = Debug_SetListener(CaptureLine);
  const TMainWindowColors colours = Read_MainWindowColors(SkinIniPath(broken));
  Debug_SetListener(previous);
  ASSERT_TRUE(colours.mainMenuButton);
  EXPECT_EQ(colours.mainMenuButton->color, 0xFFFFFFu);
  EXPECT_EQ(colours.mainMenuButton->colorTo, 0u);
  EXPECT_EQ(capturedLines,
            std::vector<std::wstring>{L"Skin colour is no colour: [KX14_MainMenuButton] ColorTo=bright blue"});
}

}  // namespace
}  // namespace keytidy
