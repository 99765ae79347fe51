#pragma once
// The 30-slot bag: slot s holds object tile 230 + s; the bag itself lives in
// the progress group (world/world.h).
#include <cstdint>

namespace vn {

inline constexpr int kInventorySlots = 30;
inline constexpr int kCoinSlot = 0;        // coins: the cell's code is the amount
inline constexpr int kHealthSlot = 1;      // health packs, used from the bag screen
inline constexpr int kKeySlot = 2;         // keys that open locks
inline constexpr int kFirstGunSlot = 20;   // slots 20..29 are guns 0..9 with their ammunition
inline constexpr uint16_t kFirstItemTile = 230;

// Empties every slot of progress.inventory.
void ClearInventory();

}  // namespace vn
