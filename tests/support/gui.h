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
// With `shift`, the thread's keyboard state says Shift is down until the
// next step of RunInTurn (or ReleaseModifiers).
void PressKey(HWND focus, WPARAM key, bool shift = false);
// Alt+`letter` as TranslateMessage hands it on: a WM_SYSCHAR to the focus.
void PressAltKey(HWND focus, wchar_t letter);
void ReleaseModifiers();
// Processes pending messages as the program's own message loops do, the
// windows' keyboard handling included (PumpMessages leaves it out).
void PumpAsTheProgram(DWORD milliseconds = 30);

std::wstring WindowText(HWND window);

}  // namespace keytidy::test
