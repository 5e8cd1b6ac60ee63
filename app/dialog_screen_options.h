#pragma once
// The options of the run as the main window's screens see them: the options
// dialog's controls while the dialog exists, otherwise what is stored.
#include "gui/screen_host.h"

namespace keytidy {

class TOptionsDialogScreenOptions final : public ScreenOptions {
 public:
  TOptionSwitches Switches() const override;
  TExceptionList Exceptions() const override;
  // The dialog shows the rows the file now holds.
  void ExceptionsSaved(const TExceptionList& list) override;
};

}  // namespace keytidy
