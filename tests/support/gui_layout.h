#pragma once
// Layout faults a user would see in a window as it is on the screen now:
// the window reaching past its monitor's work area, a control reaching past
// the visible part of its parent, and a caption that does not fit its
// control in the control's own font (cut off, or ending in an ellipsis),
// wrapped text taller than its label, or list columns wider than their list.
// Controls whose text we cannot measure (no window text, no font) are left
// out, and so are the parts of the system's compound controls; the children
// of scrolling containers may lie outside them, but their texts must fit.
#include <windows.h>

#include <string>
#include <vector>

namespace keytidy::test {

std::vector<std::string> LayoutFaults(HWND window);

}  // namespace keytidy::test
