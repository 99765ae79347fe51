#include "tools/gen/art_guns.h"

#include "tools/gen/art_palette.h"

namespace vngen {

using namespace palette;

namespace {

constexpr Rgba kGunMetal{92, 96, 110, 255};
constexpr Rgba kGunGrip{120, 74, 40, 255};
constexpr Rgba kOlive{104, 118, 60, 255};

void MetalBar(Canvas& c, int x, int y, int w, int h, Rgba metal) {
  c.FillRect(x, y, w, h, metal);
  c.FillRect(x, y, w, 1, Shade(metal, 1.45f));
  if (h > 2) c.FillRect(x, y + h - 1, w, 1, Shade(metal, 0.65f));
}

}  // namespace

void PaintPistol(Canvas& c, int gx, int gy) {
  // Grip below and slightly behind the hand, slide reaching forward; the
  // slim barrel end makes the tip read as a pointer in the menu.
  c.FillPolygon({float(gx - 3), float(gy), float(gx + 2), float(gy), float(gx + 1), float(gy + 7),
                 float(gx - 4), float(gy + 7)},
                kGunGrip);
  c.Line(gx - 2, gy + 2, gx, gy + 2, Shade(kGunGrip, 0.7f));
  c.Line(gx - 3, gy + 4, gx - 1, gy + 4, Shade(kGunGrip, 0.7f));
  c.FrameRect(gx + 2, gy, 4, 3, kGunMetal);  // trigger guard
  MetalBar(c, gx - 4, gy - 4, 15, 4, kGunMetal);
  MetalBar(c, gx + 11, gy - 3, 4, 2, Shade(kGunMetal, 0.9f));
  c.Set(gx + 9, gy - 5, kGunMetal);  // front sight
}

void PaintMachineGun(Canvas& c, int gx, int gy, bool with_belt) {
  c.FillPolygon({float(gx - 14), float(gy - 4), float(gx - 8), float(gy - 4), float(gx - 8), float(gy + 1),
                 float(gx - 14), float(gy + 3)},
                kGunGrip);  // stock
  MetalBar(c, gx - 8, gy - 5, 16, 6, kGunMetal);
  MetalBar(c, gx + 8, gy - 4, 7, 3, Shade(kGunMetal, 0.85f));  // barrel jacket
  for (int x = gx + 9; x < gx + 15; x += 2) c.Set(x, gy - 3, kOutline);
  c.FillRect(gx, gy + 1, 2, 5, kGunGrip);  // grip
  c.FillRect(gx - 5, gy - 7, 5, 2, kGunMetal);  // sight rail
  if (with_belt) {
    // Ammunition belt hanging from the feed: brass cartridges in a strap.
    for (int k = 0; k < 5; ++k) {
      int x = gx - 6 + k * 2, y = gy + 1 + k;
      c.FillRect(x, y, 2, 4, kGold);
      c.Set(x, y + 3, kGoldDark);
      c.Set(x + 1, y, kGoldLight);
    }
  }
}

void PaintLauncher(Canvas& c, int gx, int gy) {
  MetalBar(c, gx - 15, gy - 8, 28, 7, kOlive);
  c.FillRect(gx - 15, gy - 9, 3, 9, Shade(kOlive, 0.8f));  // rear flare
  c.FillRect(gx + 10, gy - 9, 3, 9, Shade(kOlive, 0.8f));  // muzzle ring
  for (int x : {gx - 8, gx + 3}) c.FillRect(x, gy - 8, 2, 7, Shade(kOlive, 0.7f));
  c.FillRect(gx - 4, gy - 11, 4, 3, kGunMetal);  // sight
  c.FillRect(gx, gy - 1, 3, 6, kGunGrip);
  c.FillRect(gx - 7, gy - 1, 3, 4, kGunGrip);
  // The rocket's red nose peeks out of the muzzle.
  c.FillPolygon({float(gx + 13), float(gy - 7), float(gx + 16), float(gy - 5), float(gx + 16), float(gy - 4),
                 float(gx + 13), float(gy - 2)},
                kRed);
}

void PaintRocket(Canvas& c, int tip_x, int y) {
  c.FillRect(tip_x - 10, y - 1, 7, 3, kIronLight);
  const float tip = float(tip_x), mid = float(y);
  c.FillPolygon({tip - 3, mid - 1.5f, tip + 1, mid + 0.5f, tip - 3, mid + 2.5f}, kRed);
  c.FillPolygon({float(tip_x - 12), float(y - 3), float(tip_x - 9), float(y - 1), float(tip_x - 9), float(y + 2),
                 float(tip_x - 12), float(y + 4)},
                Shade(kRed, 0.7f));
}

}  // namespace vngen
