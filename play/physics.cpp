#include "engine/graphics.h"
#include "engine/numbers.h"
#include "play/assets.h"
#include "play/movement.h"
#include "play/push_vehicle.h"
#include "world/map.h"
#include "world/tiles.h"

namespace vn {
namespace {

constexpr float kBounce = 0.3f;          // share of the landing speed that bounces back
constexpr float kRestSpeed = 0.5f;       // below this a landing comes to rest
constexpr float kSwimDamping = 0.8f;     // downward speed lost per frame in water
constexpr float kSlideSpeed = 3.0f;
constexpr float kSlideLockout = -5.0f;   // a fast upward jump is not caught by a slide

void Slides(Tplayer& ch, const TileProbes& p) {
  const uint16_t under = TileAtPixel(ch.x + 16, ch.y + 32, 1);
  if (!IsSlide(p.here_obj) && !IsSlide(under)) return;
  if ((IsLeftSlide(p.here_obj) || IsLeftSlide(under)) && ch.tempy > kSlideLockout) {
    ch.speed = -kSlideSpeed;
    ch.tempy = kSlideSpeed;
    ch.mode = kPoseWalkLeft;
  }
  if ((IsRightSlide(p.here_obj) || IsRightSlide(under)) && ch.tempy > kSlideLockout) {
    ch.speed = kSlideSpeed;
    ch.tempy = kSlideSpeed;
    ch.mode = kPoseWalkRight;
  }
}

void StopAtWalls(Tplayer& ch, const TileProbes& p) {
  if (p.ceiling != 0 && ch.tempy < 0) {
    ch.tempy = 0;
    ch.y = SnapToCell(ch.y + 16);
  }
  const bool hanging = ch.mode == kPoseLedgeRight || ch.mode == kPoseLedgeLeft;
  if (p.wall_right != 0 && (ch.speed > 0 || hanging)) {
    ch.speed = 0;
    ch.x = SnapToCell(ch.x + 16);
  }
  if (p.wall_left != 0 && (ch.speed < 0 || hanging)) {
    ch.speed = 0;
    ch.x = SnapToCell(ch.x + 16);
  }
}

// Standing still, the legs return to frame 0 the shorter way round.
void AnimateLegs(Tplayer& ch) {
  if (ch.anim != 0) {
    ch.frame += ch.anim;
    if (ch.frame >= 12) ch.frame = 0;
    if (ch.frame < 0) ch.frame = 11;
    return;
  }
  if (ch.frame >= 1 && ch.frame <= 5) {
    ch.frame -= 1;
  } else if (ch.frame >= 6 && ch.frame <= 11) {
    ch.frame += 1;
    if (ch.frame == 12) ch.frame = 0;
  }
}

void DrawGun(const Tplayer& ch, int32_t sx, int32_t sy) {
  if (ch.gun >= play_assets.gun_images.size()) return;
  // The strip's second picture is the mirrored gun for the left half.
  const int mirrored = ch.gunangle >= 90 && ch.gunangle < 271 ? 1 : 0;
  SetDrawRotation(ch.gunangle);
  DrawImageFrame(play_assets.gun_images[ch.gun], float(sx + 16), float(sy + 16), mirrored);
  SetDrawRotation(0);
}

}  // namespace

TileProbes ReadProbes(const Tplayer& ch) {
  TileProbes p;
  p.ceiling = TileAtPixel(ch.x + 16, ch.y - 1, 0);
  p.ground = TileAtPixel(ch.x + 16, ch.y + 32, 0);
  p.wall_left = TileAtPixel(ch.x - 1, ch.y + 16, 0);
  p.wall_right = TileAtPixel(ch.x + 32, ch.y + 16, 0);
  p.here_obj = TileAtPixel(ch.x + 16, ch.y + 16, 1);
  p.here_fg = TileAtPixel(ch.x + 16, ch.y + 16, 2);
  p.col = CellOf(ch.x + 16);
  p.row = CellOf(ch.y + 16);
  return p;
}

void CommonPhysicsFirst(Tplayer& ch, const TileProbes& p) {
  if (p.ground == 0 && ch.mode < kPoseNoGravityFrom) {
    ch.jump = 1;
    if (ch.tempy < kTerminalSpeed) ch.tempy += kGravity;
  }

  if (ch.jump == 1 && p.ground > 0 && p.ceiling == 0) {
    if (ch.tempy >= kTerminalSpeed) ch.power = 0;
    ch.tempy = ch.tempy * kBounce;
    ch.tempy = ch.tempy * -1;
  }

  if (ch.tempy > -kRestSpeed && ch.tempy < kRestSpeed && p.ground > 0) {
    ch.tempy = 0;
    ch.jump = 0;
    ch.y = SnapToCell(ch.y);
  }

  // Pushed out of walls by 2 px; the second test sees the first's result.
  if (TileAtPixel(ch.x + 31, ch.y + 16, 0) != 0) ch.x -= 2;
  if (TileAtPixel(ch.x + 1, ch.y + 16, 0) != 0) ch.x += 2;

  if (ch.mode == kPoseSwimRight || ch.mode == kPoseSwimLeft) {
    if (ch.tempy > 0) ch.tempy -= kSwimDamping;
    if (ch.tempy < 0) ch.tempy = 0;
  }
}

void CommonPhysicsSecond(const PlayerRef& ref, const TileProbes& p, int32_t sx, int32_t sy) {
  Tplayer& ch = *ref;
  if (ch.typ == 0 && push_vehicle.in_vehicle) RideVehicle(ch, p);

  Slides(ch, p);

  if (p.here_fg >= 600) ch.power = 0;

  ch.x = Trunc(double(ch.x) + double(ch.speed));
  ch.y = Trunc(double(ch.y) + double(ch.tempy));

  StopAtWalls(ch, p);

  AnimateLegs(ch);

  if (ch.gun_active) DrawGun(ch, sx, sy);

  if (IsDeadlyObject(p.here_obj)) {
    ch.power = 0;
    ch.speed = 0;
    ch.tempy = 0;
    ch.anim = 0;
    ch.gun_active = 0;
  }

  if (IsHarmfulWater(p.here_fg)) ch.power -= 1;

  if (ch.typ == 0 && push_vehicle.pushing) RollBlock(ch);
}

}  // namespace vn
