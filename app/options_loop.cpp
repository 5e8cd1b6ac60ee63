// The main window's way into the options dialog, and the check afterwards
// whether the user chose a skin or language that only a restart brings.
#include "app/main_window.h"
#include "gui/message_dialogs.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/text_after_last.h"
#include "settings/screen/form_options.h"
#include "skin/skin_folder.h"

namespace keytidy {

void TForm_KX7::RunOptionsLoop() {
  if (!Form_Options()) Create_OptionsDialog(Handle(), internet_);
  for (;;) {
    const std::wstring language = LanguageCode;
    const std::wstring skin = Get_TextAfterLast(SkinFolder(), L"\\");
    Form_Options()->Execute();
    if (!Form_Options()->SIGNAL_RECREATE_FORM) {
      const std::wstring storedLanguage = Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kForceLanguageValue);
      const std::wstring storedSkin = Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"UseSkin");
      const bool changed =
          (!storedSkin.empty() && storedSkin != skin) || (!storedLanguage.empty() && storedLanguage != language);
      if (changed) Show_Info(Message(MessageKey::MESSAGEHTML_OPTIONS_SKINORLANG_CHANGED));
      break;
    }
    // The reset asked for a fresh dialog, which shows the defaults now stored.
    Free_OptionsDialog();
    Create_OptionsDialog(Handle(), internet_);
  }
  if (CurrentModuleForm) CurrentModuleForm->OnOptionsChanged();
}

}  // namespace keytidy
