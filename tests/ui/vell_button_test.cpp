// The flat push button: its width rule, its look in each state (rendered
// into a bitmap and read back pixel by pixel) and its pointer events.
#include "ui/vell_button.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/gui.h"
#include "support/snapshot.h"
#include "ui/form.h"

namespace keytidy::ui {
namespace {

using test::Snapshot;

class HostForm : public Form {
 public:
  HostForm() : Form(L"HostForm") {}
  bool Create() { return CreateForm(L"KeytidyVellHost", L"Host", WS_POPUP, 0, 400, 200, nullptr); }
};

class VellButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create());
    ShowWindow(host.Handle(), SW_SHOWNOACTIVATE);
  }
  HostForm host;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kOrange = RGB(247, 164, 11);
constexpr COLORREF kDisabledBorder = RGB(168, 170, 176);

TEST_F(VellButtonTest, AutoWidthFitsTheCaptionButNeverBelowTheMinimum) {
  VellButton button(&host, L"VellButton_Ok", 1);
  ASSERT_TRUE(button.Create(host.Handle(), 10, 10));
  button.SetCaption(L"Ok");
  EXPECT_EQ(button.Width(), 80);
  EXPECT_EQ(button.Height(), 33);

  button.SetCaption(L"Delete all selected registry entries now");
  const int wide = button.Width();
  EXPECT_GT(wide, 150);
  button.SetDropDownArrow(true);
  EXPECT_EQ(button.Width(), wide + 16);

  button.SetAutoWidth(false);
  button.SetCaption(L"Ok");
  EXPECT_EQ(button.Width(), wide + 16) << "without AutoWidth the width stays";
}

TEST_F(VellButtonTest, BorderFollowsPointerAndEnabledState) {
  VellButton button(&host, L"VellButton_Search", 1);
  ASSERT_TRUE(button.Create(host.Handle(), 10, 10));
  button.SetCaption(L"Search");
  {
    Snapshot look(button.Handle());
    EXPECT_EQ(look.At(0, 0), kOrange);
    EXPECT_EQ(look.At(1, 16), kOrange);
    EXPECT_EQ(look.At(2, 16), kWhite) << "the border is two pixels wide";
    EXPECT_TRUE(look.Contains(RGB(0, 0, 0), {4, 4, 76, 29})) << "black caption";
  }
  SendMessageW(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(button.MouseIsInside());
  EXPECT_EQ(Snapshot(button.Handle()).At(0, 0), RGB(247, 189, 11));
  SendMessageW(button.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Snapshot(button.Handle()).At(0, 0), kOrange);
}

TEST_F(VellButtonTest, ActionButtonFillsEnabledAndTurnsGreyWhenDisabled) {
  VellButton button(&host, L"VellButton_Delete", 1);
  ASSERT_TRUE(button.Create(host.Handle(), 10, 10));
  button.SetCaption(L"Delete");
  button.SetActionButton(true);
  {
    Snapshot look(button.Handle());
    EXPECT_EQ(look.At(0, 0), kOrange);
    EXPECT_EQ(look.At(40, 3), kOrange) << "filled, no separate border";
    EXPECT_EQ(look.At(79, 32), kWhite) << "the fill leaves the last column and row out";
    EXPECT_TRUE(look.Contains(kWhite, {4, 4, 76, 29})) << "white caption";
  }
  button.SetEnabled(false);
  Snapshot look(button.Handle());
  EXPECT_EQ(look.At(0, 0), kDisabledBorder);
  EXPECT_EQ(look.At(1, 1), kDisabledBorder);
  EXPECT_EQ(look.At(40, 3), kWhite) << "no fill when disabled";
  EXPECT_TRUE(look.Contains(RGB(128, 128, 128), {4, 4, 76, 29})) << "grey caption";
  EXPECT_FALSE(look.Contains(kOrange, {0, 0, 80, 33}));
}

TEST_F(VellButtonTest, DropDownArrowLeavesTheLeftSideOpen) {
  VellButton button(&host, L"VellButton_Menu", 1);
  ASSERT_TRUE(button.Create(host.Handle(), 10, 10));
  button.SetCaption(L"More");
  button.SetDropDownArrow(true);
  Snapshot look(button.Handle());
  const int right = button.Width() - 1;
  EXPECT_EQ(look.At(0, 0), kOrange) << "top band";
  EXPECT_EQ(look.At(0, 32), kOrange) << "bottom band";
  EXPECT_EQ(look.At(right, 16), kOrange) << "right band";
  EXPECT_EQ(look.At(0, 16), kWhite) << "no left border";
  EXPECT_TRUE(look.Contains(RGB(0, 0, 0), {button.Width() / 2, 10, right - 2, 24})) << "the arrow";
}

TEST_F(VellButtonTest, PointerEventsAndClicks) {
  VellButton button(&host, L"VellButton_Probe", 1);
  ASSERT_TRUE(button.Create(host.Handle(), 10, 10));
  int leaves = 0, clicks = 0, ups = 0;
  button.OnMouseLeave = [&] { ++leaves; };  // the only handler set
  SendMessageW(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SendMessageW(button.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(leaves, 1);
  EXPECT_FALSE(button.MouseIsInside());

  button.OnClick = [&] { ++clicks; };
  button.OnMouseUp = [&](int key, WPARAM, int x, int y) {
    ++ups;
    EXPECT_EQ(key, VK_LBUTTON);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);
  };
  SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 8));
  SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(7, 8));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(ups, 1);

  // Released outside: no click.
  SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 8));
  SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 8));
  EXPECT_EQ(clicks, 1);

  // Disabled buttons raise nothing.
  button.SetEnabled(false);
  SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 8));
  SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(7, 8));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(ups, 1);
}

}  // namespace
}  // namespace keytidy::ui

namespace keytidy::ui {
namespace {

// A screen switches buttons on and off long after they were painted; the
// change has to reach the screen without anything else being redrawn.
TEST_F(VellButtonTest, EnablingOrDisablingRepaints) {
  VellButton button(&host, L"VellButton_Delete", 1);
  ASSERT_TRUE(button.Create(host.Handle(), 10, 10));
  for (bool enabled : {false, true}) {
    UpdateWindow(host.Handle());
    ASSERT_FALSE(GetUpdateRect(button.Handle(), nullptr, FALSE));
    button.SetEnabled(enabled);
    EXPECT_TRUE(GetUpdateRect(button.Handle(), nullptr, FALSE)) << enabled;
  }
}

}  // namespace
}  // namespace keytidy::ui
