// The link button, the five-state navigation picture and the skin's button
// colours, driven with window messages and read back as pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/button_skin.h"
#include "support/programs.h"
#include "support/snapshot.h"
#include "ui/form.h"
#include "ui/navi_image.h"
#include "ui/vell_button.h"
#include "ui/vell_link_button.h"

namespace keytidy::ui {
namespace {

using test::Snapshot;

class HostForm : public Form {
 public:
  HostForm() : Form(L"HostForm") {}
  bool Create() { return CreateForm(L"KeytidySkinnedHost", L"Host", WS_POPUP, 0, 400, 200, nullptr); }
};

class SkinnedControls : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create());
    ShowWindow(host.Handle(), SW_SHOWNOACTIVATE);
  }
  HostForm host;
};

Picture Solid(COLORREF colour, int size = 8) {
  std::vector<std::uint8_t> rgba;
  for (int i = 0; i < size * size; ++i)
    rgba.insert(rgba.end(), {GetRValue(colour), GetGValue(colour), GetBValue(colour), 255});
  return Picture::FromRgba(size, size, rgba.data());
}

TEST_F(SkinnedControls, LinkButtonWidthGlyphPlaceAndHotFont) {
  VellLinkButton link(&host, L"VellUnicodeSTButton_Navi1", 1);
  ASSERT_TRUE(link.Create(host.Handle(), 10, 10));
  EXPECT_EQ(link.Caption(), L"xxxxxx");
  link.SetGlyph(Solid(RGB(0, 0, 255), 16));
  ButtonFont hot;
  hot.color = RGB(255, 0, 0);
  link.SetFontHot(hot);
  link.SetCaption(L"Backups");

  // AutoWidth: caption width + glyph width + 4.
  HDC screen = GetDC(nullptr);
  HFONT tahoma = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  HGDIOBJ old = SelectObject(screen, tahoma);
  SIZE text{};
  GetTextExtentPoint32W(screen, L"Backups", 7, &text);
  SelectObject(screen, old);
  DeleteObject(tahoma);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(link.Width(), text.cx + 16 + 4);

  {
    Snapshot look(link.Handle());
    // Left aligned: x = glyph width + 4 = 20, the glyph 4 pixels before it.
    EXPECT_EQ(look.At(0, 12), RGB(0, 0, 255));
    EXPECT_EQ(look.At(15, 12), RGB(0, 0, 255));
    EXPECT_TRUE(look.Contains(RGB(0, 0, 0), {20, 0, link.Width(), 25}));
    EXPECT_FALSE(look.Contains(RGB(255, 0, 0), {0, 0, link.Width(), 25}));
  }
  SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  Snapshot hotLook(link.Handle());
  EXPECT_TRUE(hotLook.Contains(RGB(255, 0, 0), {20, 0, link.Width(), 25})) << "the hot font under the pointer";
  EXPECT_FALSE(hotLook.Contains(RGB(0, 0, 0), {20, 0, link.Width(), 25}));
}

TEST_F(SkinnedControls, LinkButtonRaisesLeaveAloneAndNoMouseUpWhenDisabled) {
  VellLinkButton link(&host, L"VellUnicodeSTButton_EULA", 1);
  ASSERT_TRUE(link.Create(host.Handle(), 10, 10));
  int leaves = 0, ups = 0, clicks = 0;
  link.OnMouseLeave = [&] { ++leaves; };
  link.OnMouseUp = [&](int, WPARAM, int, int) { ++ups; };
  link.OnClick = [&] { ++clicks; };
  SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  SendMessageW(link.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(leaves, 1);
  SendMessageW(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(clicks, 1);
  link.SetEnabled(false);
  SendMessageW(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(SkinnedControls, NaviImageShowsItsFiveStates) {
  NaviImage navi(&host, L"VellNaviImage_Back", 0);
  ASSERT_TRUE(navi.Create(host.Handle(), 10, 10, 16, 16));
  const COLORREF normal = RGB(10, 10, 10), hover = RGB(20, 20, 20), down = RGB(30, 30, 30), disabled = RGB(40, 40, 40),
                 active = RGB(50, 50, 50);
  navi.SetPictureHover(Solid(hover));
  navi.SetPictureDown(Solid(down));
  navi.SetPictureDisabled(Solid(disabled));
  navi.SetPictureActive(Solid(active));
  navi.SetPictureNormal(Solid(normal));
  auto shown = [&] { return Snapshot(navi.Handle()).At(8, 8); };
  EXPECT_EQ(shown(), normal);

  int enters = 0;
  navi.OnMouseEnter = [&] { ++enters; };
  SendMessageW(navi.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(shown(), hover);
  SendMessageW(navi.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(shown(), down);
  SendMessageW(navi.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(shown(), hover);

  navi.SetActive(true);
  EXPECT_EQ(shown(), active);
  SendMessageW(navi.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(shown(), active) << "an active entry keeps its picture when the pointer leaves";
  SendMessageW(navi.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(shown(), active);
  SendMessageW(navi.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(shown(), hover) << "releasing over it shows hover, also when active";
  navi.SetActive(false);
  EXPECT_EQ(shown(), hover);

  navi.SetEnabled(false);
  EXPECT_EQ(shown(), disabled);
  SendMessageW(navi.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(shown(), disabled);
  navi.SetEnabled(true);
  EXPECT_EQ(shown(), hover);
  EXPECT_EQ(enters, 2);
}

TEST_F(SkinnedControls, ButtonSkinColoursOwnedButtonsAndGivesTheMainMenuButtonItsArrow) {
  test::TempFolder temp;
  const std::wstring ini = temp.File(L"skin.ini");
  test::WriteFileBytes(ini,
                       "[VellButtons]\r\nFontColor=$112233\r\nBorderColor_Normal=$FF0000\r\n"
                       "BorderColor_Hover=$00FF00\r\nBorderColor_Disabled=$0000FF\r\n");
  const std::wstring back = test::BinFolder() + L"\\skins\\back.png";
  VellButton search(&host, L"VellButton_Search", 1);
  VellButton mainMenu(&host, L"VellButton_MAINMENU", 0);
  VellButton namedButCaptioned(&host, L"VellButton_MainMenu", 0);
  ASSERT_TRUE(search.Create(host.Handle(), 10, 10));
  ASSERT_TRUE(mainMenu.Create(host.Handle(), 10, 60));
  ASSERT_TRUE(namedButCaptioned.Create(host.Handle(), 100, 60));
  search.SetCaption(L"Search");
  namedButCaptioned.SetCaption(L"Menu");
  keytidy::Apply_ButtonSkin(host, ini, back);

  for (VellButton* button : {&search, &mainMenu, &namedButCaptioned}) {
    EXPECT_EQ(button->FontColor(), RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(button->BorderColor(), RGB(255, 0, 0));
    EXPECT_EQ(button->BorderColorHover(), RGB(0, 255, 0));
    EXPECT_EQ(button->BorderColorDisabled(), RGB(0, 0, 255));
  }
  EXPECT_EQ(Snapshot(search.Handle()).At(0, 0), RGB(255, 0, 0));
  EXPECT_TRUE(search.Glyph().Empty());
  EXPECT_EQ(mainMenu.Glyph().Width(), 24) << "the back arrow";
  EXPECT_TRUE(namedButCaptioned.Glyph().Empty()) << "only a button without caption gets the arrow";
}

}  // namespace
}  // namespace keytidy::ui
