#include "ui/thread_timer.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

namespace keytidy {

namespace {

constexpr UINT kTickMessage = WM_APP + 0x54;
constexpr wchar_t kTickWindowClass[] = L"KeytidyThreadTimerTicks";
constexpr int kShortestSleepMs = 10;

LRESULT CALLBACK TickWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == kTickMessage) {
    // Nothing may unwind into user32 or the waiting worker.
    try {
      TVellThreadTimer::RunTick(*reinterpret_cast<TVellThreadTimer::Shared*>(lParam));
    } catch (...) {
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// One hidden message-only window per GUI thread receives the ticks of every
// timer created on that thread.
HWND TickWindowOfThisThread() {
  thread_local HWND window = nullptr;
  if (window && IsWindow(window)) return window;
  static const ATOM registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TickWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTickWindowClass;
    return RegisterClassW(&windowClass);
  }();
  (void)registered;
  window = CreateWindowExW(0, kTickWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
  return window;
}

int WindowsPriority(TThreadPriority priority) {
  switch (priority) {
    case TThreadPriority::Idle: return THREAD_PRIORITY_IDLE;
    case TThreadPriority::Lowest: return THREAD_PRIORITY_LOWEST;
    case TThreadPriority::Lower: return THREAD_PRIORITY_BELOW_NORMAL;
    case TThreadPriority::Normal: return THREAD_PRIORITY_NORMAL;
    case TThreadPriority::Higher: return THREAD_PRIORITY_ABOVE_NORMAL;
    case TThreadPriority::Highest: return THREAD_PRIORITY_HIGHEST;
    case TThreadPriority::TimeCritical: return THREAD_PRIORITY_TIME_CRITICAL;
  }
  return THREAD_PRIORITY_NORMAL;
}

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

DWORD WINAPI WorkerLoop(void* parameter) {
  // The worker owns one reference to the shared state and drops it when it
  // ends; the timer may be long gone by then.
  std::unique_ptr<std::shared_ptr<TVellThreadTimer::Shared>> owned(
      static_cast<std::shared_ptr<TVellThreadTimer::Shared>*>(parameter));
  TVellThreadTimer::Shared& shared = **owned;
  while (!shared.stop.load()) {
    const std::int64_t start = NowMs();
    if (shared.enabled.load())
      SendMessageW(static_cast<HWND>(shared.tickWindow), kTickMessage, 0, reinterpret_cast<LPARAM>(&shared));
    const std::int64_t elapsed = NowMs() - start;
    const std::int64_t sleep = std::max<std::int64_t>(kShortestSleepMs, shared.interval.load() - elapsed);
    Sleep(static_cast<DWORD>(sleep));
  }
  return 0;
}

}  // namespace

TVellThreadTimer::TVellThreadTimer() : shared_(std::make_shared<Shared>()) {
  shared_->timer = this;
  shared_->tickWindow = TickWindowOfThisThread();
  auto* workerReference = new std::shared_ptr<Shared>(shared_);
  HANDLE thread = CreateThread(nullptr, 0, WorkerLoop, workerReference, CREATE_SUSPENDED, nullptr);
  if (!thread) {
    delete workerReference;  // no worker: the timer simply never ticks
    return;
  }
  ::SetThreadPriority(thread, WindowsPriority(priority_));
  ResumeThread(thread);
  thread_ = thread;
}

TVellThreadTimer::~TVellThreadTimer() {
  shared_->stop.store(true);
  shared_->timer = nullptr;
  if (thread_) CloseHandle(static_cast<HANDLE>(thread_));
}

bool TVellThreadTimer::Enabled() const { return shared_->enabled.load(); }
void TVellThreadTimer::SetEnabled(bool enabled) { shared_->enabled.store(enabled); }
int TVellThreadTimer::Interval() const { return shared_->interval.load(); }
void TVellThreadTimer::SetInterval(int milliseconds) { shared_->interval.store(milliseconds); }

void TVellThreadTimer::SetThreadPriority(TThreadPriority priority) {
  priority_ = priority;
  // Later changes reach the worker too: a screen that lowers its counter
  // timer's priority means it.
  if (thread_) ::SetThreadPriority(static_cast<HANDLE>(thread_), WindowsPriority(priority));
}

void TVellThreadTimer::RunTick(Shared& shared) {
  if (shared.stop.load() || !shared.timer) return;
  TVellThreadTimer& timer = *shared.timer;
  if (!timer.onTimer_) return;
  // A copy: the handler may replace itself or destroy the timer.
  const NotifyEvent handler = timer.onTimer_;
  handler(timer);
}

}  // namespace keytidy
