#pragma once
// Scripted cell changes (actions), the record of every change made during a
// level run, and the automatic cells that have fired.
#include <cstdint>

#include "engine/tlist.h"

namespace vn {

struct Taction {          // one scripted cell change from the map-data file
  uint8_t nr = 0;         // action number 1..255
  uint16_t x = 0, y = 0;  // cell
  uint16_t new_tile = 0;  // value written
  uint8_t layer = 0;      // 0..2 tile layer, 200 code grid (low byte)
};
struct Tmap_change_done { // one cell change made during the run, replayed by a loaded game
  uint16_t x = 0, y = 0;
  uint16_t tile_new = 0;
  uint8_t layer = 0;
};
struct Tautoswitch_done { // an automatic cell that has fired
  uint16_t x = 0, y = 0;
};

inline TList<Taction> action_list;              // the level's actions, file order
inline TList<Tmap_change_done> change_list;     // every change of this level run, in order
inline TList<Tautoswitch_done> autoswitch_list; // fired automatic cells of this run

// Starts the prepared effects of nr (a toppling column grabbed from the screen),
// then applies and records the actions of nr.
void TriggerAction(uint8_t nr);
// Appends a change record; the caller has written the cell. A change the map
// could not take (a cell outside the arrays, a layer that does not exist) is
// not recorded either, so that a save holds only what the map holds.
void RecordMapChange(int32_t x, int32_t y, uint8_t layer, uint16_t tile);

}  // namespace vn
