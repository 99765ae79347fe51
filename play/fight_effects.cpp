#include "play/fight_effects.h"

#include <array>
#include <cmath>
#include <limits>

#include "engine/graphics.h"
#include "engine/numbers.h"
#include "play/assets.h"
#include "play/enemies.h"
#include "play/movement.h"
#include "play/play_loop.h"
#include "world/map.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr size_t kHitSound = 5;            // effect_sounds entry: a short smack
constexpr int32_t kHurtBlinkMillis = 50;   // the hurt flash is on and off in turns of this
constexpr double kFlashSetBack = 10;       // pixels from the bullet's first point back to the gun
constexpr int32_t kNever = std::numeric_limits<int32_t>::min() / 2;

struct MuzzleFlash {
  float x = 0, y = 0;       // world pixels
  float angle = 0;
  int32_t born = kNever;    // now_ms of the shot
};
// A fixed ring: a fight makes no heap traffic, and more flashes than this at
// once cannot be told apart anyway.
std::array<MuzzleFlash, 32> flashes;
size_t next_flash = 0;
int32_t hurt_at = kNever;

bool Showing(int32_t born, int32_t millis) { return born != kNever && run.now_ms - born < millis && run.now_ms >= born; }

// A rectangle of length len and thickness w centred on the segment that starts
// at screen (x, y) and points at angle.
void Beam(float x, float y, float angle, float len, float w) {
  SetDrawRotation(angle);
  DrawRect(float(x + SinDeg(angle) * w / 2), float(y - CosDeg(angle) * w / 2), len, w);
  SetDrawRotation(0);
}

void DrawMuzzleFlash(const MuzzleFlash& f) {
  // Largest in the frame of the shot, shrinking over the next ones. The bullet
  // starts 32 px from the figure's centre; the gun's picture ends about 10 px
  // short of that, where the flash belongs.
  const float fade = 1.0f - float(run.now_ms - f.born) / float(kMuzzleFlashMillis);
  const float sx = ScreenXf(float(f.x - CosDeg(f.angle) * kFlashSetBack));
  const float sy = ScreenYf(float(f.y - SinDeg(f.angle) * kFlashSetBack));
  const float outer = 8 + 10 * fade, inner = 4 + 5 * fade;
  SetAlpha(0.85f);
  SetColor(255, 170, 40);
  DrawOval(sx - outer / 2, sy - outer / 2, outer, outer);
  Beam(sx, sy, f.angle, 6 + 10 * fade, 4);
  SetAlpha(1);
  SetColor(255, 250, 210);
  DrawOval(sx - inner / 2, sy - inner / 2, inner, inner);
}

// A yellow exclamation mark with a dark rim above the head of enemy e.
void DrawTell(const Tplayer& e) {
  const float x = float(ScreenX(e.x)) + 13, y = float(ScreenY(e.y)) - 22;
  SetColor(20, 20, 20);
  DrawRect(x - 1, y - 1, 8, 13);
  DrawRect(x - 1, y + 14, 8, 7);
  SetColor(255, 220, 40);
  DrawRect(x, y, 6, 11);
  DrawRect(x, y + 15, 6, 5);
}

}  // namespace

void NoteMuzzleFlash(float x, float y, float angle) {
  flashes[next_flash] = MuzzleFlash{x, y, angle, run.now_ms};
  next_flash = (next_flash + 1) % flashes.size();
}

void NotePlayerHurt() {
  if (hurt_at != run.now_ms) PlayGameSound(play_assets.effect_sounds[kHitSound]);
  hurt_at = run.now_ms;
}

void DrawShotTrail(float x0, float y0, float x1, float y1, uint8_t from) {
  const float dx = x1 - x0, dy = y1 - y0;
  const float len = std::sqrt(dx * dx + dy * dy);
  if (len < 1) return;
  const float angle = float(Atan2Deg(dy, dx));
  const float sx = ScreenXf(x0), sy = ScreenYf(y0);
  SetAlpha(0.45f);
  if (from == 0) SetColor(255, 230, 120);
  else SetColor(255, 120, 40);
  Beam(sx, sy, angle, len, 4);
  SetAlpha(1);
  if (from == 0) SetColor(255, 255, 225);
  else SetColor(255, 225, 150);
  Beam(sx, sy, angle, len, 2);
  SetColor(255, 255, 255);
}

void DrawHurtFlash(const Tplayer& ch, int32_t sx, int32_t sy) {
  if (!Showing(hurt_at, kHurtFlashMillis) || ((run.now_ms - hurt_at) / kHurtBlinkMillis) % 2 != 0) return;
  // Head and body in white with a red rim, where the figure's own are.
  const bool swimming = ch.mode == kPoseSwimRight || ch.mode == kPoseSwimLeft;
  const float head_x = float(sx) + (swimming ? (ch.mode == kPoseSwimRight ? 20 : 0) : 10);
  const float head_y = float(sy) + (swimming ? 10 : 0);
  SetColor(230, 30, 30);
  DrawOval(head_x - 2, head_y - 2, 16, 16);
  DrawOval(float(sx) + 6, float(sy) + 11, 18, 16);
  SetColor(255, 255, 255);
  DrawOval(head_x, head_y, 12, 12);
  DrawOval(float(sx) + 8, float(sy) + 13, 14, 12);
}

void DrawFightEffects() {
  for (const MuzzleFlash& f : flashes)
    if (Showing(f.born, kMuzzleFlashMillis)) DrawMuzzleFlash(f);
  world.character_list.ForEach([](const PlayerRef& e) {
    if (EnemyReacting(*e)) DrawTell(*e);
  });
  SetAlpha(1);
  SetColor(255, 255, 255);
}

void ResetFightEffects() {
  flashes.fill(MuzzleFlash{});
  next_flash = 0;
  hurt_at = kNever;
}

}  // namespace vn
