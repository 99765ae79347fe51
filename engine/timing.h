#pragma once
// Clock and frame timer. Tests switch to a virtual clock that only moves when
// told to, so frame loops run deterministically and fast.
#include <cstdint>
#include <memory>

namespace vn {

// Milliseconds since the program started (never negative in a real run).
int32_t ClockMillis();
// Sleeps the calling thread (real clock) or advances the virtual clock.
void DelayMillis(int32_t ms);

// A periodic timer. Period = trunc(1000 / hertz) ms, ticks on an absolute
// schedule so it does not drift.
class TTimer {
 public:
  static std::shared_ptr<TTimer> Create(float hertz);
  ~TTimer();
  // Blocks, handling window messages, until at least one new tick has arrived;
  // returns the ticks since the previous Wait (at least 1). With the virtual
  // clock it advances the clock by one period and returns 1.
  int Wait();
  int32_t PeriodMillis() const { return period_ms_; }

  int32_t period_ms_ = 0;
  int32_t ticks_ = 0;    // ticks counted so far
  int32_t wticks_ = 0;   // ticks already seen by Wait
  int32_t handle_ = 0;   // system timer id; 0 when creating it failed
  int64_t next_due_ = 0; // absolute time of the next tick (real clock)
};
using TimerRef = std::shared_ptr<TTimer>;

// Test seam: a manual clock. When on, ClockMillis returns the virtual time,
// which starts at `start` and moves only by AdvanceVirtualClock, DelayMillis and
// each TTimer::Wait (one period per call).
void UseVirtualClock(bool on, int32_t start = 1000);
bool IsVirtualClock();
void AdvanceVirtualClock(int32_t ms);

}  // namespace vn
