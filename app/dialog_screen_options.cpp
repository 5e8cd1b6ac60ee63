#include "app/dialog_screen_options.h"

#include "gui/detached_screen_host.h"
#include "settings/screen/form_options.h"

namespace keytidy {

TOptionSwitches TOptionsDialogScreenOptions::Switches() const { return Current_OptionSwitches(); }

TExceptionList TOptionsDialogScreenOptions::Exceptions() const {
  if (const TForm_Options* dialog = Form_Options()) return dialog->Exceptions();
  return StoredScreenOptions().Exceptions();
}

void TOptionsDialogScreenOptions::ExceptionsSaved(const TExceptionList& list) {
  if (TForm_Options* dialog = Form_Options()) dialog->Set_Exceptions(list);
}

}  // namespace keytidy
