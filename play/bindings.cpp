#include "play/bindings.h"

#include "engine/key_codes.h"

namespace vn {

void Bindings::Reset() {
  key_right = kKeyRight;
  key_left = kKeyLeft;
  key_up = kKeyUp;
  key_down = kKeyDown;
  key_action = kKeyLeftControl;
  key_jump = kKeySpace;
  key_inventory = kKeyI;
  key_draw_weapon = kKeyLeftShift;
  key_look = kKeyL;
  sound_volume = 1.0f;
}

}  // namespace vn
