// Layer 1, 230..259: everything the player can pick up. Each picture doubles
// as its slot's picture in the bag, where it is shown twelve times enlarged,
// so shapes stay simple and every item has its own outline and colour.
#include <cmath>

#include "tools/gen/art_guns.h"
#include "tools/gen/art_palette.h"
#include "tools/gen/art_picture_set.h"

namespace vngen {

namespace {

using namespace palette;

Canvas Tile() { return Canvas(kTileSize, kTileSize); }

// Finishes a pick-up: the dark contour every usable object carries.
Canvas Outlined(Canvas c) {
  c.Outline(kOutline);
  return c;
}

void Sparkle(Canvas& c, int x, int y) {
  c.Set(x, y, kWhite);
  c.Set(x - 1, y, WithAlpha(kWhite, 255));
  c.Set(x + 1, y, kWhite);
  c.Set(x, y - 1, kWhite);
  c.Set(x, y + 1, kWhite);
}

Canvas MoneyBag() {
  Canvas c = Tile();
  Rgba sack{196, 156, 96, 255};
  c.FillEllipse(14, 19, 10, 10, sack);
  c.FillPolygon({9, 7, 19, 7, 16, 12, 12, 12}, sack);
  c.FillEllipse(12, 16, 5, 6, Shade(sack, 1.15f));
  c.FillRect(10, 11, 9, 2, Shade(sack, 0.55f));  // the tied string
  c.FillEllipse(14, 19, 10, 10, sack);
  c.FillEllipse(11, 15, 3, 4, Shade(sack, 1.18f));
  c.FillRect(10, 11, 9, 2, Shade(sack, 0.55f));
  // The coin in front, with a stamped mark.
  c.FillCircle(22, 23, 7, kGoldDark);
  c.FillCircle(21.5f, 22.5f, 6, kGold);
  c.Ring(21.5f, 22.5f, 3.5f, 2.5f, kGoldDark);
  c.Set(19, 19, kGoldLight);
  c.Set(18, 20, kGoldLight);
  return Outlined(c);
}

Canvas HealthPotion() {
  Canvas c = Tile();
  Rgba glass{210, 226, 236, 255};
  c.FillCircle(16, 20, 10, glass);
  c.FillRect(13, 4, 6, 8, glass);
  c.FillCircle(16, 21, 8.5f, kRed);
  c.FillRect(12, 2, 8, 4, Shade(kPlank, 0.9f));  // cork
  // A white heart on the liquid says "health" at a glance.
  c.FillCircle(14, 19, 2.5f, kWhite);
  c.FillCircle(18.5f, 19, 2.5f, kWhite);
  c.FillPolygon({11.5f, 20, 21, 20, 16.2f, 26}, kWhite);
  c.FillEllipse(10.5f, 16, 1.2f, 3, WithAlpha(kWhite, 255));
  return Outlined(c);
}

Canvas Key() {
  Canvas c = Tile();
  c.Ring(9, 10, 6.5f, 3, kGold);
  c.ThickLine(13, 14, 27, 28, 3.5f, kGold);
  c.ThickLine(20, 21, 16, 25, 3, kGold);
  c.ThickLine(24, 25, 20, 29, 3, kGold);
  c.Ring(9, 10, 6.5f, 5.5f, kGoldDark);
  c.Set(6, 6, kGoldLight);
  c.Set(5, 7, kGoldLight);
  c.Line(14, 14, 26, 26, kGoldLight);
  return Outlined(c);
}

Canvas Gem(Rgba colour, int cut) {
  Canvas c = Tile();
  Rgba light = Mix(colour, kWhite, 0.55f), dark = Shade(colour, 0.55f);
  if (cut == 0) {  // round brilliant
    c.FillPolygon({8, 12, 12, 7, 20, 7, 24, 12, 16, 26}, colour);
    c.FillPolygon({8, 12, 12, 7, 20, 7, 24, 12}, light);
    c.FillPolygon({16, 26, 24, 12, 18, 12}, dark);
  } else if (cut == 1) {  // diamond
    c.FillPolygon({16, 4, 26, 16, 16, 28, 6, 16}, colour);
    c.FillPolygon({16, 4, 16, 16, 6, 16}, light);
    c.FillPolygon({16, 28, 26, 16, 16, 16}, dark);
  } else {  // emerald step cut
    c.FillPolygon({10, 6, 22, 6, 26, 10, 26, 22, 22, 26, 10, 26, 6, 22, 6, 10}, dark);
    c.FillRect(10, 10, 12, 12, colour);
    c.FillRect(10, 10, 12, 3, light);
  }
  Sparkle(c, 12, 11);
  return Outlined(c);
}

Canvas Crown() {
  Canvas c = Tile();
  c.FillPolygon({5, 24, 5, 10, 11, 17, 16, 7, 21, 17, 27, 10, 27, 24}, kGold);
  c.FillRect(5, 22, 23, 4, kGoldDark);
  c.FillRect(5, 22, 23, 1, kGoldLight);
  c.FillCircle(16, 18, 2, kRed);
  c.FillCircle(10, 20, 1.5f, kBlue);
  c.FillCircle(22, 20, 1.5f, kBlue);
  for (auto [x, y] : {std::pair{5, 9}, {16, 6}, {27, 9}}) c.FillCircle(float(x) + 0.5f, float(y) + 0.5f, 1.6f, kWhite);
  return Outlined(c);
}

Canvas Scroll() {
  Canvas c = Tile();
  Rgba paper{236, 222, 180, 255};
  c.FillRect(8, 7, 16, 18, paper);
  c.FillEllipse(8, 16, 3, 10, Shade(paper, 0.8f));
  c.FillEllipse(24, 16, 3, 10, Shade(paper, 0.8f));
  for (int y = 10; y < 23; y += 3) c.Line(11, y, 20 - (y % 2) * 2, y, Shade(kPlankDark, 0.8f));
  c.FillRect(14, 14, 4, 4, kRed);  // seal
  return Outlined(c);
}

Canvas Ring() {
  Canvas c = Tile();
  c.Ring(16, 19, 9, 6, kGold);
  c.Ring(16, 19, 6.8f, 6, kGoldDark);
  c.FillPolygon({12, 10, 16, 4, 20, 10, 16, 13}, kBlue);
  c.Set(15, 7, kWhite);
  return Outlined(c);
}

Canvas Chalice() {
  Canvas c = Tile();
  c.FillPolygon({7, 5, 25, 5, 22, 14, 10, 14}, kIronLight);
  c.FillEllipse(16, 14, 6, 3, kIronLight);
  c.FillRect(15, 15, 3, 8, kIronLight);
  c.FillEllipse(16, 25, 7, 2.5f, kIronLight);
  c.FillRect(8, 5, 16, 2, Shade(kPurple, 1.0f));  // wine at the brim
  c.FillRect(9, 8, 2, 5, kWhite);
  c.FillCircle(16, 10, 1.6f, kRed);
  return Outlined(c);
}

Canvas Amulet() {
  Canvas c = Tile();
  c.Ring(16, 9, 8, 7, kGoldDark);
  c.FillCircle(16, 20, 7, kGold);
  c.FillCircle(16, 20, 4.5f, kGreen);
  c.FillCircle(14.5f, 18.5f, 1.5f, Mix(kGreen, kWhite, 0.6f));
  return Outlined(c);
}

Canvas Star() {
  Canvas c = Tile();
  std::vector<float> points;
  for (int k = 0; k < 10; ++k) {
    float a = -1.5708f + float(k) * 0.6283f, r = k % 2 ? 5.0f : 13.0f;
    points.push_back(16 + r * std::cos(a));
    points.push_back(17 + r * std::sin(a));
  }
  c.FillPolygon(points, kGold);
  c.FillCircle(15, 15, 3, kGoldLight);
  return Outlined(c);
}

Canvas Pearl() {
  Canvas c = Tile();
  Rgba shell{232, 170, 160, 255};
  c.FillEllipse(16, 21, 12, 7, shell);
  for (int k = -2; k <= 2; ++k) c.Line(16, 26, 16 + k * 5, 15, Shade(shell, 0.75f));
  c.FillCircle(16, 15, 5, kWhite);
  c.FillCircle(17, 16, 3.5f, Mix(kWhite, kSteel, 0.3f));
  c.FillCircle(14.5f, 13.5f, 1.5f, {255, 255, 255, 255});
  return Outlined(c);
}

Canvas Book() {
  Canvas c = Tile();
  c.FillRect(7, 5, 18, 23, kPurple);
  c.FillRect(7, 5, 3, 23, Shade(kPurple, 0.7f));
  c.FillRect(22, 7, 3, 19, Shade(kWhite, 0.9f));  // page edges
  c.FillPolygon({16, 11, 19, 15, 16, 19, 13, 15}, kGold);
  c.FillRect(11, 5, 1, 23, kGold);
  return Outlined(c);
}

Canvas Hourglass() {
  Canvas c = Tile();
  Rgba glass{206, 226, 240, 255};
  c.FillPolygon({9, 6, 23, 6, 17, 16, 23, 26, 9, 26, 15, 16}, glass);
  c.FillPolygon({12, 9, 20, 9, 16, 15}, kSand);
  c.FillPolygon({16, 20, 21, 25, 11, 25}, kSand);
  c.Line(16, 15, 16, 22, kSand);
  c.FillRect(7, 3, 18, 3, kBeam);
  c.FillRect(7, 26, 18, 3, kBeam);
  return Outlined(c);
}

Canvas TreasureMap() {
  Canvas c = Tile();
  Rgba paper{226, 204, 150, 255};
  c.FillPolygon({5, 8, 12, 6, 20, 9, 27, 7, 27, 25, 20, 27, 12, 24, 5, 26}, paper);
  c.Line(12, 6, 12, 24, Shade(paper, 0.8f));
  c.Line(20, 9, 20, 27, Shade(paper, 0.8f));
  for (int k = 0; k < 4; ++k) c.Set(8 + k * 3, 20 - k * 2, Shade(kPlankDark, 0.8f));
  c.Line(21, 13, 24, 16, kRed);
  c.Line(24, 13, 21, 16, kRed);
  return Outlined(c);
}

Canvas Feather() {
  Canvas c = Tile();
  Rgba vane{90, 200, 210, 255};
  c.FillPolygon({24, 4, 27, 8, 14, 24, 9, 23, 11, 19}, vane);
  c.FillPolygon({24, 4, 19, 7, 9, 20, 11, 19}, Mix(vane, kWhite, 0.4f));
  c.Line(25, 5, 7, 27, Shade(kWhite, 0.95f));
  c.Line(12, 21, 16, 21, Shade(vane, 0.6f));
  return Outlined(c);
}

Canvas Bell() {
  Canvas c = Tile();
  c.FillPolygon({12, 9, 20, 9, 22, 18, 26, 23, 6, 23, 10, 18}, kGold);
  c.FillCircle(16, 9, 4, kGold);
  c.FillRect(6, 22, 21, 2, kGoldDark);
  c.FillCircle(16, 26, 2.2f, kGoldDark);
  c.Ring(16, 4, 2.5f, 1.2f, kGoldDark);
  c.Line(12, 11, 10, 20, kGoldLight);
  return Outlined(c);
}

Canvas Mushroom() {
  Canvas c = Tile();
  c.FillRect(13, 16, 7, 11, kWhite);
  c.FillEllipse(16, 15, 12, 8, kRed);
  c.FillRect(4, 15, 25, 4, kClear);
  c.FillRect(6, 15, 21, 2, Shade(kRed, 0.7f));
  for (auto [x, y] : {std::pair{10, 11}, {17, 9}, {22, 13}}) c.FillCircle(float(x), float(y), 1.8f, kWhite);
  return Outlined(c);
}

Canvas CrystalBall() {
  Canvas c = Tile();
  c.FillPolygon({8, 27, 11, 22, 21, 22, 24, 27}, kBeam);
  c.FillCircle(16, 14, 9, {150, 120, 230, 255});
  c.FillCircle(17, 15, 6, {186, 160, 246, 255});
  c.FillCircle(13, 11, 2.2f, kWhite);
  return Outlined(c);
}

// Guns 3..9 have no real use; their pictures are plain, distinct firearms.
Canvas GunVariant(Rgba body, int barrel_length, bool scope) {
  Canvas c = Tile();
  c.FillPolygon({7, 16, 12, 16, 11, 25, 5, 25}, Shade(kPlank, 0.8f));
  c.FillRect(5, 11, 8 + barrel_length, 5, body);
  c.FillRect(5, 11, 8 + barrel_length, 1, Mix(body, kWhite, 0.5f));
  c.FillRect(13 + barrel_length, 12, 3, 3, Shade(body, 0.7f));
  if (scope) {
    c.FillRect(9, 7, 9, 3, kIron);
    c.FillRect(17, 7, 2, 3, kWaterLight);
  }
  c.FrameRect(12, 16, 4, 4, body);
  return Outlined(c);
}

Canvas GunItem(int kind) {
  Canvas c = Tile();
  if (kind == 0) PaintPistol(c, 14, 17);
  if (kind == 1) PaintMachineGun(c, 16, 15, true);
  if (kind == 2) {
    PaintLauncher(c, 16, 13);
    PaintRocket(c, 28, 22);
    PaintRocket(c, 22, 27);
  }
  return Outlined(c);
}

}  // namespace

void PaintItemObjects(PictureSet& set) {
  set.Tile(1, 230, "money: bag with a coin (the cell's code is the amount)", MoneyBag());
  set.Tile(1, 231, "health: heart potion", HealthPotion());
  set.Tile(1, 232, "key (opens locks 285/286)", Key());
  set.Tile(1, 233, "item: ruby", Gem(kRed, 0));
  set.Tile(1, 234, "item: sapphire", Gem(kBlue, 1));
  set.Tile(1, 235, "item: emerald", Gem(kGreen, 2));
  set.Tile(1, 236, "item: crown", Crown());
  set.Tile(1, 237, "item: sealed scroll", Scroll());
  set.Tile(1, 238, "item: ring", Ring());
  set.Tile(1, 239, "item: chalice", Chalice());
  set.Tile(1, 240, "item: amulet", Amulet());
  set.Tile(1, 241, "item: golden star", Star());
  set.Tile(1, 242, "item: pearl in a shell", Pearl());
  set.Tile(1, 243, "item: book", Book());
  set.Tile(1, 244, "item: hourglass", Hourglass());
  set.Tile(1, 245, "item: treasure map", TreasureMap());
  set.Tile(1, 246, "item: feather", Feather());
  set.Tile(1, 247, "item: bell", Bell());
  set.Tile(1, 248, "item: mushroom", Mushroom());
  set.Tile(1, 249, "item: crystal ball", CrystalBall());
  set.Tile(1, 250, "gun 0: pistol", GunItem(0));
  set.Tile(1, 251, "gun 1: machine gun with ammunition belt", GunItem(1));
  set.Tile(1, 252, "gun 2: launcher with rockets", GunItem(2));
  set.Tile(1, 253, "gun 3: silver revolver (no function)", GunVariant(kIronLight, 6, false));
  set.Tile(1, 254, "gun 4: long rifle (no function)", GunVariant(kPlankDark, 12, true));
  set.Tile(1, 255, "gun 5: blaster (no function)", GunVariant({60, 170, 170, 255}, 4, false));
  set.Tile(1, 256, "gun 6: golden pistol (no function)", GunVariant(kGold, 5, false));
  set.Tile(1, 257, "gun 7: red carbine (no function)", GunVariant(kRed, 9, true));
  set.Tile(1, 258, "gun 8: purple ray gun (no function)", GunVariant(kPurple, 7, true));
  set.Tile(1, 259, "gun 9: bronze blunderbuss (no function)", GunVariant({196, 124, 52, 255}, 8, false));
}

}  // namespace vngen
