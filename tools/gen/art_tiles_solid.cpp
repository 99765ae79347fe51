// Layer 0: everything a character stands on or bumps into. Every value but 0
// is solid; 24 breaks under fire and 670..699 can be pushed.
#include <cmath>
#include <tuple>
#include <utility>

#include "tools/gen/art_palette.h"
#include "tools/gen/art_picture_set.h"
#include "tools/gen/art_textures.h"

namespace vngen {

namespace {

using namespace palette;

Canvas Blank() { return Canvas(kTileSize, kTileSize, kOutline); }

// A lighter cap along the top edge: the walkable face of a floor tile.
void PaintCap(Canvas& c, Rgba cap, int h) {
  c.FillRect(0, 0, 32, h, cap);
  c.FillRect(0, 0, 32, 1, Shade(cap, 1.18f));
  c.FillRect(0, h, 32, 1, Shade(cap, 0.5f));
  c.Grain(0, 0, 32, h, 0.05f, 91);
}

// --- Training ground ---------------------------------------------------------

Canvas SandBlocks(Rgba sand, uint32_t seed) {
  Canvas c = Blank();
  PaintBricks(c, 0, 0, 32, 32, {sand, kSandMortar, 16, 16, 0.06f, 0.04f, seed});
  return c;
}

Canvas MeadowTop() {
  Canvas c = Blank();
  PaintRough(c, 0, 0, 32, 32, kSoil, 0.10f, 8, 3);
  PaintPebbles(c, 0, 10, 32, 22, kSandDark, 3, 5);
  PaintGrassTop(c, 7, kMeadow, kMeadowLight, Shade(kMeadow, 0.6f), 4);
  return c;
}

Canvas Soil() {
  Canvas c = Blank();
  PaintRough(c, 0, 0, 32, 32, kSoil, 0.10f, 8, 3);
  PaintPebbles(c, 0, 0, 32, 32, kSandDark, 4, 6);
  return c;
}

Canvas SteelPlate() {
  Canvas c = Blank();
  c.VerticalGradient(0, 0, 32, 32, Shade(kSteel, 1.1f), Shade(kSteel, 0.85f));
  c.Bevel(0, 0, 32, 32, 1.3f, 0.55f);
  c.Bevel(1, 1, 30, 30, 1.12f, 0.75f);
  for (int i = 0; i < 32; i += 6) c.Line(i + 4, 6, i + 10, 0, Shade(kSteel, 1.06f));
  PaintRivet(c, 3, 3, kSteel);
  PaintRivet(c, 27, 3, kSteel);
  PaintRivet(c, 3, 27, kSteel);
  PaintRivet(c, 27, 27, kSteel);
  return c;
}

Canvas TrainingPlatform() {
  Canvas c = Blank();
  PaintBoards(c, 0, 0, 32, 32, Shade(kPlank, 1.1f), 8, false, 12);
  c.FillRect(0, 0, 32, 2, Shade(kPlank, 1.35f));
  return c;
}

// --- Doors that actions remove -------------------------------------------------

Canvas WoodenDoor(bool upper) {
  Canvas c = Blank();
  PaintBoards(c, 2, 0, 28, 32, kPlankDark, 7, true, 21);
  c.FillRect(0, 0, 2, 32, kIron);
  c.FillRect(30, 0, 2, 32, kIron);
  int band = upper ? 8 : 20;
  c.FillRect(2, band, 28, 3, kIron);
  c.FillRect(2, band, 28, 1, kIronLight);
  for (int x = 5; x < 30; x += 8) PaintRivet(c, x, band + 1, kIronLight);
  if (upper) c.FillRect(0, 0, 32, 2, Shade(kIron, 0.8f));
  else {
    c.FillEllipse(24, 6, 2.5f, 2.5f, kIron);  // ring handle
    c.FillEllipse(24, 6, 1.2f, 1.2f, Shade(kPlankDark, 0.8f));
  }
  return c;
}

Canvas IronGate(bool upper) {
  Canvas c(kTileSize, kTileSize, Shade(kStoneDark, 0.45f));
  for (int x = 2; x < 32; x += 8) {
    c.FillRect(x, 0, 4, 32, kIron);
    c.FillRect(x, 0, 1, 32, kIronLight);
    c.FillRect(x + 3, 0, 1, 32, Shade(kIron, 0.6f));
  }
  for (int y : {6, 22}) {
    c.FillRect(0, y, 32, 3, kIron);
    c.FillRect(0, y, 32, 1, kIronLight);
  }
  if (!upper)
    for (int x = 2; x < 32; x += 8) c.FillPolygon({float(x), 28, float(x + 4), 28, float(x + 2), 32}, kIronLight);
  return c;
}

// --- The breakable wall --------------------------------------------------------

Canvas CrackedBricks() {
  Canvas c = Blank();
  PaintBricks(c, 0, 0, 32, 32, {kBrickRed, kBrickMortar, 11, 8, 0.16f, 0.08f, 24});
  // Cracks run through bricks and mortar alike, and a few corners are chipped
  // off: it must look weaker than any wall around it.
  Rgba crack = Shade(kBrickMortar, 0.45f);
  c.Line(4, 0, 9, 7, crack);
  c.Line(9, 7, 7, 13, crack);
  c.Line(7, 13, 14, 20, crack);
  c.Line(14, 20, 12, 27, crack);
  c.Line(12, 27, 17, 31, crack);
  c.Line(14, 20, 22, 18, crack);
  c.Line(22, 18, 27, 24, crack);
  c.Line(26, 2, 22, 9, crack);
  c.Line(22, 9, 25, 13, crack);
  c.FillPolygon({0, 16, 5, 16, 0, 22}, Shade(kBrickMortar, 0.6f));
  c.FillPolygon({32, 24, 26, 31, 32, 31}, Shade(kBrickMortar, 0.6f));
  c.FillPolygon({17, 0, 21, 0, 19, 3}, Shade(kBrickMortar, 0.6f));
  return c;
}

// --- Castle --------------------------------------------------------------------

BrickStyle CastleBricks(uint32_t seed) { return {kStone, kMortar, 16, 8, 0.10f, 0.05f, seed}; }

Canvas CastleWall(uint32_t seed, float moss) {
  Canvas c = Blank();
  PaintBricks(c, 0, 0, 32, 32, CastleBricks(seed));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (TileNoise(float(x), float(y), 6, seed + 5) * Hash01(x, y, seed) > 1 - moss)
        c.Set(x, y, Shade(kMoss, 0.8f + 0.4f * Hash01(x, y, 9)));
  return c;
}

Canvas CastleFloor() {
  Canvas c = CastleWall(100, 0);
  PaintCap(c, kStoneLight, 5);
  return c;
}

Canvas CastleFloorEnd(bool left) {
  Canvas c = CastleFloor();
  int x = left ? 0 : 31;
  c.FillRect(x, 0, 1, 32, Shade(kStone, left ? 1.25f : 0.6f));
  c.FillRect(left ? 1 : 30, 0, 1, 6, Shade(kStoneLight, left ? 1.1f : 0.8f));
  return c;
}

Canvas DarkStone(uint32_t seed) {
  Canvas c = Blank();
  PaintRough(c, 0, 0, 32, 32, kStoneDark, 0.12f, 6, seed);
  // Large irregular blocks: a few joints cut through the rough surface.
  Rgba joint = Shade(kMortar, 0.8f);
  c.FillRect(0, 15, 32, 1, joint);
  c.FillRect(0, 31, 32, 1, joint);
  c.FillRect(seed % 2 ? 11 : 20, 0, 1, 15, joint);
  c.FillRect(seed % 2 ? 25 : 6, 16, 1, 15, joint);
  c.FillRect(0, 0, 32, 1, Shade(kStoneDark, 1.2f));
  c.FillRect(0, 16, 32, 1, Shade(kStoneDark, 1.2f));
  return c;
}

Canvas Flagstones() {
  Canvas c = Blank();
  PaintBricks(c, 0, 0, 32, 32, {kStoneLight, kMortar, 32, 16, 0.06f, 0.04f, 105});
  return c;
}

Canvas CastleBlock() {
  Canvas c = Blank();
  c.FillRect(0, 0, 32, 32, kStone);
  c.Grain(0, 0, 32, 32, 0.06f, 106);
  c.Bevel(0, 0, 32, 32, 1.3f, 0.5f);
  c.Bevel(1, 1, 30, 30, 1.12f, 0.75f);
  c.FrameRect(6, 6, 20, 20, Shade(kStone, 0.8f));
  c.FrameRect(7, 7, 18, 18, Shade(kStone, 1.12f));
  return c;
}

Canvas PillarBlock() {
  Canvas c = Blank();
  for (int x = 0; x < 32; ++x) {
    // Flutes: a cosine profile across the column gives the round look.
    float t = 0.80f + 0.35f * float(x % 8 < 6 ? (x % 8) : 8 - x % 8) / 6.0f;
    c.FillRect(x, 0, 1, 32, Shade(kStone, t));
  }
  for (int x = 7; x < 32; x += 8) c.FillRect(x, 0, 1, 32, Shade(kStone, 0.6f));
  c.Grain(0, 0, 32, 32, 0.04f, 107);
  return c;
}

// --- Jungle --------------------------------------------------------------------

Canvas Earth(uint32_t seed, int pebbles) {
  Canvas c = Blank();
  PaintRough(c, 0, 0, 32, 32, kEarth, 0.12f, 7, seed);
  PaintPebbles(c, 0, 0, 32, 32, kRock, pebbles, seed + 1);
  return c;
}

Canvas GrassEarth(int end) {
  Canvas c = Earth(150, 2);
  PaintGrassTop(c, 8, kGrass, kGrassLight, kGrassDark, 151);
  // At an end the grass curls over the side.
  if (end != 0) {
    int x0 = end < 0 ? 0 : 28;
    for (int y = 0; y < 16; ++y) {
      int reach = 4 - y / 4;
      for (int i = 0; i < reach; ++i) c.Set(end < 0 ? x0 + i : 31 - i, y, y % 5 == 4 ? kGrassDark : kGrass);
    }
  }
  return c;
}

Canvas Rock(bool mossy) {
  Canvas c = Blank();
  PaintRough(c, 0, 0, 32, 32, kRock, 0.16f, 9, 154);
  // Facets: light top-left edges of a few boulders.
  for (auto [x, y, r] : {std::tuple{8.0f, 9.0f, 9.0f}, {24.0f, 12.0f, 8.0f}, {15.0f, 26.0f, 10.0f}}) {
    c.Ring(x, y, r, r - 1.0f, Shade(kRock, 0.65f));
    c.Ring(x - 0.8f, y - 0.8f, r - 1.0f, r - 2.0f, Shade(kRock, 1.18f));
  }
  if (mossy) {
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        float m = TileNoise(float(x), float(y), 5, 155) - float(y) / 64.0f;
        if (m > 0.45f) c.Set(x, y, Shade(kMoss, 0.85f + 0.3f * Hash01(x, y, 156)));
      }
    for (int x = 0; x < 32; ++x) c.Set(x, 0, Shade(kMoss, 1.25f));
  }
  return c;
}

Canvas JunglePlatform() {
  Canvas c(kTileSize, kTileSize, Shade(kEarthDark, 0.7f));
  // Logs lying side by side, bound with liana.
  for (int y = 0; y < 32; y += 8) {
    for (int j = 0; j < 8; ++j) {
      float t = 0.65f + 0.5f * (1.0f - float((j - 3) * (j - 3)) / 12.0f);
      c.FillRect(0, y + j, 32, 1, Shade(kBeam, t * 1.1f));
    }
    c.Grain(0, y, 32, 7, 0.07f, uint32_t(160 + y));
    c.FillRect(0, y + 7, 32, 1, Shade(kBeam, 0.45f));
  }
  for (int x : {7, 23}) {
    c.FillRect(x, 0, 3, 32, kLiana);
    c.FillRect(x, 0, 1, 32, Shade(kLiana, 1.3f));
    for (int y = 2; y < 32; y += 4) c.Set(x + 2, y, Shade(kLiana, 0.6f));
  }
  return c;
}

Canvas Mud() {
  Canvas c = Blank();
  PaintRough(c, 0, 0, 32, 32, kEarthDark, 0.15f, 5, 158);
  for (int k = 0; k < 6; ++k)
    c.FillEllipse(3 + Hash01(k, 0, 158) * 26, 4 + Hash01(k, 1, 158) * 24, 2.5f, 1.2f, Shade(kEarthDark, 1.25f));
  return c;
}

Canvas RootedEarth() {
  Canvas c = Earth(159, 1);
  Rgba root = Shade(kRope, 0.75f);
  c.Line(3, 0, 6, 12, root);
  c.Line(6, 12, 4, 22, root);
  c.Line(6, 12, 11, 18, root);
  c.Line(18, 0, 16, 10, root);
  c.Line(16, 10, 20, 25, root);
  c.Line(27, 0, 29, 9, root);
  c.Line(29, 9, 26, 17, root);
  return c;
}

// --- Wood ----------------------------------------------------------------------

Canvas Planks(Rgba wood, bool vertical, uint32_t seed) {
  Canvas c = Blank();
  PaintBoards(c, 0, 0, 32, 32, wood, 8, vertical, seed);
  return c;
}

Canvas Beam() {
  Canvas c = Blank();
  PaintBoards(c, 0, 0, 32, 32, kBeam, 16, false, 202);
  c.FillRect(0, 0, 32, 1, Shade(kBeam, 1.3f));
  for (int y : {4, 20}) {
    c.FillRect(13, y, 6, 8, kIron);
    c.FrameRect(13, y, 6, 8, Shade(kIron, 0.6f));
    PaintRivet(c, 15, y + 3, kIronLight);
  }
  return c;
}

Canvas Deck() {
  Canvas c = Planks(kPlank, false, 204);
  c.FillRect(0, 0, 32, 3, Shade(kPlank, 1.25f));
  c.FillRect(0, 3, 32, 1, Shade(kPlank, 0.55f));
  return c;
}

Canvas BracedWall() {
  Canvas c = Planks(kPlankDark, true, 205);
  c.ThickLine(2, 30, 30, 2, 4, kBeam);
  c.ThickLine(2, 30, 30, 2, 1.2f, Shade(kBeam, 1.3f));
  c.FillRect(0, 0, 32, 3, kBeam);
  c.FillRect(0, 29, 32, 3, kBeam);
  c.FillRect(0, 0, 32, 1, Shade(kBeam, 1.3f));
  return c;
}

Canvas Hull(bool porthole) {
  Canvas c = Planks(kHull, false, 203);
  // Tarred seams.
  for (int y = 7; y < 32; y += 8) c.FillRect(0, y, 32, 1, Shade(kHull, 0.45f));
  if (porthole) {
    c.FillCircle(16, 16, 10, kIron);
    c.FillCircle(16, 16, 9, kIronLight);
    c.FillCircle(16, 16, 7, Shade(kWaterDeep, 0.9f));
    c.FillCircle(14, 14, 2.5f, Shade(kWaterLight, 0.9f));
    for (int k = 0; k < 6; ++k) {
      float a = float(k) * 1.047f;
      PaintRivet(c, int(15.5f + 8.2f * std::cos(a)), int(15.5f + 8.2f * std::sin(a)), kIron);
    }
  }
  return c;
}

// --- Pushable blocks ----------------------------------------------------------

Canvas Crate(Rgba wood, uint32_t seed) {
  Canvas c = Blank();
  PaintBoards(c, 1, 1, 30, 30, wood, 6, false, seed);
  // Frame and cross bracing: the look every pushable crate shares.
  Rgba frame = Shade(wood, 0.8f);
  c.FillRect(1, 1, 30, 4, frame);
  c.FillRect(1, 27, 30, 4, frame);
  c.FillRect(1, 1, 4, 30, frame);
  c.FillRect(27, 1, 4, 30, frame);
  c.ThickLine(4, 4, 28, 28, 4, frame);
  c.ThickLine(4, 4, 28, 28, 1, Shade(wood, 1.2f));
  c.FrameRect(0, 0, 32, 32, kOutline);
  c.FrameRect(5, 5, 22, 22, Shade(wood, 0.5f));
  // Metal corners.
  for (auto [x, y] : {std::pair{1, 1}, {25, 1}, {1, 25}, {25, 25}}) {
    c.FillRect(x, y, 6, 6, kIron);
    c.FrameRect(x, y, 6, 6, Shade(kIron, 0.6f));
    PaintRivet(c, x + 2, y + 2, kIronLight);
  }
  return c;
}

// A crate painted with a yellow double arrow across its face: among crate
// stacks and cargo that never move, this one says at a glance that it rolls.
Canvas MarkedCrate() {
  Canvas c = Crate(kPlank, 672);
  c.FillRect(5, 12, 22, 8, kOutline);
  c.ThickLine(9, 16, 23, 16, 3, kGold);
  for (int i = 0; i < 5; ++i) {
    c.FillRect(6 + i, 16 - i, 1, 2 * i + 1, kGold);
    c.FillRect(25 - i, 16 - i, 1, 2 * i + 1, kGold);
  }
  return c;
}

Canvas StoneBlock(Rgba stone, bool rune) {
  Canvas c = Blank();
  PaintRough(c, 1, 1, 30, 30, stone, 0.08f, 6, 680);
  c.Bevel(1, 1, 30, 30, 1.35f, 0.55f);
  c.Bevel(2, 2, 28, 28, 1.15f, 0.75f);
  c.FrameRect(0, 0, 32, 32, kOutline);
  for (auto [x, y] : {std::pair{1, 1}, {26, 1}, {1, 26}, {26, 26}}) {
    c.FillRect(x, y, 5, 5, kIronLight);
    c.FrameRect(x, y, 5, 5, kIron);
    c.Set(x + 2, y + 2, kIron);
  }
  if (rune) {
    Rgba glyph = Shade(stone, 0.55f);
    c.ThickLine(16, 8, 16, 24, 2, glyph);
    c.ThickLine(16, 8, 22, 13, 2, glyph);
    c.ThickLine(16, 15, 10, 20, 2, glyph);
  } else {
    // Grip notches on both sides tell the player it can be moved.
    c.FillRect(1, 13, 3, 6, Shade(stone, 0.5f));
    c.FillRect(28, 13, 3, 6, Shade(stone, 0.5f));
  }
  return c;
}

}  // namespace

void PaintSolidTiles(PictureSet& set) {
  set.Tile(0, 1, "training ground: sandstone blocks", SandBlocks(kSand, 1));
  {
    Canvas top = SandBlocks(kSand, 1);
    PaintCap(top, Shade(kSand, 1.12f), 4);
    set.Tile(0, 2, "training ground: sandstone floor (top edge)", top);
  }
  set.Tile(0, 3, "training ground: dark sandstone", SandBlocks(kSandDark, 3));
  set.Tile(0, 4, "training ground: meadow with grass top", MeadowTop());
  set.Tile(0, 5, "training ground: soil", Soil());
  set.Tile(0, 6, "training ground: steel plate", SteelPlate());
  set.Tile(0, 7, "training ground: wooden platform", TrainingPlatform());
  set.Tile(0, 20, "door, wooden, upper half (solid until an action clears it)", WoodenDoor(true));
  set.Tile(0, 21, "door, wooden, lower half", WoodenDoor(false));
  set.Tile(0, 22, "iron gate, upper half (solid until an action clears it)", IronGate(true));
  set.Tile(0, 23, "iron gate, lower half", IronGate(false));
  set.Tile(0, 24, "breakable wall: cracked red bricks (a shot leaves rubble, object 57)", CrackedBricks());

  set.Tile(0, 100, "castle: grey stone bricks", CastleWall(100, 0));
  set.Tile(0, 101, "castle: mossy stone bricks", CastleWall(101, 0.35f));
  set.Tile(0, 102, "castle: dark stone", DarkStone(102));
  set.Tile(0, 103, "castle: dark stone, other joints", DarkStone(103));
  set.Tile(0, 104, "castle: floor (bricks with capstone top)", CastleFloor());
  set.Tile(0, 105, "castle: floor, left end", CastleFloorEnd(true));
  set.Tile(0, 106, "castle: floor, right end", CastleFloorEnd(false));
  set.Tile(0, 107, "castle: flagstones", Flagstones());
  set.Tile(0, 108, "castle: dressed stone block", CastleBlock());
  set.Tile(0, 109, "castle: fluted pillar", PillarBlock());
  {
    Canvas c = DarkStone(110);
    PaintCap(c, kStone, 4);
    set.Tile(0, 110, "castle: dark stone floor (top edge)", c);
  }

  set.Tile(0, 150, "jungle: earth with grass top", GrassEarth(0));
  set.Tile(0, 151, "jungle: earth with grass top, left end", GrassEarth(-1));
  set.Tile(0, 152, "jungle: earth with grass top, right end", GrassEarth(1));
  set.Tile(0, 153, "jungle: earth", Earth(153, 2));
  set.Tile(0, 154, "jungle: stony earth", Earth(154, 7));
  set.Tile(0, 155, "jungle: earth with roots", RootedEarth());
  set.Tile(0, 156, "jungle: rock", Rock(false));
  set.Tile(0, 157, "jungle: mossy rock", Rock(true));
  set.Tile(0, 158, "jungle: wooden platform (lashed logs)", JunglePlatform());
  set.Tile(0, 159, "jungle: mud", Mud());

  set.Tile(0, 200, "wood: horizontal planks", Planks(kPlank, false, 200));
  set.Tile(0, 201, "wood: wooden wall (vertical planks)", Planks(kPlankDark, true, 201));
  set.Tile(0, 202, "wood: heavy beam with iron straps", Beam());
  set.Tile(0, 203, "wood: dark hull", Hull(false));
  set.Tile(0, 204, "wood: hull with porthole", Hull(true));
  set.Tile(0, 205, "wood: deck (planks with top edge)", Deck());
  set.Tile(0, 206, "wood: braced wall", BracedWall());

  set.Tile(0, 670, "pushable: wooden crate", Crate(kPlank, 670));
  set.Tile(0, 671, "pushable: dark crate", Crate(kPlankDark, 671));
  set.Tile(0, 672, "pushable: crate marked with a yellow double arrow (it rolls)", MarkedCrate());
  set.Tile(0, 680, "pushable: stone block", StoneBlock(kStone, false));
  set.Tile(0, 681, "pushable: rune stone", StoneBlock(kSandDark, true));
}

}  // namespace vngen
