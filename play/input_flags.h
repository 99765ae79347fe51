#pragma once
// Private to the play loop and the steps it runs: the fourteen input flags of a frame.
#include <cstdint>

namespace vn {

// Recomputed every frame by ReadInputFlags (press count or 1; 0 = not set).
struct InputFlags {
  uint8_t hit_jump = 0, hit_right = 0, hit_left = 0, hit_up = 0, hit_down = 0, hit_action = 0,
          hit_draw_weapon = 0;
  uint8_t held_jump = 0, held_right = 0, held_left = 0, held_up = 0, held_down = 0, held_action = 0,
          held_look = 0;
};
inline InputFlags input_flags;

// Reads the fourteen input flags (keys, then pad port 0 as fallback).
void ReadInputFlags();

}  // namespace vn
