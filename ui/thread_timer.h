#pragma once
// A timer whose pace comes from a worker thread while its event always runs
// on the thread that created it (the GUI thread). Each tick is handed to that
// thread as a sent message and the worker waits until it has run, so ticks
// of one timer never overlap and they also arrive while the GUI thread only
// processes pending messages during a long operation.
//
// Ticks come every Interval milliseconds measured from the start of the
// previous tick (the tick's own duration is subtracted), never closer than
// 10 ms. A disabled timer keeps its worker waking at that pace without
// raising ticks.
#include <atomic>
#include <functional>
#include <memory>

namespace keytidy {

enum class TThreadPriority { Idle, Lowest, Lower, Normal, Higher, Highest, TimeCritical };

class TVellThreadTimer {
 public:
  using NotifyEvent = std::function<void(TVellThreadTimer& sender)>;

  // Starts the worker at once; the timer itself starts disabled.
  TVellThreadTimer();
  // Asks the worker to stop and returns without waiting for it. A tick that
  // was already handed over no longer reaches OnTimer.
  ~TVellThreadTimer();
  TVellThreadTimer(const TVellThreadTimer&) = delete;
  TVellThreadTimer& operator=(const TVellThreadTimer&) = delete;

  bool Enabled() const;
  void SetEnabled(bool enabled);  // the worker looks at it when it next wakes
  int Interval() const;
  void SetInterval(int milliseconds);  // applies from the worker's next sleep
  TThreadPriority ThreadPriority() const { return priority_; }
  void SetThreadPriority(TThreadPriority priority);
  void SetOnTimer(NotifyEvent handler) { onTimer_ = std::move(handler); }

  // What the timer and its worker share. The worker keeps it alive after the
  // timer is gone, so the stop request stays readable; only the GUI thread
  // follows its pointer back to the timer, and only while `stop` is false.
  struct Shared {
    std::atomic<bool> stop{false};
    std::atomic<bool> enabled{false};
    std::atomic<int> interval{0};
    void* tickWindow = nullptr;  // HWND of the creating thread's tick window
    TVellThreadTimer* timer = nullptr;
  };

  // Runs one tick on the GUI thread (called by the tick window).
  static void RunTick(Shared& shared);

 private:
  std::shared_ptr<Shared> shared_;
  void* thread_ = nullptr;  // the worker's handle, for priority changes
  TThreadPriority priority_ = TThreadPriority::Normal;
  NotifyEvent onTimer_;
};

}  // namespace keytidy
