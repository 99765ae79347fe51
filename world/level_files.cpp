#include "world/level_files.h"

#include "world/actions.h"
#include "world/level_data.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/records.h"
#include "world/world.h"

namespace vn {

namespace {

void LoadEffects(const LevelData& level) {
  world.effect_todo_list.Clear();
  for (const auto& e : level.effects) {
    auto todo = std::make_shared<Tmap_effects_todo>();
    todo->nr = e.nr;
    todo->x = e.x;
    todo->y = e.y;
    todo->layer = e.layer;
    todo->typ = e.typ;
    world.effect_todo_list.AddLast(todo);
  }
}

void LoadActions(const LevelData& level) {
  world.action_list.Clear();
  for (const auto& a : level.actions) {
    auto action = std::make_shared<Taction>();
    action->nr = a.nr;
    action->x = a.x;
    action->y = a.y;
    action->new_tile = a.new_tile;
    action->layer = a.layer;
    world.action_list.AddLast(action);
  }
}

void LoadMap(const LevelData& level) {
  ResizeMap(level.width, level.height);
  for (int layer = 0; layer < kLayerCount; ++layer)
    for (int32_t y = 0; y < level.height; ++y)
      for (int32_t x = 0; x < level.width; ++x)
        SetTile(x, y, layer, level.tiles[layer][static_cast<size_t>(y) * level.width + static_cast<size_t>(x)]);
  for (int32_t y = 0; y < level.height; ++y)
    for (int32_t x = 0; x < level.width; ++x)
      SetCode(x, y, level.codes[static_cast<size_t>(y) * level.width + static_cast<size_t>(x)]);
}

}  // namespace

void ApplyLevelData(const LevelData& level) {
  camera.cam_shift_x = camera.cam_shift_y = 0;
  camera.cam_tile_x = camera.cam_tile_y = 0;

  // Running explosions and map effects are left alone: they finish in the new level.
  world.character_list.Clear();
  world.fragment_list.Clear();
  world.shot_list.Clear();
  world.effect_todo_list.Clear();

  LoadEffects(level);
  LoadActions(level);
  LoadMap(level);

  // Note the argument order: gun comes before power here but after item in the file.
  for (const auto& c : level.characters)
    Create_Player(c.x, c.y, c.typ, c.gun, c.power, c.action_radius, c.item);
}

bool LoadLevel(const std::string& name, const std::string& directory) {
  LevelData level;
  std::string error;
  if (!ReadLevelData(directory, name, level, error)) {
    world.last_level_error = error;
    return false;
  }
  ApplyLevelData(level);
  world.last_level_error.clear();
  return true;
}

}  // namespace vn
