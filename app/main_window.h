#pragma once
#include <windows.h>

namespace keytidy {

// Creates the main window (class TForm_KX7, which a second copy looks for)
// and runs the message loop until it closes.
void RunMainWindow(HINSTANCE instance);

}  // namespace keytidy
