#pragma once
// Tiles that leave the grid for a while: thrown, falling, sinking, toppling
// columns. Their lists live in the world group (world/world.h).
#include <cstdint>

namespace vn {

struct Tmap_effects_todo {  // a prepared effect from the effects file
  uint8_t nr = 0;           // action number that starts it
  uint16_t x = 0, y = 0;    // cell
  uint8_t layer = 0;        // tile layer; >= 200 chains that action when a column ends
  uint8_t typ = 0;          // kind 1..5
};
struct Tmap_effects {       // a running effect
  uint8_t typ = 0;          // 1 thrown, 2 falling, 3 sinking, 4/5 column toppling left/right
  uint16_t x = 0, y = 0;    // world pixels (16 bits: values below 0 wrap)
  uint16_t tile = 0;        // tile value shown (kinds 1..3)
  uint8_t layer = 0;        // tile layer; >= 200 fires that action when the effect ends
  float speedx = 0;         // px/frame (kind 1)
  float speedy = 0;         // px/frame (kinds 1..3), degrees/frame (kinds 4, 5)
  int32_t timeout = 0;      // clock time after which it ends; 2147483647 none; 0 this frame
  float rotation = 0;       // degrees
  int32_t rotation_way = 0; // spin direction
};

// Moves, draws and ends every running effect (once per frame).
void UpdateMapEffects();

}  // namespace vn
