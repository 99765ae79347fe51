#include "play/character_draw.h"

#include "engine/graphics.h"
#include "engine/numbers.h"
#include "world/records.h"

namespace vn {
namespace {

struct Colour {
  int r, g, b;
};
constexpr Colour kPlayerBody{0, 0, 0};
constexpr Colour kEnemyBody{117, 0, 15};
constexpr Colour kSwimHead{0, 0, 0};
constexpr Colour kHand{112, 51, 3};
constexpr Colour kFoot{33, 47, 58};
constexpr Colour kEye{0, 200, 0};

// Sizes of the ellipse boxes, width x height.
constexpr float kHeadSize = 12, kBodyW = 14, kBodyH = 12, kHandSize = 5, kFootSize = 7, kEyeSize = 3;

// Under the water picture a dark figure on dark water reads as two blobs; a
// pale rim and the figure again over the water keep its shape clear while the
// water still tints it.
constexpr Colour kWaterRim{225, 240, 255};
constexpr float kRimWidth = 1.5f;
constexpr float kWaterRimAlpha = 0.55f;
constexpr float kOverWaterAlpha = 0.75f;

void Oval(const Colour& c, double x, double y, float w, float h) {
  SetColor(c.r, c.g, c.b);
  DrawOval(float(x), float(y), w, h);
}
void Eye(double x, double y) { Oval(kEye, x, y, kEyeSize, kEyeSize); }
void Foot(double x, double y) { Oval(kFoot, x, y, kFootSize, kFootSize); }
void Hand(double x, double y) { Oval(kHand, x, y, kHandSize, kHandSize); }

// Walking feet trace circles of radius 4 around (x+20, y+25) and (x+12, y+25),
// 110 degrees apart.
void WalkingFeet(double x, double y, double f) {
  Foot(x + 20 + 4 * SinDeg(f + 55) - 3.5, y + 25 + 4 * CosDeg(f + 55) - 3.5);
  Foot(x + 12 + 4 * SinDeg(f - 55) - 3.5, y + 25 + 4 * CosDeg(f - 55) - 3.5);
}

void Limbs(double x, double y, uint8_t mode, double f) {
  switch (mode) {
    case kPoseWalkRight:
      Eye(x + 18, y + 5);
      WalkingFeet(x, y, f);
      break;
    case kPoseWalkLeft:
      Eye(x + 11, y + 5);
      WalkingFeet(x, y, f);
      break;
    case kPoseLadder:  // on a ladder, seen from behind: no eye
      Foot(x + 9, y + 25 + 2.5 * SinDeg(f));
      Foot(x + 16, y + 25 + 2.5 * CosDeg(f));
      Hand(x + 7, y + 15 + 1.8 * SinDeg(f));
      Hand(x + 18, y + 15 + 1.8 * CosDeg(f));
      break;
    case kPoseVehicleRight:
      Eye(x + 18, y + 5);
      break;
    case kPoseVehicleLeft:
      Eye(x + 11, y + 5);
      break;
    case kPoseLedgeRight:
      Foot(x + 25, y + 20);
      Hand(x + 27, y + 3);
      Eye(x + 18, y + 5);
      break;
    case kPoseLedgeLeft:
      Foot(x, y + 20);
      Hand(x, y + 3);
      Eye(x + 11, y + 5);
      break;
    case kPoseCeiling:
      Foot(x + 9, y + 20);
      Foot(x + 16, y + 20);
      Hand(x + 7, y + 1.8 * SinDeg(f));
      Hand(x + 18, y + 1.8 * CosDeg(f));
      break;
    case kPoseSwimRight:  // the head lies in front of the body in the swimming direction
      Oval(kSwimHead, x + 20, y + 10, kHeadSize, kHeadSize);
      Foot(x + 6 + 4 * SinDeg(f + 55), y + 16 + 4 * CosDeg(f + 55));
      Hand(x + 25, y + 15 + 1.8 * SinDeg(f));
      Hand(x + 18, y + 15 + 1.8 * CosDeg(f));
      break;
    case kPoseSwimLeft:
      Oval(kSwimHead, x, y + 10, kHeadSize, kHeadSize);
      Foot(x + 16 + 4 * SinDeg(f + 55), y + 16 + 4 * CosDeg(f + 55));
      Hand(x + 2, y + 15 + 1.8 * SinDeg(f));
      Hand(x + 9, y + 15 + 1.8 * CosDeg(f));
      break;
    default:
      break;
  }
}

// The pale rim of a figure in the water: a little larger than head and body.
void WaterRim(double x, double y, uint8_t mode) {
  double head_x = x + 10, head_y = y;
  if (mode == kPoseSwimRight) head_x = x + 20, head_y = y + 10;
  if (mode == kPoseSwimLeft) head_x = x, head_y = y + 10;
  SetColor(kWaterRim.r, kWaterRim.g, kWaterRim.b);
  DrawOval(float(head_x - kRimWidth), float(head_y - kRimWidth), kHeadSize + 2 * kRimWidth, kHeadSize + 2 * kRimWidth);
  DrawOval(float(x + 8 - kRimWidth), float(y + 13 - kRimWidth), kBodyW + 2 * kRimWidth, kBodyH + 2 * kRimWidth);
}

}  // namespace

void DrawFigureOverWater(int32_t x, int32_t y, uint8_t typ, uint8_t frame, uint8_t mode, uint16_t gunangle) {
  const TDrawState saved = GetDrawState();
  SetAlpha(kWaterRimAlpha);
  WaterRim(x, y, mode);
  SetAlpha(kOverWaterAlpha);
  DrawCharacter(x, y, typ, frame, mode, gunangle);
  // A swimmer also shows its eye and both kicking feet, so that head, body and
  // legs read as one figure lying in the water.
  const double fx = x, fy = y, kick = 2.0 * SinDeg(frame * 30.0);
  if (mode == kPoseSwimRight) {
    Eye(fx + 26, fy + 13);
    Foot(fx + 2, fy + 13 + kick);
    Foot(fx + 2, fy + 19 - kick);
  } else if (mode == kPoseSwimLeft) {
    Eye(fx + 3, fy + 13);
    Foot(fx + 23, fy + 13 + kick);
    Foot(fx + 23, fy + 19 - kick);
  }
  SetColor(255, 255, 255);
  SetAlpha(saved.color_alpha);
}

void DrawCharacter(int32_t x, int32_t y, uint8_t typ, uint8_t frame, uint8_t mode, uint16_t gunangle) {
  const double fx = x, fy = y;
  const double f = frame * 30.0;  // walking phase in degrees
  const Colour& body = typ == 0 ? kPlayerBody : kEnemyBody;
  if (mode != kPoseSwimRight && mode != kPoseSwimLeft) Oval(body, fx + 10, fy, kHeadSize, kHeadSize);
  Oval(body, fx + 8, fy + 13, kBodyW, kBodyH);
  if (mode < kPoseLadder) Hand(fx + 12 + 4 * CosDeg(gunangle), fy + 15 + 4 * SinDeg(gunangle));
  Limbs(fx, fy, mode, f);
  SetColor(255, 255, 255);
}

}  // namespace vn
