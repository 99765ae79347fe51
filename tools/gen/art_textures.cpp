#include "tools/gen/art_textures.h"

namespace vngen {

void PaintBricks(Canvas& c, int x, int y, int w, int h, const BrickStyle& s) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      int py = y + j, px = x + i;
      int row = py / s.brick_h;
      int shifted = px + (row % 2) * (s.brick_w / 2);
      int column = (shifted / s.brick_w) % (32 / s.brick_w);
      int lx = shifted % s.brick_w, ly = py % s.brick_h;
      if (lx == s.brick_w - 1 || ly == s.brick_h - 1) {
        c.Set(px, py, s.mortar);
        continue;
      }
      float tone = 1.0f + s.tone_spread * (Hash01(column, row, s.seed) * 2 - 1);
      if (ly == 0 || lx == 0) tone += 0.12f;
      if (ly == s.brick_h - 2 || lx == s.brick_w - 2) tone -= 0.12f;
      tone += s.grain * (Hash01(px, py, s.seed + 7) * 2 - 1);
      c.Set(px, py, Shade(s.brick, tone));
    }
}

void PaintBoards(Canvas& c, int x, int y, int w, int h, Rgba wood, int board, bool vertical, uint32_t seed) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      int along = vertical ? y + j : x + i, across = vertical ? x + i : y + j;
      int index = across / board, local = across % board;
      if (local == board - 1) {
        c.Set(x + i, y + j, Shade(wood, 0.55f));
        continue;
      }
      // Grain: long thin streaks along the board, slightly wavy.
      float streak = SmoothNoise(float(along) * 0.15f, float(across) * 1.7f + float(index) * 13, 1.0f, seed);
      float tone = 0.92f + 0.10f * Hash01(index, 0, seed + 3) + 0.14f * (streak - 0.5f);
      if (local == 0) tone += 0.10f;
      if (local == board - 2) tone -= 0.10f;
      c.Set(x + i, y + j, Shade(wood, tone));
    }
  // Nails near the board ends, at the tile's seam so neighbours agree.
  for (int across = 0; across < (vertical ? w : h); across += board) {
    int mid = across + board / 2 - 1;
    if (vertical) {
      c.Set(x + mid, y + 2, Shade(wood, 0.45f));
      c.Set(x + mid, y + h - 3, Shade(wood, 0.45f));
    } else {
      c.Set(x + 2, y + mid, Shade(wood, 0.45f));
      c.Set(x + w - 3, y + mid, Shade(wood, 0.45f));
    }
  }
}

void PaintRough(Canvas& c, int x, int y, int w, int h, Rgba base, float contrast, float cell, uint32_t seed) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      // Sample the noise on a 32-periodic lattice so the texture tiles.
      float n = TileNoise(float(x + i), float(y + j), cell, seed);
      float fine = Hash01((x + i) % 32, (y + j) % 32, seed + 1);
      c.Set(x + i, y + j, Shade(base, 1.0f + contrast * (n - 0.5f) * 2 + 0.05f * (fine - 0.5f)));
    }
}

void PaintPebbles(Canvas& c, int x, int y, int w, int h, Rgba stone, int count, uint32_t seed) {
  for (int k = 0; k < count; ++k) {
    float px = float(x) + 2 + Hash01(k, 1, seed) * float(w - 4);
    float py = float(y) + 2 + Hash01(k, 2, seed) * float(h - 4);
    float r = 1.2f + Hash01(k, 3, seed) * 1.6f;
    Rgba tint = Shade(stone, 0.85f + 0.3f * Hash01(k, 4, seed));
    c.FillEllipse(px + 0.5f, py + 0.7f, r + 0.4f, r * 0.8f + 0.3f, Shade(tint, 0.6f));
    c.FillEllipse(px, py, r, r * 0.8f, tint);
    c.Set(int(px - r * 0.4f), int(py - r * 0.4f), Shade(tint, 1.25f));
  }
}

void PaintGrassTop(Canvas& c, int h, Rgba grass, Rgba light, Rgba dark, uint32_t seed) {
  for (int x = 0; x < c.Width(); ++x) {
    // Ragged lower edge from a 32-periodic hash, so tiles join.
    int depth = h - 2 + int(Hash01(x % 32, 0, seed) * 4.0f);
    for (int y = 0; y < depth; ++y) c.Set(x, y, y == 0 ? light : (y == 1 ? Mix(light, grass, 0.5f) : grass));
    c.Set(x, depth, dark);
    if (Hash01(x % 32, 5, seed) > 0.7f) c.Set(x, depth + 1, dark);
  }
}

void PaintRivet(Canvas& c, int x, int y, Rgba metal) {
  c.Set(x, y, Shade(metal, 1.4f));
  c.Set(x + 1, y, metal);
  c.Set(x, y + 1, metal);
  c.Set(x + 1, y + 1, Shade(metal, 0.55f));
}

}  // namespace vngen
