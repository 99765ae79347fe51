// TEMPORARY link stubs; each function moves to its real file as it is written.
#include "world/actions.h"
#include "world/inventory.h"
#include "world/level_data.h"
#include "world/level_files.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/save_game.h"
namespace vn {
void ResizeMap(uint16_t w, uint16_t h) {
  map_width = w; map_height = h;
  map_tiles.assign(static_cast<size_t>(w + 3) * (h + 3) * 3, 0);
  map_codes.assign(static_cast<size_t>(w + 3) * (h + 3), 0);
}
uint16_t GetTile(int32_t, int32_t, int) { return 0; }
void SetTile(int32_t, int32_t, int, uint16_t) {}
uint8_t GetCode(int32_t, int32_t) { return 0; }
void SetCode(int32_t, int32_t, uint8_t) {}
void SetCell(int32_t, int32_t, int, uint16_t) {}
uint16_t TileAtPixel(int32_t, int32_t, int) { return 0; }
uint8_t CodeAtPixel(int32_t, int32_t) { return 0; }
bool CellInArrays(int32_t, int32_t) { return false; }
uint8_t ScanAhead(int32_t, int32_t, int32_t) { return 0; }
void DrawBackLayers() {}
void DrawForegroundLayer(int, float) {}
void LevelData::Resize(uint16_t w, uint16_t h) {
  width = w; height = h;
  for (auto& t : tiles) t.assign(static_cast<size_t>(w) * h, 0);
  codes.assign(static_cast<size_t>(w) * h, 0);
}
bool ReadLevelData(const std::string&, const std::string&, LevelData&, std::string& e) { e = "stub"; return false; }
bool ParseLevelData(const std::vector<uint8_t>&, const std::vector<uint8_t>*, const std::vector<uint8_t>&, LevelData&, std::string& e) { e = "stub"; return false; }
bool WriteLevelFiles(const std::string&, const std::string&, const LevelData&) { return false; }
std::vector<uint8_t> EncodeMapFile(const LevelData&) { return {}; }
std::vector<uint8_t> EncodeActionsFile(const LevelData&) { return {}; }
std::vector<uint8_t> EncodeEffectsFile(const LevelData&) { return {}; }
bool LoadLevel(const std::string&, const std::string&) { last_level_error = "stub"; return false; }
void TriggerAction(uint8_t) {}
void RecordMapChange(uint16_t x, uint16_t y, uint8_t layer, uint16_t tile) {
  auto r = std::make_shared<Tmap_change_done>(); r->x = x; r->y = y; r->layer = layer; r->tile_new = tile; change_list.AddLast(r);
}
void UpdateMapEffects() {}
void ClearInventory() { for (auto& s : inventory) s = {0, 0}; }
void InventoryScreen() {}
void BeginInventoryScreen() {}
bool InventoryFrame() { return false; }
bool SaveGame(uint8_t) { return false; }
uint8_t LoadGame() { return 0; }
}  // namespace vn
