#include <algorithm>

#include "play/input_flags.h"

#include "engine/input.h"
#include "play/bindings.h"

namespace vn {
namespace {

constexpr int kPadPort = 0;

// A press count as a flag; counts above 255 stay set instead of wrapping to 0.
uint8_t AsFlag(int count) { return static_cast<uint8_t>(std::clamp(count, 0, 255)); }

// Presses of the key, or of the pad button only when the key had none (the
// key's presses are taken first, so both are reset once per frame at most).
uint8_t HitKeyOrButton(uint8_t key, int button) {
  uint8_t flag = AsFlag(TakeKeyHits(key));
  if (flag == 0) flag = AsFlag(TakePadButtonHits(button, kPadPort));
  return flag;
}

uint8_t HitKeyOrAxis(uint8_t key, float axis, float end) {
  uint8_t flag = AsFlag(TakeKeyHits(key));
  if (flag == 0 && axis == end) flag = 1;
  return flag;
}

uint8_t HeldKeyOrButton(uint8_t key, int button) {
  if (IsKeyDown(key)) return 1;
  return IsPadButtonDown(button, kPadPort) ? 1 : 0;
}

uint8_t HeldKeyOrAxis(uint8_t key, float axis, float end) {
  if (IsKeyDown(key)) return 1;
  return axis == end ? 1 : 0;
}

}  // namespace

void ReadInputFlags() {
  // The stick counts as pressed on every frame it rests at an end, so each
  // flag reads the axis afresh, in table order.
  input_flags.hit_jump = HitKeyOrButton(bindings.key_jump, 1);
  input_flags.hit_right = HitKeyOrAxis(bindings.key_right, GetPadX(kPadPort), 1.0f);
  input_flags.hit_left = HitKeyOrAxis(bindings.key_left, GetPadX(kPadPort), -1.0f);
  input_flags.hit_up = HitKeyOrAxis(bindings.key_up, GetPadY(kPadPort), -1.0f);
  input_flags.hit_down = HitKeyOrAxis(bindings.key_down, GetPadY(kPadPort), 1.0f);
  input_flags.hit_action = HitKeyOrButton(bindings.key_action, 2);
  input_flags.hit_draw_weapon = HitKeyOrButton(bindings.key_draw_weapon, 4);
  input_flags.held_jump = HeldKeyOrButton(bindings.key_jump, 1);
  input_flags.held_right = HeldKeyOrAxis(bindings.key_right, GetPadX(kPadPort), 1.0f);
  input_flags.held_left = HeldKeyOrAxis(bindings.key_left, GetPadX(kPadPort), -1.0f);
  input_flags.held_up = HeldKeyOrAxis(bindings.key_up, GetPadY(kPadPort), -1.0f);
  input_flags.held_down = HeldKeyOrAxis(bindings.key_down, GetPadY(kPadPort), 1.0f);
  input_flags.held_action = HeldKeyOrButton(bindings.key_action, 2);
  input_flags.held_look = HeldKeyOrButton(bindings.key_look, 5);
}

}  // namespace vn
