#pragma once
// Engine-internal: the one place where SDL events are turned into game state.
// Input queries (PollInput) and the frame timer's Wait both drain the SDL queue,
// so both hand every event to TranslateEvent and timer ticks are never lost,
// whichever of the two happens to take them out of the queue.
#include <SDL.h>

#include <cstdint>

namespace vn {

// Applies one event to the key, mouse, pad, close and timer state.
void TranslateEvent(const SDL_Event& event);
// Opens the first joystick as port 0 if none is open yet.
void OpenFirstPad();
// Closes port 0's joystick (platform shutdown).
void ClosePad();

// The user event type the frame timers post; 0 until the first timer starts.
uint32_t TimerEventType();
// Counts one tick for the timer that posted the event (ticks of timers that no
// longer exist are dropped).
void CountTimerTick(const SDL_UserEvent& event);
// Pins the zero point of ClockMillis to now unless it is already set.
void StartClock();

}  // namespace vn
