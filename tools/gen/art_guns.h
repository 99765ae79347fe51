#pragma once
// The three real guns, shared by the hand-held strips and the inventory items.
// Each is painted pointing right with its grip at (grip_x, grip_y) - the point
// the figure's hand holds - so the picture rotates naturally about the hand.
#include "tools/gen/art_canvas.h"

namespace vngen {

void PaintPistol(Canvas& c, int grip_x, int grip_y);
void PaintMachineGun(Canvas& c, int grip_x, int grip_y, bool with_belt);
void PaintLauncher(Canvas& c, int grip_x, int grip_y);
// A rocket lying pointing right, its tip at (tip_x, y).
void PaintRocket(Canvas& c, int tip_x, int y);

}  // namespace vngen
