#include "app/window_startup.h"

#include <array>
#include <memory>
#include <string_view>

#include "app/main_window.h"
#include "backup/screen/form_backups.h"
#include "cleaner/form_rc.h"
#include "gui/process_run_control.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/product.h"
#include "settings/screen/form_options.h"
#include "settings/statistics.h"
#include "skin/skin_folder.h"
#include "ui/form.h"
#include "ui/window.h"

namespace keytidy {

namespace {

void BringToFront(TForm_KX7& main) {
  if (ProcessRunControl().APP_TERMINATING) return;
  SetWindowPos(main.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(main.Handle());
}

// The developer export: every translated window's design texts go into the
// German file, one window after the other, each created just for this.
void SaveTranslations(std::unique_ptr<TForm_KX7>& main) {
  LanguageId = 7;
  LanguageCode = L"de-de";
  const std::wstring folder = TranslationFolder();
  bool ok = true;
  {
    TForm_MainNavi_Backups backups(nullptr);
    // Made only to read its texts: no clean-up question from it.
    backups.VellThreadTimer_AutoDeleteOldBackups.SetEnabled(false);
    ok = SAVE_TRANSLATION_FROM_FORM(folder, LanguageCode, backups, ProductVersion);
  }
  // The main window is not translated on creation in this mode, so it gives
  // its design texts.
  if (!main) main = std::make_unique<TForm_KX7>();
  ok = ok && SAVE_TRANSLATION_FROM_FORM(folder, LanguageCode, *main, ProductVersion);
  if (ok) {
    TForm_Options options(main->Handle());
    ok = SAVE_TRANSLATION_FROM_FORM(folder, LanguageCode, options, ProductVersion);
  }
  if (ok) {
    TForm_RC cleaner;
    cleaner.CreateModule(main->Panel1.Handle());
    ok = SAVE_TRANSLATION_FROM_FORM(folder, LanguageCode, cleaner, ProductVersion);
  }
  MessageBoxExW(nullptr, ok ? L"Translation saved..." : L"Translation could not be saved.", ProductTitle,
                MB_OK | (ok ? MB_ICONINFORMATION : MB_ICONERROR), 0);
}

void RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (ui::Form::TranslateKeyboard(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

bool IsTranslationSaveWord(const std::wstring& firstArgument) { return firstArgument == L"-SAVE"; }

bool IsSetupWord(const std::wstring& firstArgument) {
  static constexpr std::array<std::wstring_view, 5> kSetupWords = {L"-SETUPLT2", L"-REMOVEPLANNEDTASKS", L"-ADDOCOTASK",
                                                                   L"-REMOVECONTEXT", L"-SETUPCONTEXT"};
  for (std::wstring_view word : kSetupWords)
    if (firstArgument == word) return true;
  return false;
}

void RunWindowStartup(InternetServices& internet) {
  std::unique_ptr<TForm_KX7> main;
  const bool saveMode = IsTranslationSaveWord(FirstArgument);
  if (!saveMode && !IsSetupWord(FirstArgument)) {
    main = std::make_unique<TForm_KX7>(&internet);
    ui::ProcessMessages();
  }

  Choose_Language();
  LOAD_INTERNAL_ONLY(TranslationFolder(), LanguageCode);
  Apply_StartupMessageDefaults();

  if (saveMode) {
    SaveTranslations(main);
    return;
  }
  // The setup words have no action of their own, and what follows needs
  // the main window: end quietly.
  if (!main) return;

  if (!ProcessRunControl().APP_TERMINATING) Choose_Skin();
  if (!ProcessRunControl().APP_TERMINATING) main->Perform_EveryThingAfterOnCreate();
  if (!ProcessRunControl().APP_TERMINATING) Create_OptionsDialog(main->Handle(), &internet);
  Stats_Add(kStats_Starts, 1);

  BringToFront(*main);
  ui::ProcessMessages();
  main->ChangeModule_Real(TForm_RC::Class(), true);
  BringToFront(*main);

  if (main->Alive()) {
    ShowWindow(main->Handle(), SW_SHOW);
    RunMessageLoop();
  }
  Free_OptionsDialog();
  main.reset();
}

}  // namespace keytidy
