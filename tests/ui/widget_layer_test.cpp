// The widget layer's base driven with window messages in the test process:
// the window-object link, the exception boundary, modal forms, the picture
// button's states and the HTML label's links.
#include <windows.h>

#include <stdexcept>

#include <gtest/gtest.h>

#include "support/gui.h"
#include "ui/form.h"
#include "ui/html_label.h"
#include "ui/image_button.h"
#include "ui/native_controls.h"
#include "ui/panel.h"
#include "ui/window_placement.h"

namespace keytidy::ui {
namespace {

using test::PumpMessages;
using test::RunSoon;

constexpr UINT kThrowMessage = WM_APP + 1;

class ProbeForm : public Form {
 public:
  ProbeForm() : Form(L"ProbeForm") {}
  bool Create(HWND owner = nullptr) {
    return CreateForm(L"KeytidyProbeForm", L"Probe", WS_POPUP | WS_CAPTION, 0, 200, 120, owner);
  }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kThrowMessage) throw std::runtime_error("broken handler");
    if (message == WM_APP + 2) return 42;
    return Form::HandleMessage(message, wParam, lParam);
  }
  bool allowClose = true;
  int closeQueries = 0;
  bool gone = false;

 protected:
  bool CloseQuery() override {
    ++closeQueries;
    return allowClose;
  }
  void OnWindowGone() override { gone = true; }
};

TEST(WindowBase, ObjectLinkLivesAsLongAsTheWindow) {
  ProbeForm form;
  ASSERT_TRUE(form.Create());
  HWND handle = form.Handle();
  EXPECT_EQ(Window::FromHandle(handle), &form);
  EXPECT_EQ(SendMessageW(handle, WM_APP + 2, 0, 0), 42);

  // Destroyed from outside: the object learns it and the link is gone.
  DestroyWindow(handle);
  EXPECT_TRUE(form.gone);
  EXPECT_FALSE(form.Alive());
  EXPECT_EQ(Window::FromHandle(handle), nullptr);
  EXPECT_EQ(Window::FromHandle(GetDesktopWindow()), nullptr) << "foreign windows have no object";
}

TEST(WindowBase, ExceptionsStopAtTheWindowProcedure) {
  ProbeForm form;
  ASSERT_TRUE(form.Create());
  // Falls back to the default handling (0 for an application message).
  EXPECT_EQ(SendMessageW(form.Handle(), kThrowMessage, 0, 0), 0);
  EXPECT_EQ(SendMessageW(form.Handle(), WM_APP + 2, 0, 0), 42) << "the window still works";
}

TEST(WindowBase, NativeControlsReportThroughTheirParent) {
  ProbeForm form;
  ASSERT_TRUE(form.Create());
  PushButton button(&form, L"Button_Probe", 1);
  ASSERT_TRUE(button.Create(form.Handle(), L"Go", 10, 10, 80, 24));
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  button.Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Window::FromHandle(button.Handle()), &button);
  EXPECT_EQ(form.FindComponent(L"Button_Probe"), &button);
  EXPECT_EQ(button.ComponentOwner(), &form);
}

// A form with a check box at (10, 20) on a panel.
class BoxOnAPanel : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form.Create());
    ASSERT_TRUE(panel.Create(form.Handle(), 0, 0, 200, 100, RGB(255, 255, 255)));
    ASSERT_TRUE(box.Create(panel.Handle(), L"Probe", 10, 20, 120, 20));
  }
  ProbeForm form;
  Panel panel{&form, L"Panel_Probe"};
  CheckBox box{&form, L"CheckBox_Probe"};
};

// The check box writes in the form's font: the panel has none of its own,
// and the system font it would otherwise get ignores the DPI.
TEST_F(BoxOnAPanel, TheControlTakesTheFormsFont) {
  ASSERT_NE(form.Font(), nullptr);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(box.Handle(), WM_GETFONT, 0, 0)), form.Font());
}

// Moved to a monitor at 150 %, a form scales its layout and font by the
// ratio and takes the place Windows suggests. Wine has one DPI for every
// monitor and never sends the message: the test sends what Windows would.
TEST_F(BoxOnAPanel, TheFormFollowsItsMoveToAMonitorOfAnotherDpi) {
  const int dpi = form.Dpi();
  const int moved = dpi * 3 / 2;
  LOGFONTW before{};
  GetObjectW(form.Font(), sizeof(before), &before);

  RECT suggested{300, 200, 300 + 330, 200 + 240};
  SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(moved, moved), reinterpret_cast<LPARAM>(&suggested));

  RECT frame;
  GetWindowRect(form.Handle(), &frame);
  EXPECT_EQ(frame.left, 300);
  EXPECT_EQ(frame.right - frame.left, 330);
  RECT place;
  GetWindowRect(box.Handle(), &place);
  MapWindowPoints(nullptr, panel.Handle(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, 15);
  EXPECT_EQ(place.top, 30);
  EXPECT_EQ(place.right - place.left, 180);
  EXPECT_EQ(place.bottom - place.top, 30);
  LOGFONTW after{};
  GetObjectW(form.Font(), sizeof(after), &after);
  EXPECT_EQ(after.lfHeight, -MulDiv(8, moved, 72));
  EXPECT_NE(after.lfHeight, before.lfHeight);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(box.Handle(), WM_GETFONT, 0, 0)), form.Font());
}

// A window is centred in the work area, and one larger than the work area
// (a big design at 150 % on a small screen) takes the work area instead of
// reaching past its edges.
TEST(WindowPlacement, CentredAndNeverLargerThanTheWorkArea) {
  struct Case {
    const char* what;
    int width, height;
    RECT work, expected;
  };
  const Case cases[] = {
      {"fits", 400, 300, {0, 0, 1280, 800}, {440, 250, 840, 550}},
      {"work area beside a taskbar on the left", 400, 300, {60, 0, 1280, 800}, {470, 250, 870, 550}},
      {"too tall", 1266, 823, {0, 0, 1280, 800}, {7, 0, 1273, 800}},
      {"too wide and too tall", 1338, 1065, {0, 0, 1280, 800}, {0, 0, 1280, 800}},
      {"second monitor on the left", 400, 300, {-1920, 0, 0, 1080}, {-1160, 390, -760, 690}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RECT placed = PlaceInWorkArea(c.width, c.height, c.work);
    EXPECT_EQ(placed.left, c.expected.left);
    EXPECT_EQ(placed.top, c.expected.top);
    EXPECT_EQ(placed.right, c.expected.right);
    EXPECT_EQ(placed.bottom, c.expected.bottom);
  }
}

TEST(ModalForm, EscapeClosesUnlessTheCloseQueryRefuses) {
  ProbeForm owner;
  ASSERT_TRUE(owner.Create());
  ShowWindow(owner.Handle(), SW_SHOWNA);

  ProbeForm dialog;
  ASSERT_TRUE(dialog.Create(owner.Handle()));
  dialog.allowClose = false;
  bool ownerDisabledWhileModal = false;
  RunSoon([&] {
    ownerDisabledWhileModal = !IsWindowEnabled(owner.Handle());
    test::PressKey(dialog.Handle(), VK_ESCAPE);
    RunSoon([&] {
      EXPECT_TRUE(IsWindowVisible(dialog.Handle())) << "a refused close keeps the form open";
      dialog.allowClose = true;
      test::PressKey(dialog.Handle(), VK_ESCAPE);
    });
  });
  dialog.ShowModal();
  EXPECT_EQ(dialog.closeQueries, 2);
  EXPECT_TRUE(ownerDisabledWhileModal);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle())) << "the owner is enabled again";
  EXPECT_TRUE(dialog.Alive()) << "a modal form is hidden, not destroyed";
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

Picture SolidPicture(BYTE red) {
  const BYTE pixels[4 * 4] = {red, 0, 0, 255, red, 0, 0, 255, red, 0, 0, 255, red, 0, 0, 255};
  return Picture::FromRgba(2, 2, pixels);
}

TEST(ImageButton, ShowsHoverAndPressedPicturesAndClicksOnRelease) {
  ProbeForm form;
  ASSERT_TRUE(form.Create());
  ImageButton3State button(&form, L"Button", 1);
  ASSERT_TRUE(button.Create(form.Handle(), 20, 30, 32, 32));
  const Picture normal = SolidPicture(10), highlight = SolidPicture(20), pressed = SolidPicture(30);
  button.SetPictureNormal(normal);
  button.SetPictureHighlight(highlight);
  button.SetPicturePressed(pressed);
  int clicks = 0, leaves = 0;
  button.OnClick = [&] { ++clicks; };
  button.OnMouseLeave = [&] { ++leaves; };
  HWND handle = button.Handle();

  EXPECT_EQ(button.Shown().Bitmap(), normal.Bitmap());
  SendMessageW(handle, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(button.Shown().Bitmap(), highlight.Bitmap());
  SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(button.Shown().Bitmap(), pressed.Bitmap());
  EXPECT_EQ(button.Left(), 21) << "pressing nudges the button one pixel";
  EXPECT_EQ(button.Top(), 31);
  SendMessageW(handle, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(button.Left(), 20);
  EXPECT_EQ(button.Shown().Bitmap(), highlight.Bitmap());
  EXPECT_EQ(clicks, 1);

  // Released outside: no click.
  SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(handle, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
  EXPECT_EQ(clicks, 1);

  SendMessageW(handle, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(button.Shown().Bitmap(), normal.Bitmap());
  EXPECT_EQ(leaves, 1);

  // Disabled: the picture stays whatever the owner shows.
  button.ShowPressed();
  button.SetEnabled(false);
  SendMessageW(handle, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SendMessageW(handle, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(button.Shown().Bitmap(), pressed.Bitmap());
}

TEST(HtmlLabel, LinksActOnClickAndWrapToTheWidth) {
  ProbeForm form;
  ASSERT_TRUE(form.Create());
  HtmlLabel label(&form, L"HTMLabel1", 1);
  ASSERT_TRUE(label.Create(form.Handle(), 0, 0, 150, 100));
  label.SetHtml(
      L"<a href=\"target-one\">first</a> plain words that surely fill the first line "
      L"<a href=\"target-two\">second</a>");
  std::vector<std::wstring> clicked;
  label.OnLinkClick = [&](const std::wstring& href) { clicked.push_back(href); };

  // Find where each link landed by asking the label point by point.
  POINT first{-1, -1}, second{-1, -1};
  for (int y = 0; y < 100 && second.x < 0; y += 2)
    for (int x = 0; x < 150; x += 2) {
      const std::wstring link = label.LinkAt(POINT{x, y});
      if (link == L"target-one" && first.x < 0) first = {x, y};
      if (link == L"target-two" && second.x < 0) second = {x, y};
    }
  ASSERT_GE(first.x, 0);
  ASSERT_GE(second.x, 0);
  EXPECT_GT(second.y, first.y) << "the text wraps in 150 pixels";

  test::ClickAt(label.Handle(), second.x, second.y);
  test::ClickAt(label.Handle(), 149, 99);  // no link there
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], L"target-two");

  label.SetHtmlLines({L"line one", L"line two"});
  EXPECT_EQ(label.HtmlLines(), (std::vector<std::wstring>{L"line one", L"line two"}));
}

}  // namespace
}  // namespace keytidy::ui
