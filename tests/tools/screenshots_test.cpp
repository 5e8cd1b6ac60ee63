// Not a test: pictures of the windows for people to look at, written by
// tools/screenshots.sh (which runs this with the disabled tests enabled).
// KEYTIDY_SHOT_FOLDER names the output folder, KEYTIDY_SHOT_SKIN the skin
// folder below the program's skins and KEYTIDY_SHOT_LANG the translation.
#include <windows.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/message_dialogs.h"
#include "app/stripe_sheet.h"
#include "app/yes_no_dialog.h"
#include "backup/form_backups.h"
#include "cleaner/form_rc.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "platform/text.h"
#include "settings/date_time.h"
#include "settings/form_options.h"
#include "skin/png_codec.h"
#include "skin/skin_folder.h"
#include "support/gui.h"
#include "support/programs.h"
#include "support/real_registry.h"

namespace keytidy {
namespace {

std::wstring Setting(const wchar_t* name, const wchar_t* fallback) {
  const wchar_t* value = _wgetenv(name);
  return value && *value ? value : fallback;
}

// Each window draws itself, children over their parent in z-order: reading
// the screen back gives black under Wine's virtual desktop, and Wine's
// PrintWindow leaves the children out. (Wine's own push buttons and check
// boxes do not print themselves this way and are missing from the pictures.)
void PrintTree(HWND window, HDC dc, POINT origin) {
  // Some native controls fill the whole clip box; keep each to its own area.
  RECT area;
  GetWindowRect(window, &area);
  const int saved = SaveDC(dc);
  SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  IntersectClipRect(dc, 0, 0, area.right - area.left, area.bottom - area.top);
  SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  RestoreDC(dc, saved);
  for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV)) {
    if (!IsWindowVisible(child)) continue;
    RECT r;
    GetWindowRect(child, &r);
    POINT at{r.left, r.top};
    ScreenToClient(window, &at);
    PrintTree(child, dc, POINT{origin.x + at.x, origin.y + at.y});
  }
}

// The client area as it draws itself, into <folder>\<name>.png.
void Capture(HWND window, const std::wstring& name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  test::PumpMessages(200);
  RECT r;
  GetClientRect(window, &r);
  const int width = r.right, height = r.bottom;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  PrintTree(window, memory, POINT{0, 0});
  GdiFlush();
  RgbaImage image(width, height);
  const auto* source = static_cast<const std::uint8_t*>(bits);
  for (size_t i = 0; i < image.pixels.size(); i += 4) {
    image.pixels[i] = source[i + 2];
    image.pixels[i + 1] = source[i + 1];
    image.pixels[i + 2] = source[i];
    image.pixels[i + 3] = 255;
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  test::WriteFileBytes(Setting(L"KEYTIDY_SHOT_FOLDER", L".") + L"\\" + name + L".png", EncodePng(image));
}

// The backup screen over fifteen sets of different ages, in both views,
// with one set selected so the side bar shows its details.
void CaptureBackupScreen(HWND owner, const std::wstring& prefix) {
  test::TempFolder folder;
  for (int i = 0; i < 15; ++i) {
    const std::wstring base = L"RC_set" + std::to_wstring(i);
    const std::string ini = "[Backup]\r\nDateTime=" + Utf16ToUtf8(FormatDateTime_Fixed(Now_Local() - i * 2.5 - 0.1)) +
                            "\r\nModul=RC\r\nAction=RC_DELETED\r\nDisplay=" + std::to_string(3 + i * 7) +
                            "\r\nUser=" + (i % 4 == 3 ? "bert" : "anna") + "\r\nSavedKeys=" + std::to_string(i) +
                            "\r\nSavedValues=" + std::to_string(2 + i * 7) + "\r\n";
    test::WriteFileBytes(folder.File(base + L".ini"), ini);
    test::WriteFileBytes(folder.File(base + L".reg"), std::string(static_cast<size_t>(900 + i * 1500), ';'));
  }
  TForm_MainNavi_Backups screen(owner, folder.Path());
  screen.VellThreadTimer_AutoDeleteOldBackups.SetEnabled(false);
  ShowWindow(screen.Handle(), SW_SHOW);
  screen.VirtualDrawTree_Backups_KX15.SetRowSelected(1, true);
  test::PumpMessages(100);
  Capture(screen.Handle(), prefix + L"backups-compact");
  screen.VellButton_ChangeView.OnClick();
  screen.VirtualDrawTree_Backups_KX15.SetRowSelected(0, true);
  screen.VirtualDrawTree_Backups_KX15.SetRowSelected(2, true);
  test::PumpMessages(100);
  Capture(screen.Handle(), prefix + L"backups-full");
}

TEST(Screenshots, DISABLED_AllWindows) {
  const std::wstring skin = Setting(L"KEYTIDY_SHOT_SKIN", L"default");
  const std::wstring language = Setting(L"KEYTIDY_SHOT_LANG", L"de-de");
  const std::wstring prefix = skin + L"-" + language + L"-";
  Localisation_Reset();
  LanguageCode = language;
  LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", language);
  Apply_StartupMessageDefaults();
  Set_SkinFolder(test::BinFolder() + L"\\skins\\" + skin);

  // Findings of three kinds for the cleaner screen's first search.
  test::RealRegistryFixture registry;
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
                   L"C:\\Program Files\\Keytidy Old Suite\\bin\\component" + n + L".dll", REG_DWORD, &one,
                   sizeof(one));
  }

  TForm_KX7 main;
  main.Perform_EveryThingAfterOnCreate();
  main.ChangeModule_Real(TForm_RC::Class(), true);
  ShowWindow(main.Handle(), SW_SHOW);
  auto* cleaner = dynamic_cast<TForm_RC*>(main.CurrentModuleForm);
  ASSERT_NE(cleaner, nullptr);
  for (int i = 0; i < 200 && !cleaner->SEARCH_COMPLETE; ++i) test::PumpMessages(25);
  Capture(main.Handle(), prefix + L"main");
  cleaner->VellUnicodeSTButton_Navi[4]->OnClick();
  Capture(main.Handle(), prefix + L"cleaner-list");
  cleaner->VellUnicodeSTButton_Navi[0]->OnClick();
  cleaner->CurvyEdit_Filter.SetText(L"keytidy old");
  Capture(main.Handle(), prefix + L"cleaner-filtered");
  CaptureBackupScreen(main.Handle(), prefix);

  Create_OptionsDialog(main.Handle());
  test::RunSoon([&] {
    TForm_Options& options = *Form_Options();
    for (int entry : {1, 2}) {
      options.SelectNavigation(entry);
      for (int tab = 0; tab < options.AdvOfficeTabSet1.ItemCount(); ++tab) {
        options.AdvOfficeTabSet1.SetActiveTab(tab);
        options.ShowPage(options.AdvOfficeTabSet1.TabData(tab));
        Capture(options.Handle(), prefix + L"options-" + std::to_wstring(options.ActivePage()));
      }
    }
    options.Close();
  });
  Form_Options()->Execute();

  test::RunSoon([&] {
    HWND dialog = test::FindOwnWindow(TForm_YesNo::kClassName);
    Capture(dialog, prefix + L"question");
    dynamic_cast<TForm_YesNo*>(ui::Window::FromHandle(dialog))->Button_Nein.Click();
  }, 200);
  AskYesOrNo(Message(MessageKey::MESSAGEHTML_OPTIONS_ASKER_SURETORESET), 7);

  test::RunSoon([&] {
    HWND dialog = test::FindOwnWindow(TForm_YesNo::kClassName);
    Capture(dialog, prefix + L"notice");
    dynamic_cast<TForm_YesNo*>(ui::Window::FromHandle(dialog))->Button_Ok.Click();
  }, 200);
  Show_Info(Message(MessageKey::MESSAGEHTML_OPTIONS_SKINORLANG_CHANGED));
  Free_OptionsDialog();
}

}  // namespace
}  // namespace keytidy
