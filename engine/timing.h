#pragma once
// Clock and frame timer. Tests switch to a virtual clock that only moves when
// told to, so frame loops run deterministically and fast.
#include <cstdint>
#include <memory>

namespace vn {

// Milliseconds since the program started (never negative in a real run).
int32_t ClockMillis();
// Sleeps the calling thread (real clock) or advances the virtual clock; ms <= 0
// does nothing.
void DelayMillis(int32_t ms);

// A periodic timer. Period = trunc(1000 / hertz) ms, ticks on an absolute
// schedule so it does not drift.
class TTimer {
 public:
  // Nothing for hertz <= 0. A timer whose system timer could not be started
  // has handle_ 0 and its Wait returns 0 at once on the real clock.
  static std::shared_ptr<TTimer> Create(float hertz);
  TTimer() = default;
  ~TTimer();
  TTimer(const TTimer&) = delete;             // the tick messages name this object
  TTimer& operator=(const TTimer&) = delete;
  // Blocks, handling window messages, until at least one new tick has arrived;
  // returns the ticks since the previous Wait (at least 1). With the virtual
  // clock it advances the clock by one period and returns 1.
  int Wait();
  int32_t PeriodMillis() const { return period_ms_; }

  int32_t period_ms_ = 0;
  int32_t ticks_ = 0;    // ticks counted so far
  int32_t wticks_ = 0;   // ticks already seen by Wait
  int32_t handle_ = 0;   // system timer id; 0 when creating it failed
  int32_t id_ = 0;       // names this timer in its tick messages; 0 = none
};
using TimerRef = std::shared_ptr<TTimer>;

// While paused (the game is not in front) ClockMillis stands still; after
// resuming it goes on from where it stood, so paused time never counts.
void SetClockPaused(bool paused);
bool IsClockPaused();

// Test seam: a manual clock. When on, ClockMillis returns the virtual time,
// which starts at `start` and moves only by AdvanceVirtualClock, DelayMillis and
// each TTimer::Wait (one period per call). It never moves backwards: negative
// steps are ignored.
void UseVirtualClock(bool on, int32_t start = 1000);
bool IsVirtualClock();
void AdvanceVirtualClock(int32_t ms);

}  // namespace vn
