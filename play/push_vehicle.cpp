#include "play/push_vehicle.h"

#include "engine/graphics.h"
#include "engine/numbers.h"
#include "engine/random.h"
#include "engine/timing.h"
#include "play/input_flags.h"
#include "play/play_loop.h"
#include "world/actions.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/tiles.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr float kRollDegreesPerFrame = 11.25f;  // a whole turn over the 32 px of one cell
constexpr float kRideSpeedMax = 7.0f;
constexpr float kLeaveThrow = -3.5f;
constexpr int32_t kNoTimeout = 2147483647;

const ImageRef& TileImage(uint16_t tile, int layer) {
  static const ImageRef none;
  return tile <= kMaxTileValue ? world_assets.tile_images[tile][size_t(layer)] : none;
}

// Draws a tile picture turned about its centre, with its world top-left at (wx, wy).
void DrawTurnedTile(const ImageRef& image, float wx, float wy, float degrees) {
  SetImageHandlePoint(image, 16, 16);
  SetDrawRotation(degrees);
  DrawImageFrame(image, ScreenXf(wx + 16), ScreenYf(wy + 16), 0);
  SetDrawRotation(0);
  SetImageHandlePoint(image, 0, 0);
}

void TakeBlock(const Tplayer& ch, int block_side) {
  push_vehicle.push_y = ch.y;
  push_vehicle.pushing = 1;
  const int32_t cell_x = block_side > 0 ? ch.x + 48 : ch.x - 16;
  const int32_t col = CellOf(cell_x);
  const int32_t row = CellOf(ch.y + 16);
  SetTile(col, row, 0, 0);
  RecordMapChange(col, row, 0, 0);
  push_vehicle.push_x = push_vehicle.push_from_x;
}

// The block lands in its new cell; over a gap it falls on as a map effect.
void PlaceBlock(Tplayer& ch) {
  const int32_t dir = push_vehicle.push_dir;
  push_vehicle.pushing = 0;
  push_vehicle.push_dir = 0;
  const int32_t col = CellOf(push_vehicle.push_x + 16);
  const int32_t row = CellOf(push_vehicle.push_y + 16);
  SetTile(col, row, 0, push_vehicle.push_tile);
  ch.mode = dir > 0 ? kPoseWalkRight : kPoseWalkLeft;
  ch.anim = dir > 0 ? -1 : 1;
  RecordMapChange(col, row, 0, push_vehicle.push_tile);
  if (TileAtPixel(push_vehicle.push_x + 16, push_vehicle.push_y + 48, 0) != 0) return;

  SetTile(col, row, 0, 0);
  RecordMapChange(col, row, 0, 0);
  auto fall = std::make_shared<Tmap_effects>();
  fall->typ = 2;
  fall->x = static_cast<uint16_t>(push_vehicle.push_x);
  fall->y = static_cast<uint16_t>(push_vehicle.push_y);
  fall->tile = push_vehicle.push_tile;
  fall->layer = 0;
  fall->speedx = 0;
  fall->speedy = 1;
  fall->timeout = kNoTimeout;
  world.map_effect_list.AddLast(fall);
}

void Crash(Tplayer& ch, int d) {
  push_vehicle.in_vehicle = 0;
  ch.power = 0;
  auto wreck = std::make_shared<Tmap_effects>();
  wreck->typ = 1;
  wreck->x = static_cast<uint16_t>(ch.x);
  wreck->y = static_cast<uint16_t>(ch.y);
  wreck->layer = 1;
  wreck->tile = static_cast<uint16_t>(push_vehicle.vehicle_tile + d);
  // Draw order of the random values: speedx, speedy, then the spin.
  wreck->speedx = static_cast<float>(RandRangeFloat(-14, 14));
  wreck->speedy = static_cast<float>(RandRangeFloat(-16.5, -4.5));
  wreck->timeout = ClockMillis() + 1500;
  wreck->rotation_way = RandRange(-1, 1);
  world.map_effect_list.AddLast(wreck);
}

}  // namespace

void PushVehicle::Reset() { *this = PushVehicle{}; }

void ResetPush() {
  push_vehicle.pushing = 0;
  push_vehicle.push_dir = 0;
  push_vehicle.push_from_x = 0;
  push_vehicle.push_x = 0;
  push_vehicle.push_y = 0;
  push_vehicle.push_tile = 0;
  push_vehicle.push_angle = 0;
}

void StartPush(Tplayer& ch, const TileProbes& p) {
  const bool block_right = IsPushableBlock(p.wall_right);
  const bool block_left = IsPushableBlockOnTheLeft(p.wall_left);
  if (!(block_right || block_left) || push_vehicle.pushing || p.ground == 0) return;

  if (input_flags.hit_right) {
    push_vehicle.push_dir = 1;
    push_vehicle.push_angle = 0;
    ch.anim = -1;
    ch.mode = kPoseWalkRight;
  }
  if (input_flags.hit_left) {
    push_vehicle.push_dir = -1;
    push_vehicle.push_angle = 0;
    ch.anim = 1;
    ch.mode = kPoseWalkLeft;
  }

  // A block is pushed away when the cell beyond it is free, or pulled along
  // when the player has room on the other side. Each side keeps its own range
  // here too, so a block on one side cannot let a 700 on the right move.
  int started = 0;  // +1 the right block, -1 the left block
  if (push_vehicle.push_dir > 0) {
    if (block_right && TileAtPixel(ch.x + 80, ch.y + 16, 0) == 0) {
      push_vehicle.push_from_x = SnapToCell(ch.x + 32);
      push_vehicle.push_tile = p.wall_right;
      started = 1;
    }
    if (block_left && p.wall_right == 0) {
      push_vehicle.push_from_x = SnapToCell(ch.x - 32);
      push_vehicle.push_tile = p.wall_left;
      started = -1;
    }
  }
  if (push_vehicle.push_dir < 0) {
    if (block_right && p.wall_left == 0) {
      push_vehicle.push_from_x = SnapToCell(ch.x + 32);
      push_vehicle.push_tile = p.wall_right;
      started = 1;
    }
    if (block_left && TileAtPixel(ch.x - 48, ch.y + 16, 0) == 0) {
      push_vehicle.push_from_x = SnapToCell(ch.x - 32);
      push_vehicle.push_tile = p.wall_left;
      started = -1;
    }
  }
  if (started != 0) TakeBlock(ch, started);
}

void RollBlock(Tplayer& ch) {
  DrawTurnedTile(TileImage(push_vehicle.push_tile, 0), float(push_vehicle.push_x), float(push_vehicle.push_y), push_vehicle.push_angle);
  push_vehicle.push_angle += push_vehicle.push_dir < 1 ? -kRollDegreesPerFrame : kRollDegreesPerFrame;
  ch.x += push_vehicle.push_dir;
  push_vehicle.push_x += push_vehicle.push_dir;
  const bool arrived = (push_vehicle.push_dir > 0 && push_vehicle.push_x == push_vehicle.push_from_x + kTileSize) ||
                       (push_vehicle.push_dir < 0 && push_vehicle.push_from_x == push_vehicle.push_x + kTileSize);
  if (arrived) PlaceBlock(ch);
}

void EnterOrLeaveVehicle(Tplayer& ch, const TileProbes& p) {
  const uint16_t above = TileAtPixel(ch.x + 16, ch.y - 16, 1);
  if ((IsVehicle(p.here_obj) || IsVehicle(above)) && input_flags.hit_jump) {
    input_flags.hit_jump = 0;  // the same press must not leave the vehicle again at once
    push_vehicle.in_vehicle = 1;
    ch.mode = static_cast<uint8_t>(ch.mode + kPoseVehicleOffset);
    // With vehicles both here and above, only the one here is taken: the cell
    // above keeps its vehicle, so the single change record matches the map.
    int32_t col = p.col;
    int32_t row = p.row;
    if (IsVehicle(p.here_obj)) {
      push_vehicle.vehicle_tile = p.here_obj;
    } else {
      col = CellOf(ch.x + 16);
      row = CellOf(ch.y - 16);
      ch.y = SnapToCell(ch.y - 16);
      push_vehicle.vehicle_tile = above;
    }
    SetTile(col, row, 1, 0);
    RecordMapChange(col, row, 1, 0);
  }

  if (push_vehicle.in_vehicle && input_flags.hit_jump) {
    RecordMapChange(p.col, p.row, 1, push_vehicle.vehicle_tile);
    SetTile(p.col, p.row, 1, push_vehicle.vehicle_tile);
    input_flags.hit_jump = 0;
    push_vehicle.in_vehicle = 0;
    ch.speed_max = 4;
    ch.jump = 1;
    ch.tempy = kLeaveThrow;
    ch.mode = ch.mode == kPoseVehicleRight ? kPoseWalkRight : kPoseWalkLeft;
  }
}

void RideVehicle(Tplayer& ch, const TileProbes& p) {
  ch.speed_max = kRideSpeedMax;
  ch.mode = (ch.mode == kPoseWalkRight || ch.mode == kPoseVehicleRight) ? kPoseVehicleRight : kPoseVehicleLeft;
  const int d = ch.mode == kPoseVehicleRight ? 0 : 1;  // the picture of v + 1 faces left
  // A vehicle never falls: it keeps its height over gaps.
  ch.tempy = 0;
  ch.jump = 0;

  if (push_vehicle.vehicle_tile == kCrashingVehicle && p.ground > 0) Crash(ch, d);

  // Drawn on the crash frame too, at the position after this frame's speed.
  push_vehicle.vehicle_angle = Trunc(double(ch.speed) * -1 * 1.5);
  DrawTurnedTile(TileImage(static_cast<uint16_t>(push_vehicle.vehicle_tile + d), 1), float(ch.x) + ch.speed,
                 float(ch.y), float(push_vehicle.vehicle_angle));
}

}  // namespace vn
