#include "engine/timing.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "engine/events.h"
#include "engine/input.h"
#include "engine/numbers.h"
#include "engine/platform.h"

namespace vn {

namespace {

int64_t clock_zero = -1;   // SDL ticks at program start
bool virtual_clock = false;
int64_t virtual_now = 0;
int64_t paused_total = 0;  // ms spent paused, left out of ClockMillis
int64_t pause_began = -1;  // raw time the current pause began; -1 = running

using SteadyClock = std::chrono::steady_clock;

int64_t SteadyMicros() {
  return std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now().time_since_epoch()).count();
}

// One frame timer's thread and schedule. SDL's own timers count in whole
// milliseconds and round every delay, which shows as a millisecond of jitter
// per frame; a thread sleeping to an absolute microsecond schedule does not.
// The slots live for the whole run; a slot's thread is joined before it is reused.
struct TimerSchedule {
  std::atomic<int32_t> id{0};      // 0 = slot free
  int64_t period_us = 0;
  std::atomic<int64_t> next_due_us{0};  // steady-clock time of the next tick
  std::thread thread;
  std::mutex mutex;
  std::condition_variable wake;
  bool stop = false;               // guarded by mutex
};
constexpr size_t kMaxTimers = 16;
std::array<TimerSchedule, kMaxTimers> schedules;
std::array<TTimer*, kMaxTimers> owners{};  // main thread only
int32_t last_timer_id = 0;
uint32_t timer_event_type = 0;
bool shutdown_hook_added = false;

// Posts a tick message at every due time. Each due time follows from the
// previous one, not from the wake-up, so lateness does not add up to drift;
// ticks missed by a long stall are skipped, not made up in a burst.
void RunTimerThread(TimerSchedule* schedule, int32_t id) {
  std::unique_lock lock(schedule->mutex);
  while (true) {
    const auto due = SteadyClock::time_point(std::chrono::microseconds(schedule->next_due_us.load()));
    if (schedule->wake.wait_until(lock, due, [schedule] { return schedule->stop; })) return;
    SDL_Event event{};
    event.type = timer_event_type;
    event.user.code = id;
    SDL_PushEvent(&event);
    const int64_t now = SteadyMicros(), period = schedule->period_us;
    int64_t next = schedule->next_due_us.load() + period;
    if (next <= now) next += ((now - next) / period + 1) * period;
    schedule->next_due_us.store(next);
  }
}

void StopTimerThread(TimerSchedule& schedule) {
  if (!schedule.thread.joinable()) return;
  {
    std::lock_guard lock(schedule.mutex);
    schedule.stop = true;
  }
  schedule.wake.notify_all();
  schedule.thread.join();
}

// Before SDL shuts down: no thread may post into a queue that is going away,
// and a later Wait returns at once instead of waiting for ticks that never come.
void StopAllTimerThreads() {
  for (size_t i = 0; i < kMaxTimers; ++i) {
    StopTimerThread(schedules[i]);
    if (owners[i] != nullptr) owners[i]->handle_ = 0;
  }
}

bool EnsureTimerEvents() {
  if (SDL_WasInit(SDL_INIT_EVENTS) == 0 && SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) return false;
  if (timer_event_type == 0) {
    const Uint32 registered = SDL_RegisterEvents(1);
    timer_event_type = registered == Uint32(-1) ? Uint32(SDL_USEREVENT) : registered;
  }
  if (!shutdown_hook_added) {
    AddShutdownHook(StopAllTimerThreads);
    // Also at exit without a platform shutdown: a thread still running when
    // the slots are destroyed would end the program with std::terminate.
    std::atexit(StopAllTimerThreads);
    shutdown_hook_added = true;
  }
  return true;
}

int FindSlot(int32_t id) {
  for (size_t i = 0; i < kMaxTimers; ++i)
    if (id != 0 && schedules[i].id.load() == id) return int(i);
  return -1;
}

void ClaimSlot(TTimer& timer) {
  for (size_t i = 0; i < kMaxTimers; ++i) {
    if (schedules[i].id.load() != 0) continue;
    StopTimerThread(schedules[i]);  // a thread left by a timer removed at shutdown
    timer.id_ = ++last_timer_id;
    schedules[i].period_us = int64_t(timer.period_ms_) * 1000;
    schedules[i].id.store(timer.id_);
    owners[i] = &timer;
    return;
  }
}

void StartSystemTimer(TTimer& timer) {
  const int slot = FindSlot(timer.id_);
  if (slot < 0 || !EnsureTimerEvents()) return;
  TimerSchedule& schedule = schedules[size_t(slot)];
  StopTimerThread(schedule);
  schedule.stop = false;
  schedule.next_due_us.store(SteadyMicros() + schedule.period_us);
#ifdef __EMSCRIPTEN__
  // The browser build has no threads: Wait counts the ticks from the schedule.
  timer.handle_ = timer.id_;
  return;
#endif
  try {
    schedule.thread = std::thread(RunTimerThread, &schedule, timer.id_);
  } catch (const std::system_error&) {
    return;  // no thread, no ticks: handle_ stays 0 and Wait returns at once
  }
  timer.handle_ = timer.id_;
}

// Waits for the next window message, but never past the timer's next tick by
// more than a fraction of a millisecond: SDL's event wait may sleep in whole
// milliseconds (or poll at that rate), so the last stretch before the tick is
// slept in short steps with the queue checked between them.
bool WaitForMessage(const TimerSchedule& schedule, SDL_Event& event) {
  constexpr int64_t kFineWindowUs = 2000;
  const int64_t until_due = schedule.next_due_us.load() - SteadyMicros();
  if (until_due > kFineWindowUs) return SDL_WaitEventTimeout(&event, int((until_due - kFineWindowUs) / 1000) + 1) != 0;
  if (SDL_PollEvent(&event) != 0) return true;
  std::this_thread::sleep_for(std::chrono::microseconds(std::clamp<int64_t>(until_due / 2, 50, 200)));
  return false;
}

#ifdef __EMSCRIPTEN__
// The browser build's Wait. The page only draws, plays sound and delivers input
// while the program gives control back, so every Wait sleeps through the browser
// (the program's stack is set aside meanwhile) even when the frame ran long;
// the ticks that fell due are then counted from the schedule.
int32_t SleepThroughBrowser(TimerSchedule& schedule) {
  const int64_t until_due = schedule.next_due_us.load() - SteadyMicros();
  emscripten_sleep(unsigned(std::max<int64_t>(0, (until_due + 999) / 1000)));
  const int64_t now = SteadyMicros(), period = schedule.period_us;
  int64_t due = schedule.next_due_us.load();
  int32_t ticks = 0;
  if (now >= due) {
    const int64_t passed = (now - due) / period + 1;
    ticks = 1;  // missed ticks are skipped, as on the desktop
    due += passed * period;
  }
  schedule.next_due_us.store(due);
  return ticks;
}
#endif

}  // namespace

void StartClock() {
  if (clock_zero < 0) clock_zero = int64_t(SDL_GetTicks64());
}

static int64_t RawMillis() {
  if (virtual_clock) return virtual_now;
  StartClock();
  return int64_t(SDL_GetTicks64()) - clock_zero;
}

int32_t ClockMillis() {
  // Only 31 bits: the game compares times by subtraction, and a clock that went
  // negative would break every such comparison. It wraps after 24.8 days.
  const int64_t raw = pause_began >= 0 ? pause_began : RawMillis();
  return int32_t((raw - paused_total) & 0x7FFFFFFF);
}

void SetClockPaused(bool paused) {
  if (paused && pause_began < 0) pause_began = RawMillis();
  if (!paused && pause_began >= 0) {
    paused_total += RawMillis() - pause_began;
    pause_began = -1;
  }
}

bool IsClockPaused() { return pause_began >= 0; }

void DelayMillis(int32_t ms) {
  if (ms <= 0) return;
  if (virtual_clock) {
    virtual_now += ms;
    return;
  }
  SDL_Delay(Uint32(ms));
}

void UseVirtualClock(bool on, int32_t start) {
  virtual_clock = on;
  if (on) virtual_now = std::max<int32_t>(start, 0);
  paused_total = 0;
  pause_began = -1;
}

bool IsVirtualClock() { return virtual_clock; }

void AdvanceVirtualClock(int32_t ms) {
  if (ms > 0) virtual_now += ms;
}

uint32_t TimerEventType() { return timer_event_type; }

void CountTimerTick(const SDL_UserEvent& event) {
  const int slot = FindSlot(event.code);
  if (slot >= 0 && owners[size_t(slot)] != nullptr) ++owners[size_t(slot)]->ticks_;
}

std::shared_ptr<TTimer> TTimer::Create(float hertz) {
  if (!(hertz > 0.0f)) return nullptr;
  auto timer = std::make_shared<TTimer>();
  timer->period_ms_ = std::max(1, Trunc(1000.0 / double(hertz)));
  ClaimSlot(*timer);
  // On the virtual clock nothing real ticks; the system timer starts with the
  // first Wait on the real clock.
  if (!virtual_clock) StartSystemTimer(*timer);
  return timer;
}

TTimer::~TTimer() {
  const int slot = FindSlot(id_);
  if (slot < 0) return;
  StopTimerThread(schedules[size_t(slot)]);
  owners[size_t(slot)] = nullptr;
  schedules[size_t(slot)].id.store(0);
}

int TTimer::Wait() {
  if (virtual_clock) {
    virtual_now += period_ms_;
    FetchInput();
    wticks_ = ticks_;
    return 1;
  }
  if (handle_ == 0) StartSystemTimer(*this);
  if (handle_ == 0) return 0;

  // Messages that arrived during the frame first: if a tick is among them the
  // frame ran long and we do not wait at all.
  FetchInput();
  const int slot = FindSlot(id_);
  if (slot < 0) return 0;
  while (ticks_ == wticks_) {
    if (handle_ == 0) return 0;  // the platform shut down meanwhile
#ifdef __EMSCRIPTEN__
    ticks_ += SleepThroughBrowser(schedules[size_t(slot)]);
    PollInput();
    continue;
#endif
    SDL_Event event;
    if (WaitForMessage(schedules[size_t(slot)], event)) TranslateEvent(event);
  }
  const int ticks = ticks_ - wticks_;
  wticks_ = ticks_;
  return ticks;
}

}  // namespace vn
