#pragma once
// The fixed game tables: level names, gun figures and sign texts.
#include <array>
#include <cstdint>
#include <string>

#include "world/map.h"

namespace vn {

struct FixedTables {
  std::array<std::string, kLevelCount> level_names;   // base names of the level files; [0] is the tutorial
  std::array<uint8_t, 10> shot_power{};               // damage by gun kind
  std::array<uint16_t, 10> gun_delay{};               // ms between shots by gun kind
  std::array<int32_t, 10> ammo_per_pickup{};          // ammunition per pick-up of tile 250 + k
  std::array<std::string, 9> tutorial_texts;          // sign texts, UTF-8
  void Reset();   // fills every table with the game's values
};
// Filled at start-up; tests may change an entry (a level name) and reset it.
inline FixedTables tables;

// Fills the tables (the same as tables.Reset()).
void FillFixedTables();

}  // namespace vn
