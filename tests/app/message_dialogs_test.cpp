// The skinned questions and notices, answered by a user simulated from
// inside the dialog's own message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include "gui/message_dialogs.h"
#include "gui/yes_no_dialog.h"
#include "lang/message_catalogue.h"
#include "skin/skin_folder.h"
#include "support/gui.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::RunSoon;

// The open dialog's object, found through its window.
TForm_YesNo* OpenDialog() {
  return dynamic_cast<TForm_YesNo*>(ui::Window::FromHandle(test::FindOwnWindow(TForm_YesNo::kClassName)));
}

// Runs `user` against the dialog once it is up.
void WhenShown(std::function<void(TForm_YesNo&)> user) {
  RunSoon([user] {
    TForm_YesNo* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    user(*dialog);
  });
}

TEST(MessageDialogs, EnterAnswersWithTheDefaultButton) {
  const struct {
    std::uint16_t defaultAnswer;
    std::uint32_t expected;
  } cases[] = {{7, 7}, {6, 6}, {0, 6}};  // 0: the tab order's first control, Yes
  for (const auto& c : cases) {
    HWND focused = nullptr;
    WhenShown([&](TForm_YesNo& dialog) {
      focused = GetFocus();
      test::PressKey(GetFocus(), VK_RETURN);
    });
    EXPECT_EQ(AskYesOrNo(L"Delete <b>everything</b>?", c.defaultAnswer), c.expected) << c.defaultAnswer;
    EXPECT_NE(focused, nullptr);
  }
}

TEST(MessageDialogs, EscapeAndAltF4LeaveAQuestionOpen) {
  int stillOpen = 0;
  WhenShown([&](TForm_YesNo& dialog) {
    test::PressKey(GetFocus(), VK_ESCAPE);
    PostMessageW(dialog.Handle(), WM_SYSKEYDOWN, VK_F4, 1 << 29);
    PostMessageW(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
    RunSoon(
        [&] {
          TForm_YesNo* open = OpenDialog();
          ASSERT_NE(open, nullptr);
          if (IsWindowVisible(open->Handle())) ++stillOpen;
          EXPECT_EQ(open->RESULT, 0u);
          open->Button_Nein.Click();
        },
        100);
  });
  EXPECT_EQ(AskYesOrNo(L"Sure?", 6), 7u);
  EXPECT_EQ(stillOpen, 1);
}

TEST(MessageDialogs, CheckBoxIsShownOnlyWhenAskedFor) {
  for (const bool show : {false, true}) {
    bool visible = !show;
    int labelHeight = 0;
    WhenShown([&](TForm_YesNo& dialog) {
      visible = dialog.CheckBox_Remember.Visible();
      labelHeight = dialog.HTMLabel1.Height();
      EXPECT_EQ(dialog.CheckBox_Remember.Caption(), show ? L"Remember" : L"xxx");
      if (show) dialog.CheckBox_Remember.SetChecked(true);
      dialog.Button_Ja.Click();
    });
    bool checked = !show;
    EXPECT_EQ(AskYesOrNo_Custom(L"Question", L"Remember", 29, 6, show, checked), 6u);
    EXPECT_EQ(visible, show);
    EXPECT_EQ(labelHeight, show ? 92 : 113);
    EXPECT_EQ(checked, show) << "the box's state comes back either way";
  }
}

TEST(MessageDialogs, NoticeShowsOnlyOkWhereYesAndNoSit) {
  // With the shipped English catalogue the buttons carry its captions.
  LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", L"en-us");
  bool onlyOk = false;
  int okTop = 0, yesTop = 0;
  std::wstring okCaption, caption;
  WhenShown([&](TForm_YesNo& dialog) {
    onlyOk = dialog.Button_Ok.Visible() && !dialog.Button_Ja.Visible() && !dialog.Button_Nein.Visible();
    okTop = dialog.Button_Ok.Top();
    yesTop = dialog.Button_Ja.Top();
    okCaption = dialog.Button_Ok.Caption();
    caption = dialog.Caption();
    dialog.Button_Ok.Click();
  });
  Show_Warning(L"Careful<br>now");
  EXPECT_TRUE(onlyOk);
  EXPECT_EQ(okTop, 140);
  EXPECT_EQ(okTop, yesTop);
  EXPECT_EQ(okCaption, L"OK");
  EXPECT_EQ(caption, L"Quarvint Keytidy 2");
  Localisation_Reset();
}

// A 2 x 2 red bitmap file.
void WriteSmallBitmap(const std::wstring& path) {
  std::string bytes = "BM";
  auto put32 = [&](std::uint32_t v) { bytes.append(reinterpret_cast<const char*>(&v), 4); };
  auto put16 = [&](std::uint16_t v) { bytes.append(reinterpret_cast<const char*>(&v), 2); };
  put32(54 + 16);
  put32(0);
  put32(54);
  put32(40);
  put32(2);
  put32(2);
  put16(1);
  put16(24);
  put32(0);
  put32(16);
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  for (int row = 0; row < 2; ++row) bytes += std::string("\x00\x00\xff\x00\x00\xff\x00\x00", 8);
  test::WriteFileBytes(path, bytes);
}

TEST(MessageDialogs, BackgroundPictureIsReadOncePerProcess) {
  test::TempFolder skin;
  Set_SkinFolder(skin.Path());
  WriteSmallBitmap(skin.File(L"Background_Asker.bmp"));
  bool firstHasBackground = false, secondHasBackground = false;
  WhenShown([&](TForm_YesNo& dialog) {
    firstHasBackground = !dialog.Image_Back.picture.Empty();
    dialog.Button_Ok.Click();
  });
  Show_Info(L"one");
  // Gone from disk: the second dialog still has the picture read before.
  DeleteFileW(skin.File(L"Background_Asker.bmp").c_str());
  WhenShown([&](TForm_YesNo& dialog) {
    secondHasBackground = !dialog.Image_Back.picture.Empty();
    dialog.Button_Ok.Click();
  });
  Show_Error(L"two");
  EXPECT_TRUE(firstHasBackground);
  EXPECT_TRUE(secondHasBackground);
}

}  // namespace
}  // namespace keytidy
