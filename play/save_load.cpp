#include "play/save_load.h"

#include <string>

#include "play/notice.h"
#include "play/play_loop.h"
#include "play/push_vehicle.h"
#include "play/tables.h"
#include "world/level_data.h"
#include "world/level_files.h"
#include "world/map.h"
#include "world/save_game.h"
#include "world/world.h"

namespace vn {

uint8_t ApplySaveGame(const SaveGameData& save, const LevelData& level) {
  progress.change_list.Clear();
  world.action_list.Clear();
  ApplyLevelData(level);

  // The map file's characters are replaced by the saved ones.
  world.character_list.Clear();
  progress.autoswitch_list.Clear();

  // In the saved order, so the last change of a cell wins as it did in play;
  // re-recorded so that the next save writes them again.
  for (const auto& c : save.changes) {
    SetCell(c.x, c.y, c.layer, c.tile_new);
    RecordMapChange(c.x, c.y, c.layer, c.tile_new);
  }

  // Automatic cells that fired before the save cannot fire again.
  for (const auto& a : save.autoswitches) {
    SetCode(a.x, a.y, 0);
    progress.autoswitch_list.AddLast(std::make_shared<Tautoswitch_done>(a));
  }

  for (const auto& ch : save.characters) world.character_list.AddLast(std::make_shared<Tplayer>(ch));

  camera.cam_tile_x = save.cam_tile_x;
  camera.cam_tile_y = save.cam_tile_y;
  progress.save_reserved_float = save.reserved_float;
  push_vehicle.in_vehicle = save.in_vehicle;
  push_vehicle.vehicle_tile = save.vehicle_tile;
  push_vehicle.vehicle_angle = save.vehicle_angle;
  progress.inventory = save.inventory;
  return save.level;
}

bool SaveGame(uint8_t level) {
  bool saved = false;
  if (level < kLevelCount) {
    saved = WriteSaveFile({tables.level_names[level], level, push_vehicle.in_vehicle, push_vehicle.vehicle_tile,
                           push_vehicle.vehicle_angle});
  }
  ShowNotice(saved ? "Gespeichert" : "Speichern fehlgeschlagen");
  return saved;
}

uint8_t LoadGame() {
  // Everything is read and checked before anything of the running level changes.
  SaveGameData save;
  LevelData level;
  std::string error;
  const int found = ReadSaveFile(save, level, error);
  if (found == 0) return 0;
  if (found < 0) {
    run.last_save_error = std::string(kSaveGamePath) + ": " + error;
    ShowNotice("Spielstand ist beschädigt und wurde nicht geladen");
    return 0;
  }
  run.last_save_error.clear();
  return ApplySaveGame(save, level);
}

}  // namespace vn
