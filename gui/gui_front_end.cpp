#include "gui/gui_front_end.h"

#include "gui/message_dialogs.h"
#include "settings/screen/form_options.h"
#include "ui/window.h"

namespace keytidy {

namespace {

constexpr int kQuestionIcon = 29;
constexpr std::uint16_t kAnswerYes = 6;

}  // namespace

void TGuiFrontEnd::ProcessPendingMessages() { ui::ProcessMessages(); }

bool TGuiFrontEnd::AskYesNo(const std::wstring& question, const std::wstring& dontAskAgainCaption,
                            bool& dontAskAgain) {
  return AskYesOrNo_Custom(question, dontAskAgainCaption, kQuestionIcon, kAnswerYes, true, dontAskAgain) ==
         kAnswerYes;
}

void TGuiFrontEnd::OptionSwitchesChanged(const TOptionSwitches& switches) {
  TForm_Options* dialog = Form_Options();
  if (!dialog) return;
  dialog->SwitchBox(OptionSwitch::Backups_Ask_Before_AutoDelete)
      .SetChecked(switches.IsChecked(OptionSwitch::Backups_Ask_Before_AutoDelete));
  const auto buttons = switches.BackupAgeButtons();
  for (size_t i = 0; i < buttons.size(); ++i) dialog->BackupAgeButtons[i]->SetChecked(buttons[i].checked);
}

TGuiFrontEnd& GuiFrontEnd() {
  static TGuiFrontEnd frontEnd;
  return frontEnd;
}

}  // namespace keytidy
