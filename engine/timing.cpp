#include "engine/timing.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>

#include "engine/events.h"
#include "engine/input.h"
#include "engine/numbers.h"

namespace vn {

namespace {

int64_t clock_zero = -1;   // SDL ticks at program start
bool virtual_clock = false;
int64_t virtual_now = 0;

// What the SDL timer thread needs to know about one frame timer. The slots live
// for the whole run, so a callback that is already running while its timer is
// removed still touches valid memory; it only posts a tick nobody counts.
struct TimerSchedule {
  std::atomic<int32_t> id{0};  // 0 = slot free
  uint32_t period_ms = 0;
  uint64_t next_due = 0;       // SDL ticks of the next tick; the timer thread owns it once started
};
constexpr size_t kMaxTimers = 16;
std::array<TimerSchedule, kMaxTimers> schedules;
std::array<TTimer*, kMaxTimers> owners{};  // main thread only
int32_t last_timer_id = 0;
uint32_t timer_event_type = 0;

// Each delay is computed from the absolute schedule rather than reusing the
// period, so the small lateness of every wake-up does not add up to drift.
// Ticks missed by a long stall are skipped, not made up in a burst.
Uint32 PostTick(Uint32, void* param) {
  auto* schedule = static_cast<TimerSchedule*>(param);
  const int32_t id = schedule->id.load();
  if (id == 0) return 0;
  SDL_Event event{};
  event.type = timer_event_type;
  event.user.code = id;
  SDL_PushEvent(&event);

  const uint64_t now = SDL_GetTicks64();
  const uint64_t period = schedule->period_ms;
  schedule->next_due += period;
  if (schedule->next_due <= now) schedule->next_due += ((now - schedule->next_due) / period + 1) * period;
  return Uint32(schedule->next_due - now);
}

bool EnsureTimerEvents() {
  const Uint32 needed = SDL_INIT_TIMER | SDL_INIT_EVENTS;
  if (SDL_WasInit(needed) != needed && SDL_InitSubSystem(needed) != 0) return false;
  if (timer_event_type == 0) {
    const Uint32 registered = SDL_RegisterEvents(1);
    timer_event_type = registered == Uint32(-1) ? Uint32(SDL_USEREVENT) : registered;
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
    timer.id_ = ++last_timer_id;
    schedules[i].period_ms = uint32_t(timer.period_ms_);
    schedules[i].id.store(timer.id_);
    owners[i] = &timer;
    return;
  }
}

void StartSystemTimer(TTimer& timer) {
  const int slot = FindSlot(timer.id_);
  if (slot < 0 || !EnsureTimerEvents()) return;
  TimerSchedule& schedule = schedules[size_t(slot)];
  schedule.next_due = SDL_GetTicks64() + schedule.period_ms;
  timer.handle_ = SDL_AddTimer(schedule.period_ms, PostTick, &schedule);
}

}  // namespace

void StartClock() {
  if (clock_zero < 0) clock_zero = int64_t(SDL_GetTicks64());
}

int32_t ClockMillis() {
  // Only 31 bits: the game compares times by subtraction, and a clock that went
  // negative would break every such comparison. It wraps after 24.8 days.
  if (virtual_clock) return int32_t(virtual_now & 0x7FFFFFFF);
  StartClock();
  return int32_t((int64_t(SDL_GetTicks64()) - clock_zero) & 0x7FFFFFFF);
}

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
  // After platform shutdown SDL has already dropped every timer.
  if (handle_ != 0 && SDL_WasInit(SDL_INIT_TIMER) != 0) SDL_RemoveTimer(handle_);
  const int slot = FindSlot(id_);
  if (slot < 0) return;
  owners[size_t(slot)] = nullptr;
  schedules[size_t(slot)].id.store(0);
}

int TTimer::Wait() {
  if (virtual_clock) {
    virtual_now += period_ms_;
    PollInput();
    wticks_ = ticks_;
    return 1;
  }
  if (handle_ == 0) StartSystemTimer(*this);
  if (handle_ == 0) return 0;

  // Messages that arrived during the frame first: if a tick is among them the
  // frame ran long and we do not wait at all.
  PollInput();
  while (ticks_ == wticks_) {
    SDL_Event event;
    if (SDL_WaitEvent(&event) == 0) return 0;
    TranslateEvent(event);
  }
  const int ticks = ticks_ - wticks_;
  wticks_ = ticks_;
  return ticks;
}

}  // namespace vn
