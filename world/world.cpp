// The resets of the world's state groups.
#include "world/world.h"

#include "world/map.h"
#include "world/tiles.h"

namespace vn {

void World::Reset() {
  map_width = 0;
  map_height = 0;
  map_tiles.assign(3, 0);
  map_codes.assign(1, 0);
  action_list.Clear();
  effect_todo_list.Clear();
  map_effect_list.Clear();
  topple_image.reset();
  character_list.Clear();
  shot_list.Clear();
  fragment_list.Clear();
  explosion_list.Clear();
  last_level_error.clear();
}

void Progress::Reset() {
  change_list.Clear();
  autoswitch_list.Clear();
  ClearInventory();
  save_reserved_float = 0;
}

void ClearInventory() {
  for (auto& slot : progress.inventory) slot = {0, 0};
}

void Camera::Reset() {
  cam_tile_x = cam_tile_y = 0;
  cam_shift_x = cam_shift_y = 0;
}

void Screen::Reset() { *this = Screen{}; }

void WorldAssets::Reset() {
  for (auto& layers : tile_images) layers.fill(nullptr);
}

}  // namespace vn
