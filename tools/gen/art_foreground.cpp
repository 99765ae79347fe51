// Layer 2: the foreground, drawn over the figures as strips of 8 frames played
// at 10 frames per second. Every motion repeats after 8 frames and 32 pixels
// sideways, so the loop and neighbouring cells both join without a jump.
#include <cmath>
#include <functional>

#include "tools/gen/art_palette.h"
#include "tools/gen/art_picture_set.h"
#include "tools/gen/art_textures.h"

namespace vngen {

namespace {

using namespace palette;

constexpr float kTau = 6.2831853f;

using FramePainter = std::function<void(Canvas& frame, int f)>;

Canvas Strip(const FramePainter& paint) {
  Canvas strip(kTileSize * kForegroundFrames, kTileSize);
  for (int f = 0; f < kForegroundFrames; ++f) {
    Canvas frame(kTileSize, kTileSize);
    paint(frame, f);
    strip.Paste(frame, f * kTileSize, 0);
  }
  return strip;
}

float Phase(int f) { return float(f) / float(kForegroundFrames) * kTau; }

// --- Water ---------------------------------------------------------------------

// Water drawn at 35 % opacity: strong colours, ripples as bright bands that
// drift to the right one step per frame.
void WaterBody(Canvas& c, int f, Rgba base, Rgba light) {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      float wave = std::sin(kTau * float(x) / 32 + Phase(f) + std::sin(kTau * float(y) / 16) * 1.5f);
      float band = std::sin(kTau * float(y) / 8 + wave * 0.8f);
      c.Set(x, y, band > 0.8f ? light : base);
    }
}

// The surface: a crest line that rises and falls, nothing above it.
void WaterSurface(Canvas& c, int f, Rgba base, Rgba light, float height) {
  WaterBody(c, f, base, light);
  for (int x = 0; x < 32; ++x) {
    float crest = 6 + height * std::sin(kTau * float(x) / 32 + Phase(f));
    for (int y = 0; y < 32; ++y) {
      if (float(y) < crest) c.Set(x, y, kClear);
      else if (float(y) < crest + 1.5f) c.Set(x, y, kWhite);
      else if (float(y) < crest + 3) c.Set(x, y, light);
    }
  }
}

// A deadly liquid: drawn at the water's 35 %, so it shows by contrast, dark
// sludge streaks with bright froth and big rising bubbles, where clear water
// is light and calm.
struct Toxic {
  Rgba base, sludge, froth;
};

// Bubbles rising through the liquid; each keeps its column and climbs a
// quarter cell per frame, wrapping at the top.
void Bubbles(Canvas& c, int f, const Toxic& t, uint32_t seed, float surface) {
  for (int k = 0; k < 7; ++k) {
    float x = 3 + Hash01(k, 0, seed) * 26;
    float y = std::fmod(Hash01(k, 1, seed) * 32 - float(f) * 4 + 64, 32.0f);
    if (y < surface + 2) continue;
    float r = 1.6f + Hash01(k, 2, seed) * 2.0f;
    c.FillCircle(x, y, r + 0.8f, t.froth);
    c.FillCircle(x, y, r - 0.4f, t.sludge);
    c.Set(int(x - r * 0.4f), int(y - r * 0.4f), kWhite);
  }
}

void Sludge(Canvas& c, int f, const Toxic& t, uint32_t seed, int top) {
  for (int y = top; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (c.Opaque(x, y) && TileNoise(float(x + f * 4), float(y), 8, seed + 40) > 0.5f) c.Set(x, y, t.sludge);
}

void PoisonBody(Canvas& c, int f, const Toxic& t, uint32_t seed) {
  WaterBody(c, f, t.base, t.froth);
  Sludge(c, f, t, seed, 0);
  Bubbles(c, f, t, seed, -4);
}

// The surface boils: froth along the crest, one bubble bursting every other frame.
void PoisonSurface(Canvas& c, int f, const Toxic& t, uint32_t seed) {
  WaterSurface(c, f, t.base, t.froth, 1.2f);
  Sludge(c, f, t, seed, 12);
  Bubbles(c, f, t, seed, 6);
  for (int k = 0; k < 4; ++k) {
    const float x = float((k * 9 + f * 3) % 32);
    c.FillCircle(x, 7.5f + float((k + f) % 2), 2.2f, t.froth);
  }
  if (f % 4 < 2) c.Ring(float(8 + f * 5 % 20), 5, 3.0f, 1.6f, t.froth);
}

constexpr Toxic kGreenPoison{kPoison, kPoisonDark, kPoisonFroth};
constexpr Toxic kPurplePoison{kToxicPurple, kToxicPurpleDark, kToxicPurpleFroth};

void Waterfall(Canvas& c, int f) {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      float streak = Hash01(x / 3, 0, 13);
      float flow = std::sin(kTau * (float(y) / 32 * 2 - float(f) / 8 * 2) + streak * kTau);
      c.Set(x, y, flow > 0.6f ? kWaterLight : (streak > 0.5f ? kWater : Shade(kWater, 0.85f)));
    }
}

// --- See-through scenery (drawn at 95 %) --------------------------------------

void Leaves(Canvas& c, int f, bool hanging_edge) {
  for (int k = 0; k < 22; ++k) {
    float x = Hash01(k, 0, 30) * 32, y = Hash01(k, 1, 30) * (hanging_edge ? 18 : 32);
    float sway = 1.2f * std::sin(Phase(f) + float(k));
    Rgba tone = Hash01(k, 2, 30) > 0.5f ? kGrass : kGrassLight;
    c.FillEllipse(x + sway, y, 4, 2.2f, Shade(tone, 0.8f + 0.3f * Hash01(k, 3, 30)));
    c.Set(int(x + sway), int(y), kGrassDark);
  }
  if (hanging_edge) c.FillRect(0, 0, 32, 3, kGrassDark);
}

// Mist: dithered strands drifting sideways; the holes let the figure through.
void Mist(Canvas& c, int f) {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      // Horizontal strands: the noise is squeezed by a band that repeats every 16 rows.
      float band = 0.55f + 0.45f * std::sin(kTau * float(y) / 16);
      float density = TileNoise(float(x + f * 4), float(y), 8, 31) * band;
      if (density > Bayer4(x, y) * 0.6f + 0.3f) c.Set(x, y, {226, 232, 238, 255});
    }
}

void Glass(Canvas& c, int f) {
  c.FrameRect(0, 0, 32, 32, kIron);
  c.FillRect(15, 0, 2, 32, kIron);
  // Only the glints are painted, so the figure stays visible behind the pane;
  // the glint slides slowly across.
  int shift = f * 2;
  for (int k = 0; k < 8; ++k) {
    c.Set(3 + k + shift % 6, 20 - k * 2, kWhite);
    c.Set(4 + k + shift % 6, 20 - k * 2, {200, 230, 250, 255});
    c.Set(19 + k + shift % 6, 28 - k * 2, {200, 230, 250, 255});
  }
}

void Cobweb(Canvas& c, int f) {
  Rgba silk{230, 230, 236, 255};
  float sway = std::sin(Phase(f)) * 0.8f;
  for (int k = 0; k <= 4; ++k) {
    float a = float(k) * 0.3927f;
    c.Line(0, 0, int(31 * std::cos(a) + sway), int(31 * std::sin(a)), silk);
  }
  for (float r : {9.0f, 17.0f, 25.0f})
    for (int k = 0; k < 4; ++k) {
      float a0 = float(k) * 0.3927f, a1 = a0 + 0.3927f;
      c.Line(int(r * std::cos(a0) + sway), int(r * std::sin(a0)), int(r * std::cos(a1) + sway),
             int(r * std::sin(a1)), silk);
    }
}

// --- Opaque scenery --------------------------------------------------------------

// Columns leave the outer thirds clear so a figure behind stays half visible.
void Pillar(Canvas& c, int part) {
  for (int x = 9; x < 23; ++x) {
    float t = 0.75f + 0.45f * std::sin(float(x - 9) / 14 * 3.14159f);
    c.FillRect(x, 0, 1, 32, Shade(kStone, t));
  }
  for (int x : {12, 16, 20}) c.FillRect(x, 0, 1, 32, Shade(kStone, 0.7f));
  if (part == 1) {  // capital
    c.FillRect(5, 0, 22, 5, kStoneLight);
    c.FillRect(7, 5, 18, 3, kStone);
    c.FillRect(5, 4, 22, 1, Shade(kStone, 0.6f));
  }
  if (part == 2) {  // base
    c.FillRect(7, 25, 18, 3, kStone);
    c.FillRect(5, 28, 22, 4, kStoneLight);
    c.FillRect(5, 28, 22, 1, Shade(kStoneLight, 1.1f));
  }
  c.Grain(0, 0, 32, 32, 0.04f, 100);
}

void TreeTrunk(Canvas& c, bool branch) {
  Rgba bark{112, 78, 52, 255};
  for (int y = 0; y < 32; ++y)
    for (int x = 8; x < 24; ++x) {
      float t = 0.7f + 0.45f * std::sin(float(x - 8) / 16 * 3.14159f);
      float groove = Hash01(x, y / 5 + x * 3, 103) > 0.8f ? 0.7f : 1.0f;
      c.Set(x, y, Shade(bark, t * groove));
    }
  if (branch) {
    c.ThickLine(22, 14, 32, 6, 4, bark);
    c.FillEllipse(29, 5, 4, 2.5f, kGrass);
  }
}

void Torch(Canvas& c, int f) {
  c.FillRect(14, 20, 4, 10, kIron);
  c.FillPolygon({11, 16, 21, 16, 18, 21, 14, 21}, kIronLight);
  c.FillRect(12, 28, 8, 3, kIron);
  c.FillRect(14, 11, 4, 6, kBeam);
  // The flame leans and stretches a little each frame.
  float lean = std::sin(Phase(f) * 2) * 1.2f, stretch = 1.0f + 0.15f * std::sin(Phase(f) * 3 + 1);
  c.FillEllipse(16 + lean * 0.5f, 9 - stretch, 4.2f, 5.5f * stretch, kLava);
  c.FillEllipse(16 + lean, 8 - stretch * 1.5f, 2.6f, 4.0f * stretch, kLavaLight);
  c.FillEllipse(16 + lean, 9, 1.2f, 2, kWhite);
  if (f % 3 == 0) c.Set(15 + f % 5, 1, kLavaLight);  // a spark
}

void HangingVines(Canvas& c, int f) {
  for (int k = 0; k < 3; ++k) {
    float base_x = 5 + float(k) * 11, length = 32 - float(k % 2) * 10;
    for (int y = 0; y < int(length); ++y) {
      float sway = 2.0f * std::sin(float(y) * 0.15f + Phase(f) + float(k)) * float(y) / 32;
      c.ThickLine(base_x + sway, float(y), base_x + sway, float(y) + 1, 2, kLiana);
      if (y % 6 == 3) c.FillEllipse(base_x + sway + (y % 12 ? 2.5f : -2.5f), float(y), 2.5f, 1.5f, kGrassLight);
    }
  }
}

void TallGrass(Canvas& c, int f) {
  for (int k = 0; k < 14; ++k) {
    float x = 1 + float(k) * 2.3f, height = 12 + Hash01(k, 0, 107) * 14;
    float sway = std::sin(Phase(f) + float(k) * 0.5f) * 2.5f;
    c.ThickLine(x, 32, x + sway, 32 - height, 1.5f, k % 2 ? kGrass : kGrassDark);
  }
}

void Mast(Canvas& c) {
  PaintBoards(c, 11, 0, 10, 32, kBeam, 10, true, 108);
  c.FillRect(11, 0, 1, 32, Shade(kBeam, 1.3f));
  c.FillRect(9, 12, 14, 3, kRope);
}

void Fence(Canvas& c) {
  for (int x = 2; x < 32; x += 8) {
    c.FillRect(x, 4, 3, 28, kIron);
    c.FillRect(x, 4, 1, 28, kIronLight);
    c.FillPolygon({float(x) - 1, 5, float(x) + 4, 5, float(x) + 1.5f, 0}, kIronLight);
  }
  c.FillRect(0, 9, 32, 2, kIron);
  c.FillRect(0, 26, 32, 2, kIron);
}

void Canopy(Canvas& c, int f) {
  for (int k = 0; k < 16; ++k) {
    float x = Hash01(k, 0, 110) * 32, y = Hash01(k, 1, 110) * 26;
    float sway = std::sin(Phase(f) + float(k)) * 0.8f;
    c.FillCircle(x + sway, y, 5 + Hash01(k, 2, 110) * 3, Shade(kGrassDark, 0.85f + 0.35f * Hash01(k, 3, 110)));
  }
}

// --- Deadly ----------------------------------------------------------------------

void LavaBody(Canvas& c, int f, bool surface) {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      float flow = TileNoise(float(x + f * 4), float(y), 8, 600);
      float glow = 0.5f + 0.5f * std::sin(Phase(f) + flow * kTau);
      Rgba colour = flow > 0.62f ? Mix(kLava, kLavaLight, glow) : Mix(kLavaDark, kLava, flow + 0.2f * glow);
      c.Set(x, y, colour);
    }
  if (surface)
    for (int x = 0; x < 32; ++x) {
      float crest = 6 + 1.5f * std::sin(kTau * float(x) / 32 + Phase(f) * 0.5f);
      for (int y = 0; y < 32; ++y) {
        if (float(y) < crest) c.Set(x, y, kClear);
        else if (float(y) < crest + 2) c.Set(x, y, kLavaLight);
      }
      // Glow above the surface: a dithered orange haze the masking keeps crisp.
      for (int y = int(crest) - 4; y < int(crest); ++y)
        if (Bayer4(x + f, y) < 0.25f) c.Set(x, y, kLava);
    }
}

void Fire(Canvas& c, int f) {
  for (int k = 0; k < 5; ++k) {
    float x = 4 + float(k) * 6;
    float height = 16 + 7 * std::sin(Phase(f) * 2 + float(k) * 1.7f) + float(k % 2) * 4;
    float lean = 1.5f * std::sin(Phase(f) + float(k));
    c.FillPolygon({x - 5, 32, x + 5, 32, x + lean, 32 - height}, kLava);
  }
  for (int k = 0; k < 5; ++k) {
    float x = 4 + float(k) * 6;
    float height = 9 + 4 * std::sin(Phase(f) * 2 + float(k) * 2.3f);
    c.FillPolygon({x - 3, 32, x + 3, 32, x, 32 - height}, kLavaLight);
  }
  c.FillRect(0, 30, 32, 2, kLavaDark);
}

void Embers(Canvas& c, int f) {
  c.FillRect(0, 26, 32, 6, kLavaDark);
  for (int x = 0; x < 32; ++x)
    for (int y = 26; y < 32; ++y)
      if (Hash01(x, y, 603) > 0.6f + 0.3f * std::sin(Phase(f) + float(x))) c.Set(x, y, kLava);
  for (int k = 0; k < 4; ++k) {
    float y = std::fmod(26 - float(f) * 3 - float(k) * 7 + 64, 26.0f);
    c.Set(int(5 + float(k) * 7 + std::sin(y) * 2), int(y), kLavaLight);
  }
}

}  // namespace

void PaintForeground(PictureSet& set) {
  set.Tile(2, 1, "water: clear, below the surface", Strip([](Canvas& c, int f) { WaterBody(c, f, kWater, kWaterLight); }));
  set.Tile(2, 2, "water: clear, surface", Strip([](Canvas& c, int f) { WaterSurface(c, f, kWater, kWaterLight, 1.5f); }));
  set.Tile(2, 3, "poisoned water: green, below the surface (costs power)",
           Strip([](Canvas& c, int f) { PoisonBody(c, f, kGreenPoison, 3); }));
  set.Tile(2, 4, "poisoned water: green, surface",
           Strip([](Canvas& c, int f) { PoisonSurface(c, f, kGreenPoison, 4); }));
  set.Tile(2, 5, "poisoned water: purple, below the surface",
           Strip([](Canvas& c, int f) { PoisonBody(c, f, kPurplePoison, 5); }));
  set.Tile(2, 6, "poisoned water: purple, surface",
           Strip([](Canvas& c, int f) { PoisonSurface(c, f, kPurplePoison, 6); }));
  set.Tile(2, 11, "water: deep", Strip([](Canvas& c, int f) { WaterBody(c, f, kWaterDeep, kWater); }));
  set.Tile(2, 12, "water: calm surface", Strip([](Canvas& c, int f) { WaterSurface(c, f, kWater, kWaterLight, 0.6f); }));
  set.Tile(2, 13, "water: waterfall", Strip(Waterfall));

  set.Tile(2, 30, "see-through: leaves", Strip([](Canvas& c, int f) { Leaves(c, f, false); }));
  set.Tile(2, 31, "see-through: leaves hanging from above", Strip([](Canvas& c, int f) { Leaves(c, f, true); }));
  set.Tile(2, 32, "see-through: mist", Strip(Mist));
  set.Tile(2, 33, "see-through: window pane", Strip(Glass));
  set.Tile(2, 34, "see-through: cobweb (upper left corner)", Strip(Cobweb));

  set.Tile(2, 100, "front: stone pillar", Strip([](Canvas& c, int) { Pillar(c, 0); }));
  set.Tile(2, 101, "front: stone pillar, capital (top)", Strip([](Canvas& c, int) { Pillar(c, 1); }));
  set.Tile(2, 102, "front: stone pillar, base (bottom)", Strip([](Canvas& c, int) { Pillar(c, 2); }));
  set.Tile(2, 103, "front: tree trunk", Strip([](Canvas& c, int) { TreeTrunk(c, false); }));
  set.Tile(2, 104, "front: tree trunk with branch", Strip([](Canvas& c, int) { TreeTrunk(c, true); }));
  set.Tile(2, 105, "front: wall torch, flickering", Strip(Torch));
  set.Tile(2, 106, "front: hanging vines, swaying", Strip(HangingVines));
  set.Tile(2, 107, "front: tall grass, swaying", Strip(TallGrass));
  set.Tile(2, 108, "front: wooden mast", Strip([](Canvas& c, int) { Mast(c); }));
  set.Tile(2, 109, "front: iron fence", Strip([](Canvas& c, int) { Fence(c); }));
  set.Tile(2, 110, "front: tree canopy", Strip(Canopy));

  set.Tile(2, 600, "deadly: lava, below the surface", Strip([](Canvas& c, int f) { LavaBody(c, f, false); }));
  set.Tile(2, 601, "deadly: lava, surface with glow", Strip([](Canvas& c, int f) { LavaBody(c, f, true); }));
  set.Tile(2, 602, "deadly: fire", Strip(Fire));
  set.Tile(2, 603, "deadly: glowing embers", Strip(Embers));
}

}  // namespace vngen
