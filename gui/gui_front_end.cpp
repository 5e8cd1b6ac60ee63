#include "gui/gui_front_end.h"

#include "gui/message_dialogs.h"
#include "ui/window.h"

namespace keytidy {

namespace {

constexpr int kQuestionIcon = 29;
constexpr std::uint16_t kAnswerYes = 6;

}  // namespace

void TGuiFrontEnd::ProcessPendingMessages() { ui::ProcessMessages(); }

bool TGuiFrontEnd::AskYesNo(const std::wstring& question, const std::wstring& dontAskAgainCaption, bool& dontAskAgain) {
  return AskYesOrNo_Custom(question, dontAskAgainCaption, kQuestionIcon, kAnswerYes, true, dontAskAgain) == kAnswerYes;
}

void TGuiFrontEnd::OptionSwitchesChanged(const TOptionSwitches& switches) {
  if (onSwitchesChanged_) onSwitchesChanged_(switches);
}

}  // namespace keytidy
