// Every window of the program answers the keyboard as a desktop program's
// windows do: Tab and Shift+Tab walk the controls in a sensible order and
// wrap, Enter presses the focused button or else the default one, Escape
// closes (but leaves an unanswered question open), and Alt with a caption's
// access key presses that button. The keys are posted to the focus and go
// through the same keyboard routing as the program's message loops.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/form_about.h"
#include "app/main_window.h"
#include "backup/reg_script_text.h"
#include "backup/screen/form_backup_records.h"
#include "backup/screen/form_backups.h"
#include "cleaner/form_rc.h"
#include "gui/message_dialogs.h"
#include "gui/yes_no_dialog.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "settings/screen/form_options.h"
#include "support/gui.h"
#include "support/programs.h"
#include "support/real_registry.h"
#include "ui/native_controls.h"
#include "ui/push_control.h"

namespace keytidy {
namespace {

using test::PressKey;
using test::PumpAsTheProgram;
using test::RunSoon;

std::string Describe(HWND window) {
  if (!window) return "nothing";
  if (auto* component = dynamic_cast<ui::Component*>(ui::Window::FromHandle(window)))
    return Utf16ToUtf8(component->Name());
  return Utf16ToUtf8(L"window '" + test::WindowText(window) + L"'");
}

std::vector<std::string> Describe(const std::vector<HWND>& windows) {
  std::vector<std::string> names;
  for (HWND window : windows) names.push_back(Describe(window));
  return names;
}

// From the first control of `order`, Tab visits the others in turn and
// comes back to the first; Shift+Tab walks the same way backwards.
void ExpectTabOrder(const std::vector<HWND>& order) {
  ASSERT_FALSE(order.empty());
  SetFocus(order.front());
  PumpAsTheProgram();
  std::vector<HWND> forward{GetFocus()}, backward{GetFocus()};
  for (size_t i = 0; i < order.size(); ++i) {
    PressKey(GetFocus(), VK_TAB);
    PumpAsTheProgram();
    forward.push_back(GetFocus());
  }
  for (size_t i = 0; i < order.size(); ++i) {
    PressKey(GetFocus(), VK_TAB, true);
    PumpAsTheProgram();
    test::ReleaseModifiers();
    backward.push_back(GetFocus());
  }
  std::vector<HWND> expectedForward = order, expectedBackward{order.front()};
  expectedForward.push_back(order.front());
  for (size_t i = order.size(); i > 0; --i) expectedBackward.push_back(order[i - 1]);
  EXPECT_EQ(Describe(forward), Describe(expectedForward)) << "Tab";
  EXPECT_EQ(Describe(backward), Describe(expectedBackward)) << "Shift+Tab";
}

// The access key of a caption ("Re&load" gives 'l'), or 0.
wchar_t AccessKey(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return static_cast<wchar_t>(towlower(caption[i + 1]));
    ++i;
  }
  return 0;
}

// The click handler of a button of ours, of either kind.
std::function<void()>* ClickHandler(HWND window) {
  ui::Window* object = ui::Window::FromHandle(window);
  if (auto* own = dynamic_cast<ui::PushControl*>(object)) return &own->OnClick;
  if (auto* native = dynamic_cast<ui::PushButton*>(object)) return &native->OnClick;
  return nullptr;
}

BOOL CALLBACK CollectKeyedButton(HWND window, LPARAM context) {
  auto* found = reinterpret_cast<std::vector<HWND>*>(context);
  if (IsWindowVisible(window) && IsWindowEnabled(window) && ClickHandler(window) && AccessKey(test::WindowText(window)))
    found->push_back(window);
  return TRUE;
}

// Alt with each access key shown in `form` now presses exactly its own
// button, and no two buttons share a key. The buttons' handlers are
// replaced by markers meanwhile: nothing is really deleted or opened.
// Returns the buttons that had a key.
std::vector<HWND> ExpectAccessKeysPressTheirButtons(HWND form) {
  std::vector<HWND> buttons;
  EnumChildWindows(form, CollectKeyedButton, reinterpret_cast<LPARAM>(&buttons));
  std::set<wchar_t> keys;
  std::vector<HWND> pressed;
  std::vector<std::function<void()>> saved;
  for (HWND button : buttons) {
    EXPECT_TRUE(keys.insert(AccessKey(test::WindowText(button))).second)
        << Describe(button) << " repeats an access key";
    saved.push_back(*ClickHandler(button));
    *ClickHandler(button) = [&pressed, button] { pressed.push_back(button); };
  }
  for (HWND button : buttons) {
    pressed.clear();
    test::PressAltKey(GetFocus(), AccessKey(test::WindowText(button)));
    PumpAsTheProgram();
    EXPECT_EQ(Describe(pressed), std::vector<std::string>{Describe(button)});
  }
  for (size_t i = 0; i < buttons.size(); ++i) *ClickHandler(buttons[i]) = saved[i];
  return buttons;
}

void WriteBackupSets(const test::TempFolder& folder, int count) {
  for (int i = 0; i < count; ++i) {
    const std::wstring base = L"RC_key" + std::to_wstring(i);
    test::WriteFileBytes(folder.File(base + L".ini"), "[Backup]\r\nDateTime=01.02.2024 10:0" + std::to_string(i) +
                                                          ":00\r\nModul=RC\r\nAction=RC_DELETED\r\nDisplay="
                                                          "3\r\nUser=anna\r\n");
    test::WriteFileBytes(folder.File(base + L".reg"), "REGEDIT4\r\n");
  }
}

// The shipped translation of `language`, with the access keys it gives.
class Translation {
 public:
  explicit Translation(const std::wstring& language) : before_(LanguageCode) {
    Localisation_Reset();
    LanguageCode = language;
    LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", language);
  }
  ~Translation() {
    Localisation_Reset();
    LanguageCode = before_;
  }

 private:
  std::wstring before_;
};

const wchar_t* const kLanguages[] = {L"en-us", L"de-de"};

// A window shown and active without a modal loop, as the main window is.
void ShowActive(HWND window) {
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  PumpAsTheProgram();
}

// The backup screen over three sets in `folder`, the first selected, which
// enables the side's buttons; without the clean-up timer and its question.
std::unique_ptr<TForm_MainNavi_Backups> OpenBackupScreenWithASetSelected(const test::TempFolder& folder) {
  WriteBackupSets(folder, 3);
  auto screen = std::make_unique<TForm_MainNavi_Backups>(nullptr, folder.Path());
  screen->VellThreadTimer_AutoDeleteOldBackups.SetEnabled(false);
  ShowActive(screen->Handle());
  screen->VirtualDrawTree_Backups_KX15.SetRowSelected(0, true);
  PumpAsTheProgram();
  return screen;
}

TEST(Keyboard, TabAndShiftTabWalkEachWindowsControls) {
  {
    SCOPED_TRACE("about box");
    TForm_About about(nullptr);
    ShowActive(about.Handle());
    ExpectTabOrder({about.Button_Ok.Handle(), about.VellUnicodeSTButton_EULA.Handle(),
                    about.VellUnicodeSTButton_Privacy.Handle()});
  }
  {
    SCOPED_TRACE("backup screen: the list, the side's buttons once a set is selected, then the bottom bar");
    test::TempFolder folder;
    const auto opened = OpenBackupScreenWithASetSelected(folder);
    TForm_MainNavi_Backups& screen = *opened;
    ExpectTabOrder({screen.VirtualDrawTree_Backups_KX15.Handle(), screen.VellButton_Restore.Handle(),
                    screen.VellButton_Records.Handle(), screen.VellButton_Delete.Handle(),
                    screen.VellButton_DeleteOld.Handle(), screen.VellButton_Refresh.Handle(),
                    screen.VellButton_Explorer.Handle(), screen.VellButton_ChangeView.Handle()});
  }
  {
    SCOPED_TRACE("options dialog, first page");
    TForm_Options options(nullptr);
    ShowActive(options.Handle());
    // The selected navigation entry is disabled: it marks where the user is.
    ExpectTabOrder({options.PelkanMouseImage3State_Navi2.Handle(), options.AdvOfficeTabSet1.Handle(),
                    options.ListBox_Skins.Handle(), options.VellButton_Reset.Handle(), options.VellButton_Ok.Handle()});
  }
  {
    SCOPED_TRACE("main window: the title bar's buttons from left to right");
    TForm_KX7 main;
    ShowActive(main.Handle());
    ExpectTabOrder({main.PelkanMouseImage3State_Feedback.Handle(), main.PelkanMouseImage3State_IM.Handle(),
                    main.PelkanMouseImage3State_options.Handle(), main.PelkanMouseImage3State_Help.Handle(),
                    main.PelkanMouseImage3State_Minimize.Handle(), main.PelkanMouseImage3State_Maximize.Handle(),
                    main.PelkanMouseImage3State_Close.Handle()});
  }
}

// The records window: the list, then its buttons (Restore only once a row is
// ticked), and Escape closes it.
TEST(Keyboard, TheRecordsWindowWalksItsControlsAndEscapeClosesIt) {
  test::TempFolder folder;
  // The set is the running user's own: another user's set would first ask.
  TBackupTree sets;
  test::WriteFileBytes(
      folder.File(L"RC_records.ini"),
      "[Backup]\r\nDateTime=01.02.2024 10:00:00\r\nModul=RC\r\nAction=RC_DELETED\r\nDisplay=1\r\nUser=" +
          Utf16ToUtf8(TBackups(&sets).CurrentUser) + "\r\n");
  test::WriteFileBytes(
      folder.File(L"RC_records.reg"),
      RegScriptHeaderBytes() +
          RegScriptBytes(L"[HKEY_CURRENT_USER\\Software\\KeytidyKeyboardRecords]\r\n\"one\"=\"1\"\r\n\r\n"));
  auto screen = std::make_unique<TForm_MainNavi_Backups>(nullptr, folder.Path());
  screen->VellThreadTimer_AutoDeleteOldBackups.SetEnabled(false);
  ShowActive(screen->Handle());
  screen->VirtualDrawTree_Backups_KX15.SetRowSelected(0, true);
  PumpAsTheProgram();

  bool opened = false;
  auto showing = std::make_shared<bool>(true);
  auto fallbackClosed = std::make_shared<bool>(false);
  RunSoon([&] {
    auto* records = dynamic_cast<TForm_BackupRecords*>(
        ui::Window::FromHandle(test::FindOwnWindow(TForm_BackupRecords::kClassName)));
    if (!records) return;
    opened = true;
    ExpectTabOrder({records->VirtualDrawTree_Records.Handle(), records->VellButton_Close.Handle()});
    records->VirtualDrawTree_Records.ToggleCheck(records->Records.NodeAt(0));
    PumpAsTheProgram();
    ExpectTabOrder({records->VirtualDrawTree_Records.Handle(), records->VellButton_RestoreRecords.Handle(),
                    records->VellButton_Close.Handle()});
    PressKey(GetFocus(), VK_ESCAPE);
  });
  // Should Escape not close it, the test still ends.
  RunSoon(
      [showing, fallbackClosed] {
        if (!*showing) return;
        *fallbackClosed = true;
        if (HWND window = test::FindOwnWindow(TForm_BackupRecords::kClassName)) PostMessageW(window, WM_CLOSE, 0, 0);
      },
      3000);
  screen->VellButton_RecordsClick();
  *showing = false;
  EXPECT_TRUE(opened);
  const bool closedByEscape = !*fallbackClosed;
  EXPECT_TRUE(closedByEscape);
}

TEST(Keyboard, EnterAndEscapeCloseModalWindowsWithTheRightOutcome) {
  Reg_DeleteKey(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey);
  struct Case {
    const char* what;
    std::function<std::unique_ptr<ui::Form>()> make;
    std::function<HWND(ui::Form&)> focus;  // where the focus is when the key comes
    WPARAM key;
  };
  const auto about = [] { return std::make_unique<TForm_About>(nullptr); };
  const auto options = [] { return std::make_unique<TForm_Options>(nullptr); };
  const auto skins = [](ui::Form& form) { return dynamic_cast<TForm_Options&>(form).ListBox_Skins.Handle(); };
  const auto first = [](ui::Form& form) { return GetNextDlgTabItem(form.Handle(), nullptr, FALSE); };
  const auto aboutOk = [](ui::Form& form) { return dynamic_cast<TForm_About&>(form).Button_Ok.Handle(); };
  const Case cases[] = {
      {"Escape closes the about box", about, first, VK_ESCAPE},
      {"Enter on the about box's OK closes it", about, aboutOk, VK_RETURN},
      {"Escape closes the options", options, first, VK_ESCAPE},
      {"Enter in a list of the options presses OK", options, skins, VK_RETURN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<ui::Form> form = c.make();
    bool openWhenTheKeyCame = false;
    auto fallbackClosed = std::make_shared<bool>(false);
    auto showing = std::make_shared<bool>(true);
    RunSoon([&] {
      SetFocus(c.focus(*form));
      openWhenTheKeyCame = IsWindowVisible(form->Handle()) != FALSE;
      PressKey(GetFocus(), c.key);
    });
    // Should the key not close it, the test still ends.
    ui::Form* raw = form.get();
    RunSoon(
        [raw, fallbackClosed, showing] {
          if (!*showing) return;
          *fallbackClosed = true;
          raw->Close();
        },
        1500);
    form->ShowModal();
    *showing = false;
    EXPECT_TRUE(openWhenTheKeyCame);
    const bool closedByTheKey = !*fallbackClosed;
    EXPECT_TRUE(closedByTheKey);
  }
  // OK saves what the dialog shows; Escape leaves the settings as they were.
  EXPECT_TRUE(Reg_KeyExists(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey)) << "Enter pressed OK";
  Reg_DeleteKey(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey);
}

TEST(Keyboard, EnterAndAccessKeysAnswerTheMessageDialogs) {
  struct Case {
    const char* what;
    std::function<void(TForm_YesNo&)> press;
    std::uint32_t expected;
  };
  const auto alt = [](ui::PushButton TForm_YesNo::*button) {
    return [button](TForm_YesNo& dialog) {
      const wchar_t key = AccessKey((dialog.*button).Caption());
      EXPECT_NE(key, 0) << Utf16ToUtf8((dialog.*button).Caption()) << " has no access key";
      if (key) {
        test::PressAltKey(GetFocus(), key);
      } else {
        (dialog.*button).Click();
      }
    };
  };
  const Case cases[] = {
      {"Alt with Yes's key", alt(&TForm_YesNo::Button_Ja), kAnswerYes},
      {"Alt with No's key", alt(&TForm_YesNo::Button_Nein), kAnswerNo},
      {"Tab from No to Yes, then Enter",
       [](TForm_YesNo&) {
         PressKey(GetFocus(), VK_TAB);
         PressKey(GetFocus(), VK_RETURN);
       },
       kAnswerYes},
  };
  for (const wchar_t* language : kLanguages)
    for (const Case& c : cases) {
      SCOPED_TRACE(Utf16ToUtf8(language) + ": " + c.what);
      Translation translation(language);
      RunSoon([&] {
        auto* dialog = dynamic_cast<TForm_YesNo*>(ui::Window::FromHandle(test::FindOwnWindow(TForm_YesNo::kClassName)));
        ASSERT_NE(dialog, nullptr);
        c.press(*dialog);
      });
      EXPECT_EQ(AskYesOrNo(L"Go on?", kAnswerNo), c.expected);
    }

  SCOPED_TRACE("the notice closes with Enter");
  bool closed = false;
  RunSoon([] { PressKey(GetFocus(), VK_RETURN); });
  Show_Info(L"Done.");
  closed = test::FindOwnWindow(TForm_YesNo::kClassName) == nullptr;
  EXPECT_TRUE(closed);
}

TEST(Keyboard, AccessKeysPressTheirButtonsOnEveryPage) {
  for (const wchar_t* language : kLanguages) {
    SCOPED_TRACE(Utf16ToUtf8(language));
    Translation translation(language);
    {
      SCOPED_TRACE("backup screen with a set selected");
      test::TempFolder folder;
      const auto screen = OpenBackupScreenWithASetSelected(folder);
      EXPECT_EQ(ExpectAccessKeysPressTheirButtons(screen->Handle()).size(), 7u) << "every button has a key";
    }
    SCOPED_TRACE("options dialog");
    TForm_Options options(nullptr);
    ShowActive(options.Handle());
    std::set<std::string> keyed;
    for (int entry : {1, 2}) {
      options.SelectNavigation(entry);
      for (int tab = 0; tab < options.AdvOfficeTabSet1.ItemCount(); ++tab) {
        options.AdvOfficeTabSet1.SetActiveTab(tab);
        options.ShowPage(options.AdvOfficeTabSet1.TabData(tab));
        SCOPED_TRACE("page " + std::to_string(options.ActivePage()));
        for (HWND button : ExpectAccessKeysPressTheirButtons(options.Handle())) keyed.insert(Describe(button));
      }
    }
    EXPECT_EQ(keyed,
              (std::set<std::string>{"VellButton_Reset", "Button_ConfigChannels", "Button_RC_RemoveExceptions"}));
  }
}

// The cleaner screen in the main window after its first search, on the list
// of all findings: Tab goes as the eye reads (top bar, filter, list, the
// evidence under it, bottom bar), and Alt with each button's key presses
// it, in both languages.
TEST(Keyboard, TheCleanerScreenWalksAsItReadsAndEveryButtonHasAKey) {
  // One finding, so that the list has a row and every command applies.
  test::RealRegistryFixture registry;
  registry.WriteString(ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                       L"Keytidy Keys (TrueType)", L"C:\\Program Files\\Keytidy Fonts\\keys.ttf");
  for (const wchar_t* language : kLanguages) {
    SCOPED_TRACE(Utf16ToUtf8(language));
    Translation translation(language);
    TForm_KX7 main;
    main.Perform_EveryThingAfterOnCreate();
    main.ChangeModule_Real(TForm_RC::Class(), true);
    ShowActive(main.Handle());
    auto* cleaner = dynamic_cast<TForm_RC*>(main.CurrentModuleForm);
    ASSERT_NE(cleaner, nullptr);
    for (int i = 0; i < 600 && !cleaner->SEARCH_COMPLETE; ++i) test::PumpMessages(25);
    ASSERT_TRUE(cleaner->SEARCH_COMPLETE);
    cleaner->VellUnicodeSTButton_Navi[0]->OnClick();
    PumpAsTheProgram();

    // The main window's title bar, then the screen; Stop is disabled once
    // the search is done.
    ExpectTabOrder({main.PelkanMouseImage3State_Feedback.Handle(), main.PelkanMouseImage3State_IM.Handle(),
                    main.PelkanMouseImage3State_options.Handle(), main.PelkanMouseImage3State_Help.Handle(),
                    main.PelkanMouseImage3State_Minimize.Handle(), main.PelkanMouseImage3State_Maximize.Handle(),
                    main.PelkanMouseImage3State_Close.Handle(), cleaner->VellButton_Zusammenfassung.Handle(),
                    cleaner->VellButton_SelectAll.Handle(), cleaner->VellButton_SelectNone.Handle(),
                    cleaner->VellButton_Evidence.Handle(), cleaner->CurvyEdit_Filter.Edit.Handle(),
                    cleaner->VirtualDrawTree_RC.Handle(), cleaner->Memo_Evidence.Handle(),
                    cleaner->VellButton_Options.Handle(), cleaner->VellButton_Backups.Handle(),
                    cleaner->VellButton_Report.Handle(), cleaner->VellButton_Search.Handle(),
                    cleaner->VellButton_Delete.Handle()});
    std::set<std::string> keyed;
    for (HWND button : ExpectAccessKeysPressTheirButtons(main.Handle())) keyed.insert(Describe(button));
    EXPECT_EQ(keyed,
              (std::set<std::string>{"VellButton_Zusammenfassung", "VellButton_SelectAll", "VellButton_SelectNone",
                                     "VellButton_Evidence", "VellButton_Options", "VellButton_Backups",
                                     "VellButton_Report", "VellButton_Search", "VellButton_Delete"}));
  }
}

}  // namespace
}  // namespace keytidy
