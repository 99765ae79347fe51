#pragma once
// The key configuration screen, drawn inside the title menu's frame.

namespace vn {

// One frame of the configuration screen (reads mouse_y/mouse_hit, sets bindings).
void ConfigScreenStep();

}  // namespace vn
