#include "cleaner/form_rc.h"

#include "app/environment.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"

namespace keytidy {

TForm_RC::TForm_RC() : ModuleForm(L"Form_RC", 1) {}

bool TForm_RC::CreateModule(HWND host) {
  if (!CreateModuleWindow(kClassName, host)) return false;
  SetCaption(L"Registry-Reinigung");
  LOAD_TRANSLATION_TO_FORM(ProgramFolder() + L"\\translation", LanguageCode, *this);
  return true;
}

ModuleClass TForm_RC::Class() {
  return {kClassName, [] { return std::make_unique<TForm_RC>(); }};
}

}  // namespace keytidy
