#pragma once
// Pushing blocks and riding vehicles.
#include <cstdint>

#include "play/entities.h"
#include "play/movement.h"

namespace vn {

// The block push and the vehicle of the current run.
struct PushVehicle {
  uint8_t pushing = 0;        // 1 while a block rolls
  int32_t push_dir = 0;       // +1 right, -1 left, 0 none
  int32_t push_from_x = 0;    // x of the cell the block left
  int32_t push_x = 0;         // current x of the rolling block
  int32_t push_y = 0;         // y of the block
  uint16_t push_tile = 0;     // layer-0 value of the block
  float push_angle = 0;       // rotation of the rolling block, degrees

  // Vehicle state (saved with the game).
  uint8_t in_vehicle = 0;     // 1 while riding
  uint16_t vehicle_tile = 0;  // object value 650..659 of the vehicle
  int32_t vehicle_angle = 0;  // tilt of the vehicle picture, degrees

  void Reset();               // no push, no vehicle
};
inline PushVehicle push_vehicle;

// Forgets a push in progress: the push fields only, the vehicle stays.
void ResetPush();
// Action key held, gun holstered: may start a push or pull.
void StartPush(Tplayer& ch, const TileProbes& p);
// After the automatic actions: jump key enters or leaves a vehicle.
void EnterOrLeaveVehicle(Tplayer& ch, const TileProbes& p);
// First step of the second half of the physics while in_vehicle.
void RideVehicle(Tplayer& ch, const TileProbes& p);
// Last step of the second half while pushing.
void RollBlock(Tplayer& ch);

}  // namespace vn
