#pragma once
// The world group: the loaded level and everything in it, as data.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphics.h"
#include "engine/tlist.h"
#include "world/actions.h"
#include "world/inventory.h"
#include "world/map_effects.h"
#include "world/records.h"

namespace vn {

struct World {
  uint16_t map_width = 0;    // columns W of the loaded map
  uint16_t map_height = 0;   // rows H
  // [column, row, layer] flattened as (x * (H+3) + y) * 3 + layer, sized (W+3)*(H+3)*3.
  std::vector<uint16_t> map_tiles = std::vector<uint16_t>(3, 0);
  // [column, row] flattened as x * (H+3) + y.
  std::vector<uint8_t> map_codes = std::vector<uint8_t>(1, 0);

  TList<Taction> action_list;                 // the level's actions, file order
  TList<Tmap_effects_todo> effect_todo_list;  // the level's prepared effects
  TList<Tmap_effects> map_effect_list;        // running effects (survive level loads)
  ImageRef topple_image;                      // picture of the toppling column

  TList<Tplayer> character_list;     // all characters, player and enemies, in level-file order
  TList<Tshot> shot_list;            // bullets in flight
  TList<Tfragment> fragment_list;    // debris
  TList<Texplosion> explosion_list;  // running explosions (survive level loads)

  std::string last_level_error;      // English description of the last failed load

  // No level: empty lists, a map without cells. Lists keep their reserved room.
  void Reset();
};
// Replaced by each level load (world/level_files.h); play moves what is in it.
inline World world;

// The progress group: what the player did in this level run, as the save game holds it.
struct Progress {
  TList<Tmap_change_done> change_list;      // every change of this level run, in order
  TList<Tautoswitch_done> autoswitch_list;  // fired automatic cells of this run
  // [slot][0] held flag, [slot][1] count; see world/inventory.h for the slots.
  std::array<std::array<uint16_t, 2>, kInventorySlots> inventory{};
  float save_reserved_float = 0;            // the trailer's reserved float, carried from a loaded save
  void Reset();                             // empty lists and bag, reserved float 0
};
// Emptied when a run starts and at each level change (the bag is kept), replaced by a loaded save.
inline Progress progress;

}  // namespace vn
