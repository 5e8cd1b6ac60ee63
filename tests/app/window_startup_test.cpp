// The window start-up as a real process: the start counter, the setup words
// and the export of the design texts into the German translation file.
#include <windows.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/window_startup.h"
#include "lang/text_file.h"
#include "platform/product.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "settings/statistics.h"
#include "support/gui.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::Quote;

std::int64_t StartCount() { return Reg_ReadInt64(ROOT_HKEY_LOCAL_MACHINE, kStatsKey, kStats_Starts); }

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  HWND found = nullptr;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner == search->processId && lstrcmpW(name, search->className) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A top-level window of that class owned by the process, waited for.
HWND WaitForWindow(HANDLE process, const wchar_t* className) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < end) {
    WindowSearch search{GetProcessId(process), className};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

DWORD WaitForExit(HANDLE process) {
  if (WaitForSingleObject(process, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(process, 1);
    return 0xFFFFFFFF;
  }
  DWORD code = 1;
  GetExitCodeProcess(process, &code);
  return code;
}

TEST(WindowStartup, CommandWords) {
  EXPECT_TRUE(IsTranslationSaveWord(L"-SAVE"));
  EXPECT_FALSE(IsTranslationSaveWord(L"-SAVEALL")) << "a longer word starts normally";
  for (const wchar_t* word :
       {L"-SETUPLT2", L"-REMOVEPLANNEDTASKS", L"-ADDOCOTASK", L"-REMOVECONTEXT", L"-SETUPCONTEXT"})
    EXPECT_TRUE(IsSetupWord(word)) << word;
  EXPECT_FALSE(IsSetupWord(L"-NOVERSION"));
}

TEST(WindowStartup, NormalStartCountsOnceAndClosesCleanly) {
  const std::int64_t before = StartCount();
  UniqueHandle program = test::StartProgram(Quote(test::GuiPath()) + L" -NOVERSION");
  ASSERT_TRUE(program);
  HWND window = WaitForWindow(program.get(), TForm_KX7::kClassName);
  ASSERT_NE(window, nullptr);
  // The window shows once the start-up has run to the message loop.
  for (int i = 0; i < 600 && !IsWindowVisible(window); ++i) Sleep(50);
  ASSERT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(StartCount(), before + 1);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(program.get()), 0u);
  EXPECT_EQ(StartCount(), before + 1);
}

TEST(WindowStartup, SetupWordEndsQuietlyWithoutCounting) {
  const std::int64_t before = StartCount();
  const auto run = test::RunProgram(Quote(test::GuiPath()) + L" -setupcontext", {}, 30000);
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(StartCount(), before);
}

std::wstring ReadTextFile(const std::wstring& path) {
  std::wstring joined;
  if (auto file = ReadTextFileLines(path))
    for (const std::wstring& line : file->lines) joined += line + L"\n";
  return joined;
}

TEST(WindowStartup, LowerCaseSaveExportsTheGermanTexts) {
  // A copy of the program in a folder of its own, with an empty
  // translation folder: the export writes both files from scratch.
  test::TempFolder folder;
  ASSERT_TRUE(CopyFileW(test::GuiPath().c_str(), folder.File(L"keytidy.exe").c_str(), FALSE));
  // The program imports its internet-services library, which sits beside it.
  ASSERT_TRUE(
      CopyFileW((test::BinFolder() + L"\\qrv_inet2.dll").c_str(), folder.File(L"qrv_inet2.dll").c_str(), FALSE));
  ASSERT_TRUE(CreateDirectoryW(folder.File(L"translation").c_str(), nullptr));
  const std::int64_t before = StartCount();

  UniqueHandle program = test::StartProgram(Quote(folder.File(L"keytidy.exe")) + L" -save");
  ASSERT_TRUE(program);
  HWND notice = WaitForWindow(program.get(), L"#32770");
  ASSERT_NE(notice, nullptr) << "the export ends with a notice";
  // Found while the box is still being built: wait for its caption.
  for (int i = 0; i < 100 && test::WindowText(notice).empty(); ++i) Sleep(50);
  EXPECT_EQ(test::WindowText(notice), ProductTitle);
  PostMessageW(notice, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(WaitForExit(program.get()), 0u);
  EXPECT_EQ(StartCount(), before) << "the export is no start";

  const std::wstring german = ReadTextFile(folder.File(L"translation\\de-de.nlang3"));
  for (const wchar_t* line :
       {L"Form_KX7.Form_KX7=Quarvint Keytidy 2\n", L"Form_KX7.MenuItem_Options=Einstellungen\n",
        L"Form_Options.CheckBox_RC_Fonts_KX8=Schriftarten\n", L"Form_Options.TabSheet_RC2=Ausnahmen\n",
        L"Form_RC.Form_RC=Registry-Reinigung\n", L"Form_MainNavi_Backups.VellButton_Restore=&Wiederherstellen\n",
        L"Form_MainNavi_Backups.Menu_DeleteOld_14days=L\u00F6schen wenn \u00E4lter als 14 Tage\n",
        L"Form_MainNavi_Backups.VirtualDrawTree_Backups_KX15=Modul%CRLFBeschreibung%CRLF"
        L"Gr\u00F6\u00DFe%CRLFBenutzer%CRLFErstellt\n"})
    EXPECT_NE(german.find(line), std::wstring::npos) << line;
  const std::wstring index = ReadTextFile(folder.File(L"translation\\index.txt"));
  EXPECT_NE(index.find(L"Form_KX7.MenuItem_Options=TEXT,0,2.00.00\n"), std::wstring::npos) << index.substr(0, 400);
  EXPECT_NE(index.find(L"Form_Options.HTMLabel_Options_GUI_TranslationLinkTarget=HTML,"), std::wstring::npos);
}

}  // namespace
}  // namespace keytidy
