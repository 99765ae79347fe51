#pragma once
// Seamless surface textures for 32 x 32 tiles: each repeats with a period of
// 32 pixels, so neighbouring cells join without seams.
#include <cstdint>

#include "tools/gen/art_canvas.h"

namespace vngen {

struct BrickStyle {
  Rgba brick, mortar;
  int brick_w = 16, brick_h = 8;  // including one pixel of mortar
  float tone_spread = 0.10f;      // brightness difference between bricks
  float grain = 0.05f;
  uint32_t seed = 1;
};

// Staggered bricks over the area; every other row is offset by half a brick.
void PaintBricks(Canvas& c, int x, int y, int w, int h, const BrickStyle& style);
// Horizontal boards (vertical = false) or vertical ones, with grain and nails.
void PaintBoards(Canvas& c, int x, int y, int w, int h, Rgba wood, int board, bool vertical, uint32_t seed);
// Cloudy rough surface: earth, rock, dark stone.
void PaintRough(Canvas& c, int x, int y, int w, int h, Rgba base, float contrast, float cell, uint32_t seed);
// Scattered pebbles in the area (count of them), drawn as small shaded ovals.
void PaintPebbles(Canvas& c, int x, int y, int w, int h, Rgba stone, int count, uint32_t seed);
// A grass cap: a band of height h along the top with a ragged lower edge.
void PaintGrassTop(Canvas& c, int h, Rgba grass, Rgba light, Rgba dark, uint32_t seed);
// A rivet or nail head.
void PaintRivet(Canvas& c, int x, int y, Rgba metal);

}  // namespace vngen
