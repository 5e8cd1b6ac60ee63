#pragma once
// The main window's deferred requests: a worker thread that looks at two
// request flags every 50 ms and has the main thread carry out what was
// asked. Requests are not queued; a second module request before the next
// look replaces the first.
#include <windows.h>

#include <atomic>

#include "platform/handles.h"

namespace keytidy {

class TForm_KX7;

class TMainMenuSwitcherThread {
 public:
  explicit TMainMenuSwitcherThread(TForm_KX7* mainForm);
  // Stops the thread and waits for it, still serving the requests it hands
  // to this (the main) thread meanwhile.
  ~TMainMenuSwitcherThread();
  TMainMenuSwitcherThread(const TMainMenuSwitcherThread&) = delete;
  TMainMenuSwitcherThread& operator=(const TMainMenuSwitcherThread&) = delete;

  void Start();

  std::atomic<bool> flag_ShowMainMenuNow{false};
  std::atomic<bool> flag_ChangeModuleNow{false};

  // The window message the main window answers by running a request; the
  // thread sends it and waits until it has run.
  static constexpr UINT kRunRequestMessage = WM_APP + 0x4B7;
  enum Request : WPARAM { ShowMainMenu = 1, ChangeModule = 2 };

 private:
  static DWORD WINAPI ThreadEntry(void* self);
  void Execute();

  TForm_KX7* MainForm;
  HWND mainWindow_ = nullptr;
  std::atomic<bool> terminated_{false};
  UniqueHandle thread_;
};

}  // namespace keytidy
