#pragma once
// The one save game, "data/savegame.sg".
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "play/entities.h"
#include "world/actions.h"
#include "world/inventory.h"

namespace vn {

inline const char* const kSaveGamePath = "data/savegame.sg";
inline float save_reserved_float = 0;   // the trailer's reserved float, carried from a loaded save

// Writes the running level's save atomically (temporary file, then rename) and
// tells the player ("Gespeichert" or "Speichern fehlgeschlagen").
// False on failure; the previous save then stays intact.
bool SaveGame(uint8_t level);
// Loads the save: returns its level index, or 0 when there is none or it is
// damaged (then nothing of the running game has changed; last_save_error says why).
uint8_t LoadGame();
inline std::string last_save_error;

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
// Loads the level from its checked data and replays the save onto it. Returns the level byte.
uint8_t ApplySaveGame(const SaveGameData& save, const LevelData& level);

}  // namespace vn
