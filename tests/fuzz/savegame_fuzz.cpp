// Save games from arbitrary bytes, checked against and replayed onto a small
// fixed level: a damaged save must be refused with a reason, never crash, and an
// accepted one must replay within the map's arrays.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "play/save_load.h"
#include "world/actions.h"
#include "world/level_data.h"
#include "world/map.h"
#include "world/save_game.h"
#include "world/world.h"

namespace {

const vn::LevelData& FixedLevel() {
  static const vn::LevelData level = [] {
    vn::LevelData l;
    l.Resize(6, 4);
    l.Tile(0, 2, 3) = 1;
    l.Code(4, 2) = 205;
    l.actions.push_back({3, 1, 1, 0x1FA, 200});
    l.characters.push_back({});
    return l;
  }();
  return level;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vn::SaveGameData save;
  std::string error;
  if (!vn::ParseSaveGame(std::vector<uint8_t>(data, data + size), save, error)) {
    if (error.empty()) __builtin_trap();
    return 0;
  }
  if (!vn::CheckSaveAgainstLevel(save, FixedLevel(), error)) {
    if (error.empty()) __builtin_trap();
    return 0;
  }
  const uint8_t level = vn::ApplySaveGame(save, FixedLevel());
  if (level != save.level || vn::progress.change_list.Count() != save.changes.size() ||
      vn::world.character_list.Count() != save.characters.size())
    __builtin_trap();
  vn::progress.change_list.Clear();
  vn::progress.autoswitch_list.Clear();
  vn::world.character_list.Clear();
  return 0;
}
