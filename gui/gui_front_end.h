#pragma once
// The desktop program as the engine's front end: pending messages run
// through the widget layer, questions are the skin's yes/no dialog, and
// options the engine changed go to whoever shows them (the options dialog,
// which the program's top wires in).
#include <functional>

#include "model/front_end.h"

namespace keytidy {

class TGuiFrontEnd : public TFrontEnd {
 public:
  using SwitchesListener = std::function<void(const TOptionSwitches&)>;

  TGuiFrontEnd() = default;
  explicit TGuiFrontEnd(SwitchesListener onSwitchesChanged) : onSwitchesChanged_(std::move(onSwitchesChanged)) {}

  void ProcessPendingMessages() override;
  bool AskYesNo(const std::wstring& question, const std::wstring& dontAskAgainCaption, bool& dontAskAgain) override;
  void OptionSwitchesChanged(const TOptionSwitches& switches) override;

 private:
  SwitchesListener onSwitchesChanged_;
};

}  // namespace keytidy
