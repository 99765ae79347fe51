#pragma once
// Process-wide start and end of the platform layer.
#include <functional>

namespace vn {

// Before OpenGraphics: use SDL's dummy video and audio drivers (no X server, no
// sound device) and the software renderer. Test binaries call it first.
void SetHeadless(bool headless);
bool IsHeadless();
// Before InitPlatform: the SDL video and audio drivers to use by name
// ("offscreen", "dummy"); a null name leaves that choice as it is.
void UseDrivers(const char* video, const char* audio);
// Initialises SDL subsystems once (video, audio, joystick, timer, events) and
// starts the clock. Safe to call again. False when video cannot start; a
// missing sound device or joystick is not a failure.
bool InitPlatform();
// Runs the shutdown hooks, closes the joystick and shuts SDL down; registered to
// run at exit. A second call does nothing.
void ShutdownPlatform();
// Runs inside ShutdownPlatform before SDL goes away, last added first: owners of
// SDL objects (window, renderer, textures, audio device) release them here, as
// they cannot be released safely once SDL has shut down.
void AddShutdownHook(std::function<void()> hook);
// Ends the program at once with the given status after shutting the platform down.
[[noreturn]] void ExitProgram(int status = 0);

}  // namespace vn
