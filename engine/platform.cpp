#include "engine/platform.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <vector>

#include "engine/events.h"
#include "engine/stream.h"

namespace vn {

namespace {

bool headless = false;
bool platform_ready = false;
bool exit_hook_registered = false;
std::vector<std::function<void()>> shutdown_hooks;

void SetDriverHint(const char* name, const char* value) {
  if (value != nullptr) SDL_SetHintWithPriority(name, value, SDL_HINT_OVERRIDE);
  else SDL_ResetHint(name);
}

// A stream error that nobody catches ends the program with its text on stderr
// and status -1; any other escaped exception keeps the default behaviour.
std::terminate_handler previous_terminate = nullptr;

[[noreturn]] void EndOnUnhandledError() {
  if (const std::exception_ptr error = std::current_exception()) {
    try {
      std::rethrow_exception(error);
    } catch (const TStreamException& stream_error) {
      std::cerr << stream_error.what() << std::endl;
      std::fflush(nullptr);
      ShutdownPlatform();
      // No static destructors: the stack was not unwound, they could meet
      // objects in the middle of a change.
      std::_Exit(-1);
    } catch (...) {
    }
  }
  if (previous_terminate != nullptr) previous_terminate();
  std::abort();
}

const bool terminate_handler_installed = [] {
  previous_terminate = std::set_terminate(EndOnUnhandledError);
  return true;
}();

}  // namespace

void SetHeadless(bool on) {
  headless = on;
  SetDriverHint(SDL_HINT_VIDEODRIVER, on ? "dummy" : nullptr);
  SetDriverHint(SDL_HINT_AUDIODRIVER, on ? "dummy" : nullptr);
  SetDriverHint(SDL_HINT_RENDER_DRIVER, on ? "software" : nullptr);
  // A dummy window never has the keyboard focus, and without it SDL drops
  // every pad event; a real window reads pads only while it is in front.
  SetDriverHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, on ? "1" : nullptr);
}

void UseDrivers(const char* video, const char* audio) {
  if (video != nullptr) SetDriverHint(SDL_HINT_VIDEODRIVER, video);
  if (audio != nullptr) SetDriverHint(SDL_HINT_AUDIODRIVER, audio);
}

bool IsHeadless() { return headless; }

bool InitPlatform() {
  if (platform_ready) return true;
  (void)terminate_handler_installed;
  StartClock();
  if (!exit_hook_registered) {
    std::atexit(ShutdownPlatform);
    exit_hook_registered = true;
  }
  if (SDL_InitSubSystem(SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) return false;
  SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);  // playing without pads is fine
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  SDL_InitSubSystem(SDL_INIT_AUDIO);     // the sound code copes without a device
  OpenControllers();
  OpenFirstPad();
  platform_ready = true;
  return true;
}

void AddShutdownHook(std::function<void()> hook) { shutdown_hooks.push_back(std::move(hook)); }

void ShutdownPlatform() {
  if (SDL_WasInit(0) == 0 && shutdown_hooks.empty()) return;
  // Taken out first so that a hook calling ShutdownPlatform again finds nothing.
  std::vector<std::function<void()>> hooks;
  hooks.swap(shutdown_hooks);
  for (auto hook = hooks.rbegin(); hook != hooks.rend(); ++hook) (*hook)();
  ClosePad();
  CloseControllers();
  SDL_Quit();
  platform_ready = false;
}

void ExitProgram(int status) {
  ShutdownPlatform();
  std::exit(status);
}

}  // namespace vn
