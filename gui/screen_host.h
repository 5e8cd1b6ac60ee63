#pragma once
// What the screens need of the window that hosts them, handed to each
// screen when it is made: whether a module is up, the module-switching lock,
// the options dialog's loop, the options of the run, the engine's front end
// and the start of the internet services. The main window is the host of the
// desktop program; a screen made on its own gets a detached host.
#include "model/front_end.h"
#include "scan/exception_list.h"
#include "settings/option_switches.h"

namespace keytidy {

// The options of the run as the screens read and change them.
class ScreenOptions {
 public:
  virtual ~ScreenOptions() = default;
  virtual TOptionSwitches Switches() const = 0;
  // The exception rows the next search applies.
  virtual TExceptionList Exceptions() const = 0;
  // The rows the exceptions file now holds, for whoever shows them.
  virtual void ExceptionsSaved(const TExceptionList& list) = 0;
};

class ScreenHost {
 public:
  virtual ~ScreenHost() = default;

  // Whether a module screen is up in the host.
  virtual bool ShowsModule() const = 0;
  // Locks the switching between modules while a screen works, and frees it.
  virtual void EnableModuleSwitching(bool enable) = 0;
  // Shows the options dialog until the user is done with it.
  virtual void RunOptionsLoop() = 0;
  // Runs the internet services' start sequence (once per process).
  virtual void StartInternetServices() = 0;

  virtual ScreenOptions& Options() = 0;
  virtual TFrontEnd& FrontEnd() = 0;
};

}  // namespace keytidy
