#pragma once
// Helpers for tests that create windows in the test process and drive them
// with messages.
#include <windows.h>

#include <functional>
#include <string>

namespace keytidy::test {

// Processes pending messages for about `milliseconds`.
void PumpMessages(DWORD milliseconds = 0);

// Runs `action` once on this thread after `delayMs`, from inside whatever
// message loop is running then (a modal window's own loop, typically).
void RunSoon(std::function<void()> action, UINT delayMs = 20);

// The visible top-level window of this process with that class, or null.
HWND FindOwnWindow(const wchar_t* className);

// A click (button down and up) at a client point of a window.
void ClickAt(HWND window, int x, int y);
// A key press delivered the way the keyboard would (posted to the focus).
void PressKey(HWND focus, WPARAM key);

std::wstring WindowText(HWND window);

}  // namespace keytidy::test
