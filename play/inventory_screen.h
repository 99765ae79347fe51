#pragma once
// The bag screen: pages through the held slots, uses health and takes guns.

namespace vn {

// One frame per call: the play loop shows it in place of play while it is open.
// InventoryFrame is false when the screen closes (the caller then resets the draw scale).
void BeginInventoryScreen();
bool InventoryFrame();

}  // namespace vn
