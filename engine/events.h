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
// As PollInput, but always fetches the system's news first: for changes that
// only a fetch turns into events (a virtual pad's buttons, a hot-plug).
void FetchInput();
// Opens the first joystick as port 0 if none is open yet.
void OpenFirstPad();
// Closes port 0's joystick (platform shutdown).
void ClosePad();
// Game controllers: true when the device has a mapping and controllers are in
// use (it is then no raw joystick); opening all present ones (with the mapping
// files) at start-up, closing them at shutdown, and their messages.
bool IsMappedPad(int device_index);
void OpenControllers();
void CloseControllers();
void TranslateControllerEvent(const SDL_Event& event);

// The user event type the frame timers post; 0 until the first timer starts.
uint32_t TimerEventType();
// Counts one tick for the timer that posted the event (ticks of timers that no
// longer exist are dropped).
void CountTimerTick(const SDL_UserEvent& event);
// Pins the zero point of ClockMillis to now unless it is already set.
void StartClock();

// The open window and its renderer (graphics owns them); null when none is open.
SDL_Window* CurrentWindow();
SDL_Renderer* CurrentRenderer();
// Copies the finished picture (the render target) to the window, scaled to fit
// with black bars where it does not fill it, and presents it.
void PresentPicture(SDL_Texture* target);
// F11, or Enter with an Alt key held, toggles fullscreen; true when the key was
// one of these and so is not a key for the game.
bool HandleDisplayKey(SDL_Scancode scancode, bool alt_held);

}  // namespace vn
