#include "support/gui.h"

#include <map>
#include <memory>
#include <vector>

#include "ui/form.h"

namespace keytidy::test {

namespace {

std::map<UINT_PTR, std::function<void()>>& PendingActions() {
  static std::map<UINT_PTR, std::function<void()>> actions;
  return actions;
}

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto& actions = PendingActions();
  auto found = actions.find(id);
  if (found == actions.end()) return;
  auto action = std::move(found->second);
  actions.erase(found);
  action();
}

struct Search {
  const wchar_t* className;
  HWND found = nullptr;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  if (lstrcmpW(name, search->className) == 0 && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void PumpMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (milliseconds) Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

void RunSoon(std::function<void()> action, UINT delayMs) {
  const UINT_PTR id = SetTimer(nullptr, 0, delayMs, RunPendingAction);
  PendingActions()[id] = std::move(action);
}

HWND FindOwnWindow(const wchar_t* className) {
  Search search{className};
  EnumThreadWindows(GetCurrentThreadId(), MatchClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void ClickAt(HWND window, int x, int y) {
  const LPARAM point = MAKELPARAM(x, y);
  SendMessageW(window, WM_MOUSEMOVE, 0, point);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(window, WM_LBUTTONUP, 0, point);
}

void PressKey(HWND focus, WPARAM key, bool shift) {
  if (shift) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    SetKeyboardState(state);
  }
  PostMessageW(focus, WM_KEYDOWN, key, 1);
  PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}

void PressAltKey(HWND focus, wchar_t letter) {
  constexpr LPARAM kAltDown = 1 << 29;
  PostMessageW(focus, WM_SYSCHAR, letter, kAltDown | 1);
}

void ReleaseModifiers() {
  BYTE state[256] = {};
  GetKeyboardState(state);
  for (int key : {VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_MENU, VK_LMENU, VK_RMENU, VK_CONTROL}) state[key] = 0;
  SetKeyboardState(state);
}

void PumpAsTheProgram(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (ui::Form::TranslateKeyboard(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

std::wstring WindowText(HWND window) {
  std::vector<wchar_t> buffer(static_cast<size_t>(GetWindowTextLengthW(window)) + 1);
  GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
  return buffer.data();
}

}  // namespace keytidy::test
