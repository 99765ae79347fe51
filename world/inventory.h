#pragma once
// The 30-slot bag and its screen.
#include <array>
#include <cstdint>

namespace vn {

inline constexpr int kInventorySlots = 30;
// [slot][0] held flag, [slot][1] count. Slot s holds object tile 230 + s;
// slots 20..29 are guns 0..9 with their ammunition.
inline std::array<std::array<uint16_t, 2>, kInventorySlots> inventory{};
inline int32_t inventory_slot = 0;   // slot shown; kept between openings

void ClearInventory();
// The inventory screen, one frame per call: the play loop shows it in place of
// play while it is open. InventoryFrame is false when the screen closes (the
// caller then resets the draw scale).
void BeginInventoryScreen();
bool InventoryFrame();

}  // namespace vn
