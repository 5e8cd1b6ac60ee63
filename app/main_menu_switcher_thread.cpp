#include "app/main_menu_switcher_thread.h"

#include "app/main_window.h"

namespace keytidy {

TMainMenuSwitcherThread::TMainMenuSwitcherThread(TForm_KX7* mainForm)
    : MainForm(mainForm), mainWindow_(mainForm ? mainForm->Handle() : nullptr) {}

void TMainMenuSwitcherThread::Start() {
  if (thread_) return;
  thread_.reset(CreateThread(nullptr, 0, ThreadEntry, this, 0, nullptr));
}

TMainMenuSwitcherThread::~TMainMenuSwitcherThread() {
  terminated_ = true;
  if (!thread_) return;
  // The thread may be waiting for this thread to run a request: keep
  // serving sent messages until it has ended.
  HANDLE handle = thread_.get();
  for (;;) {
    const DWORD woken = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
    if (woken != WAIT_OBJECT_0 + 1) break;
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

DWORD WINAPI TMainMenuSwitcherThread::ThreadEntry(void* self) {
  static_cast<TMainMenuSwitcherThread*>(self)->Execute();
  return 0;
}

void TMainMenuSwitcherThread::Execute() {
  while (!terminated_) {
    Sleep(50);
    if (terminated_) break;
    if (!MainForm || !IsWindow(mainWindow_)) continue;
    // Only the flags are read here; the request itself is carried out on
    // the main thread, which owns every window and the request's details.
    if (flag_ShowMainMenuNow) SendMessageW(mainWindow_, kRunRequestMessage, ShowMainMenu, 0);
    if (flag_ChangeModuleNow) SendMessageW(mainWindow_, kRunRequestMessage, ChangeModule, 0);
  }
}

}  // namespace keytidy
