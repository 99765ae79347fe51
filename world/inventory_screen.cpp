#include <algorithm>
#include <string>

#include "app/resources.h"
#include "app/title_menu.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/text.h"
#include "play/entities.h"
#include "world/inventory.h"

namespace vn {

namespace {

constexpr int kKeyLeft = 37, kKeyRight = 39, kKeyUse = 162;
constexpr int kKeyEscape = 27, kKeySpace = 32, kKeyI = 73;
constexpr int kFirstGunSlot = 20;
constexpr float kFullScale = 12;

// State of one opening of the screen.
struct InventoryScreenState {
  float scale = kFullScale;
  uint8_t phase = 1;         // 1 shows the current slot, 0 shrinks the previous one
  uint8_t animating = 0;
  uint8_t previous_slot = 0;
  PlayerRef player;          // null when there is none: the use key then does nothing
};
InventoryScreenState screen;

bool Held(int32_t slot) { return inventory[static_cast<size_t>(slot)][0] != 0; }
uint16_t& Count(int32_t slot) { return inventory[static_cast<size_t>(slot)][1]; }

// Pages to the next held slot in direction step (+1 or -1). With nothing else
// held (not even the slot shown, after a whole round) the view falls back to slot 0.
void Page(int32_t step) {
  screen.animating = 1;
  screen.phase = 0;
  screen.previous_slot = uint8_t(inventory_slot);
  int steps = 0;
  do {
    inventory_slot = (inventory_slot + step + kInventorySlots) % kInventorySlots;
    ++steps;
  } while (!Held(inventory_slot) && steps < kInventorySlots);
  if (steps == kInventorySlots) inventory_slot = 0;
}

// 22 frames shrink the old picture from 11.5 to 1.0, then 23 frames grow the new
// one from 1.0 to 12: both steps run in the frame that turns the phase.
void Animate() {
  if (screen.phase == 0) {
    screen.scale -= 0.5f;
    if (!(screen.scale > 0.5f)) {
      screen.phase = 1;
      screen.scale = 0.5f;
    }
    SetDrawScale(screen.scale, screen.scale);
  }
  if (screen.phase == 1) {
    screen.scale += 0.5f;
    if (!(screen.scale < kFullScale)) {
      screen.scale = kFullScale;
      screen.animating = 0;
    }
    SetDrawScale(screen.scale, screen.scale);
  }
}

void DrawSlot() {
  const int32_t slot = screen.phase == 0 ? screen.previous_slot : inventory_slot;
  const float top = float(screen_height / 2) - 16 * screen.scale;
  DrawImageFrame(tile_images[static_cast<size_t>(230 + slot)][1], float(screen_width / 2) - 16 * screen.scale,
                 top, 0);

  if (screen.phase != 1 || Count(inventory_slot) == 0) return;
  const std::string text = std::to_string(Count(inventory_slot));
  SetColor(0, 0, 0);
  DrawTextAt(text, float(screen_width / 2 - MeasureTextWidth(text) / 2), top);
  SetColor(255, 255, 255);
}

void UseHealth() {
  if (Count(1) == 0) return;
  screen.player->power = std::min(screen.player->power + 50, 100);
  if (--Count(1) == 0) inventory[1][0] = 0;
}

// True when the gun was taken in hand (the screen then closes).
bool TakeGun(int32_t slot) {
  if (Count(slot) == 0 && slot != kFirstGunSlot) return false;   // gun 0 needs no ammunition
  // The gun in hand goes back into the bag; a gun kind beyond the bag's ten gun
  // slots (possible from a damaged level) has no slot to go to.
  const int32_t hand_slot = kFirstGunSlot + screen.player->gun;
  if (hand_slot < kInventorySlots) inventory[static_cast<size_t>(hand_slot)][0] = 1;
  screen.player->gun = uint8_t(slot - kFirstGunSlot);
  inventory[static_cast<size_t>(slot)][0] = 0;
  return true;
}

// True when the use closes the screen.
bool UseSlot() {
  const bool use = TakeKeyHits(kKeyUse) != 0 || TakePadActionHits(PAD_USE) != 0;
  if (!use || inventory_slot <= 0 || !screen.player) return false;
  if (inventory_slot == 1) UseHealth();
  else if (inventory_slot >= kFirstGunSlot) return TakeGun(inventory_slot);
  return false;
}

bool CloseKeyPressed() {
  // The first key found ends the test; the others keep their presses.
  return TakeKeyHits(kKeyEscape) > 0 || TakeKeyHits(kKeySpace) > 0 || TakeKeyHits(kKeyI) > 0 ||
         TakePadActionHits(PAD_CLOSE_BAG) > 0;
}

}  // namespace

void ClearInventory() {
  for (auto& slot : inventory) slot = {0, 0};
}

void BeginInventoryScreen() {
  screen = InventoryScreenState{};
  if (inventory_slot < 0 || inventory_slot >= kInventorySlots) inventory_slot = 0;
  character_list.ForEach([](const PlayerRef& ch) {
    if (ch->typ != 0) return true;
    screen.player = ch;
    return false;
  });
}

bool InventoryFrame() {
  Cls();
  SetDrawScale(float(screen_width) / 300, float(screen_height) / 169);   // the bag is designed 300 x 169
  DrawImageFrame(bag_image, 0, 0, 0);
  SetColor(255, 255, 255);

  if (!screen.animating) {
    SetDrawScale(kFullScale, kFullScale);
    // Left pages forward and right backward; both may act in one frame.
    if (IsKeyDown(kKeyLeft) || IsPadActionDown(PAD_LEFT)) Page(+1);
    if (IsKeyDown(kKeyRight) || IsPadActionDown(PAD_RIGHT)) Page(-1);
  }
  if (screen.animating) Animate();

  DrawSlot();
  if (UseSlot()) return false;   // closes without presenting this frame

  ScreenshotKeyStep();
  Flip(0);
  if (frame_timer) frame_timer->Wait();
  return !CloseKeyPressed();
}

}  // namespace vn
