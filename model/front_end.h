#pragma once
// What the engine asks of the program that drives it: the desktop program
// answers with its windows, the console program with its text. The engine
// holds a borrowed pointer and never learns which one it talks to.
#include <string>

namespace keytidy {

class TOptionSwitches;

class TFrontEnd {
 public:
  virtual ~TFrontEnd() = default;

  // Lets pending window messages run between the items a check or a
  // deletion examines (repaints, timers, a Stop click that sets the run
  // control's STOP_REQUESTED).
  virtual void ProcessPendingMessages() {}

  // A yes/no question with a "do not ask again" box captioned
  // `dontAskAgainCaption`. True for yes; `dontAskAgain` receives the box's
  // state. A front end that cannot ask answers no and leaves the box clear.
  virtual bool AskYesNo(const std::wstring& /*question*/, const std::wstring& /*dontAskAgainCaption*/,
                        bool& dontAskAgain) {
    dontAskAgain = false;
    return false;
  }

  // The engine stored changed option switches; a front end that shows them
  // brings its controls up to date.
  virtual void OptionSwitchesChanged(const TOptionSwitches& /*switches*/) {}
};

}  // namespace keytidy
