#pragma once
// Whether a running scan or deletion is to stop, and whether the program is
// closing. The program's entry owns one for the whole process and hands it
// to every engine it creates; the front end sets the flags (a Stop button,
// closing the main window) and the engine reads them between the items it
// examines. Both are touched on one thread only: the front end's pumped
// messages run on the thread that runs the engine.
namespace keytidy {

struct RunControl {
  // The program is closing or must end; once true it stays true.
  bool APP_TERMINATING = false;
  // A running scan or deletion is to stop at its next step.
  bool STOP_REQUESTED = false;
};

}  // namespace keytidy
