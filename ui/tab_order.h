#pragma once
// The order in which Tab visits a window's controls is their z-order, which
// starts as the order they were created in. A screen whose controls are
// created in another order (by kind, say) sets the order a user expects,
// by where the controls sit, with this.
#include <windows.h>

#include <initializer_list>

namespace keytidy::ui {

// Stacks sibling windows in the given order, the first on top (first for
// Tab); the windows not named stay beneath them in their own order.
void SetTabOrder(std::initializer_list<HWND> order);

}  // namespace keytidy::ui
