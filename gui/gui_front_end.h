#pragma once
// The desktop program as the engine's front end: pending messages run
// through the widget layer, questions are the skin's yes/no dialog, and
// options the engine changed reach the options dialog's controls.
#include "model/front_end.h"

namespace keytidy {

class TGuiFrontEnd : public TFrontEnd {
 public:
  void ProcessPendingMessages() override;
  bool AskYesNo(const std::wstring& question, const std::wstring& dontAskAgainCaption, bool& dontAskAgain) override;
  void OptionSwitchesChanged(const TOptionSwitches& switches) override;
};

// The one the screens hand to their engines.
TGuiFrontEnd& GuiFrontEnd();

}  // namespace keytidy
