// Every window of the program, opened the way a user opens it, must reach the
// real screen as it paints itself: from the moment it shows, and again after
// another window covered it; it must fit the work area (the test desktop is a
// small laptop's, 1280 x 800), with every control inside its parent and
// every caption fitting its control. Runs only under tools/screen-test.sh,
// which serves the grabs of the X screen (skipped otherwise) and picks the
// skin (KEYTIDY_SCREEN_SKIN), translation (KEYTIDY_SCREEN_LANGUAGE) and
// scaling (KEYTIDY_SCREEN_DPI, which the script has set for the process).
#include <windows.h>

#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "app/form_about.h"
#include "app/main_window.h"
#include "backup/reg_script_text.h"
#include "backup/screen/form_backup_records.h"
#include "backup/screen/form_backups.h"
#include "cleaner/form_rc.h"
#include "gui/message_dialogs.h"
#include "gui/yes_no_dialog.h"
#include "lang/available_languages.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "model/categories.h"
#include "platform/text.h"
#include "settings/date_time.h"
#include "settings/screen/form_options.h"
#include "skin/skin_folder.h"
#include "skin/skin_list.h"
#include "support/gui.h"
#include "support/gui_layout.h"
#include "support/programs.h"
#include "support/real_registry.h"
#include "support/screen_grab.h"
#include "ui/png_codec.h"

namespace keytidy {
namespace {

// Fonts and the caret may differ a little, and Wine's list views print
// only their rows, not the background beside them (a few per cent on the
// dark skin); a window that stayed black, white or empty differs almost
// everywhere, or is nearly one colour.
constexpr double kMostDifferingShare = 0.06;
constexpr double kMostCommonestShare = 0.97;
// Long enough for a window to show and paint after it was asked to.
constexpr DWORD kSettleMs = 400;

std::wstring Setting(const wchar_t* name, const wchar_t* fallback) {
  const wchar_t* value = _wgetenv(name);
  return value && *value ? value : fallback;
}

std::wstring PicturePath(const std::wstring& name) { return test::ScreenGrabFolder() + L"\\" + name + L".png"; }

// A borderless black window over `window`, shown and taken away again: what
// the window does not paint anew afterwards stays black on the screen.
void CoverAndUncover(HWND window) {
  RECT area;
  GetWindowRect(window, &area);
  const wchar_t* kCoverClass = L"KeytidyTestCover";
  WNDCLASSW coverClass{};
  coverClass.lpfnWndProc = DefWindowProcW;
  coverClass.hInstance = GetModuleHandleW(nullptr);
  coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  coverClass.lpszClassName = kCoverClass;
  RegisterClassW(&coverClass);
  HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass, L"",
                               WS_POPUP | WS_VISIBLE, area.left, area.top, area.right - area.left,
                               area.bottom - area.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  test::PumpMessages(kSettleMs);
  DestroyWindow(cover);
}

// One check of what `window` shows on the screen against what it paints of
// itself; the screen's picture is kept for people to look at.
void CheckOnScreen(HWND window, const std::wstring& name) {
  SCOPED_TRACE(Utf16ToUtf8(name));
  ASSERT_TRUE(window && IsWindowVisible(window));
  test::PumpMessages(kSettleMs);
  const std::optional<RgbaImage> screen = test::GrabScreen(name);
  ASSERT_TRUE(screen.has_value()) << "no grab of the screen arrived";
  const RgbaImage shown = test::ClientAreaOf(*screen, window);
  ASSERT_FALSE(shown.Empty()) << "the window is not wholly on the screen";
  const test::SelfPainting painted = test::PaintedByItself(window);
  const test::PictureComparison comparison = test::ComparePictures(shown, painted);
  test::WriteFileBytes(PicturePath(name), EncodePng(shown));
  for (const std::string& fault : test::LayoutFaults(window)) ADD_FAILURE() << fault;
  const bool agrees = comparison.differingShare <= kMostDifferingShare;
  const bool drawn = comparison.commonestShare <= kMostCommonestShare;
  if (!agrees || !drawn) test::WriteFileBytes(PicturePath(name + L".self"), EncodePng(painted.picture));
  EXPECT_TRUE(agrees) << "differs from its own painting in " << comparison.differingShare * 100 << " % of pixels";
  EXPECT_TRUE(drawn) << "one colour covers " << comparison.commonestShare * 100 << " % of the window";
}

// Right after showing, and after another window lay over it.
void CheckWindow(HWND window, const std::wstring& name) {
  CheckOnScreen(window, name);
  CoverAndUncover(window);
  CheckOnScreen(window, name + L"-uncovered");
}

// Fifteen backup sets of different ages in `folder`.
void WriteBackupSets(const test::TempFolder& folder) {
  for (int i = 0; i < 15; ++i) {
    const std::wstring base = L"RC_set" + std::to_wstring(i);
    const std::string ini = "[Backup]\r\nDateTime=" + Utf16ToUtf8(FormatDateTime_Fixed(Now_Local() - i * 2.5 - 0.1)) +
                            "\r\nModul=RC\r\nAction=RC_DELETED\r\nDisplay=" + std::to_string(3 + i * 7) +
                            "\r\nUser=" + (i % 4 == 3 ? "bert" : "anna") + "\r\nSavedKeys=" + std::to_string(i) +
                            "\r\nSavedValues=" + std::to_string(2 + i * 7) + "\r\n";
    test::WriteFileBytes(folder.File(base + L".ini"), ini);
    test::WriteFileBytes(folder.File(base + L".reg"), std::string(static_cast<size_t>(900 + i * 1500), ';'));
  }
  // The second newest holds real records, most with the finding they were
  // made for, for its records window.
  const std::wstring fonts = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  const std::wstring app = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\ktview.exe";
  std::wstring records = L"[" + app + L"]\r\n@=\"C:\\\\Program Files\\\\Keytidy Old Suite\\\\ktview.exe\"\r\n\r\n";
  std::string findings = "[Findings]\r\n1=key|" + Utf16ToUtf8(app) +
                         "||app-path-file-missing|2026-01-02 03:04:05|Program file missing: ktview.exe\r\n";
  for (int i = 0; i < 8; ++i) {
    const std::wstring n = std::to_wstring(i);
    records += L"[" + fonts + L"]\r\n\"Keytidy Sans " + n + L" (TrueType)\"=\"sans" + n + L".ttf\"\r\n\r\n";
    if (i % 3 != 2)
      findings += std::to_string(i + 2) + "=value|" + Utf16ToUtf8(fonts) + "|Keytidy Sans " + std::to_string(i) +
                  " (TrueType)|font-file-missing|2026-01-02 03:04:05|Font file missing: sans" + std::to_string(i) +
                  ".ttf\r\n";
  }
  test::WriteFileBytes(folder.File(L"RC_set1.reg"), RegScriptHeaderBytes() + RegScriptBytes(records));
  test::WriteFileBytes(folder.File(L"RC_set1.ini"), test::ReadFileBytes(folder.File(L"RC_set1.ini")) + findings);
}

// Findings of four kinds for the cleaner screen's first search.
void WriteFindings(test::RealRegistryFixture& registry) {
  const std::wstring fonts = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  const std::wstring help = L"SOFTWARE\\Microsoft\\Windows\\Help";
  const std::wstring shared = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
  const DWORD one = 1;
  for (int i = 0; i < 4; ++i) {
    const std::wstring n = std::to_wstring(i);
    registry.WriteString(ROOT_HKEY_LOCAL_MACHINE, fonts, L"Keytidy Sans " + n + L" (TrueType)",
                         L"C:\\Program Files\\Keytidy Fonts\\sans" + n + L".ttf");
    registry.WriteString(ROOT_HKEY_LOCAL_MACHINE, help, L"keytidy-manual" + n + L".hlp",
                         L"C:\\Program Files\\Keytidy Old Suite\\Help");
    registry.Write(ROOT_HKEY_LOCAL_MACHINE, shared,
                   L"C:\\Program Files\\Keytidy Old Suite\\bin\\component" + n + L".dll", REG_DWORD, &one, sizeof(one));
  }
  // A file type whose program is gone: its evidence shows the command line
  // as read beside the program taken from it, and the key a deletion takes.
  registry.WriteString(ROOT_HKEY_CLASSES_ROOT, L"KeytidyDemo.Document", L"", L"Keytidy demo document");
  registry.WriteString(ROOT_HKEY_CLASSES_ROOT, L"KeytidyDemo.Document\\shell\\open\\command", L"",
                       L"\"C:\\Program Files\\Keytidy Old Suite\\Viewer\\ktview.exe\" /view \"%1\"");
}

// The yes/no dialog open now, found the way a user sees it: on top.
TForm_YesNo* OpenQuestion() {
  return dynamic_cast<TForm_YesNo*>(ui::Window::FromHandle(test::FindOwnWindow(TForm_YesNo::kClassName)));
}

class ScreenDrawing : public testing::Test {
 protected:
  void SetUp() override {
    if (test::ScreenGrabFolder().empty()) GTEST_SKIP() << "runs under tools/screen-test.sh only";
    const std::wstring skin = Setting(L"KEYTIDY_SCREEN_SKIN", L"default");
    const std::wstring language = Setting(L"KEYTIDY_SCREEN_LANGUAGE", L"en-us");
    dpi_ = _wtoi(Setting(L"KEYTIDY_SCREEN_DPI", L"96").c_str());
    prefix_ = skin + L"-" + language + L"-" + (dpi_ == 96 ? L"" : std::to_wstring(dpi_) + L"dpi-");
    Localisation_Reset();
    LanguageCode = language;
    LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", language);
    Apply_StartupMessageDefaults();
    Set_SkinFolder(test::BinFolder() + L"\\skins\\" + skin);
  }

  std::wstring prefix_;
  int dpi_ = 96;
};

TEST_F(ScreenDrawing, DISABLED_EveryWindowReachesTheScreen) {
  test::RealRegistryFixture registry;
  WriteFindings(registry);

  TForm_KX7 main;
  // A pass meant for 150 % that ran at 100 % would prove nothing.
  ASSERT_EQ(main.Dpi(), dpi_) << "the scaling the script set did not reach the program";
  main.Perform_EveryThingAfterOnCreate();
  main.ChangeModule_Real(TForm_RC::Class(), true);
  ShowWindow(main.Handle(), SW_SHOW);
  auto* cleaner = dynamic_cast<TForm_RC*>(main.CurrentModuleForm);
  ASSERT_NE(cleaner, nullptr);
  for (int i = 0; i < 400 && !cleaner->SEARCH_COMPLETE; ++i) test::PumpMessages(25);
  CheckWindow(main.Handle(), prefix_ + L"cleaner-summary");
  cleaner->VellUnicodeSTButton_Navi[4]->OnClick();
  CheckWindow(main.Handle(), prefix_ + L"cleaner-list");
  // The evidence pane under the list, for the file type's row.
  cleaner->VellUnicodeSTButton_Navi[Number(FilterCategory::FileTypes)]->OnClick();
  ASSERT_TRUE(cleaner->Memo_Evidence.Visible());
  EXPECT_NE(cleaner->Memo_Evidence.Text().find(L"ktview.exe\" /view"), std::wstring::npos)
      << Utf16ToUtf8(cleaner->Memo_Evidence.Text());
  CheckWindow(main.Handle(), prefix_ + L"cleaner-evidence");
  cleaner->VellUnicodeSTButton_Navi[0]->OnClick();

  {
    test::TempFolder folder;
    WriteBackupSets(folder);
    TForm_MainNavi_Backups screen(main.Handle(), folder.Path());
    screen.VellThreadTimer_AutoDeleteOldBackups.SetEnabled(false);
    test::RunSoon([&] {
      screen.VirtualDrawTree_Backups_KX15.SetRowSelected(1, true);
      CheckWindow(screen.Handle(), prefix_ + L"backups-compact");
      screen.VellButton_ChangeView.OnClick();
      CheckOnScreen(screen.Handle(), prefix_ + L"backups-full");
      // The records of the selected set, two of them ticked.
      screen.VirtualDrawTree_Backups_KX15.SetRowSelected(1, true);
      test::PumpMessages(50);
      test::RunSoon(
          [&] {
            HWND window = test::FindOwnWindow(TForm_BackupRecords::kClassName);
            auto* records = dynamic_cast<TForm_BackupRecords*>(ui::Window::FromHandle(window));
            ASSERT_NE(records, nullptr);
            EXPECT_EQ(records->Records.NodeCount(), 10u);
            for (size_t row : {2u, 5u}) records->VirtualDrawTree_Records.ToggleCheck(records->Records.NodeAt(row));
            CheckWindow(window, prefix_ + L"backup-records");
            records->Close();
          },
          200);
      screen.VellButton_Records.OnClick();
      screen.Close();
    });
    screen.ShowModal();
  }

  // The options dialog as the main window's button opens it, tab by tab.
  test::RunSoon(
      [&] {
        TForm_Options& options = *Form_Options();
        // The test program's own folder has no skins nor translations: list the
        // program's.
        Fill_SkinList(options.ListBox_Skins, test::BinFolder() + L"\\skins", SkinFolder());
        Get_Available_nLangFiles(test::BinFolder() + L"\\translation");
        options.FillLanguageList(test::BinFolder());
        for (int entry : {1, 2}) {
          options.SelectNavigation(entry);
          for (int tab = 0; tab < options.AdvOfficeTabSet1.ItemCount(); ++tab) {
            options.AdvOfficeTabSet1.SetActiveTab(tab);
            options.ShowPage(options.AdvOfficeTabSet1.TabData(tab));
            const std::wstring name = prefix_ + L"options-" + std::to_wstring(options.ActivePage());
            if (tab == 0) {
              CheckWindow(options.Handle(), name);
            } else {
              CheckOnScreen(options.Handle(), name);
            }
          }
        }
        options.Close();
      },
      200);
  main.PelkanMouseImage3State_options.OnClick();

  test::RunSoon(
      [&] {
        HWND about = test::FindOwnWindow(TForm_About::kClassName);
        CheckWindow(about, prefix_ + L"about");
        if (auto* form = dynamic_cast<ui::Form*>(ui::Window::FromHandle(about))) form->Close();
      },
      200);
  main.MenuItem_help_About.OnClick();

  // Both kinds of message dialog, each answered with its own button.
  struct MessageCase {
    const wchar_t* name;
    std::function<void()> open;
    ui::PushButton TForm_YesNo::*answer;
  };
  const MessageCase messages[] = {
      {L"question", [] { AskYesOrNo(Message(MessageKey::MESSAGEHTML_OPTIONS_ASKER_SURETORESET), 7); },
       &TForm_YesNo::Button_Nein},
      {L"notice", [] { Show_Info(Message(MessageKey::MESSAGEHTML_OPTIONS_SKINORLANG_CHANGED)); },
       &TForm_YesNo::Button_Ok}};
  for (const MessageCase& message : messages) {
    test::RunSoon(
        [&] {
          TForm_YesNo* dialog = OpenQuestion();
          ASSERT_NE(dialog, nullptr);
          CheckWindow(dialog->Handle(), prefix_ + message.name);
          (dialog->*message.answer).Click();
        },
        200);
    message.open();
  }
  Free_OptionsDialog();
}

}  // namespace
}  // namespace keytidy
