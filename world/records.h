#pragma once
// The records of everything that moves in a level: characters, bullets, debris,
// explosions. Their lists live in the world group (world/world.h).
#include <cstdint>
#include <memory>

namespace vn {

// The poses of a character (Tplayer::mode). Stored in saves, so the values stay.
inline constexpr uint8_t kPoseWalkRight = 1;      // standing or walking, facing right
inline constexpr uint8_t kPoseWalkLeft = 2;       // standing or walking, facing left
inline constexpr uint8_t kPoseLadder = 4;         // on a ladder
inline constexpr uint8_t kPoseVehicleRight = 5;   // riding a vehicle, facing right
inline constexpr uint8_t kPoseVehicleLeft = 6;    // riding a vehicle, facing left
inline constexpr uint8_t kPoseLedgeRight = 9;     // hanging at a ledge on its right
inline constexpr uint8_t kPoseLedgeLeft = 10;     // hanging at a ledge on its left
inline constexpr uint8_t kPoseCeiling = 11;       // hanging from the ceiling
inline constexpr uint8_t kPoseSwimRight = 13;     // swimming, facing right
inline constexpr uint8_t kPoseSwimLeft = 14;      // swimming, facing left
// Poses from here on ignore gravity, and from kPoseNoWalkFrom on the walking keys.
inline constexpr uint8_t kPoseNoGravityFrom = 12;
inline constexpr uint8_t kPoseNoWalkFrom = 16;
// Walking poses turn into the vehicle or swimming pose of the same facing by an offset.
inline constexpr uint8_t kPoseVehicleOffset = kPoseVehicleRight - kPoseWalkRight;
inline constexpr uint8_t kPoseSwimOffset = kPoseSwimRight - kPoseWalkRight;

// One character: the player when typ is 0, else an enemy.
struct Tplayer {
  int32_t x = 0;             // left edge of the 32x32 cell, world pixels
  int32_t y = 0;             // top edge, world pixels
  uint8_t typ = 0;           // 0 player; other values are enemy types (colour only)
  uint8_t jump = 0;          // 1 while airborne
  float tempy = 0;           // vertical speed, px/frame, positive downwards
  float speed = 0;           // horizontal speed, px/frame, positive to the right
  uint8_t gun = 0;           // gun kind; 1..9 draw ammunition from inventory slot gun+20
  int32_t power = 0;         // health; dies below 1
  uint8_t mode = 0;          // pose: one of the kPose values below
  int32_t frame = 0;         // walking phase 0..11
  uint16_t gunangle = 0;     // gun direction in degrees 0..359
  int32_t anim = 0;          // step added to frame each frame: -1, 0, +1
  uint8_t gun_active = 0;    // 1 while the gun is drawn
  int32_t source_x = 0;      // home x (x at creation)
  int32_t shot_timer = 0;    // clock time before which it may not fire again
  uint8_t breath = 0;        // air 0..100; dies at 0
  int32_t breath_timer = 0;  // clock time of the next loss of breath under water
  uint16_t action_radius = 0;// half width of an enemy's patrol range, pixels
  int32_t dest_x = 0;        // x an enemy walks to; 0 = none chosen
  float speed_max = 0;       // top walking speed, px/frame
  uint16_t item = 0;         // object-layer tile left where it dies; 0 nothing
  uint8_t on_sight = 0;      // enemy: 1 while it sees the player
  int32_t on_sight_timer = 0;// enemy: time since which it has seen the player
};

// One bullet.
struct Tshot {
  float x = 0, y = 0;        // world pixels
  uint8_t from = 0;          // 0 fired by the player, 1 by an enemy
  uint8_t power = 0;         // damage on a hit
  float angle = 0;           // flight direction, degrees
  uint8_t typ = 0;           // gun kind of the shooter; 2 explodes
};

// One piece of debris of a dead character.
struct Tfragment {
  int32_t x = 0, y = 0;      // world pixels
  float speedx = 0;          // px/frame
  float speedy = 0;          // px/frame, positive downwards
  double timeout = 0;        // clock time at which it disappears
  uint8_t typ = 0;           // body part 0..5: head, body, two eyes, two feet
};

// One explosion animation.
struct Texplosion {
  int32_t x = 0, y = 0;      // centre of the picture, world pixels
  uint8_t frame = 0;         // picture 0..17
  int32_t frame_timer = 0;   // clock time of the next picture
};

using PlayerRef = std::shared_ptr<Tplayer>;
using ShotRef = std::shared_ptr<Tshot>;
using FragmentRef = std::shared_ptr<Tfragment>;
using ExplosionRef = std::shared_ptr<Texplosion>;

// Makes a character (random facing: kPoseWalkRight or kPoseWalkLeft with gunangle 0 or 180, breath
// 100, speed_max 4) and appends it to world.character_list.
void Create_Player(int32_t x, int32_t y, uint8_t typ, uint8_t gun, uint8_t power,
                   uint16_t action_radius, uint16_t item);

}  // namespace vn
