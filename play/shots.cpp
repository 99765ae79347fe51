// Bullets: three 14-pixel sub-steps per frame, walls, breakable tiles and hits.
#include "play/shots.h"

#include "engine/graphics.h"
#include "engine/numbers.h"
#include "play/assets.h"
#include "play/entities.h"
#include "play/fight_effects.h"
#include "play/hints.h"
#include "play/movement.h"
#include "play/play_loop.h"
#include "world/actions.h"
#include "world/map.h"
#include "world/tiles.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr int kSubSteps = 3;
constexpr double kSubStepLength = 14.0;   // pixels; 42 per frame
constexpr int32_t kWindowMargin = 50;     // pixels beyond the window before a shot is dropped
constexpr int32_t kBorderBand = 16;       // pixels along the map border where tiles are ignored
constexpr double kEnemyShotShare = 0.45;  // part of an enemy bullet's power the player loses
constexpr uint8_t kExplosiveKind = 2;

// Both edges of the cell belong to it, so a point on a shared edge hits both cells.
bool PointInCell(float px, float py, int32_t cell_x, int32_t cell_y) {
  return static_cast<float>(cell_x) <= px && px <= static_cast<float>(cell_x + kTileSize) &&
         static_cast<float>(cell_y) <= py && py <= static_cast<float>(cell_y + kTileSize);
}

bool FarOutsideWindow(int32_t sx, int32_t sy) {
  return sx < -kWindowMargin || sx > screen.screen_width + kWindowMargin || sy < -kWindowMargin ||
         sy > screen.screen_height + kWindowMargin;
}

void BreakTile(int32_t column, int32_t row) {
  SetTile(column, row, 0, 0);
  SetTile(column, row, 1, kRubbleTile);
  PlayGameSound(play_assets.effect_sounds[0]);
  // A loaded game replays these in order: the rubble first, then the cleared wall.
  RecordMapChange(column, row, 1, kRubbleTile);
  RecordMapChange(column, row, 0, 0);
}

// True when the point lies in a solid cell. Near the map border the tiles are
// not looked at, so a shot there flies on until it leaves the window.
bool HitsWall(const Tshot& s) {
  const float right = static_cast<float>(world.map_width * kTileSize - kBorderBand);
  const float bottom = static_cast<float>(world.map_height * kTileSize - kBorderBand);
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
  world.character_list.ForEach([&](const PlayerRef& ch) {
    if (!PointInCell(s.x, s.y, ch->x, ch->y)) return;
    ch->power -= s.power;
    if (ch->typ == 0 && s.power > 0) NotePlayerHurt();
    if (s.typ == kExplosiveKind) Explosion_Create(Trunc(s.x), Trunc(s.y), s.power);
    hit = true;
  });
  return hit;
}

// An enemy's bullet only looks at the player's cell and never hurts enemies.
bool EnemyShotHits(const Tshot& s) {
  if (!PointInCell(s.x, s.y, run.player_x, run.player_y)) return false;
  world.character_list.ForEach([&](const PlayerRef& ch) {
    if (ch->typ != 0) return;
    const int32_t before = ch->power;
    ch->power = Trunc(static_cast<double>(ch->power) - s.power * kEnemyShotShare);
    if (ch->power < before) NotePlayerHurt();
  });
  return true;
}

void UpdateShot(const ShotRef& s) {
  // Drawn and judged against the window where the frame found it.
  const int32_t sx = Trunc(ScreenXf(s->x));
  const int32_t sy = Trunc(ScreenYf(s->y));
  const float start_x = s->x, start_y = s->y;

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

  // The bright trail along this frame's flight, the red core on top of it.
  DrawShotTrail(start_x, start_y, s->x, s->y, s->from);
  SetColor(255, 0, 0);
  DrawRect(static_cast<float>(sx), static_cast<float>(sy), 2, 2);
  SetColor(255, 255, 255);

  if (!remove) return;
  if (s->typ == kExplosiveKind) {
    const PlayerRef player = FindPlayer();
    const int32_t before = player ? player->power : 0;
    Explosion_Create(Trunc(s->x), Trunc(s->y), s->power);
    if (s->from == 0 && player && player->power < before) HintOwnBlast();
  }
  world.shot_list.Remove(s);
}

}  // namespace

void UpdateShots() {
  world.shot_list.ForEach([](const ShotRef& s) { UpdateShot(s); });
}

}  // namespace vn
