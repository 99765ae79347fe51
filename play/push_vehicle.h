#pragma once
// Pushing blocks and riding vehicles.
#include <cstdint>

#include "play/entities.h"
#include "play/movement.h"

namespace vn {

// The block push of the current run (none at its start).
inline uint8_t pushing = 0;        // 1 while a block rolls
inline int32_t push_dir = 0;       // +1 right, -1 left, 0 none
inline int32_t push_from_x = 0;    // x of the cell the block left
inline int32_t push_x = 0;         // current x of the rolling block
inline int32_t push_y = 0;         // y of the block
inline uint16_t push_tile = 0;     // layer-0 value of the block
inline float push_angle = 0;       // rotation of the rolling block, degrees

// Vehicle state (saved with the game).
inline uint8_t in_vehicle = 0;     // 1 while riding
inline uint16_t vehicle_tile = 0;  // object value 650..659 of the vehicle
inline int32_t vehicle_angle = 0;  // tilt of the vehicle picture, degrees

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
