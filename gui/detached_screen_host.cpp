#include "gui/detached_screen_host.h"

#include "scan/exception_file.h"

namespace keytidy {

TOptionSwitches StoredScreenOptions::Switches() const { return Load_OptionSwitches(); }

TExceptionList StoredScreenOptions::Exceptions() const {
  TExceptionList list;
  Load_Exceptions(ExceptionsFilePath(), list);
  return list;
}

}  // namespace keytidy
