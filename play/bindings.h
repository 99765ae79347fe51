#pragma once
// The key bindings and the sound volume as play reads them; the settings file
// (app/settings.h) loads and stores them.
#include <cstdint>

namespace vn {

struct Bindings {
  // The nine bindings (virtual-key codes; 0 = no key).
  uint8_t key_right = 0, key_left = 0, key_up = 0, key_down = 0, key_jump = 0,
          key_draw_weapon = 0, key_action = 0, key_inventory = 0, key_look = 0;
  float sound_volume = 1.0f;   // factor of every sound's volume
  // The shipped defaults: arrows, left Ctrl action, Space jump, I, left Shift, L; volume 1.
  void Reset();
};
inline Bindings bindings;

}  // namespace vn
