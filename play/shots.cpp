// Bullets: three 14-pixel sub-steps per frame, walls, breakable tiles and hits.
#include "play/shots.h"

#include "app/resources.h"
#include "engine/graphics.h"
#include "engine/numbers.h"
#include "play/entities.h"
#include "play/movement.h"
#include "play/play_loop.h"
#include "world/actions.h"
#include "world/map.h"

namespace vn {
namespace {

constexpr int kSubSteps = 3;
constexpr double kSubStepLength = 14.0;   // pixels; 42 per frame
constexpr int32_t kWindowMargin = 50;     // pixels beyond the window before a shot is dropped
constexpr int32_t kBorderBand = 16;       // pixels along the map border where tiles are ignored
constexpr uint16_t kBreakableTile = 24;   // layer 0
constexpr uint16_t kRubbleTile = 57;      // layer 1, left where a breakable tile was
constexpr double kEnemyShotShare = 0.45;  // part of an enemy bullet's power the player loses
constexpr uint8_t kExplosiveKind = 2;

// Both edges of the cell belong to it, so a point on a shared edge hits both cells.
bool PointInCell(float px, float py, int32_t cell_x, int32_t cell_y) {
  return static_cast<float>(cell_x) <= px && px <= static_cast<float>(cell_x + kTileSize) &&
         static_cast<float>(cell_y) <= py && py <= static_cast<float>(cell_y + kTileSize);
}

bool FarOutsideWindow(int32_t sx, int32_t sy) {
  return sx < -kWindowMargin || sx > screen_width + kWindowMargin || sy < -kWindowMargin ||
         sy > screen_height + kWindowMargin;
}

void BreakTile(int32_t column, int32_t row) {
  SetTile(column, row, 0, 0);
  SetTile(column, row, 1, kRubbleTile);
  PlayGameSound(effect_sounds[0]);
  // A loaded game replays these in order: the rubble first, then the cleared wall.
  RecordMapChange(column, row, 1, kRubbleTile);
  RecordMapChange(column, row, 0, 0);
}

// True when the point lies in a solid cell. Near the map border the tiles are
// not looked at, so a shot there flies on until it leaves the window.
bool HitsWall(const Tshot& s) {
  const float right = static_cast<float>(map_width * kTileSize - kBorderBand);
  const float bottom = static_cast<float>(map_height * kTileSize - kBorderBand);
  const float band = static_cast<float>(kBorderBand);
  if (!(band < s.x && s.x < right && band < s.y && s.y < bottom)) return false;

  const int32_t column = Trunc(s.x / static_cast<float>(kTileSize));
  const int32_t row = Trunc(s.y / static_cast<float>(kTileSize));
  const uint16_t tile = GetTile(column, row, 0);
  if (tile == 0) return false;
  if (tile == kBreakableTile) BreakTile(column, row);
  return true;
}

// A player's bullet hurts every character at the point, the player included.
bool PlayerShotHits(const Tshot& s) {
  bool hit = false;
  character_list.ForEach([&](const PlayerRef& ch) {
    if (!PointInCell(s.x, s.y, ch->x, ch->y)) return;
    ch->power -= s.power;
    if (s.typ == kExplosiveKind) Explosion_Create(Trunc(s.x), Trunc(s.y), s.power);
    hit = true;
  });
  return hit;
}

// An enemy's bullet only looks at the player's cell and never hurts enemies.
bool EnemyShotHits(const Tshot& s) {
  if (!PointInCell(s.x, s.y, player_x, player_y)) return false;
  character_list.ForEach([&](const PlayerRef& ch) {
    if (ch->typ == 0) ch->power = Trunc(static_cast<double>(ch->power) - s.power * kEnemyShotShare);
  });
  return true;
}

void UpdateShot(const ShotRef& s) {
  // Drawn and judged against the window where the frame found it.
  const int32_t sx = Trunc(ScreenXf(s->x));
  const int32_t sy = Trunc(ScreenYf(s->y));
  SetColor(255, 0, 0);
  DrawRect(static_cast<float>(sx), static_cast<float>(sy), 2, 2);
  SetColor(255, 255, 255);

  // The mark is set afresh in every sub-step, so only the last one decides:
  // a bullet that grazed a wall or a character earlier in the frame flies on,
  // and a character is hurt once for every sub-step point inside its cell.
  bool remove = false;
  for (int step = 0; step < kSubSteps; ++step) {
    s->x = static_cast<float>(s->x + CosDeg(s->angle) * kSubStepLength);
    s->y = static_cast<float>(s->y + SinDeg(s->angle) * kSubStepLength);
    remove = FarOutsideWindow(sx, sy);
    if (HitsWall(*s)) remove = true;
    if (s->from == 0 ? PlayerShotHits(*s) : EnemyShotHits(*s)) remove = true;
  }

  if (!remove) return;
  if (s->typ == kExplosiveKind) Explosion_Create(Trunc(s->x), Trunc(s->y), s->power);
  shot_list.Remove(s);
}

}  // namespace

void UpdateShots() {
  shot_list.ForEach([](const ShotRef& s) { UpdateShot(s); });
}

}  // namespace vn
