// Sprites outside the tile table: the three gun strips, the crosshair and the
// explosion strip.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/gen/art_guns.h"
#include "tools/gen/art_palette.h"
#include "tools/gen/art_picture_set.h"

namespace vngen {

namespace {

using namespace palette;

// Frame 0 points right from the centre, where the figure's hand holds it;
// frame 1 is the same gun upside down, which the game turns for the left half.
Canvas GunStrip(void (*paint)(Canvas&)) {
  Canvas right(32, 32);
  paint(right);
  right.Outline(kOutline);
  Canvas strip(64, 32);
  strip.Paste(right, 0, 0);
  strip.Paste(right.FlippedVertically(), 32, 0);
  return strip;
}

void Pistol(Canvas& c) { PaintPistol(c, 17, 15); }
void MachineGun(Canvas& c) { PaintMachineGun(c, 17, 16, false); }
void Launcher(Canvas& c) { PaintLauncher(c, 15, 19); }

// A red ring with four gaps and a centre dot, drawn with real alpha: a soft
// dark rim keeps it visible on light and dark ground alike.
Canvas Crosshair() {
  Canvas c(32, 32);
  Rgba rim = WithAlpha(kOutline, 200);
  c.Ring(16, 16, 12.5f, 7.5f, rim);
  c.ThickLine(16, 0.5f, 16, 9, 4, rim);
  c.ThickLine(16, 23, 16, 31.5f, 4, rim);
  c.ThickLine(0.5f, 16, 9, 16, 4, rim);
  c.ThickLine(23, 16, 31.5f, 16, 4, rim);
  c.Ring(16, 16, 11.2f, 8.8f, kRed);
  for (int k = 0; k < 4; ++k) {  // the gaps: the ring opens where the ticks are
    float a = float(k) * 1.5708f + 0.7854f;
    c.FillCircle(16 + 10 * std::cos(a), 16 + 10 * std::sin(a), 2.6f, rim);
  }
  c.FillRect(15, 2, 2, 7, kWhite);
  c.FillRect(15, 24, 2, 7, kWhite);
  c.FillRect(2, 15, 7, 2, kWhite);
  c.FillRect(24, 15, 7, 2, kWhite);
  c.FillCircle(16, 16, 2.5f, rim);
  c.FillCircle(16, 16, 1.5f, kRed);
  return c;
}

// One frame of the explosion, age t from 0 (flash) to 1 (the last smoke).
// Fading is dithered, because the mask knows only "there" and "not there".
Canvas ExplosionFrame(int f) {
  Canvas c(64, 64);
  float t = float(f) / 17.0f;
  if (f < 2) {
    // The flash: a jagged star with a white-hot core.
    float r = 12.0f + 9.0f * float(f);
    std::vector<float> star;
    for (int k = 0; k < 20; ++k) {
      float a = float(k) * 0.31416f, reach = k % 2 ? r * 0.45f : r * (0.8f + 0.4f * Hash01(k, f, 16));
      star.push_back(32 + reach * std::cos(a));
      star.push_back(32 + reach * std::sin(a));
    }
    c.FillPolygon(star, kLavaLight);
    c.FillCircle(32, 32, r * 0.45f, kWhite);
    return c;
  }
  // A heat field from puffs that fly outwards and rise, stirred by noise;
  // temperature falls with age and towards each puff's edge, and the colour
  // follows it from white through yellow, orange and red into smoke.
  const Rgba smoke_dark{70, 64, 64, 255}, smoke_light{128, 122, 120, 255};
  float fade = std::clamp((t - 0.5f) / 0.5f, 0.0f, 0.97f);
  for (int py = 0; py < 64; ++py)
    for (int px = 0; px < 64; ++px) {
      float heat = -1;
      for (int k = 0; k < 9; ++k) {
        float a = float(k) * 0.698f + Hash01(k, 0, 17) * 0.5f;
        float distance = (k == 0 ? 0.0f : 5.0f + 15.0f * Hash01(k, 1, 17)) * std::sqrt(t);
        float x = 32 + distance * std::cos(a), y = 32 + distance * std::sin(a) - 12.0f * t * t;
        float r = (7.0f + 5.0f * Hash01(k, 2, 17)) * (0.7f + 0.9f * std::sqrt(t));
        float dx = float(px) + 0.5f - x, dy = float(py) + 0.5f - y;
        heat = std::max(heat, 1.0f - std::sqrt(dx * dx + dy * dy) / r);
      }
      float stir = SmoothNoise(float(px), float(py) + float(f) * 2, 5, 19) - 0.5f;
      float cover = heat + stir * 0.35f;
      if (cover <= 0.05f || Bayer4(px, py) < fade) continue;
      float temperature = cover * 2.4f * (1.0f - t) * (1.0f - t) + stir * 0.3f;
      Rgba colour = temperature > 1.3f    ? kWhite
                    : temperature > 0.95f ? kLavaLight
                    : temperature > 0.6f  ? kLava
                    : temperature > 0.35f ? kLavaDark
                                          : Mix(smoke_dark, smoke_light, std::clamp(0.5f - stir - float(py - 32) / 64, 0.0f, 1.0f));
      c.Set(px, py, colour);
    }
  return c;
}

Canvas Explosion() {
  Canvas strip(64 * 18, 64);
  for (int f = 0; f < 18; ++f) strip.Paste(ExplosionFrame(f), f * 64, 0);
  return strip;
}

}  // namespace

void PaintSprites(PictureSet& set) {
  set.Masked("gun0.bmp", GunStrip(Pistol));
  set.Masked("gun1.bmp", GunStrip(MachineGun));
  set.Masked("gun2.bmp", GunStrip(Launcher));
  set.Png("crosshair.png", Crosshair());
  set.Masked("explosion.bmp", Explosion());
}

}  // namespace vngen
