#include <algorithm>

#include "play/input_flags.h"

#include "engine/gamepad.h"
#include "engine/input.h"
#include "play/bindings.h"

namespace vn {
namespace {

constexpr int kPadPort = 0;

// A press count as a flag; counts above 255 stay set instead of wrapping to 0.
uint8_t AsFlag(int count) { return static_cast<uint8_t>(std::clamp(count, 0, 255)); }

// Presses of the key, or of the joystick button only when the key had none,
// or of the game controller's buttons for the action when neither had any
// (each is taken only when the one before gave nothing).
uint8_t HitKeyOrButton(uint8_t key, int button, int action) {
  uint8_t flag = AsFlag(TakeKeyHits(key));
  if (flag == 0) flag = AsFlag(TakePadButtonHits(button, kPadPort));
  if (flag == 0) flag = AsFlag(TakePadActionHits(action));
  return flag;
}

uint8_t HitKeyOrAxis(uint8_t key, float axis, float end, int action) {
  uint8_t flag = AsFlag(TakeKeyHits(key));
  if (flag == 0 && axis == end) flag = 1;
  if (flag == 0) flag = AsFlag(TakePadActionHits(action));
  return flag;
}

uint8_t HeldKeyOrButton(uint8_t key, int button, int action) {
  if (IsKeyDown(key) || IsPadButtonDown(button, kPadPort)) return 1;
  return IsPadActionDown(action) ? 1 : 0;
}

uint8_t HeldKeyOrAxis(uint8_t key, float axis, float end, int action) {
  if (IsKeyDown(key) || axis == end) return 1;
  return IsPadActionDown(action) ? 1 : 0;
}

}  // namespace

void ReadInputFlags() {
  // The stick counts as pressed on every frame it rests at an end, so each
  // flag reads the axis afresh, in table order.
  input_flags.hit_jump = HitKeyOrButton(bindings.key_jump, 1, PAD_JUMP);
  input_flags.hit_right = HitKeyOrAxis(bindings.key_right, GetPadX(kPadPort), 1.0f, PAD_RIGHT);
  input_flags.hit_left = HitKeyOrAxis(bindings.key_left, GetPadX(kPadPort), -1.0f, PAD_LEFT);
  input_flags.hit_up = HitKeyOrAxis(bindings.key_up, GetPadY(kPadPort), -1.0f, PAD_UP);
  input_flags.hit_down = HitKeyOrAxis(bindings.key_down, GetPadY(kPadPort), 1.0f, PAD_DOWN);
  input_flags.hit_action = HitKeyOrButton(bindings.key_action, 2, PAD_ACTION);
  input_flags.hit_draw_weapon = HitKeyOrButton(bindings.key_draw_weapon, 4, PAD_DRAW_WEAPON);
  input_flags.held_jump = HeldKeyOrButton(bindings.key_jump, 1, PAD_JUMP);
  input_flags.held_right = HeldKeyOrAxis(bindings.key_right, GetPadX(kPadPort), 1.0f, PAD_RIGHT);
  input_flags.held_left = HeldKeyOrAxis(bindings.key_left, GetPadX(kPadPort), -1.0f, PAD_LEFT);
  input_flags.held_up = HeldKeyOrAxis(bindings.key_up, GetPadY(kPadPort), -1.0f, PAD_UP);
  input_flags.held_down = HeldKeyOrAxis(bindings.key_down, GetPadY(kPadPort), 1.0f, PAD_DOWN);
  input_flags.held_action = HeldKeyOrButton(bindings.key_action, 2, PAD_ACTION);
  input_flags.held_look = HeldKeyOrButton(bindings.key_look, 5, PAD_LOOK);
}

}  // namespace vn
