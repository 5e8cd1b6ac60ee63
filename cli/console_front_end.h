#pragma once
// The console program as the engine's front end. There are no window
// messages to let through, and a console run is unattended: a question the
// engine asks is declined, and its text goes to the standard error so that
// the run's log shows what was not done.
#include "platform/run_control.h"
#include "model/front_end.h"

namespace keytidy::cli {

class TConsoleFrontEnd : public TFrontEnd {
 public:
  bool AskYesNo(const std::wstring& question, const std::wstring& dontAskAgainCaption, bool& dontAskAgain) override;
};

// One of each for the process, handed to every engine a command creates.
TConsoleFrontEnd& ConsoleFrontEnd();
RunControl& ConsoleRunControl();

}  // namespace keytidy::cli
