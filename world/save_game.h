#pragma once
// The save game's format: "data/savegame.sg" written from the running level and
// read back, checked against its level before play applies it (play/save_load.h).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "world/actions.h"
#include "world/inventory.h"
#include "world/records.h"

namespace vn {

inline const char* const kSaveGamePath = "data/savegame.sg";

// What a save holds of play's state, handed over as plain values.
struct SaveRunValues {
  std::string level_name;   // base name of the level file
  uint8_t level = 0;        // level index
  uint8_t in_vehicle = 0;
  uint16_t vehicle_tile = 0;
  int32_t vehicle_angle = 0;
};
// Writes the save atomically (temporary file, then rename) from the world's
// lists, the camera, the bag and the values given. False on failure; the
// previous save then stays intact.
bool WriteSaveFile(const SaveRunValues& values);

// A save game's contents, parsed and checked before anything is applied.
struct SaveGameData {
  std::string level_name;
  std::vector<Tmap_change_done> changes;
  std::vector<Tautoswitch_done> autoswitches;
  std::vector<Tplayer> characters;   // the saved fields; the others 0
  int32_t cam_tile_x = 0, cam_tile_y = 0;
  uint8_t level = 0;
  float reserved_float = 0;
  uint8_t in_vehicle = 0;
  uint16_t vehicle_tile = 0;
  int32_t vehicle_angle = 0;
  std::array<std::array<uint16_t, 2>, kInventorySlots> inventory{};
};
struct LevelData;

// The save's bytes; false with an English error when a block is incomplete or
// bytes follow the inventory.
bool ParseSaveGame(const std::vector<uint8_t>& bytes, SaveGameData& out, std::string& error);
// Whether the records fit the level they are replayed on (layers, cells, level index).
bool CheckSaveAgainstLevel(const SaveGameData& save, const LevelData& level, std::string& error);
// Reads the save file, its level's files from map/, and checks both. 0 when
// there is no save; -1 with an English error (without the path) when it cannot
// be read or is damaged; 1 when save and level are ready to apply.
int ReadSaveFile(SaveGameData& save, LevelData& level, std::string& error);

}  // namespace vn
