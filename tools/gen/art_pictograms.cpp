// Layer 1, 300..349: pictograms that teach a move where it is first needed.
// They are scenery (no function, drawn behind the figures). Keys are named by
// what they do, as the sign texts name them, never by a key's name, since
// every key can be rebound. Wide pictograms are painted whole and cut into
// neighbouring cells with consecutive values, left to right.
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
constexpr Rgba kCap{238, 234, 222, 255};
constexpr Rgba kCapEdge{160, 156, 150, 255};
constexpr Rgba kCapText{34, 30, 44, 255};
constexpr Rgba kLabel{255, 214, 96, 255};

constexpr int kRow1 = 3;   // top of the first row of keys
constexpr int kRow2 = 18;  // top of the second row
constexpr int kCapHeight = 11;

const char* const kAction = "AKTIONSTASTE";

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

int TextWidth(const std::string& text) { return PixelTextWidth(text, 1); }

// A key cap of body width w at (x, y): light face, darker lower edge, dark rim.
void CapBody(Canvas& c, int x, int y, int w) {
  c.FrameRect(x - 1, y - 1, w + 2, kCapHeight + 2, kOutline);
  c.FillRect(x, y, w, kCapHeight, kCap);
  c.FillRect(x, y + kCapHeight - 2, w, 2, kCapEdge);
}

// A key cap labelled with a key's function; returns the x after it.
int TextCap(Canvas& c, int x, int y, const std::string& label) {
  const int w = TextWidth(label) + 6;
  CapBody(c, x, y, w);
  PaintSmallText(c, label, x + 3, y + 1, kCapText);
  return x + w + 3;
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

// A key cap with an arrow: the walking and climbing keys.
int ArrowCap(Canvas& c, int x, int y, Arrow dir) {
  CapBody(c, x, y, 13);
  SmallArrow(c, x + 3, y + 1, dir, kCapText);
  return x + 16;
}

int Label(Canvas& c, int x, int y, const std::string& text) {
  PaintSmallText(c, text, x, y + 1, kLabel);
  return x + TextWidth(text) + 3;
}

// The action key in the first row and "HALTEN +" in the second: the moves made
// with the action key held. Returns where the second row goes on.
int HoldAction(Canvas& c) {
  TextCap(c, 4, kRow1, kAction);
  return Label(c, Label(c, 4, kRow2, "HALTEN"), kRow2, "+");
}

// --- Little pictures of the situation -------------------------------------

void TinyWall(Canvas& c, int x, int y, bool wall_on_right) {
  // A block with a ledge, a hanging figure beside it and the way up over it.
  const int wx = wall_on_right ? x + 10 : x;
  c.FillRect(wx, y + 3, 10, 10, kSand);
  c.FrameRect(wx, y + 3, 10, 10, kSandMortar);
  const int fx = wall_on_right ? x + 6 : x + 14;
  c.FillEllipse(float(fx), float(y + 6), 2.5f, 3, kOutline);
  c.FillRect(fx - 1, y + 8, 2, 4, kOutline);
  SmallArrow(c, wx + 2, y - 4, wall_on_right ? Arrow::kRight : Arrow::kLeft, kLabel);
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

// Climbing up from a hang: the action key and the direction toward the wall.
Canvas ClimbUp(bool wall_on_right) {
  Canvas c = Board(3);
  TextCap(c, 4, kRow1, kAction);
  int x = Label(c, 4, kRow2, "+");
  x = ArrowCap(c, x, kRow2, wall_on_right ? Arrow::kRight : Arrow::kLeft);
  TinyWall(c, 70, kRow2 - 1, wall_on_right);
  return c;
}

// Pushing a crate: hold the action key and walk into it.
Canvas Push(bool toward_right) {
  Canvas c = Board(3);
  int x = HoldAction(c);
  if (toward_right) {
    x = ArrowCap(c, x, kRow2, Arrow::kRight);
    TinyCrate(c, x + 2, kRow2);
  } else {
    TinyCrate(c, x + 2, kRow2);
    ArrowCap(c, x + 17, kRow2, Arrow::kLeft);
  }
  return c;
}

// The gun: first draw it, then fire with the action key.
Canvas DrawAndFire() {
  Canvas c = Board(3);
  TextCap(c, Label(c, 4, kRow1, "1"), kRow1, "WAFFE ZIEHEN");
  TextCap(c, Label(c, 4, kRow2, "2"), kRow2, kAction);
  return c;
}

// Climbing a ladder: action key held and up.
Canvas LadderUp() {
  Canvas c = Board(3);
  int x = HoldAction(c);
  x = ArrowCap(c, x, kRow2, Arrow::kUp);
  TinyLadder(c, 84, kRow2);
  return c;
}

// Leaving a ladder at its top: keep climbing and walk off to the side.
Canvas LadderOff(bool toward_right) {
  Canvas c = Board(3);
  int x = HoldAction(c);
  TinyLadder(c, 4 + TextWidth(kAction) + 10, kRow1);  // right of the action key
  x = ArrowCap(c, x, kRow2, Arrow::kUp);
  ArrowCap(c, x, kRow2, toward_right ? Arrow::kRight : Arrow::kLeft);
  return c;
}

// Grabbing a ledge: jump with the action key held.
Canvas GrabLedge() {
  Canvas c = Board(3);
  int x = HoldAction(c);
  TextCap(c, x, kRow2, "SPRUNG");
  return c;
}

// Hanging from a ceiling: action key held under it, then move along.
Canvas CeilingHang() {
  Canvas c = Board(3);
  int x = HoldAction(c);
  x = ArrowCap(c, x, kRow2, Arrow::kLeft);
  ArrowCap(c, x, kRow2, Arrow::kRight);
  return c;
}

// Leaving the boat: the jump key.
Canvas BoatJump() {
  Canvas c = Board(2);
  TextCap(c, 4, kRow1, "SPRUNG");
  TinyBoat(c, 8, kRow2 - 1);
  SmallArrow(c, 30, kRow2, Arrow::kUp, kLabel);
  SmallArrow(c, 38, kRow2 + 3, Arrow::kRight, kLabel);
  c.FillRect(48, kRow2 + 3, 12, 10, kMeadow);  // the bank
  return c;
}

// Potions go into the bag; the bag key opens it to use them.
Canvas PotionToBag() {
  Canvas c = Board(2);
  TinyPotion(c, 8, kRow1 - 1);
  SmallArrow(c, 24, kRow1 + 2, Arrow::kRight, kLabel);
  TinyBag(c, 38, kRow1);
  TextCap(c, 4, kRow2, "INVENTAR");
  return c;
}

// Picking things up: the action key over the item.
Canvas PickUp() {
  Canvas c = Board(3);
  TextCap(c, 4, kRow1, kAction);
  TinyCoin(c, 8, kRow2);
  TinyPotion(c, 22, kRow2 - 1);
  SmallArrow(c, 38, kRow2 + 2, Arrow::kRight, kLabel);
  TinyBag(c, 50, kRow2);
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
  Cells(set, 300, "climb up from a hang, wall on the right (Aktionstaste + right)", ClimbUp(true));
  Cells(set, 303, "climb up from a hang, wall on the left (Aktionstaste + left)", ClimbUp(false));
  Cells(set, 306, "push a crate to the right (hold Aktionstaste + right)", Push(true));
  Cells(set, 309, "push a crate to the left (hold Aktionstaste + left)", Push(false));
  Cells(set, 312, "1 Waffe ziehen, 2 Aktionstaste (fire)", DrawAndFire());
  Cells(set, 315, "warning: deadly liquid (skull on a yellow triangle)", DeadlyWarning());
  Cells(set, 316, "climb a ladder (hold Aktionstaste + up)", LadderUp());
  Cells(set, 319, "leave a ladder at its top to the right (hold Aktionstaste + up + right)", LadderOff(true));
  Cells(set, 322, "grab a ledge (hold Aktionstaste + Sprung)", GrabLedge());
  Cells(set, 325, "hang from a ceiling (hold Aktionstaste + left or right)", CeilingHang());
  Cells(set, 328, "leave the boat with Sprung", BoatJump());
  Cells(set, 330, "potions go into the bag; Inventar uses them", PotionToBag());
  Cells(set, 332, "way on: arrow right", WayArrow(Arrow::kRight));
  Cells(set, 333, "way on: arrow left", WayArrow(Arrow::kLeft));
  Cells(set, 334, "way on: arrow up", WayArrow(Arrow::kUp));
  Cells(set, 335, "way on: arrow down", WayArrow(Arrow::kDown));
  Cells(set, 336, "pick things up (Aktionstaste over the item)", PickUp());
  Cells(set, 339, "leave a ladder at its top to the left (hold Aktionstaste + up + left)", LadderOff(false));
}

}  // namespace vngen
