// The main window driven in the test process: resize edges, maximise and
// restore with the grip and button pictures, module switching now and
// through the switcher thread, and the close query.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/form_about.h"
#include "app/main_window.h"
#include "gui/process_run_control.h"
#include "skin/skin_folder.h"
#include "support/gui.h"
#include "support/programs.h"
#include "ui/png_codec.h"

namespace keytidy {
namespace {

using test::PumpMessages;

// A skin folder whose button pictures are 2 x 2 squares of one colour each,
// so a test can tell which picture a button shows.
class ColourSkin {
 public:
  ColourSkin() {
    const struct {
      const wchar_t* file;
      std::uint8_t red;
    } pictures[] = {{L"but_maximize.png", 10},
                    {L"but_maximize_hover.png", 20},
                    {L"but_unmax_normal.png", 30},
                    {L"but_unmax_hover.png", 40},
                    {L"grip.png", 50}};
    for (const auto& p : pictures) {
      RgbaImage image(2, 2);
      for (int i = 0; i < 4; ++i) {
        image.pixels[i * 4] = p.red;
        image.pixels[i * 4 + 3] = 255;
      }
      test::WriteFileBytes(folder_.File(p.file), EncodePng(image));
    }
    Set_SkinFolder(folder_.Path());
  }
  ~ColourSkin() { Set_SkinFolder(L""); }

 private:
  test::TempFolder folder_;
};

// The red part of a picture's first pixel (pictures are stored BGRA).
int RedOf(const ui::Picture& picture) {
  return picture.Empty() ? -1 : static_cast<int>((picture.Pixels()[0] >> 16) & 0xFF);
}

// Counts the modules of a class that are alive and were ever made.
struct ModuleCounters {
  int created = 0;
  int alive = 0;
};

class CountedModule : public ModuleForm {
 public:
  explicit CountedModule(ModuleCounters& counters) : ModuleForm(L"Form_Counted", 0), counters_(counters) {
    ++counters_.created;
    ++counters_.alive;
  }
  ~CountedModule() override { --counters_.alive; }
  bool CreateModule(HWND host) override { return CreateModuleWindow(L"KeytidyCountedModule", host); }

 private:
  ModuleCounters& counters_;
};

ModuleClass CountedClass(const wchar_t* name, ModuleCounters& counters) {
  return {name, [&counters](ScreenHost&) { return std::make_unique<CountedModule>(counters); }};
}

TEST(MainWindow, ResizeEdgesUnlessMaximised) {
  TForm_KX7 main;
  SetWindowPos(main.Handle(), nullptr, 100, 50, 1122, 737, SWP_NOZORDER | SWP_NOACTIVATE);
  const int L = 100, T = 50, W = 1122, H = 737;
  const struct {
    int x, y;
    LRESULT expected;
  } cases[] = {
      {L, T + 300, HTLEFT},
      {L + 1, T + 300, HTLEFT},
      {L + W - 1, T + 300, HTRIGHT},
      {L + W, T + 300, HTRIGHT},
      {L + 500, T, HTTOP},
      {L + 500, T + 1, HTTOP},
      {L + 500, T + H - 1, HTBOTTOM},
      {L + 500, T + H, HTBOTTOM},
      {L, T, HTTOPLEFT},
      {L + 1, T + H, HTBOTTOMLEFT},
      {L + W - 1, T + 1, HTTOPRIGHT},
      {L + W, T + H - 1, HTBOTTOMRIGHT},
      {L + 2, T + 300, HTCLIENT},
      {L + 500, T + 2, HTCLIENT},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SendMessageW(main.Handle(), WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), c.expected)
        << "at " << c.x - L << "," << c.y - T;

  ShowWindow(main.Handle(), SW_SHOWNA);
  main.ToggleMaximize();
  ASSERT_TRUE(IsZoomed(main.Handle()));
  RECT window;
  GetWindowRect(main.Handle(), &window);
  for (POINT edge : {POINT{window.left, window.top + 300}, POINT{window.left + 300, window.top}})
    EXPECT_EQ(SendMessageW(main.Handle(), WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)), HTCLIENT);
}

TEST(MainWindow, MaximiseLeavesAStripAndSwapsGripAndPictures) {
  ColourSkin skin;
  TForm_KX7 main;
  main.APPLY_Translation_and_Skin();
  main.Image_SizeGrip.SetPicture(ui::Picture::FromFile(SkinFolder() + L"\\grip.png"));
  ShowWindow(main.Handle(), SW_SHOWNA);
  main.Update_MaximizeButtons_and_Sizegrip();
  auto& maximise = main.PelkanMouseImage3State_Maximize;
  EXPECT_TRUE(main.Image_SizeGrip.Visible());
  EXPECT_EQ(RedOf(maximise.Shown()), 10);

  main.ToggleMaximize();
  ASSERT_TRUE(IsZoomed(main.Handle()));
  EXPECT_FALSE(main.Image_SizeGrip.Visible());
  EXPECT_EQ(RedOf(maximise.Shown()), 30);
  EXPECT_EQ(RedOf(maximise.PictureHighlight()), 40);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(main.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  const int expectedHeight =
      std::min<int>(monitor.rcWork.bottom - monitor.rcWork.top, GetSystemMetrics(SM_CYSCREEN)) - 1;
  RECT window;
  GetWindowRect(main.Handle(), &window);
  EXPECT_EQ(window.bottom - window.top, expectedHeight) << "one pixel of the work area stays free";

  main.ToggleMaximize();
  EXPECT_FALSE(IsZoomed(main.Handle()));
  EXPECT_TRUE(main.Image_SizeGrip.Visible());
  EXPECT_EQ(RedOf(maximise.Shown()), 10);
  EXPECT_EQ(RedOf(maximise.PictureHighlight()), 20);
  RECT client;
  GetClientRect(main.Handle(), &client);
  EXPECT_EQ(main.Image_SizeGrip.Left(), client.right - 24 - 2);
  EXPECT_EQ(main.Image_SizeGrip.Top(), client.bottom - 24 - 2);
}

TEST(MainWindow, SwitchingModulesNowAndThroughTheSwitcher) {
  TForm_KX7 main;
  main.Perform_EveryThingAfterOnCreate();
  ModuleCounters first, second;
  main.ChangeModule_Real(CountedClass(L"KeytidyFirst", first), false);
  EXPECT_EQ(first.alive, 1);
  ASSERT_NE(main.CurrentModuleForm, nullptr);
  EXPECT_EQ(GetParent(main.CurrentModuleForm->Handle()), main.Panel1.Handle());
  RECT window;
  GetWindowRect(main.Handle(), &window);
  EXPECT_GE(window.right - window.left, kMainMinWidth) << "the first switch turns the minimum size on";
  EXPECT_GE(window.bottom - window.top, kMainMinHeight);

  // The same class again: a fresh instance replaces the current one.
  main.ChangeModule_Real(CountedClass(L"KeytidyFirst", first), true);
  EXPECT_EQ(first.created, 2);
  EXPECT_EQ(first.alive, 1);
  EXPECT_EQ(main.Panel1.Top(), 66) << "start-page layout";

  // Two requests before the thread looks: one switch, to the second class.
  main.ChangeModule(CountedClass(L"KeytidyFirst", first), false);
  main.ChangeModule(CountedClass(L"KeytidySecond", second), false);
  EXPECT_EQ(second.created, 0) << "nothing happens before the thread's next look";
  PumpMessages(400);
  EXPECT_EQ(first.created, 2);
  EXPECT_EQ(first.alive, 0);
  EXPECT_EQ(second.created, 1);
  EXPECT_EQ(second.alive, 1);
  EXPECT_EQ(main.Panel1.Left(), 14) << "module layout";
}

TEST(MainWindow, KeptModuleSurvivesSwitchesUntilTheCloseQuery) {
  TForm_KX7 main;
  main.Perform_EveryThingAfterOnCreate();
  ModuleCounters kept, other;
  TKeepForm entry{L"KeytidyKept", std::make_unique<CountedModule>(kept)};
  ModuleForm* keptForm = entry.Form.get();
  ASSERT_TRUE(keptForm->CreateModule(main.Panel1.Handle()));
  main.KeepFormsLoaded.push_back(std::move(entry));

  main.ChangeModule_Real(CountedClass(L"KeytidyKept", kept), false);
  EXPECT_EQ(main.CurrentModuleForm, keptForm) << "the kept instance, not a new one";
  EXPECT_EQ(kept.created, 1);
  main.ChangeModule_Real(CountedClass(L"KeytidyOther", other), false);
  EXPECT_EQ(kept.alive, 1) << "leaving a kept module does not free it";
  EXPECT_FALSE(IsWindowVisible(keptForm->Handle()));
  main.ChangeModule_Real(CountedClass(L"KeytidyKept", kept), false);
  EXPECT_EQ(main.CurrentModuleForm, keptForm);
  EXPECT_EQ(other.alive, 0);
  EXPECT_EQ(kept.created, 1);

  main.Close();
  EXPECT_EQ(kept.alive, 0);
  EXPECT_EQ(main.CurrentModuleForm, nullptr);
  EXPECT_TRUE(main.KeepFormsLoaded.empty());
  // The close ended the run: take back what it told the message loop.
  MSG message;
  PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  ProcessRunControl().APP_TERMINATING = false;
  ProcessRunControl().STOP_REQUESTED = false;
}

TEST(MainWindow, HiddenNavigationFollowsTheSwitchingLock) {
  TForm_KX7 main;
  main.Perform_EveryThingAfterOnCreate();
  ASSERT_EQ(main.BreadNaviLabels.size(), 17u);
  EXPECT_EQ(main.BreadNaviLabels[9]->Name(), L"Label_BreadNavi_Big10");
  EXPECT_EQ(main.BreadNaviLabels[16]->Name(), L"Label_BreadNavi_Sub7");
  EXPECT_FALSE(main.Panel_BreadNavi.Visible());
  EXPECT_FALSE(main.VellNaviImage_Back.Visible());

  main.EnableDisable_Modulwechsel(false);
  EXPECT_FALSE(main.ModuleSwitchingEnabled());
  EXPECT_FALSE(main.Image_Schnellzugriff.Enabled());
  main.EnableDisable_Modulwechsel(true);
  EXPECT_TRUE(main.Image_Schnellzugriff.Enabled());
  EXPECT_FALSE(main.VellLabelGDIP_CurrentModule.Visible());
}

TEST(MainWindow, HelpMenuEntriesCarryTheirPictures) {
  Set_SkinFolder(test::BinFolder() + L"\\skins\\default");
  TForm_KX7 main;
  main.Perform_EveryThingAfterOnCreate();
  Set_SkinFolder(L"");
  ASSERT_FALSE(main.MenuItem_help_Help.picture.Empty());
  std::vector<ui::MenuItem*> shown;
  HMENU menu = ui::BuildPopupMenu({&main.MenuItem_help_Help, &main.MenuItem_help_Separator, &main.MenuItem_help_About,
                                   &main.MenuItem_help_BetaReport},
                                  shown);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(shown, (std::vector<ui::MenuItem*>{&main.MenuItem_help_Help, &main.MenuItem_help_About}))
      << "the beta report entry stays hidden";
  for (UINT command : {1u, 2u}) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoW(menu, command, FALSE, &info));
    EXPECT_NE(info.hbmpItem, nullptr) << command;
  }
  DestroyMenu(menu);
}

TEST(MainWindow, AboutBoxTakesTheMenuCaptionWithoutAccelerators) {
  TForm_KX7 main;
  main.MenuItem_help_About.SetCaption(L"&About th&is software");
  std::wstring caption, version;
  test::RunSoon([&] {
    auto* about = dynamic_cast<TForm_About*>(ui::Window::FromHandle(test::FindOwnWindow(TForm_About::kClassName)));
    ASSERT_NE(about, nullptr);
    caption = about->Caption();
    version = about->Label_Version.Caption();
    about->Button_Ok.Click();
  });
  main.ShowAbout();
  EXPECT_EQ(caption, L"About this software");
  EXPECT_EQ(version, L"Version: 2.00.00");
}

TEST(MainWindow, FirstShowRunsOnceWithOneRedraw) {
  TForm_KX7 main;
  EXPECT_FALSE(main.fFirstOnShowDone);
  ShowWindow(main.Handle(), SW_SHOWNA);
  EXPECT_TRUE(main.fFirstOnShowDone);
  EXPECT_TRUE(main.VellThreadTimer_Redraw.Enabled());
  PumpMessages(700);
  EXPECT_FALSE(main.VellThreadTimer_Redraw.Enabled()) << "the redraw timer fires once and switches itself off";
  ShowWindow(main.Handle(), SW_HIDE);
  ShowWindow(main.Handle(), SW_SHOWNA);
  EXPECT_FALSE(main.VellThreadTimer_Redraw.Enabled()) << "only the first show starts it";
}

TEST(MainWindow, GrowingToTheMinimumSizeKeepsTheWindowOnTheWorkArea) {
  TForm_KX7 main;
  main.Perform_EveryThingAfterOnCreate();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(main.Handle(), MONITOR_DEFAULTTONEAREST), &monitor));
  const RECT work = monitor.rcWork;
  RECT before;
  GetWindowRect(main.Handle(), &before);
  // Start near the right and bottom edges, as a centred design-size window
  // does on a small screen.
  SetWindowPos(main.Handle(), nullptr, work.right - (before.right - before.left) - 2,
               work.bottom - (before.bottom - before.top) - 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ModuleCounters counters;
  main.ChangeModule_Real(CountedClass(L"KeytidyFirst", counters), false);
  RECT after;
  GetWindowRect(main.Handle(), &after);
  ASSERT_GT(after.right - after.left, before.right - before.left) << "the first module switch grows the window";
  if (after.right - after.left <= work.right - work.left) {
    EXPECT_GE(after.left, work.left);
    EXPECT_LE(after.right, work.right);
  }
  if (after.bottom - after.top <= work.bottom - work.top) {
    EXPECT_GE(after.top, work.top);
    EXPECT_LE(after.bottom, work.bottom);
  }
}

TEST(MainWindow, CloseQueryStopsEverythingAndEndsTheLoop) {
  auto main = std::make_unique<TForm_KX7>();
  ProcessRunControl().APP_TERMINATING = false;
  ProcessRunControl().STOP_REQUESTED = false;
  main->Close();
  EXPECT_TRUE(ProcessRunControl().APP_TERMINATING);
  EXPECT_TRUE(ProcessRunControl().STOP_REQUESTED);
  EXPECT_FALSE(main->Alive());
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop is told to end";
  ProcessRunControl().APP_TERMINATING = false;
  ProcessRunControl().STOP_REQUESTED = false;
}

}  // namespace
}  // namespace keytidy
