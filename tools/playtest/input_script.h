#pragma once
// Input scripts: the keys a player holds and taps, frame by frame, in a
// readable text format. They drive the playthrough tests and vnplay.
//
//   # comment
//   level 1            which level_names entry to start (default 0)
//   seed 4242          random seed for the run (default 12345)
//   <frames> [held keys ...] [+tapped key ...]
//   30 right           hold right for 30 frames
//   1 right +jump      hold right, tap jump once, for 1 frame
//   20 -               hold nothing for 20 frames
//
// A tap is a press that is over before the frame runs: it counts for keys the
// game reads as presses (action, draw, F1, F3, ...), but walking and jumping
// read keys as held, so they need at least one frame of holding.
//
// Key names: right left up down jump action draw inventory look (the default
// bindings), f1 f3 f12 esc space i l lctrl lshift lalt num5 and the arrows.
//
// The bag takes frames like play: "1 +inventory" opens it, each press of left
// or right pages once (a press while a page turns waits for it; holding on
// does not page again), "+action" uses the slot shown and
// "+inventory" (or esc, space) closes it; play goes on in the next frame.
#include <cstdint>
#include <string>
#include <vector>

namespace vn::playtest {

struct ScriptStep {
  int frames = 0;
  std::vector<int> held;   // key codes held during the step
  std::vector<int> taps;   // key codes pressed and released before its first frame
  int line = 0;            // source line, for messages
};

struct InputScript {
  uint8_t level = 0;
  int32_t seed = 12345;
  std::vector<ScriptStep> steps;
  int TotalFrames() const;
};

// Parses a script; false with a message naming the line on a fault.
bool ParseInputScript(const std::string& text, InputScript& out, std::string& error);
bool LoadInputScript(const std::string& path, InputScript& out, std::string& error);
// The key code for a script key name, 0 if unknown.
int ScriptKeyCode(const std::string& name);

}  // namespace vn::playtest
