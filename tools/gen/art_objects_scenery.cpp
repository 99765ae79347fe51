// Layer 1, 60..229: scenery drawn behind the figures. It neither blocks nor
// hurts, so it carries no black contour: softer edges keep it apart from the
// things the player uses.
#include <array>
#include <cmath>
#include <tuple>

#include "tools/gen/art_palette.h"
#include "tools/gen/art_picture_set.h"
#include "tools/gen/art_textures.h"

namespace vngen {

namespace {

using namespace palette;

Canvas Tile() { return Canvas(kTileSize, kTileSize); }

// A soft contour: a darker version of the dominant tone instead of black.
Canvas Soft(Canvas c, Rgba tone) {
  c.Outline(Shade(tone, 0.45f));
  return c;
}

// --- Doors -----------------------------------------------------------------------

// Door halves: stone posts left and right; the upper half ends in a round
// arch whose stone fills the corners above it.
void DoorFrame(Canvas& c, bool upper) {
  c.FillRect(1, 0, 3, 32, kStoneDark);
  c.FillRect(28, 0, 3, 32, kStoneDark);
  if (upper)
    for (int y = 0; y < 12; ++y)
      for (int x = 1; x < 31; ++x) {
        float dx = (float(x) + 0.5f - 16) / 12, dy = (float(y) + 0.5f - 12) / 10;
        float d = dx * dx + dy * dy;
        if (d > 1.0f) c.Set(x, y, d < 1.7f ? kStoneDark : kClear);
      }
  c.Grain(0, 0, 32, 32, 0.08f, 60);
}

Canvas Door(bool upper, bool open) {
  Canvas c = Tile();
  if (open) {
    c.FillRect(4, 0, 24, 32, {34, 28, 36, 255});  // the dark room beyond
    c.FillRect(4, 0, 5, 32, kPlankDark);  // the leaf seen edge-on
    c.FillRect(8, 0, 1, 32, Shade(kPlankDark, 0.6f));
  } else {
    PaintBoards(c, 4, 0, 24, 32, kPlankDark, 6, true, 61);
    c.FillRect(4, upper ? 20 : 8, 24, 2, kIron);
    if (!upper) c.FillCircle(23, 2, 1.8f, kGold);
  }
  DoorFrame(c, upper);
  return Soft(c, kStoneDark);
}

Canvas ExitDoor(bool upper) {
  Canvas c = Door(upper, true);
  if (upper) {
    // A green arrow over the opening: the way out.
    c.FillPolygon({10, 14, 18, 14, 18, 11, 24, 17, 18, 23, 18, 20, 10, 20}, kGreen);
    c.FillRect(10, 14, 8, 1, Mix(kGreen, kWhite, 0.5f));
  } else {
    c.FillRect(4, 29, 24, 3, Shade(kGreen, 0.7f));  // a lit threshold
  }
  return c;
}

// --- Walls and furniture ------------------------------------------------------

Canvas CastleWindow(bool barred) {
  Canvas c = Tile();
  c.FillRect(6, 8, 20, 22, kStoneDark);
  c.FillCircle(16, 9, 10, kStoneDark);
  c.VerticalGradient(8, 6, 16, 22, {24, 30, 70, 255}, {60, 70, 130, 255});
  c.FillRect(8, 6, 16, 6, kClear);
  c.FillCircle(16, 12, 8, {24, 30, 70, 255});
  c.FillRect(8, 12, 16, 16, {40, 50, 104, 255});
  c.FillCircle(20, 10, 2, {240, 236, 200, 255});  // the moon
  c.Set(11, 15, kWhite);
  c.Set(14, 21, kWhite);
  if (barred)
    for (int x = 11; x < 24; x += 4) c.FillRect(x, 4, 2, 24, kIron);
  else {
    c.FillRect(15, 4, 2, 24, kStoneDark);
    c.FillRect(8, 17, 16, 2, kStoneDark);
  }
  c.FillRect(5, 28, 22, 3, kStoneLight);
  return Soft(c, kStoneDark);
}

Canvas Banner(Rgba cloth, Rgba emblem) {
  Canvas c = Tile();
  c.FillRect(5, 1, 22, 2, kBeam);
  c.FillPolygon({8, 3, 24, 3, 24, 31, 16, 25, 8, 31}, cloth);
  c.FillRect(8, 3, 2, 26, Shade(cloth, 1.2f));
  c.FillRect(22, 3, 2, 26, Shade(cloth, 0.75f));
  c.FillPolygon({16, 8, 20, 13, 16, 18, 12, 13}, emblem);
  c.FillRect(15, 18, 2, 4, emblem);
  return Soft(c, cloth);
}

void Sconce(Canvas& c) {
  c.FillRect(14, 20, 4, 10, kIron);
  c.FillPolygon({11, 16, 21, 16, 18, 21, 14, 21}, kIronLight);
  c.FillRect(12, 28, 8, 3, kIron);
}

Canvas TorchHolder(bool burning) {
  Canvas c = Tile();
  Sconce(c);
  c.FillRect(14, 10, 4, 7, kBeam);
  if (burning) {
    c.FillEllipse(16, 7, 4, 6, kLava);
    c.FillEllipse(16, 8, 2.5f, 4, kLavaLight);
  }
  return Soft(c, kIron);
}

Canvas Chain(bool hook) {
  Canvas c = Tile();
  for (int y = -2; y < (hook ? 18 : 32); y += 6) {
    if ((y / 6) % 2 == 0) c.Ring(16, float(y) + 3, 3.5f, 2, kIronLight);
    else c.FillRect(15, y, 2, 6, kIron);
  }
  if (hook) {
    c.Ring(16, 24, 5, 3, kIronLight);
    c.FillRect(9, 18, 7, 6, kClear);
    c.FillPolygon({10, 20, 12, 17, 12, 21}, kIronLight);
  }
  return Soft(c, kIron);
}

Canvas Barrel() {
  Canvas c = Tile();
  c.FillEllipse(16, 18, 11, 13, kPlank);
  c.FillRect(5, 6, 22, 26, kClear);
  for (int y = 6; y < 31; ++y) {
    float bulge = 10.0f + 1.5f * std::sin(float(y - 6) / 24.0f * 3.14159f);
    for (int x = int(16 - bulge); x < int(16 + bulge); ++x) {
      float t = (float(x) - 16) / bulge;
      c.Set(x, y, Shade(kPlank, 1.1f - 0.35f * t * t + ((x + 2) % 5 == 0 ? -0.2f : 0)));
    }
  }
  for (int y : {9, 26}) c.FillRect(5, y, 22, 2, kIron);
  c.FillEllipse(16, 6.5f, 10, 2, Shade(kPlank, 0.8f));
  return Soft(c, kPlankDark);
}

Canvas Bush() {
  Canvas c = Tile();
  for (auto [x, y, r] : {std::tuple{9.0f, 22.0f, 8.0f}, {22.0f, 21.0f, 8.5f}, {16.0f, 15.0f, 9.0f}, {16.0f, 25.0f, 7.0f}}) {
    c.FillCircle(x, y, r, kGrass);
    c.FillCircle(x - 2, y - 2, r * 0.55f, kGrassLight);
  }
  c.FillRect(0, 31, 32, 1, kClear);
  for (int k = 0; k < 30; ++k) {
    int x = int(Hash01(k, 0, 79) * 32), y = int(Hash01(k, 1, 79) * 32);
    if (c.Opaque(x, y)) c.Set(x, y, kGrassDark);
  }
  c.FillCircle(12, 17, 1.3f, kRed);
  c.FillCircle(21, 22, 1.3f, kRed);
  return Soft(c, kGrass);
}

Canvas HangingVine(bool end) {
  Canvas c = Tile();
  int length = end ? 20 : 32;
  for (int y = 0; y < length; ++y) {
    float sway = 2.5f * std::sin(float(y) * 0.2f);
    c.ThickLine(14 + sway, float(y), 14 + sway, float(y) + 1, 2, kLiana);
  }
  for (int y = 4; y < length; y += 7) {
    float sway = 2.5f * std::sin(float(y) * 0.2f);
    float side = (y / 7) % 2 ? 1.0f : -1.0f;
    c.FillEllipse(14 + sway + side * 4, float(y), 3.5f, 1.8f, kGrassLight);
  }
  if (end) c.FillEllipse(14, 21, 3, 3, kGrass);
  return Soft(c, kLiana);
}

Canvas Flowers() {
  Canvas c = Tile();
  for (int k = 0; k < 9; ++k) {
    float x = 2 + float(k) * 3.5f;
    c.Line(int(x), 31, int(x) + k % 3 - 1, 22 + (k * 5) % 6, kGrass);
  }
  for (auto [x, y, col] : {std::tuple{7, 22, kRed}, std::tuple{17, 20, kGold}, std::tuple{26, 23, kPurple}}) {
    c.FillCircle(float(x), float(y), 2.2f, col);
    c.Set(x, y, kWhite);
  }
  return Soft(c, kGrass);
}

Canvas Bones() {
  Canvas c = Tile();
  Rgba bone{226, 218, 196, 255};
  c.FillCircle(12, 24, 5, bone);
  c.FillRect(9, 27, 6, 3, bone);
  c.FillCircle(10, 24, 1.3f, kOutline);
  c.FillCircle(14, 24, 1.3f, kOutline);
  c.ThickLine(18, 29, 29, 26, 2, bone);
  c.FillCircle(18, 29, 1.6f, bone);
  c.FillCircle(29, 26, 1.6f, bone);
  return Soft(c, bone);
}

Canvas Cobweb() {
  Canvas c = Tile();
  Rgba silk{226, 226, 232, 255};
  for (int k = 0; k <= 4; ++k) {
    float a = float(k) * 0.3927f;
    c.Line(0, 0, int(30 * std::cos(a)), int(30 * std::sin(a)), silk);
  }
  for (float r : {8.0f, 15.0f, 22.0f})
    for (int k = 0; k < 4; ++k) {
      float a0 = float(k) * 0.3927f, a1 = a0 + 0.3927f;
      c.Line(int(r * std::cos(a0)), int(r * std::sin(a0)), int(r * std::cos(a1)), int(r * std::sin(a1)), silk);
    }
  return c;
}

Canvas ShieldAndSwords() {
  Canvas c = Tile();
  c.ThickLine(4, 4, 28, 28, 2, kIronLight);
  c.ThickLine(28, 4, 4, 28, 2, kIronLight);
  c.FillRect(3, 26, 5, 2, kBeam);
  c.FillRect(24, 26, 5, 2, kBeam);
  c.FillPolygon({8, 7, 24, 7, 24, 17, 16, 26, 8, 17}, kBlue);
  c.FillPolygon({16, 7, 24, 7, 24, 17, 16, 26}, kRed);
  c.FillCircle(16, 14, 2.5f, kGold);
  return Soft(c, kIron);
}

Canvas Lantern() {
  Canvas c = Tile();
  c.FillRect(15, 0, 2, 8, kIron);
  c.FillPolygon({10, 10, 22, 10, 20, 8, 12, 8}, kIron);
  c.FillRect(11, 10, 10, 13, kLavaLight);
  c.FillRect(14, 13, 4, 7, kWhite);
  c.FillRect(11, 10, 1, 13, kIron);
  c.FillRect(20, 10, 1, 13, kIron);
  c.FillRect(10, 23, 12, 3, kIron);
  return Soft(c, kIron);
}

// Scenery that could pass for a pick-up is painted dull and flat: muted tones
// close to the walls behind it, no bright highlight, a soft contour.
Canvas RopeCoil() {
  Canvas c = Tile();
  const Rgba rope = Mix(kRope, kStoneDark, 0.5f);
  for (float r = 11; r > 2; r -= 2.5f) c.Ring(16, 24, r, r - 1.5f, rope);
  c.FillRect(0, 28, 32, 4, kClear);
  c.FillEllipse(16, 26, 12, 3, Shade(rope, 0.75f));
  c.ThickLine(27, 25, 30, 31, 2, rope);
  return Soft(c, rope);
}

Canvas Anchor() {
  Canvas c = Tile();
  c.Ring(16, 5, 3.5f, 2, kIron);
  c.FillRect(15, 8, 3, 19, kIron);
  c.FillRect(10, 11, 13, 2, kIron);
  c.Ring(16, 18, 11, 9, kIron);
  c.FillRect(4, 6, 25, 14, kClear);
  c.FillRect(15, 8, 3, 19, kIron);
  c.FillRect(10, 11, 13, 2, kIron);
  c.FillPolygon({3, 18, 8, 22, 4, 23}, kIron);
  c.FillPolygon({29, 18, 24, 22, 28, 23}, kIron);
  return Soft(c, kIronLight);
}

Canvas Urn() {
  Canvas c = Tile();
  const Rgba clay{128, 104, 88, 255};  // weathered, greyish clay
  c.FillEllipse(16, 21, 9, 9, clay);
  c.FillRect(12, 7, 8, 7, clay);
  c.FillRect(10, 6, 12, 2, Shade(clay, 1.05f));
  c.FillRect(8, 19, 16, 2, Shade(clay, 0.8f));
  c.Grain(6, 5, 20, 27, 0.08f, 90);
  c.Line(19, 22, 21, 27, Shade(clay, 0.7f));  // a crack
  return Soft(c, clay);
}

Canvas Fern() {
  Canvas c = Tile();
  for (int k = 0; k < 5; ++k) {
    float a = -2.6f + float(k) * 0.55f;
    float ex = 16 + 15 * std::cos(a), ey = 31 + 22 * std::sin(a);
    c.ThickLine(16, 31, ex, ey, 1.5f, kGrassDark);
    for (int s = 1; s < 6; ++s) {
      float t = float(s) / 6.0f;
      c.FillEllipse(16 + (ex - 16) * t, 31 + (ey - 31) * t, 2.5f - t, 1.5f, kGrass);
    }
  }
  return Soft(c, kGrass);
}

Canvas ShipWheel() {
  Canvas c = Tile();
  for (int k = 0; k < 8; ++k) {
    float a = float(k) * 0.785f;
    c.ThickLine(16, 16, 16 + 14 * std::cos(a), 16 + 14 * std::sin(a), 2, kBeam);
  }
  c.Ring(16, 16, 10, 7.5f, kPlank);
  c.FillCircle(16, 16, 3, kGold);
  return Soft(c, kBeam);
}

Canvas Bookshelf() {
  Canvas c = Tile();
  c.FillRect(2, 1, 28, 31, kBeam);
  for (int shelf = 0; shelf < 2; ++shelf) {
    int y = 3 + shelf * 14;
    c.FillRect(4, y, 24, 12, Shade(kBeam, 0.5f));
    for (int x = 4; x < 27; x += 3) {
      Rgba spine = Shade(std::array<Rgba, 4>{kRed, kBlue, kGreen, kPurple}[size_t((x + shelf) % 4)], 0.8f);
      int h = 9 + int(Hash01(x, shelf, 96) * 3);
      c.FillRect(x, y + 12 - h, 2, h, spine);
    }
  }
  return Soft(c, kBeam);
}

Canvas Stalactites() {
  Canvas c = Tile();
  for (auto [x, w, len] : {std::tuple{5.0f, 4.0f, 18.0f}, {14.0f, 5.0f, 26.0f}, {23.0f, 4.0f, 14.0f}, {29.0f, 3.0f, 9.0f}}) {
    c.FillPolygon({x - w, 0, x + w, 0, x, len}, kRock);
    c.FillPolygon({x - w, 0, x - w * 0.3f, 0, x, len}, Shade(kRock, 1.2f));
  }
  return Soft(c, kRock);
}

}  // namespace

void PaintSceneryObjects(PictureSet& set) {
  set.Tile(1, 60, "door, closed, upper half (scenery)", Door(true, false));
  set.Tile(1, 61, "door, closed, lower half (scenery)", Door(false, false));
  set.Tile(1, 62, "doorway, open, upper half", Door(true, true));
  set.Tile(1, 63, "doorway, open, lower half", Door(false, true));
  set.Tile(1, 64, "exit doorway with green arrow, upper half", ExitDoor(true));
  set.Tile(1, 65, "exit doorway, lower half", ExitDoor(false));
  set.Tile(1, 70, "castle window at night", CastleWindow(false));
  set.Tile(1, 71, "barred dungeon window", CastleWindow(true));
  set.Tile(1, 72, "banner, red with gold emblem", Banner(kRed, kGold));
  set.Tile(1, 73, "banner, blue with white emblem", Banner(kBlue, kWhite));
  set.Tile(1, 74, "torch holder, empty", TorchHolder(false));
  set.Tile(1, 75, "torch holder, burning (still flame; layer 2 has a flickering one)", TorchHolder(true));
  set.Tile(1, 76, "chain", Chain(false));
  set.Tile(1, 77, "chain with hook (lower end)", Chain(true));
  set.Tile(1, 78, "barrel", Barrel());
  set.Tile(1, 79, "bush with berries", Bush());
  set.Tile(1, 80, "hanging vine", HangingVine(false));
  set.Tile(1, 81, "hanging vine, lower end", HangingVine(true));
  set.Tile(1, 82, "flowers", Flowers());
  set.Tile(1, 83, "skull and bone", Bones());
  set.Tile(1, 84, "cobweb in an upper left corner", Cobweb());
  set.Tile(1, 85, "cobweb in an upper right corner", Cobweb().FlippedHorizontally());
  set.Tile(1, 86, "shield with crossed swords", ShieldAndSwords());
  set.Tile(1, 87, "hanging lantern", Lantern());
  set.Tile(1, 88, "coil of rope", RopeCoil());
  set.Tile(1, 89, "anchor", Anchor());
  set.Tile(1, 90, "clay urn", Urn());
  set.Tile(1, 91, "fern", Fern());
  set.Tile(1, 92, "ship's wheel", ShipWheel());
  set.Tile(1, 93, "bookshelf", Bookshelf());
  set.Tile(1, 94, "stalactites (under a ceiling)", Stalactites());
}

}  // namespace vngen
