// The thread timer's pace and its hand-over to the GUI thread. Timings run
// on a shared machine: bounds are generous on the slow side and tight only
// where the rule itself is at stake (the 10 ms floor, the subtracted tick
// duration).
#include "ui/thread_timer.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "ui/window.h"

namespace keytidy {
namespace {

double NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Lets the GUI thread process messages (and so ticks) for a while, or until
// `done` says so.
void PumpFor(
    double milliseconds, const std::function<bool()>& done = [] { return false; }) {
  const double end = NowMs() + milliseconds;
  while (!done()) {
    const double left = end - NowMs();
    if (left <= 0) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
    ui::ProcessMessages();
  }
}

std::vector<double> Gaps(const std::vector<double>& times) {
  std::vector<double> gaps;
  for (size_t i = 1; i < times.size(); ++i) gaps.push_back(times[i] - times[i - 1]);
  return gaps;
}

TEST(ThreadTimer, ShortIntervalsTickAboutEveryTenMilliseconds) {
  for (int interval : {0, 5}) {
    SCOPED_TRACE(interval);
    TVellThreadTimer timer;
    timer.SetInterval(interval);
    std::vector<double> ticks;
    DWORD tickThread = 0;
    TVellThreadTimer* sender = nullptr;
    timer.SetOnTimer([&](TVellThreadTimer& s) {
      ticks.push_back(NowMs());
      tickThread = GetCurrentThreadId();
      sender = &s;
    });
    timer.SetEnabled(true);
    PumpFor(2000, [&] { return ticks.size() >= 12; });
    timer.SetEnabled(false);
    ASSERT_GE(ticks.size(), 12u);
    EXPECT_EQ(tickThread, GetCurrentThreadId());
    EXPECT_EQ(sender, &timer);
    double total = 0;
    for (double gap : Gaps(ticks)) {
      EXPECT_GE(gap, 9.0);  // never closer than the 10 ms floor (1 ms clock slack)
      total += gap;
    }
    EXPECT_LT(total / (ticks.size() - 1), 40.0);
  }
}

TEST(ThreadTimer, TickDurationIsSubtractedButTheFloorStays) {
  // 400 ms with a 150 ms tick: the worker sleeps 250 ms, so ticks start
  // 400 ms apart. A 500 ms tick is followed by only the 10 ms floor.
  const struct {
    int tickMs;
    double gapMin, gapMax;
  } cases[] = {{150, 390, 470}, {500, 505, 580}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tickMs);
    TVellThreadTimer timer;
    timer.SetInterval(400);
    std::vector<double> ticks;
    timer.SetOnTimer([&](TVellThreadTimer&) {
      ticks.push_back(NowMs());
      Sleep(c.tickMs);
    });
    timer.SetEnabled(true);
    PumpFor(3000, [&] { return ticks.size() >= 3; });
    timer.SetEnabled(false);
    ASSERT_GE(ticks.size(), 3u);
    for (double gap : Gaps(ticks)) {
      EXPECT_GE(gap, c.gapMin);
      EXPECT_LE(gap, c.gapMax);
    }
  }
}

TEST(ThreadTimer, DisablingInsideTheTickEndsTheTicks) {
  TVellThreadTimer timer;
  timer.SetInterval(10);
  int ticks = 0;
  bool stillEnabledAtEnd = true;
  timer.SetOnTimer([&](TVellThreadTimer& sender) {
    ++ticks;
    sender.SetEnabled(false);
    stillEnabledAtEnd = sender.Enabled();  // the running tick completes normally
  });
  timer.SetEnabled(true);
  PumpFor(300);
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(stillEnabledAtEnd);

  // Enabled again, it ticks again.
  timer.SetEnabled(true);
  PumpFor(1000, [&] { return ticks == 2; });
  EXPECT_EQ(ticks, 2);
}

TEST(ThreadTimer, DisabledTimerRaisesNothing) {
  int ticks = 0;
  TVellThreadTimer timer;
  timer.SetOnTimer([&](TVellThreadTimer&) { ++ticks; });
  PumpFor(100);
  EXPECT_EQ(ticks, 0);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 0);
  EXPECT_EQ(timer.ThreadPriority(), TThreadPriority::Normal);
  timer.SetThreadPriority(TThreadPriority::Lower);
  EXPECT_EQ(timer.ThreadPriority(), TThreadPriority::Lower);
}

TEST(ThreadTimer, ATickHandedOverBeforeDestructionIsNotRaised) {
  int ticks = 0;
  {
    TVellThreadTimer timer;
    timer.SetOnTimer([&](TVellThreadTimer&) { ++ticks; });
    timer.SetEnabled(true);
    // Without pumping, the worker's first tick waits in this thread's queue.
    const double end = NowMs() + 2000;
    while (!(GetQueueStatus(QS_SENDMESSAGE) & (QS_SENDMESSAGE << 16)) && NowMs() < end) Sleep(5);
    ASSERT_TRUE(GetQueueStatus(QS_SENDMESSAGE) & (QS_SENDMESSAGE << 16)) << "no tick was handed over";
  }
  // The timer is gone; its handed-over tick now runs and must do nothing.
  PumpFor(100);
  EXPECT_EQ(ticks, 0);
}

TEST(ThreadTimer, TimersDestroyedInsideTheirOwnTickStop) {
  int ticks = 0;
  auto* timer = new TVellThreadTimer;
  timer->SetInterval(10);
  timer->SetOnTimer([&](TVellThreadTimer& sender) {
    ++ticks;
    delete &sender;
  });
  timer->SetEnabled(true);
  PumpFor(300);
  EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace keytidy
