#pragma once
// The desktop program's run control: one for the whole process, handed to
// every engine the screens create. The main window sets APP_TERMINATING
// when it closes, the cleaner screen's Stop button STOP_REQUESTED.
#include "platform/run_control.h"

namespace keytidy {

RunControl& ProcessRunControl();

}  // namespace keytidy
