#pragma once
// Process-wide start and end of the platform layer.

namespace vn {

// Before OpenGraphics: use SDL's dummy video and audio drivers (no X server, no
// sound device) and the software renderer. Test binaries call it first.
void SetHeadless(bool headless);
bool IsHeadless();
// Initialises SDL subsystems once (video, audio, joystick, timer). Safe to call again.
bool InitPlatform();
// Closes window and audio; registered to run at exit.
void ShutdownPlatform();
// Ends the program at once with status 0 after shutting the platform down.
[[noreturn]] void ExitProgram(int status = 0);

}  // namespace vn
