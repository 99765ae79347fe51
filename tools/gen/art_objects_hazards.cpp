// Layer 1: ladders (1..10), deadly objects (11..40), the rubble a broken wall
// leaves (57) and the sign post (58). Ladder rails touch the top and bottom
// edge so stacked ladders join; deadly things carry a dark contour and bright
// points so nobody mistakes them for scenery.
#include <cmath>
#include <vector>

#include "tools/gen/art_palette.h"
#include "tools/gen/art_picture_set.h"
#include "tools/gen/art_textures.h"

namespace vngen {

namespace {

using namespace palette;

Canvas Tile() { return Canvas(kTileSize, kTileSize); }

// --- Ladders -------------------------------------------------------------------

void Rail(Canvas& c, int x, int top, Rgba wood) {
  c.FillRect(x, top, 3, 32 - top, wood);
  c.FillRect(x, top, 1, 32 - top, Shade(wood, 1.3f));
  c.FillRect(x + 2, top, 1, 32 - top, Shade(wood, 0.6f));
}

Canvas WoodenLadder(Rgba wood, bool top_end) {
  Canvas c = Tile();
  int top = top_end ? 3 : 0;
  for (int y = 3; y < 32; y += 8) {
    c.FillRect(8, y, 16, 3, Shade(wood, 0.95f));
    c.FillRect(8, y, 16, 1, Shade(wood, 1.25f));
  }
  Rail(c, 6, top, wood);
  Rail(c, 23, top, wood);
  if (top_end) {
    c.FillRect(6, 2, 3, 1, Shade(wood, 1.3f));
    c.FillRect(23, 2, 3, 1, Shade(wood, 1.3f));
  }
  Canvas outlined = c;
  outlined.Outline(kOutline);
  return outlined;
}

Canvas MetalLadder() {
  Canvas c = Tile();
  for (int y = 2; y < 32; y += 6) {
    c.FillRect(8, y, 16, 2, kIronLight);
    c.FillRect(8, y + 1, 16, 1, kIron);
  }
  for (int x : {6, 24}) {
    c.FillRect(x, 0, 2, 32, kIronLight);
    c.FillRect(x + 1, 0, 1, 32, kIron);
    for (int y = 2; y < 32; y += 6) PaintRivet(c, x, y, kIronLight);
  }
  c.Outline(kOutline);
  return c;
}

Canvas RopeLadder() {
  Canvas c = Tile();
  for (int y = 4; y < 32; y += 8) {
    c.FillRect(7, y, 18, 3, kPlank);
    c.FillRect(7, y, 18, 1, Shade(kPlank, 1.3f));
  }
  for (int x : {6, 24}) {
    for (int y = 0; y < 32; ++y) {
      // A twisted rope: alternating light and dark strands.
      c.Set(x, y, (y / 2) % 2 ? kRope : Shade(kRope, 0.7f));
      c.Set(x + 1, y, (y / 2) % 2 ? Shade(kRope, 0.7f) : kRope);
    }
  }
  c.Outline(kOutline);
  return c;
}

Canvas VineLadder(bool top_end) {
  Canvas c = Tile();
  for (int y = top_end ? 6 : 0; y < 32; ++y) {
    float sway = 2.0f * std::sin(float(y) * 0.39f);
    c.ThickLine(10 + sway, float(y), 10 + sway, float(y) + 1, 3, kLiana);
    c.ThickLine(22 - sway, float(y), 22 - sway, float(y) + 1, 3, kLiana);
  }
  for (int y = 5; y < 32; y += 8) c.ThickLine(10, float(y), 22, float(y) + 2, 2, Shade(kLiana, 0.85f));
  // Leaves, placed the same in every cell so a stack of vines repeats.
  for (auto [x, y, side] : {std::tuple{10, 9, -1}, {22, 17, 1}, {10, 25, -1}, {22, 1, 1}}) {
    if (top_end && y < 6) continue;
    c.FillEllipse(float(x + side * 4), float(y), 3.5f, 2, kGrassLight);
    c.Line(x, y, x + side * 6, y, kGrassDark);
  }
  if (top_end) c.FillEllipse(16, 5, 10, 4, kGrass);
  c.Outline(kOutline);
  return c;
}

// --- Deadly things -----------------------------------------------------------

// Four metal spikes standing on the bottom edge.
Canvas FloorSpikes() {
  Canvas c = Tile();
  c.FillRect(0, 28, 32, 4, kIron);
  c.FillRect(0, 28, 32, 1, kIronLight);
  for (int k = 0; k < 4; ++k) {
    float x = float(k) * 8 + 4;
    c.FillPolygon({x - 3.5f, 28, x + 3.5f, 28, x, 10}, kIronLight);
    c.FillPolygon({x, 28, x + 3.5f, 28, x, 10}, kIron);
    c.FillRect(int(x) - 1, 10, 1, 3, kWhite);  // the bright points warn
  }
  c.Outline(kOutline);
  return c;
}

// The same spikes turned a quarter (clockwise) n times.
Canvas Turned(const Canvas& src, int quarters) {
  Canvas c = src;
  for (int q = 0; q < quarters; ++q) {
    Canvas next = Tile();
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) next.Set(31 - y, x, c.Get(x, y));
    c = next;
  }
  return c;
}

Canvas Thorns() {
  Canvas c = Tile();
  Rgba stem{96, 70, 48, 255};
  for (int k = 0; k < 5; ++k) {
    float x0 = float(k) * 7 + 1, x1 = x0 + 10 - float(k % 2) * 14;
    c.ThickLine(x0, 31, x1, 12 + float(k % 3) * 4, 2.5f, stem);
  }
  c.ThickLine(0, 20, 32, 24, 2.5f, stem);
  for (int k = 0; k < 18; ++k) {
    int x = int(Hash01(k, 0, 15) * 30) + 1, y = int(Hash01(k, 1, 15) * 18) + 12;
    if (!c.Opaque(x, y)) continue;
    c.Set(x, y - 1, kRed);
    c.Set(x, y - 2, Mix(kRed, kWhite, 0.4f));
    c.Set(x + 1, y - 1, kRed);
  }
  c.FillEllipse(8, 14, 3, 2, kGrassDark);
  c.FillEllipse(25, 17, 3, 2, kGrassDark);
  c.Outline(kOutline);
  return c;
}

Canvas SawBlade() {
  Canvas c = Tile();
  std::vector<float> teeth;
  for (int k = 0; k < 24; ++k) {
    float a = float(k) * 0.2618f, r = k % 2 ? 11.0f : 15.0f;
    teeth.push_back(16 + r * std::cos(a));
    teeth.push_back(16 + r * std::sin(a));
  }
  c.FillPolygon(teeth, kIronLight);
  c.FillCircle(16, 16, 9, Shade(kIronLight, 0.85f));
  c.Ring(16, 16, 7, 6, kIron);
  c.FillCircle(16, 16, 3, kIron);
  c.FillCircle(16, 16, 1.2f, kOutline);
  c.Line(9, 12, 12, 9, kWhite);
  c.Outline(kOutline);
  return c;
}

Canvas Stakes() {
  Canvas c = Tile();
  for (int k = 0; k < 5; ++k) {
    float x = float(k) * 6.5f + 3, top = k % 2 ? 12.0f : 8.0f;
    c.FillPolygon({x - 2.5f, 32, x + 2.5f, 32, x + 2.5f, top + 6, x, top, x - 2.5f, top + 6}, kPlank);
    c.FillRect(int(x) + 1, int(top) + 6, 1, 26, Shade(kPlank, 0.7f));
    c.FillPolygon({x - 1, top + 3, x + 1, top + 3, x, top}, kRed);  // blood-red tips
  }
  c.Outline(kOutline);
  return c;
}

Canvas HangingBlade() {
  Canvas c = Tile();
  c.FillRect(15, 0, 2, 14, kIron);
  c.FillPolygon({4, 14, 28, 14, 24, 24, 16, 28, 8, 24}, kIronLight);
  c.FillPolygon({16, 14, 28, 14, 24, 24, 16, 28}, Shade(kIronLight, 0.85f));
  c.Line(6, 19, 10, 25, kWhite);
  c.FillCircle(16, 15, 2, kIron);
  c.Outline(kOutline);
  return c;
}

Canvas PoisonPlant() {
  Canvas c = Tile();
  c.ThickLine(16, 32, 15, 18, 3, kGrassDark);
  c.FillEllipse(9, 27, 6, 2.5f, kGrass);
  c.FillEllipse(23, 26, 6, 2.5f, kGrass);
  // Open jaws with teeth.
  c.FillEllipse(16, 11, 11, 8, kPurple);
  c.FillEllipse(16, 11, 8, 3, Shade(kPoisonDark, 0.6f));
  for (int x = 9; x < 24; x += 3) {
    c.Set(x, 9, kWhite);
    c.Set(x + 1, 13, kWhite);
  }
  for (auto [x, y] : {std::pair{9, 5}, {22, 6}, {12, 17}, {21, 16}}) c.FillCircle(float(x), float(y), 1.3f, kPoison);
  c.Outline(kOutline);
  return c;
}

// --- Rubble and the sign ------------------------------------------------------

Canvas Rubble() {
  Canvas c = Tile();
  for (int k = 0; k < 14; ++k) {
    float x = 3 + Hash01(k, 0, 57) * 26, y = 31 - Hash01(k, 1, 57) * (8 - std::abs(x - 16) / 3);
    float w = 2.5f + Hash01(k, 2, 57) * 3;
    Rgba tone = Shade(kBrickRed, 0.75f + 0.4f * Hash01(k, 3, 57));
    c.FillPolygon({x - w, y, x + w * 0.3f, y - w, x + w, y + 0.5f, x, y + w * 0.6f}, tone);
  }
  for (int k = 0; k < 10; ++k) c.Set(int(2 + Hash01(k, 5, 57) * 28), 31 - int(Hash01(k, 6, 57) * 2), kBrickMortar);
  c.Outline(kOutline);
  return c;
}

Canvas SignPost() {
  Canvas c = Tile();
  c.FillRect(14, 16, 4, 16, kBeam);
  c.FillRect(14, 16, 1, 16, Shade(kBeam, 1.3f));
  c.FillRect(3, 3, 26, 15, kPlank);
  c.FillRect(3, 3, 26, 1, Shade(kPlank, 1.3f));
  c.FillRect(3, 10, 26, 1, Shade(kPlank, 0.75f));
  c.FillRect(3, 17, 26, 1, Shade(kPlank, 0.6f));
  // A white "!" says "read me".
  c.FillRect(15, 5, 3, 7, kWhite);
  c.FillRect(15, 13, 3, 3, kWhite);
  PaintRivet(c, 5, 5, kIron);
  PaintRivet(c, 26, 5, kIron);
  c.Outline(kOutline);
  return c;
}

}  // namespace

void PaintLadderAndHazardObjects(PictureSet& set) {
  set.Tile(1, 1, "ladder: wood", WoodenLadder(kPlank, false));
  set.Tile(1, 2, "ladder: wood, top end", WoodenLadder(kPlank, true));
  set.Tile(1, 3, "ladder: vine", VineLadder(false));
  set.Tile(1, 4, "ladder: vine, top end", VineLadder(true));
  set.Tile(1, 5, "ladder: rope with wooden rungs", RopeLadder());
  set.Tile(1, 6, "ladder: iron", MetalLadder());
  set.Tile(1, 7, "ladder: dark wood (castle)", WoodenLadder(kBeam, false));
  set.Tile(1, 8, "ladder: dark wood, top end", WoodenLadder(kBeam, true));

  Canvas spikes = FloorSpikes();
  set.Tile(1, 11, "deadly: spikes pointing up (on a floor)", spikes);
  set.Tile(1, 12, "deadly: spikes pointing down (under a ceiling)", Turned(spikes, 2));
  set.Tile(1, 13, "deadly: spikes pointing right (on a wall to the left)", Turned(spikes, 1));
  set.Tile(1, 14, "deadly: spikes pointing left (on a wall to the right)", Turned(spikes, 3));
  set.Tile(1, 15, "deadly: thorn bramble", Thorns());
  set.Tile(1, 16, "deadly: saw blade", SawBlade());
  set.Tile(1, 17, "deadly: wooden stakes (spike pit)", Stakes());
  set.Tile(1, 18, "deadly: hanging blade", HangingBlade());
  set.Tile(1, 19, "deadly: snapping poison plant", PoisonPlant());

  set.Tile(1, 57, "rubble of a broken wall", Rubble());
  set.Tile(1, 58, "sign post (the cell's code picks the help text)", SignPost());
}

}  // namespace vngen
