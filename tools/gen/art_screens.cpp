// The full-screen pictures: the play background, the title picture and the
// bag behind the inventory; and the launcher icon, the title's castle at dusk.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "tools/gen/art.h"
#include "tools/gen/art_letters.h"
#include "tools/gen/art_palette.h"
#include "tools/gen/art_picture_set.h"
#include "tools/gen/art_png_writer.h"

namespace vngen {

namespace {

using namespace palette;

constexpr float kTau = 6.2831853f;

// Smooth noise that repeats every `period` pixels in x (cell must divide it),
// so a picture drawn twice side by side shows no seam.
float WrappedNoise(float x, float y, int cell, int period, uint32_t seed) {
  int cells = period / cell;
  float gx = x / float(cell), gy = y / float(cell);
  int ix = int(std::floor(gx)), iy = int(std::floor(gy));
  float fx = gx - float(ix), fy = gy - float(iy);
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  auto at = [&](int i, int j) { return Hash01(((i % cells) + cells) % cells, j, seed); };
  return (at(ix, iy) * (1 - fx) + at(ix + 1, iy) * fx) * (1 - fy) +
         (at(ix, iy + 1) * (1 - fx) + at(ix + 1, iy + 1) * fx) * fy;
}

// A ridge line from three octaves of noise that repeat across the width;
// sharp gives pointed peaks (mountains) instead of rounded ones (hills).
struct RidgeStyle {
  float base, amplitude;
  int cell;  // the widest octave; it, its half and its quarter divide the width
  bool sharp;
  uint32_t seed;
};

float Ridge(float x, int width, const RidgeStyle& r) {
  float sum = 0, weight = 0.6f;
  for (int octave = 0, cell = r.cell; octave < 3 && cell >= 2; ++octave, cell /= 2, weight *= 0.45f) {
    float n = WrappedNoise(x, 0, cell, width, r.seed + uint32_t(octave));
    if (r.sharp) n = 1 - std::abs(2 * n - 1);
    sum += weight * (n - 0.5f) * 2;
  }
  return r.base - r.amplitude * sum;
}

void FillBelowRidge(Canvas& c, const RidgeStyle& r, Rgba top, Rgba bottom) {
  for (int x = 0; x < c.Width(); ++x) {
    int ridge = int(Ridge(float(x), c.Width(), r));
    for (int y = std::max(0, ridge); y < c.Height(); ++y)
      c.Set(x, y, Mix(top, bottom, float(y - ridge) / float(c.Height() - ridge + 1)));
  }
}

// --- Play background: 800 x 600, repeats sideways -------------------------------

Canvas Background() {
  constexpr int kWidth = 800, kHeight = 600;
  Canvas c(kWidth, kHeight);
  c.VerticalGradient(0, 0, kWidth, 380, {92, 150, 222, 255}, {196, 224, 246, 255});
  c.FillRect(0, 380, kWidth, kHeight - 380, {196, 224, 246, 255});
  // Clouds: soft noise above a threshold, lit from above.
  for (int y = 30; y < 300; ++y)
    for (int x = 0; x < kWidth; ++x) {
      // Wide, flat cloud banks: the noise is stretched sideways.
      float n = WrappedNoise(float(x), float(y) * 3, 100, kWidth, 1) * 0.6f +
                WrappedNoise(float(x), float(y) * 3, 25, kWidth, 2) * 0.3f +
                WrappedNoise(float(x), float(y) * 3, 8, kWidth, 3) * 0.1f;
      float band = std::sin(float(y - 30) / 270.0f * 3.14159f);
      float density = n * (0.55f + 0.45f * band);
      if (density > 0.56f) {
        float light = std::clamp((density - 0.56f) * 5, 0.0f, 1.0f);
        Rgba cloud = Mix({206, 220, 238, 255}, {252, 252, 255, 255}, light);
        c.Set(x, y, Mix(c.Get(x, y), cloud, std::clamp((density - 0.56f) * 14, 0.0f, 1.0f)));
      }
    }
  const RidgeStyle mountains{330, 150, 200, true, 10};
  FillBelowRidge(c, mountains, {150, 168, 200, 255}, {176, 194, 216, 255});
  // Snow on the far peaks.
  for (int x = 0; x < kWidth; ++x) {
    float ridge = Ridge(float(x), kWidth, mountains);
    if (ridge < 285)
      for (int y = int(ridge); y < int(ridge) + int((285 - ridge) / 2.5f) + 2; ++y) c.Set(x, y, {232, 238, 246, 255});
  }
  FillBelowRidge(c, {425, 70, 200, false, 20}, {112, 150, 150, 255}, {138, 170, 160, 255});
  FillBelowRidge(c, {495, 45, 200, false, 30}, {98, 140, 100, 255}, {120, 156, 110, 255});
  return c;
}

// --- Title picture: 450 x 400, a castle at night --------------------------------

// The menu draws near-white text at window rows 100, 200, 300 and 400 of a
// 600-row window, about 16 design rows tall; the key list fills rows 100..512
// at half size. Those areas are darkened so every text stays readable.
void DarkenForMenu(Canvas& c) {
  for (int y = 0; y < c.Height(); ++y) {
    float darkness = y >= 58 && y <= 350 ? 0.2f : 0.0f;
    for (int entry = 1; entry <= 4; ++entry) {
      float centre = float(entry) * 100.0f * 400.0f / 600.0f + 9.0f;
      float d = (float(y) - centre) / 16.0f;
      darkness = std::max(darkness, 0.6f * std::exp(-d * d * d * d));
    }
    for (int x = 0; x < c.Width(); ++x) {
      // Fade the bands out towards the sides, where no text ever stands.
      float side = std::clamp((std::abs(float(x) - 225) - 150) / 60, 0.0f, 1.0f);
      c.Set(x, y, Shade(c.Get(x, y), 1.0f - darkness * (1 - side * 0.6f)));
    }
  }
}

void CastleSilhouette(Canvas& c, int x0, int ground, Rgba stone, Rgba window) {
  auto tower = [&](int x, int w, int h) {
    c.FillRect(x, ground - h, w, h, stone);
    for (int k = 0; k < w; k += 6) c.FillRect(x + k, ground - h - 4, 4, 4, stone);  // battlements
  };
  tower(x0, 24, 120);
  tower(x0 + 24, 60, 80);
  tower(x0 + 84, 30, 150);
  c.FillPolygon({float(x0 + 82), float(ground - 150), float(x0 + 99), float(ground - 185), float(x0 + 116),
                 float(ground - 150)},
                stone);
  tower(x0 + 114, 50, 90);
  tower(x0 + 164, 22, 125);
  c.FillRect(x0 + 98, ground - 185 - 14, 1, 14, stone);
  c.FillRect(x0 + 99, ground - 199, 9, 6, kRed);  // the flag
  for (auto [x, y] : {std::pair{8, 96}, {94, 120}, {101, 98}, {40, 58}, {60, 58}, {130, 66}, {171, 100}})
    c.FillRect(x0 + x, ground - y, 3, 5, window);
  c.FillCircle(float(x0 + 54), float(ground - 14), 11, Shade(stone, 0.5f));  // gate
  c.FillRect(x0 + 43, ground - 14, 23, 14, Shade(stone, 0.5f));
}

Canvas Title() {
  constexpr int kWidth = 450, kHeight = 400;
  Canvas c(kWidth, kHeight);
  c.VerticalGradient(0, 0, kWidth, kHeight, {14, 16, 46, 255}, {70, 46, 96, 255});
  for (int k = 0; k < 160; ++k) {
    int x = int(Hash01(k, 0, 400) * kWidth), y = int(Hash01(k, 1, 400) * 300);
    float b = Hash01(k, 2, 400);
    c.Set(x, y, Mix({120, 130, 170, 255}, kWhite, b));
    if (b > 0.93f) {
      c.Set(x - 1, y, {160, 170, 210, 255});
      c.Set(x + 1, y, {160, 170, 210, 255});
      c.Set(x, y - 1, {160, 170, 210, 255});
      c.Set(x, y + 1, {160, 170, 210, 255});
    }
  }
  FillBelowRidge(c, {300, 22, 150, false, 40}, {40, 36, 70, 255}, {26, 24, 50, 255});
  CastleSilhouette(c, 250, 356, {22, 20, 40, 255}, {236, 190, 90, 255});
  FillBelowRidge(c, {346, 10, 225, false, 50}, {18, 20, 34, 255}, {10, 10, 20, 255});
  DarkenForMenu(c);
  // The moon stays bright: it sits right of every menu text.
  c.FillCircle(404, 70, 17, {244, 238, 200, 255});
  c.FillCircle(398, 64, 4, {222, 214, 176, 255});
  c.FillCircle(410, 77, 2.5f, {222, 214, 176, 255});
  const std::string name = "VORNADEL";
  // The menu's first entry sits at window row 100 whatever the window's height,
  // so the name stays within the top 40 design rows (90 window rows at 900).
  int block = 4;
  PaintPixelText(c, name, (kWidth - PixelTextWidth(name, block)) / 2, 4, block, {255, 226, 110, 255},
                 {214, 120, 30, 255}, {40, 18, 20, 255}, 2);
  return c;
}

// --- The bag behind the inventory: 300 x 169 ----------------------------------

// The item is drawn twelve times enlarged in the middle (about 143 x 107
// design pixels) with its count in black above it, so the middle is light.
Canvas Bag() {
  constexpr int kWidth = 300, kHeight = 169;
  Canvas c(kWidth, kHeight);
  Rgba leather{112, 70, 40, 255};
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      float n = SmoothNoise(float(x), float(y), 6, 300) * 0.6f + Hash01(x, y, 301) * 0.4f;
      c.Set(x, y, Shade(leather, 0.8f + 0.3f * n));
    }
  // The opened flap: a lining of light canvas with rounded corners.
  Rgba lining{242, 232, 206, 255};
  const int left = 62, top = 14, right = 238, bottom = 156, round = 14;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      int cx = std::clamp(x, left + round, right - round - 1), cy = std::clamp(y, top + round, bottom - round - 1);
      float d = std::hypot(float(x - cx), float(y - cy));
      if (d > float(round)) continue;
      float weave = ((x + y) % 4 == 0 ? 0.97f : 1.0f) * (1.0f - 0.05f * Hash01(x, y, 302));
      // Slightly darker towards the rim, like a bag's inside.
      float edge = std::min({x - left, right - 1 - x, y - top, bottom - 1 - y}) < 10 ? 0.92f : 1.0f;
      c.Set(x, y, Shade(lining, weave * edge));
    }
  // Stitches around the opening and two straps with buckles.
  for (int x = left + 6; x < right - 6; x += 6) {
    c.FillRect(x, top - 5, 3, 1, {230, 200, 140, 255});
    c.FillRect(x, bottom + 4, 3, 1, {230, 200, 140, 255});
  }
  for (int y = top + 6; y < bottom - 6; y += 6) {
    c.FillRect(left - 5, y, 1, 3, {230, 200, 140, 255});
    c.FillRect(right + 4, y, 1, 3, {230, 200, 140, 255});
  }
  for (int x : {24, 262}) {
    c.FillRect(x, 0, 14, kHeight, Shade(leather, 0.6f));
    c.FillRect(x, 0, 1, kHeight, Shade(leather, 0.9f));
    c.FrameRect(x - 2, 74, 18, 18, kGold);
    c.FrameRect(x - 1, 75, 16, 16, kGoldDark);
    c.FillRect(x + 6, 76, 2, 14, kIronLight);
  }
  return c;
}

// --- Launcher icon --------------------------------------------------------------

constexpr int kIconMasterSize = 256;

// The title's castle against a dusk sky, so that its dark silhouette stands
// out even at 16 pixels, on a rounded square.
Canvas IconMaster() {
  constexpr int kSize = kIconMasterSize, kMargin = 8, kRound = 44;
  Canvas scene(kSize, kSize);
  scene.VerticalGradient(0, 0, kSize, kSize, {30, 34, 96, 255}, {238, 142, 80, 255});
  for (int k = 0; k < 40; ++k) {
    int x = int(Hash01(k, 0, 410) * kSize), y = int(Hash01(k, 1, 410) * 100);
    scene.FillRect(x, y, 2, 2, Mix({150, 160, 210, 255}, kWhite, Hash01(k, 2, 410)));
  }
  scene.FillCircle(196, 62, 24, {250, 244, 206, 255});
  scene.FillCircle(188, 55, 5, {226, 218, 180, 255});
  FillBelowRidge(scene, {204, 14, 128, false, 40}, {92, 60, 96, 255}, {60, 40, 70, 255});
  CastleSilhouette(scene, 30, 232, {24, 20, 40, 255}, {255, 200, 90, 255});
  FillBelowRidge(scene, {236, 6, 64, false, 50}, {20, 18, 32, 255}, {12, 10, 20, 255});

  Canvas icon(kSize, kSize);
  const float lo = float(kMargin + kRound), hi = float(kSize - kMargin - kRound);
  for (int y = kMargin; y < kSize - kMargin; ++y)
    for (int x = kMargin; x < kSize - kMargin; ++x) {
      float px = float(x) + 0.5f, py = float(y) + 0.5f;
      float d = std::hypot(px - std::clamp(px, lo, hi), py - std::clamp(py, lo, hi));
      float inside = std::clamp(float(kRound) - d + 0.5f, 0.0f, 1.0f);
      // A dark rim of four pixels keeps the square apart from any panel colour.
      Rgba c = d > float(kRound) - 4.0f ? kOutline : scene.Get(x, y);
      if (inside > 0) icon.Set(x, y, WithAlpha(c, uint8_t(255.0f * inside + 0.5f)));
    }
  return icon;
}

// Area-weighted reduction with alpha-weighted colours, for every size, also
// those that do not divide the master's.
Canvas Reduced(const Canvas& master, int size) {
  if (size == master.Width()) return master;
  const float step = float(master.Width()) / float(size);
  Canvas out(size, size);
  for (int ty = 0; ty < size; ++ty)
    for (int tx = 0; tx < size; ++tx) {
      float x0 = float(tx) * step, x1 = x0 + step, y0 = float(ty) * step, y1 = y0 + step;
      float sum[4] = {0, 0, 0, 0}, area = 0;
      for (int sy = int(y0); float(sy) < y1; ++sy)
        for (int sx = int(x0); float(sx) < x1; ++sx) {
          float w = (std::min(x1, float(sx + 1)) - std::max(x0, float(sx))) *
                    (std::min(y1, float(sy + 1)) - std::max(y0, float(sy)));
          Rgba p = master.Get(sx, sy);
          float a = w * float(p.a);
          sum[0] += a * float(p.r);
          sum[1] += a * float(p.g);
          sum[2] += a * float(p.b);
          sum[3] += a;
          area += w;
        }
      if (sum[3] <= 0) continue;
      auto channel = [&](float v) { return uint8_t(std::clamp(v / sum[3] + 0.5f, 0.0f, 255.0f)); };
      out.Set(tx, ty, {channel(sum[0]), channel(sum[1]), channel(sum[2]),
                       uint8_t(std::clamp(sum[3] / area + 0.5f, 0.0f, 255.0f))});
    }
  return out;
}

}  // namespace

void WriteIcons(const std::string& folder, const std::string& name) {
  const Canvas master = IconMaster();
  for (int size : kIconSizes) {
    const std::string size_folder = std::to_string(size) + "x" + std::to_string(size);
    const std::filesystem::path apps = std::filesystem::path(folder) / size_folder / "apps";
    std::filesystem::create_directories(apps);
    WritePng(Reduced(master, size), (apps / (name + ".png")).string());
  }
}

void PaintScreens(PictureSet& set) {
  set.Png("background.png", Background());
  set.Png("titel.png", Title());
  set.Png("bag.png", Bag());
}

}  // namespace vngen
