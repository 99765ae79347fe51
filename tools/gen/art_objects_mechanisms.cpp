// Layer 1: switches (260..265), locks (285, 286), vehicles (650..655) and
// slides (660..699) - the objects that do something when used.
#include <vector>

#include "tools/gen/art_palette.h"
#include "tools/gen/art_picture_set.h"
#include "tools/gen/art_textures.h"

namespace vngen {

namespace {

using namespace palette;

Canvas Tile() { return Canvas(kTileSize, kTileSize); }

// --- Switches: a lever on a plate, up = ready, down = used -------------------

enum class LeverStyle { kStone, kWood, kIron };

Canvas Lever(LeverStyle style, bool down) {
  Canvas c = Tile();
  Rgba plate = style == LeverStyle::kStone ? kStone : (style == LeverStyle::kWood ? kPlank : kIron);
  c.FillRect(9, 10, 14, 13, plate);
  c.Bevel(9, 10, 14, 13, 1.3f, 0.55f);
  c.FillRect(14, 12, 4, 9, Shade(plate, 0.45f));  // the slot the lever moves in
  for (auto [x, y] : {std::pair{10, 11}, {20, 11}, {10, 20}, {20, 20}}) PaintRivet(c, x, y, Shade(plate, 1.1f));
  float tip_y = down ? 29.0f : 3.0f;
  c.ThickLine(16, 16, down ? 19.0f : 13.0f, tip_y, 2.5f, kIronLight);
  Rgba knob = style == LeverStyle::kIron ? kGold : kRed;
  c.FillCircle(down ? 19.5f : 13.0f, tip_y, 3.2f, knob);
  c.Set(down ? 18 : 12, int(tip_y) - 1, Mix(knob, kWhite, 0.6f));
  c.FillCircle(16, 16, 2, kIron);
  if (style == LeverStyle::kIron) {
    // A lamp: red while the switch waits, green once it has been used.
    c.FillCircle(23.5f, 6.5f, 2.5f, down ? kGreen : kRed);
    c.Set(23, 5, kWhite);
  }
  c.Outline(kOutline);
  return c;
}

// --- Locks ---------------------------------------------------------------------

// Unlocked, the shackle stands up and open and the panel's bands are pushed
// aside, so the used lock reads as open at a glance.
Canvas PadlockedPanel(bool unlocked = false) {
  Canvas c(kTileSize, kTileSize, kOutline);
  PaintBoards(c, 1, 0, 30, 32, unlocked ? Shade(kPlankDark, 0.75f) : kPlankDark, 6, true, 285);
  c.FillRect(1, 4, 30, 3, kIron);
  c.FillRect(1, 25, 30, 3, kIron);
  if (unlocked) {
    c.FillRect(3, 4, 5, 3, kOutline);  // the band swung open
    // The shackle pulled up out of the body, its free end hanging in the air.
    c.FillRect(8, 1, 2, 12, kIronLight);
    c.FillRect(8, 1, 10, 2, kIronLight);
    c.FillRect(16, 1, 2, 6, kIronLight);
  } else {
    c.Ring(16, 11, 5, 3, kIronLight);  // shackle
  }
  c.FillRect(9, 12, 14, 11, kGold);
  c.FillRect(9, 12, 14, 1, kGoldLight);
  c.FillRect(9, 22, 14, 1, kGoldDark);
  c.FillCircle(16, 16, 1.6f, kOutline);
  c.FillRect(15, 17, 2, 3, kOutline);
  c.FrameRect(8, 11, 16, 13, kOutline);
  return c;
}

Canvas KeyholePlate(bool unlocked = false) {
  Canvas c = Tile();
  c.FillRect(9, 6, 14, 20, kGold);
  c.Bevel(9, 6, 14, 20, 1.25f, 0.6f);
  c.FillCircle(16, 13, 2.5f, kOutline);
  c.FillPolygon({14.5f, 14, 17.5f, 14, 18.5f, 21, 13.5f, 21}, kOutline);
  if (unlocked) {
    // The key sits turned in the hole, its bow across the plate.
    c.FillRect(15, 11, 2, 10, kIronLight);
    c.Ring(16, 9, 4, 2, kIronLight);
    c.FillRect(4, 15, 24, 2, kGreen);
  }
  PaintRivet(c, 11, 8, kGoldDark);
  PaintRivet(c, 19, 8, kGoldDark);
  PaintRivet(c, 11, 22, kGoldDark);
  PaintRivet(c, 19, 22, kGoldDark);
  c.Outline(kOutline);
  return c;
}

// --- Vehicles: painted facing right; the left picture is the mirror -----------

// The hull fills the lower half, so the rider's head and shoulders show above it.
Canvas RowingBoat() {
  Canvas c = Tile();
  // Square stern on the left, the bow rising to a point on the right.
  c.FillPolygon({1, 17, 24, 17, 31, 11, 28, 24, 22, 30, 6, 30, 2, 27}, kPlank);
  for (int y = 22; y < 30; y += 4) c.Line(3, y, 27, y, Shade(kPlank, 0.7f));
  c.FillPolygon({1, 17, 24, 17, 31, 11, 31, 13, 25, 19, 1, 19}, kBeam);  // gunwale
  c.Line(1, 17, 24, 17, Shade(kPlank, 1.3f));
  c.Line(24, 17, 30, 12, Shade(kPlank, 1.3f));
  c.FillRect(1, 17, 2, 12, kBeam);  // transom
  // An oar resting in its lock, blade trailing in the water behind.
  c.ThickLine(13, 13, 4, 30, 2, kRope);
  c.FillEllipse(4.5f, 29.5f, 2, 2.5f, kRope);
  c.FillRect(12, 16, 3, 3, kIron);
  c.Outline(kOutline);
  return c;
}

Canvas Raft() {
  Canvas c = Tile();
  for (int k = 0; k < 5; ++k) {
    int x = 1 + k * 6;
    c.FillRect(x, 22, 6, 8, kBeam);
    c.FillRect(x, 22, 6, 1, Shade(kBeam, 1.3f));
    c.FillRect(x + 5, 22, 1, 8, Shade(kBeam, 0.55f));
    c.FillEllipse(float(x) + 3, 22, 3, 1.2f, Shade(kBeam, 1.2f));  // log ends
  }
  c.FillRect(1, 24, 30, 2, kRope);
  c.FillRect(9, 8, 2, 15, kPlankDark);  // mast with a small sail
  c.FillPolygon({11, 8, 24, 14, 11, 20}, kWhite);
  c.Outline(kOutline);
  return c;
}

Canvas FlyingCarpet() {
  Canvas c = Tile();
  c.FillPolygon({0, 24, 31, 22, 31, 27, 0, 29}, kRed);
  c.FillPolygon({0, 25, 31, 23, 31, 24, 0, 26}, kGold);
  for (int x = 3; x < 31; x += 6) c.Set(x, 27, kGoldLight);
  for (int x = 0; x < 32; x += 3) c.Set(x, 29 - x / 16, kGold);  // fringe
  c.Outline(kOutline);
  return c;
}

// --- Slides --------------------------------------------------------------------

// A chute whose surface falls to the left (the mirror falls to the right).
Canvas SlideLeft(Rgba surface, Rgba body) {
  Canvas c = Tile();
  c.FillPolygon({0, 26, 32, -6, 32, 32, 0, 32}, body);
  c.Grain(0, 0, 32, 32, 0.06f, 660);
  c.ThickLine(0, 27, 32, -5, 4, surface);  // polished running surface
  c.ThickLine(0, 25.5f, 32, -6.5f, 1, Mix(surface, kWhite, 0.5f));
  for (int k = 0; k < 3; ++k) {
    float x = 6 + float(k) * 10;
    c.Line(int(x), int(28 - x) + 4, int(x) + 3, int(28 - x) + 1, Mix(surface, kWhite, 0.7f));  // speed marks
  }
  c.Outline(kOutline);
  return c;
}

}  // namespace

void PaintMechanismObjects(PictureSet& set) {
  set.Tile(1, 260, "switch: stone wall lever, ready (up)", Lever(LeverStyle::kStone, false));
  set.Tile(1, 261, "switch: stone wall lever, used (down)", Lever(LeverStyle::kStone, true));
  set.Tile(1, 262, "switch: wooden lever, ready (up)", Lever(LeverStyle::kWood, false));
  set.Tile(1, 263, "switch: wooden lever, used (down)", Lever(LeverStyle::kWood, true));
  set.Tile(1, 264, "switch: iron lever with lamp, ready (up, red)", Lever(LeverStyle::kIron, false));
  set.Tile(1, 265, "switch: iron lever with lamp, used (down, green)", Lever(LeverStyle::kIron, true));
  set.Tile(1, 285, "lock: padlocked door panel", PadlockedPanel());
  set.Tile(1, 286, "lock: keyhole plate", KeyholePlate());
  set.Tile(1, 287, "unlocked padlocked panel, shackle open (scenery: an action writes it over a used 285)",
           PadlockedPanel(true));
  set.Tile(1, 288, "unlocked keyhole plate, key turned in it (scenery: an action writes it over a used 286)",
           KeyholePlate(true));

  Canvas boat = RowingBoat(), raft = Raft(), carpet = FlyingCarpet();
  set.Tile(1, 650, "vehicle: rowing boat, facing right (crashes on land)", boat);
  set.Tile(1, 651, "vehicle: rowing boat, facing left", boat.FlippedHorizontally());
  set.Tile(1, 652, "vehicle: raft, facing right", raft);
  set.Tile(1, 653, "vehicle: raft, facing left", raft.FlippedHorizontally());
  set.Tile(1, 654, "vehicle: flying carpet, facing right", carpet);
  set.Tile(1, 655, "vehicle: flying carpet, facing left", carpet.FlippedHorizontally());

  Canvas stone_slide = SlideLeft(kStoneLight, kStoneDark), mud_slide = SlideLeft(kEarth, kEarthDark),
         wood_slide = SlideLeft(kPlank, kBeam);
  set.Tile(1, 660, "slide down to the left: stone", stone_slide);
  set.Tile(1, 661, "slide down to the left: mud", mud_slide);
  set.Tile(1, 662, "slide down to the left: wooden chute", wood_slide);
  set.Tile(1, 680, "slide down to the right: stone", stone_slide.FlippedHorizontally());
  set.Tile(1, 681, "slide down to the right: mud", mud_slide.FlippedHorizontally());
  set.Tile(1, 682, "slide down to the right: wooden chute", wood_slide.FlippedHorizontally());
}

}  // namespace vngen
