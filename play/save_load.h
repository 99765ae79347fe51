#pragma once
// Saving the running level (F1) and loading the save game into it (F3).
#include <cstdint>

namespace vn {

struct SaveGameData;
struct LevelData;

// Writes the running level's save and tells the player ("Gespeichert" or
// "Speichern fehlgeschlagen"). False on failure; the previous save then stays intact.
bool SaveGame(uint8_t level);
// Loads the save: returns its level index, or 0 when there is none or it is
// damaged (then nothing of the running game has changed; run.last_save_error says why).
uint8_t LoadGame();
// Loads the level from its checked data and replays the save onto it. Returns the level byte.
uint8_t ApplySaveGame(const SaveGameData& save, const LevelData& level);

}  // namespace vn
