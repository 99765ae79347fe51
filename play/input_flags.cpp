#include <algorithm>

#include "app/settings.h"
#include "engine/input.h"
#include "play/play_loop.h"

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
  hit_jump = HitKeyOrButton(key_jump, 1);
  hit_right = HitKeyOrAxis(key_right, GetPadX(kPadPort), 1.0f);
  hit_left = HitKeyOrAxis(key_left, GetPadX(kPadPort), -1.0f);
  hit_up = HitKeyOrAxis(key_up, GetPadY(kPadPort), -1.0f);
  hit_down = HitKeyOrAxis(key_down, GetPadY(kPadPort), 1.0f);
  hit_action = HitKeyOrButton(key_action, 2);
  hit_draw_weapon = HitKeyOrButton(key_draw_weapon, 4);
  held_jump = HeldKeyOrButton(key_jump, 1);
  held_right = HeldKeyOrAxis(key_right, GetPadX(kPadPort), 1.0f);
  held_left = HeldKeyOrAxis(key_left, GetPadX(kPadPort), -1.0f);
  held_up = HeldKeyOrAxis(key_up, GetPadY(kPadPort), -1.0f);
  held_down = HeldKeyOrAxis(key_down, GetPadY(kPadPort), 1.0f);
  held_action = HeldKeyOrButton(key_action, 2);
  held_look = HeldKeyOrButton(key_look, 5);
}

}  // namespace vn
