#include <algorithm>

#include "app/settings.h"
#include "engine/gamepad.h"
#include "engine/input.h"
#include "play/play_loop.h"

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
  hit_jump = HitKeyOrButton(key_jump, 1, PAD_JUMP);
  hit_right = HitKeyOrAxis(key_right, GetPadX(kPadPort), 1.0f, PAD_RIGHT);
  hit_left = HitKeyOrAxis(key_left, GetPadX(kPadPort), -1.0f, PAD_LEFT);
  hit_up = HitKeyOrAxis(key_up, GetPadY(kPadPort), -1.0f, PAD_UP);
  hit_down = HitKeyOrAxis(key_down, GetPadY(kPadPort), 1.0f, PAD_DOWN);
  hit_action = HitKeyOrButton(key_action, 2, PAD_ACTION);
  hit_draw_weapon = HitKeyOrButton(key_draw_weapon, 4, PAD_DRAW_WEAPON);
  held_jump = HeldKeyOrButton(key_jump, 1, PAD_JUMP);
  held_right = HeldKeyOrAxis(key_right, GetPadX(kPadPort), 1.0f, PAD_RIGHT);
  held_left = HeldKeyOrAxis(key_left, GetPadX(kPadPort), -1.0f, PAD_LEFT);
  held_up = HeldKeyOrAxis(key_up, GetPadY(kPadPort), -1.0f, PAD_UP);
  held_down = HeldKeyOrAxis(key_down, GetPadY(kPadPort), 1.0f, PAD_DOWN);
  held_action = HeldKeyOrButton(key_action, 2, PAD_ACTION);
  held_look = HeldKeyOrButton(key_look, 5, PAD_LOOK);
}

}  // namespace vn
