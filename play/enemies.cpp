// Enemies: line of sight, watching, shooting and the patrol around home.
#include "play/enemies.h"

#include <algorithm>

#include "engine/numbers.h"
#include "engine/random.h"
#include "play/assets.h"
#include "play/entities.h"
#include "play/fight_effects.h"
#include "play/play_loop.h"
#include "play/tables.h"
#include "world/map.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr int32_t kReactionMillis = 320;    // sight must be held longer than this before firing
constexpr double kRayStep = 32.0;           // pixels between the sample points of a ray
constexpr int32_t kAimSpread = 2;           // degrees either way added to each enemy shot
constexpr double kMuzzleDistance = 32.0;    // pixels from the centre along the gun
constexpr float kPatrolAcceleration = 0.15f;
constexpr float kPatrolTopSpeed = 3.0f;
constexpr float kBraking = 0.33f;
constexpr float kStandStill = 0.5f;         // speeds within +-0.5 (inclusive) stop while shooting
constexpr int32_t kArrival = 16;            // strictly within this many pixels of dest_x
constexpr int32_t kLeftTargetLimit = 40;    // targets closer to the left map edge are rejected
constexpr int32_t kRightTargetLimit = 64;   // ... and closer than this to the right edge
constexpr float kClimbSpeed = -3.2f;
constexpr double kClimbStep = 3.2;

// Whole degrees 0..359 pointing from (from_x, from_y) towards (to_x, to_y).
int32_t DirectionDegrees(int32_t from_x, int32_t from_y, int32_t to_x, int32_t to_y) {
  return Trunc(FloatMod(Atan2Deg(from_y - to_y, from_x - to_x) + 180.0, 360.0));
}

bool Solid(int32_t px, int32_t py) { return TileAtPixel(px, py, 0) != 0; }

// Layer 0 at the four cells above the wall's top probe: a wall of four cells
// or more is not worth a jump.
bool WallTooHigh(int32_t px, int32_t y) {
  return Solid(px, y - 16) && Solid(px, y - 48) && Solid(px, y - 80) && Solid(px, y - 112);
}

void StartJump(Tplayer& e) {
  e.jump = 1;
  e.tempy = kJumpSpeed;
}

// Both sides nudge x by +cos(frame) * 3.2: on the left this pushes the enemy
// slightly away from the wall, which is how enemies have always climbed there.
void ClimbLedge(Tplayer& e, uint8_t mode, int32_t anim) {
  e.mode = mode;
  e.anim = anim;
  e.x = Trunc(e.x + CosDeg(e.frame) * kClimbStep);
  e.tempy = kClimbSpeed;
}

void Watch(Tplayer& e) {
  const int32_t half_w = screen.screen_width / 2;
  const int32_t half_h = screen.screen_height / 2;
  const bool in_window = run.player_x + kTileSize < e.x + half_w && run.player_x > e.x - half_w &&
                         run.player_y + kTileSize < e.y + half_h && run.player_y > e.y - half_h;
  // Outside the window the sight state is kept: an enemy that saw the player
  // goes on shooting after the player has left its window.
  if (!in_window) return;

  if (LineOfSight(e.x + 16, e.y + 16, e.x, e.y, run.player_x, run.player_y)) {
    if (e.on_sight == 0) e.on_sight_timer = run.now_ms;
    e.on_sight = 1;
  } else {
    e.on_sight = 0;
    e.on_sight_timer = run.now_ms;
  }
}

void Brake(Tplayer& e) {
  if (e.speed > 0) e.speed -= kBraking;
  if (e.speed < 0) e.speed += kBraking;
  if (-kStandStill <= e.speed && e.speed <= kStandStill) e.speed = 0;
}

void Fire(Tplayer& e) {
  // A gun kind beyond the tables (a damaged level or save) cannot fire.
  if (e.gun >= tables.gun_delay.size()) return;
  const double muzzle_x = e.x + 16 + CosDeg(e.gunangle) * kMuzzleDistance;
  const double muzzle_y = e.y + 16 + SinDeg(e.gunangle) * kMuzzleDistance;
  const int32_t spread = RandRange(-kAimSpread, kAimSpread);
  shot_create(static_cast<float>(muzzle_x), static_cast<float>(muzzle_y), 1,
              static_cast<float>(e.gunangle + spread), e.gun);
  e.shot_timer = run.now_ms + tables.gun_delay[e.gun];
  PlayGameSound(play_assets.gun_sounds[e.gun]);
  NoteMuzzleFlash(static_cast<float>(muzzle_x), static_cast<float>(muzzle_y), static_cast<float>(e.gunangle));
}

// 64-bit so that a timer restored from a damaged save cannot overflow.
bool Reacted(const Tplayer& e) { return static_cast<int64_t>(e.on_sight_timer) + kReactionMillis < run.now_ms; }

void Shoot(Tplayer& e) {
  if (e.on_sight != 1 || !Reacted(e) || run.player_x <= 0) return;

  e.gunangle = static_cast<uint16_t>(DirectionDegrees(e.x, e.y, run.player_x, run.player_y));
  Brake(e);
  e.gun_active = 1;
  e.anim = 0;
  if (e.shot_timer < run.now_ms) Fire(e);
}

void ChooseTarget(Tplayer& e) {
  if (e.dest_x - kArrival < e.x && e.x < e.dest_x + kArrival && e.jump == 0) e.dest_x = 0;
  if (e.dest_x != 0) return;
  e.dest_x = e.source_x + RandRange(-static_cast<int32_t>(e.action_radius), e.action_radius);
  // Rejected targets leave dest_x at 0 and a new one is drawn next frame.
  if (e.dest_x < kLeftTargetLimit || e.dest_x > world.map_width * kTileSize - kRightTargetLimit) e.dest_x = 0;
}

void WalkRight(Tplayer& e, const TileProbes& p) {
  e.mode = kPoseWalkRight;
  e.speed = std::min(e.speed + kPatrolAcceleration, kPatrolTopSpeed);
  e.anim = -1;
  if (p.wall_right != 0) {
    e.speed = 0;
    if (WallTooHigh(e.x + 48, e.y)) e.dest_x = 0;
    else if (e.jump == 0) StartJump(e);
    if (e.tempy > 0 && !Solid(e.x + 48, e.y - 16)) ClimbLedge(e, kPoseLedgeRight, 1);
  }
  if (!Solid(e.x + 34, e.y + 32) && e.jump == 0) {
    const uint8_t ahead = ScanAhead(e.x, e.y, 1);
    if (ahead == 0) e.dest_x = 0;   // nothing to land on: turn away
    if (ahead == 1) StartJump(e);   // floor across the gap
  }                                 // 2: a floor further down, walk on and drop
}

void WalkLeft(Tplayer& e, const TileProbes& p) {
  e.mode = kPoseWalkLeft;
  e.speed = std::max(e.speed - kPatrolAcceleration, -kPatrolTopSpeed);
  e.anim = 1;
  if (p.wall_left != 0) {
    e.speed = 0;
    if (WallTooHigh(e.x - 16, e.y)) e.dest_x = 0;
    else if (e.jump == 0) StartJump(e);
    if (e.tempy > 0 && !Solid(e.x - 16, e.y - 16)) ClimbLedge(e, kPoseLedgeLeft, -1);
  }
  if (!Solid(e.x - 18, e.y + 32) && e.jump == 0) {
    const uint8_t ahead = ScanAhead(e.x - 16, e.y, -1);
    if (ahead < 1) e.dest_x = 0;
    if (ahead == 1) StartJump(e);
  }
}

void Patrol(Tplayer& e, const TileProbes& p) {
  e.gun_active = 0;
  if (e.x < e.dest_x) WalkRight(e, p);
  // Tested after the right-hand case with the current dest_x: an enemy that
  // gave up its target there (dest_x 0, the left map edge) turns left at once.
  if (e.dest_x < e.x) WalkLeft(e, p);
}

}  // namespace

bool LineOfSight(int32_t px, int32_t py, int32_t lx, int32_t ly, int32_t tx, int32_t ty) {
  const int32_t a = DirectionDegrees(lx, ly, tx, ty);
  const double step_x = CosDeg(a) * kRayStep;
  const double step_y = SinDeg(a) * kRayStep;
  // Every step moves at least 22 pixels along the main axis, so a ray leaves
  // the map within this many steps; the cap only guards a degenerate direction.
  const int32_t max_steps = 2 * (world.map_width + world.map_height) + 4;

  // One sample point every 32 pixels: a wall only blocks where a point falls
  // into it, and the hit test comes before the wall test at each point.
  for (int32_t step = 0; step <= max_steps; ++step) {
    if (tx <= px && px <= tx + kTileSize && ty <= py && py <= ty + kTileSize) return true;
    const int32_t column = CellOf(px);
    const int32_t row = CellOf(py);
    if (column < 0 || column >= world.map_width || row < 0 || row >= world.map_height) return false;
    if (GetTile(column, row, 0) != 0) return false;
    px = Trunc(px + step_x);
    py = Trunc(py + step_y);
  }
  return false;
}

PlayerRef FindVisibleEnemy(int32_t x, int32_t y, uint16_t half_w, uint16_t half_h) {
  PlayerRef found;
  world.character_list.ForEach([&](const PlayerRef& e) {
    const bool in_window = e->x + kTileSize < x + half_w && x - half_w < e->x &&
                           e->y + kTileSize < y + half_h && y - half_h < e->y;
    if (e->typ == 0 || !in_window) return true;
    if (!LineOfSight(x + 16, y + 16, x, y, e->x, e->y)) return true;
    found = e;
    return false;
  });
  return found;
}

bool EnemyReacting(const Tplayer& e) { return e.typ != 0 && e.on_sight == 1 && !Reacted(e) && run.player_x > 0; }

void EnemyStep(Tplayer& e, const TileProbes& p) {
  Watch(e);
  Shoot(e);
  ChooseTarget(e);
  if (e.on_sight == 0) Patrol(e, p);
}

}  // namespace vn
