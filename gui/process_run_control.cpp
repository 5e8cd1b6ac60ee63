#include "gui/process_run_control.h"

namespace keytidy {

RunControl& ProcessRunControl() {
  static RunControl control;
  return control;
}

}  // namespace keytidy
