// Layer 1, 300..399: pictograms that teach a move where it is first needed.
// They are scenery (no function, drawn behind the figures). A pictogram shows
// the move and a short caption of what to do; the keys themselves are drawn by
// the game over the lower row (from y 12 on, play/key_caps.cpp), as caps of
// the keys the player has bound or of the pad's buttons, so nothing here names
// a key. Wide pictograms are painted whole and cut into neighbouring cells
// with consecutive values, left to right.
#include <string>
#include <vector>

#include "tools/gen/art_letters.h"
#include "tools/gen/art_palette.h"
#include "tools/gen/art_picture_set.h"

namespace vngen {

namespace {

using namespace palette;

constexpr Rgba kBoard{54, 60, 78, 255};
constexpr Rgba kBoardRim{28, 30, 42, 255};
constexpr Rgba kLabel{255, 214, 96, 255};
constexpr Rgba kFigure{16, 16, 20, 255};

constexpr int kCaptionTop = 3;   // the caption row; the game's caps take the rows below it
constexpr int kPictureTop = 13;  // top of a small picture beside the caps

enum class Arrow { kRight, kLeft, kUp, kDown };

// A slate board filling the whole pictogram, with a dark rim and a lit top edge.
Canvas Board(int cells) {
  Canvas c(cells * kTileSize, kTileSize);
  c.FillRect(0, 0, c.Width(), kTileSize, kBoard);
  c.Grain(0, 0, c.Width(), kTileSize, 0.05f, 300);
  c.FrameRect(0, 0, c.Width(), kTileSize, kBoardRim);
  c.FillRect(1, 1, c.Width() - 2, 1, Shade(kBoard, 1.35f));
  return c;
}

// A board with its caption in the top row.
Canvas Captioned(int cells, const std::string& caption) {
  Canvas c = Board(cells);
  PaintSmallText(c, caption, 4, kCaptionTop, kLabel);
  return c;
}

// A 7 x 7 arrow pointing right, turned as asked, with its top-left at (x, y).
void SmallArrow(Canvas& c, int x, int y, Arrow dir, Rgba colour) {
  static const char* const kShape[7] = {"...#...", "...##..", "######.", "#######", "######.", "...##..", "...#..."};
  for (int row = 0; row < 7; ++row)
    for (int col = 0; col < 7; ++col) {
      if (kShape[row][col] != '#') continue;
      switch (dir) {
        case Arrow::kRight: c.Set(x + col, y + row, colour); break;
        case Arrow::kLeft: c.Set(x + 6 - col, y + row, colour); break;
        case Arrow::kUp: c.Set(x + row, y + 6 - col, colour); break;
        case Arrow::kDown: c.Set(x + row, y + col, colour); break;
      }
    }
}

// A tiny standing figure (head and body) with its feet at (x, bottom).
void TinyFigure(Canvas& c, int x, int bottom) {
  c.FillEllipse(float(x), float(bottom - 8), 2.5f, 2.5f, kFigure);
  c.FillRect(x - 1, bottom - 6, 3, 6, kFigure);
}

// --- Little pictures of the situation -------------------------------------

// A wall whose top is a ledge, the figure hanging from it by its arms, and
// the way up over the edge. (x, y) is the top-left of a 24 x 18 picture.
void TinyHang(Canvas& c, int x, int y, bool wall_on_right) {
  const int wx = wall_on_right ? x + 13 : x;
  c.FillRect(wx, y + 6, 11, 12, kSand);
  c.FrameRect(wx, y + 6, 11, 12, kSandMortar);
  const int fx = wall_on_right ? wx - 4 : wx + 14;
  c.FillRect(wall_on_right ? fx + 1 : fx - 2, y + 5, 2, 3, kFigure);   // the arms up to the edge
  c.FillEllipse(float(fx), float(y + 9), 2.5f, 2.5f, kFigure);
  c.FillRect(fx - 1, y + 11, 3, 6, kFigure);
  SmallArrow(c, wall_on_right ? wx + 1 : wx + 3, y - 1, Arrow::kUp, kLabel);
  SmallArrow(c, wall_on_right ? wx + 5 : wx - 1, y - 1, wall_on_right ? Arrow::kRight : Arrow::kLeft, kLabel);
}

// The figure on the floor at a step one block high and the way up onto it.
// The step runs on to the picture's edge and shares the floor line, so it
// reads as ground rising, not as a box in the figure's hands.
void TinyStep(Canvas& c, int x, int y, bool step_on_right) {
  c.FillRect(x, y + 17, 24, 2, kSandMortar);
  const int bx = step_on_right ? x + 11 : x;
  c.FillRect(bx, y + 10, 13, 7, kSand);
  c.FillRect(bx, y + 10, 13, 1, kSandMortar);
  c.FillRect(step_on_right ? bx : bx + 12, y + 10, 1, 7, kSandMortar);
  TinyFigure(c, step_on_right ? x + 2 : x + 21, y + 17);
  // Up beside the step's edge, then along over it.
  SmallArrow(c, step_on_right ? bx - 7 : bx + 13, y + 4, Arrow::kUp, kLabel);
  SmallArrow(c, bx + 3, y + 1, step_on_right ? Arrow::kRight : Arrow::kLeft, kLabel);
}

void TinyLock(Canvas& c, int x, int y) {
  c.FillRect(x, y + 6, 10, 9, kGoldDark);
  c.FillRect(x + 1, y + 7, 8, 7, kGold);
  c.FrameRect(x + 2, y, 6, 7, kIronLight);
  c.FillRect(x + 4, y + 9, 2, 3, kOutline);
}

void TinyCrate(Canvas& c, int x, int y) {
  c.FillRect(x, y, 11, 11, kPlank);
  c.FrameRect(x, y, 11, 11, kBeam);
  c.Line(x, y, x + 10, y + 10, kBeam);
  c.Line(x + 10, y, x, y + 10, kBeam);
}

void TinyLadder(Canvas& c, int x, int y) {
  c.FillRect(x, y, 2, 12, kPlank);
  c.FillRect(x + 8, y, 2, 12, kPlank);
  for (int r = 1; r < 12; r += 3) c.FillRect(x + 2, y + r, 6, 1, kPlankDark);
}

void TinyBoat(Canvas& c, int x, int y) {
  c.FillPolygon({float(x), float(y + 6), float(x + 16), float(y + 6), float(x + 13), float(y + 11), float(x + 3),
                 float(y + 11)},
                kPlank);
  c.FillRect(x, y + 6, 16, 1, kBeam);
  c.FillRect(x - 2, y + 11, 21, 2, kWater);
}

void TinyPotion(Canvas& c, int x, int y) {
  c.FillCircle(float(x + 5), float(y + 7), 4.5f, kRed);
  c.FillRect(x + 3, y, 4, 4, kRed);
  c.FillRect(x + 3, y, 4, 1, kPlank);
  c.Set(x + 4, y + 6, kWhite);
  c.Set(x + 6, y + 6, kWhite);
  c.Set(x + 5, y + 7, kWhite);
}

void TinyBag(Canvas& c, int x, int y) {
  Rgba leather{150, 96, 52, 255};
  c.FillEllipse(float(x + 6), float(y + 7), 6, 5, leather);
  c.FillRect(x + 3, y, 7, 3, leather);
  c.FillRect(x + 2, y + 3, 9, 1, Shade(leather, 0.6f));
}

void TinyCoin(Canvas& c, int x, int y) {
  c.FillCircle(float(x + 5), float(y + 5), 5, kGoldDark);
  c.FillCircle(float(x + 5), float(y + 5), 4, kGold);
  c.Set(x + 4, y + 3, kGoldLight);
}

// --- The pictograms ------------------------------------------------------------
// Each leaves the lower row free from x 4 (or 30 where a picture sits at the
// left) for the caps that play/key_caps.cpp lists for it.

// Pulling up from a hang at a ledge: keep the action key held and press toward
// the wall; the figure climbs over the edge.
Canvas ClimbUp(bool wall_on_right) {
  Canvas c = Captioned(3, "HOCHZIEHEN");
  TinyHang(c, wall_on_right ? 70 : 2, kPictureTop - 1, wall_on_right);
  return c;
}

// Climbing over a step one block high: action held and toward the step.
Canvas ClimbStep(bool step_on_right) {
  Canvas c = Captioned(3, "BEIDE HALTEN");
  TinyStep(c, step_on_right ? 70 : 2, kPictureTop - 1, step_on_right);
  return c;
}

// Pushing a crate: action held, and one press of the direction per cell.
Canvas Push(bool toward_right) {
  Canvas c = Captioned(3, "HALTEN + TIPPEN");
  TinyCrate(c, toward_right ? 72 : 4, kPictureTop + 3);
  SmallArrow(c, toward_right ? 85 : 17, kPictureTop + 5, toward_right ? Arrow::kRight : Arrow::kLeft, kLabel);
  return c;
}

// The gun: draw it, then hold the action key to fire.
Canvas DrawAndFire() { return Captioned(3, "WAFFE > HALTEN"); }

// Climbing a ladder: action key held and up.
Canvas LadderUp() {
  Canvas c = Captioned(3, "HALTEN + HOCH");
  TinyLadder(c, 82, kPictureTop + 2);
  return c;
}

// Leaving a ladder at its top: keep climbing and walk off to the side.
Canvas LadderOff(bool toward_right) {
  (void)toward_right;
  return Captioned(3, "OBEN ZUR SEITE");
}

// Grabbing a ledge: jump with the action key held.
Canvas GrabLedge() { return Captioned(3, "HALTEN + SPRUNG"); }

// Hanging from a ceiling: action key held under it, then move along.
Canvas CeilingHang() { return Captioned(3, "AN DER DECKE"); }

// Leaving the boat: the jump key.
Canvas BoatJump() {
  Canvas c = Captioned(2, "AUSSTEIGEN");
  TinyBoat(c, 42, kPictureTop + 3);
  SmallArrow(c, 54, kPictureTop - 1, Arrow::kUp, kLabel);
  return c;
}

// Boarding the boat: walk right into it, then the jump key.
Canvas BoatBoard() {
  Canvas c = Captioned(2, "EINSTEIGEN");
  TinyBoat(c, 42, kPictureTop + 3);
  TinyFigure(c, 50, kPictureTop + 9);
  return c;
}

// Potions go into the bag; the bag key opens it to use them.
Canvas PotionToBag() {
  Canvas c = Board(2);
  TinyPotion(c, 26, kPictureTop);
  SmallArrow(c, 38, kPictureTop + 3, Arrow::kRight, kLabel);
  TinyBag(c, 48, kPictureTop + 1);
  PaintSmallText(c, "INVENTAR", 4, kCaptionTop, kLabel);
  return c;
}

// Picking things up: the action key over the item.
Canvas PickUp() {
  Canvas c = Captioned(3, "AUFHEBEN");
  TinyCoin(c, 52, kPictureTop + 2);
  TinyPotion(c, 64, kPictureTop);
  SmallArrow(c, 76, kPictureTop + 3, Arrow::kRight, kLabel);
  TinyBag(c, 84, kPictureTop + 1);
  return c;
}

// Changing guns: open the bag, page to the gun, take it.
Canvas SwitchWeapons() { return Captioned(3, "WAFFE WECHSELN"); }

// A drawn gun must go away before climbing: the draw key puts it back.
Canvas HolsterToClimb() {
  Canvas c = Captioned(3, "ERST WEGSTECKEN");
  SmallArrow(c, 66, kPictureTop + 4, Arrow::kRight, kLabel);
  TinyLadder(c, 80, kPictureTop + 1);
  return c;
}

// A lock: stand right in it with a key, then the action key.
Canvas OpenLock() {
  Canvas c = Captioned(2, "IM SCHLOSS");
  TinyLock(c, 46, kPictureTop + 1);
  TinyFigure(c, 58, kPictureTop + 17);
  return c;
}

// Warning at a deadly liquid: a skull on a yellow triangle.
Canvas DeadlyWarning() {
  Canvas c(kTileSize, kTileSize);
  c.FillPolygon({16, 1, 31, 29, 1, 29}, kOutline);
  c.FillPolygon({16, 5, 28, 27, 4, 27}, {250, 206, 40, 255});
  c.FillCircle(16, 16, 5.5f, kOutline);
  c.FillRect(13, 20, 7, 4, kOutline);
  c.FillCircle(14, 16, 1.6f, {250, 206, 40, 255});
  c.FillCircle(18.2f, 16, 1.6f, {250, 206, 40, 255});
  c.Set(14, 22, {250, 206, 40, 255});
  c.Set(16, 22, {250, 206, 40, 255});
  c.Set(18, 22, {250, 206, 40, 255});
  return c;
}

// The way on: a white arrow on a green plaque.
Canvas WayArrow(Arrow dir) {
  Canvas c(kTileSize, kTileSize);
  c.FillCircle(16, 16, 14, kOutline);
  c.FillCircle(16, 16, 12.5f, kGreen);
  c.FillCircle(15, 14, 9, Shade(kGreen, 1.12f));
  Canvas arrow(kTileSize, kTileSize);
  arrow.FillPolygon({6, 13, 16, 13, 16, 7, 26, 16, 16, 25, 16, 19, 6, 19}, kWhite);
  switch (dir) {
    case Arrow::kRight: break;
    case Arrow::kLeft: arrow = arrow.FlippedHorizontally(); break;
    case Arrow::kUp:
    case Arrow::kDown: {
      Canvas turned(kTileSize, kTileSize);
      for (int y = 0; y < kTileSize; ++y)
        for (int x = 0; x < kTileSize; ++x) turned.Set(y, x, arrow.Get(x, y));
      arrow = dir == Arrow::kDown ? turned : turned.FlippedVertically();
      break;
    }
  }
  c.Paste(arrow, 0, 0);
  return c;
}

// Hands in a pictogram of one or more cells, left to right from first_value.
void Cells(PictureSet& set, int first_value, const std::string& name, const Canvas& picture) {
  const int cells = picture.Width() / kTileSize;
  for (int i = 0; i < cells; ++i) {
    std::string entry = "pictogram: " + name;
    if (cells > 1) entry += " (cell " + std::to_string(i + 1) + " of " + std::to_string(cells) + ")";
    set.Tile(1, first_value + i, entry, picture.Crop(i * kTileSize, 0, kTileSize, kTileSize));
  }
}

}  // namespace

void PaintPictograms(PictureSet& set) {
  Cells(set, 300, "pull up from a ledge hang, wall on the right (action held + right)", ClimbUp(true));
  Cells(set, 303, "pull up from a ledge hang, wall on the left (action held + left)", ClimbUp(false));
  Cells(set, 306, "push a crate to the right (action held, one press of right per cell)", Push(true));
  Cells(set, 309, "push a crate to the left (action held, one press of left per cell)", Push(false));
  Cells(set, 312, "draw the gun, then hold action to fire", DrawAndFire());
  Cells(set, 315, "warning: deadly liquid (skull on a yellow triangle)", DeadlyWarning());
  Cells(set, 316, "climb a ladder (action held + up)", LadderUp());
  Cells(set, 319, "leave a ladder at its top to the right (action held + up + right)", LadderOff(true));
  Cells(set, 322, "grab a ledge (action held + jump)", GrabLedge());
  Cells(set, 325, "hang from a ceiling (action held + left or right)", CeilingHang());
  Cells(set, 328, "leave the boat (jump)", BoatJump());
  Cells(set, 330, "potions go into the bag; the bag key uses them", PotionToBag());
  Cells(set, 332, "way on: arrow right", WayArrow(Arrow::kRight));
  Cells(set, 333, "way on: arrow left", WayArrow(Arrow::kLeft));
  Cells(set, 334, "way on: arrow up", WayArrow(Arrow::kUp));
  Cells(set, 335, "way on: arrow down", WayArrow(Arrow::kDown));
  Cells(set, 336, "pick things up (action over the item)", PickUp());
  Cells(set, 339, "leave a ladder at its top to the left (action held + up + left)", LadderOff(false));
  Cells(set, 342, "climb over a one-block step to the right (action held + right)", ClimbStep(true));
  Cells(set, 345, "climb over a one-block step to the left (action held + left)", ClimbStep(false));
  Cells(set, 348, "switch weapons (bag key, page left/right, use key)", SwitchWeapons());
  Cells(set, 351, "board the boat (walk right into it, then jump)", BoatBoard());
  Cells(set, 353, "put the gun away to climb (draw key)", HolsterToClimb());
  Cells(set, 356, "open a lock (stand in it with a key, then action)", OpenLock());
}

}  // namespace vngen
