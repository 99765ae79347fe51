#pragma once
// Plays input scripts through the real play loop, headless on the virtual clock.
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/playtest/input_script.h"

namespace vn::playtest {

struct PlayResult {
  int frames = 0;             // frames played
  bool reached_exit = false;  // the player left the level through its exit
  bool run_ended = false;     // the play loop's run ended (tutorial exit, end of game)
  bool player_alive = false;  // at the end
  uint8_t level = 0;          // level_index at the end
  int32_t x = 0, y = 0;       // the player's last position
  int script_line = 0;        // line of the step being played when it stopped
};

// Prepares the engine for headless playing (virtual clock, dummy drivers, the
// fixed tables, default bindings). Call once per process; the working
// directory must hold map/ (and may hold gfx/ sfx/).
void InitHeadlessPlay();

// The random state the level's characters are created from (a fresh program's).
inline constexpr int32_t kLevelLoadSeed = 4660;

// Starts a run of script.level from scratch (play state, input, virtual clock
// and random generator reset, so a script repeats exactly) and plays the script
// until the level's exit is reached, the run ends or the script runs out. The
// random generator is seeded with script.seed right after the level is loaded. With a trace stream, every
// trace_every frames a line with the player's state is written.
// after_frame, when given, is called after every frame with the frame's number.
using FrameObserver = std::function<void(int frame)>;
PlayResult PlayScript(const InputScript& script, std::ostream* trace = nullptr, int trace_every = 10,
                      const FrameObserver& after_frame = {});

// Plays several scripts in one run, each continuing where the previous level's
// exit led (inventory carried over), reseeding after every level change. Stops
// at the first script that does not reach its exit. Returns one result per
// script played.
std::vector<PlayResult> PlayScriptsInOneRun(const std::vector<InputScript>& scripts,
                                            std::ostream* trace = nullptr, int trace_every = 10);

}  // namespace vn::playtest
