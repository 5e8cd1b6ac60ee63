// The status animation player with the shipped GIFs.
#include "ui/animated_image.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/gui.h"
#include "support/programs.h"
#include "support/snapshot.h"
#include "ui/form.h"

namespace keytidy::ui {
namespace {

class HostForm : public Form {
 public:
  HostForm() : Form(L"HostForm") {}
  bool Create() { return CreateForm(L"KeytidyAnimationHost", L"Host", WS_POPUP, 0, 200, 200, nullptr); }
};

TEST(AnimatedImage, PlaysFramesOnlyWhenAnimating) {
  HostForm host;
  ASSERT_TRUE(host.Create());
  AnimatedImage image(&host, L"Image_Anim", 0);
  ASSERT_TRUE(image.Create(host.Handle(), 0, 0, 150, 150));
  const std::wstring gif = test::BinFolder() + L"\\skins\\default\\status_search.gif";

  image.SetAnimate(false);
  ASSERT_TRUE(image.LoadFromFile(gif));
  ASSERT_GT(image.FrameCount(), 2u);
  test::PumpMessages(250);
  EXPECT_EQ(image.FrameIndex(), 0u) << "a still picture without animation";
  // The frame is centred: the middle shows the picture, the corner only the
  // white form behind it.
  test::Snapshot still(image.Handle());
  EXPECT_NE(still.At(75, 75), RGB(255, 255, 255));
  EXPECT_EQ(still.At(2, 2), RGB(255, 255, 255));

  image.SetAnimate(true);
  test::PumpMessages(400);
  EXPECT_GT(image.FrameIndex(), 0u);

  EXPECT_FALSE(image.LoadFromFile(test::BinFolder() + L"\\skins\\default\\missing.gif"));
  EXPECT_EQ(image.FrameCount(), 0u);
  test::Snapshot empty(image.Handle());
  EXPECT_EQ(empty.At(75, 75), RGB(255, 255, 255));
}

}  // namespace
}  // namespace keytidy::ui
