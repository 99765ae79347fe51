#include "tests/world/world_test_support.h"

#include <cstring>

#include "play/entities.h"
#include "world/actions.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/world.h"

namespace vn::test {

LevelSnapshot LevelSnapshot::Take() {
  LevelSnapshot s;
  s.width = world.map_width;
  s.height = world.map_height;
  s.tiles = world.map_tiles;
  s.codes = world.map_codes;
  s.characters = world.character_list.Count();
  s.actions = world.action_list.Count();
  s.effects_todo = world.effect_todo_list.Count();
  s.changes = progress.change_list.Count();
  s.autoswitches = progress.autoswitch_list.Count();
  s.cam_tile_x = camera.cam_tile_x;
  s.cam_tile_y = camera.cam_tile_y;
  s.cam_shift_x = camera.cam_shift_x;
  s.cam_shift_y = camera.cam_shift_y;
  s.inventory = progress.inventory;
  return s;
}

Bytes& Bytes::F32(float v) {
  uint32_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  return I32(int32_t(bits));
}

}  // namespace vn::test
