#pragma once
// The one save game, "data/savegame.sg".
#include <cstdint>
#include <string>

namespace vn {

inline const char* const kSaveGamePath = "data/savegame.sg";
inline float save_reserved_float = 0;   // the trailer's reserved float, carried from a loaded save

// Writes the running level's save atomically (temporary file, then rename).
// False on failure; the previous save then stays intact.
bool SaveGame(uint8_t level);
// Loads the save: returns its level index, or 0 when there is none or it is
// damaged (then nothing of the running game has changed; last_save_error says why).
uint8_t LoadGame();
inline std::string last_save_error;

}  // namespace vn
