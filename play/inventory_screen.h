#pragma once
// The bag screen: pages through the held slots, uses health and takes guns.

namespace vn {

// Runs the inventory screen's own frame loop until it closes.
void InventoryScreen();
// One frame of the screen; false when the screen closes. Used by the loop and tests.
void BeginInventoryScreen();
bool InventoryFrame();

}  // namespace vn
