#pragma once
// What tile values mean, and the tile pictures the map draws.
#include <array>
#include <cstdint>

#include "engine/graphics.h"

namespace vn {

inline constexpr int kMaxTileValue = 700;

// Layer 1 (objects).
inline bool IsLadder(uint16_t obj) { return obj >= 1 && obj <= 10; }
inline bool IsDeadlyObject(uint16_t obj) { return obj >= 11 && obj <= 40; }
inline constexpr uint16_t kRubbleTile = 57;   // left where a breakable wall was
inline constexpr uint16_t kSignTile = 58;     // shows the sign text its cell's code names
inline bool IsItem(uint16_t obj) { return obj >= 230 && obj <= 259; }   // picked up into slot obj - 230
inline constexpr uint16_t kCoinTile = 230;
inline constexpr uint16_t kFirstAmmunitionTile = 250;   // 250 + k: ammunition of gun k
inline bool IsSwitch(uint16_t obj) { return obj == 260 || obj == 262 || obj == 264; }
inline bool IsLock(uint16_t obj) { return obj == 285 || obj == 286; }
// What the action key uses from the cell the figure stands in.
inline bool IsActionTarget(uint16_t obj) { return IsItem(obj) || IsSwitch(obj) || IsLock(obj); }
inline bool IsVehicle(uint16_t obj) { return obj >= 650 && obj <= 659; }
inline constexpr uint16_t kCrashingVehicle = 650;   // the boat: wrecked when it touches ground
inline bool IsSlide(uint16_t obj) { return obj >= 660; }
inline bool IsLeftSlide(uint16_t obj) { return obj <= 679; }    // of the slides: carries to the left
inline bool IsRightSlide(uint16_t obj) { return obj >= 680; }   // of the slides: carries to the right

// Layer 0 (walls).
inline constexpr uint16_t kBreakableTile = 24;   // a shot breaks it into rubble
inline bool IsGraspableWall(uint16_t wall) { return wall >= 1 && wall <= 669; }   // ledges can be hung from
inline bool IsPushableBlock(uint16_t wall) { return wall >= 670 && wall <= 699; }
// The left side also takes 700, the right side does not.
inline bool IsPushableBlockOnTheLeft(uint16_t wall) { return wall >= 670 && wall <= 700; }

// Layer 2 (foreground).
inline bool IsWater(uint16_t fg) { return fg > 0 && fg < 30; }
inline bool IsHarmfulWater(uint16_t fg) { return fg >= 3 && fg <= 10; }
inline bool IsDeadlyForeground(uint16_t fg) { return fg >= 600; }

// Code grid.
inline constexpr uint8_t kExitCode = 250;
// A cell that fires its action once when stood on.
inline bool IsAutomaticCode(uint8_t code) { return code > 200 && code < 250; }

// The world's pictures, loaded at start-up and kept for the whole program.
struct WorldAssets {
  // [tile value 0..700][layer 0..2]; empty where no file exists. Layer 2 holds 8-frame strips.
  std::array<std::array<ImageRef, 3>, kMaxTileValue + 1> tile_images;
  void Reset();   // every picture empty
};
inline WorldAssets world_assets;

}  // namespace vn
