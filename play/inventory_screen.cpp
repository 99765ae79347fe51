// The bag screen: its own frame loop over the bag picture.
#include "play/inventory_screen.h"

#include <algorithm>
#include <string>

#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/key_codes.h"
#include "engine/text.h"
#include "play/assets.h"
#include "play/entities.h"
#include "play/play_loop.h"
#include "world/inventory.h"
#include "world/map.h"
#include "world/tiles.h"
#include "world/world.h"

namespace vn {

namespace {

constexpr int kKeyUse = kKeyLeftControl;
constexpr float kFullScale = 12;

// State of one opening of the screen.
struct InventoryScreenState {
  float scale = kFullScale;
  uint8_t phase = 1;         // 1 shows the current slot, 0 shrinks the previous one
  uint8_t animating = 0;
  uint8_t previous_slot = 0;
  PlayerRef player;          // null when there is none: the use key then does nothing
};
InventoryScreenState bag_view;

bool Held(int32_t slot) { return progress.inventory[static_cast<size_t>(slot)][0] != 0; }
uint16_t& Count(int32_t slot) { return progress.inventory[static_cast<size_t>(slot)][1]; }

// Pages to the next held slot in direction step (+1 or -1). With nothing else
// held (not even the slot shown, after a whole round) the view falls back to slot 0.
void Page(int32_t step) {
  bag_view.animating = 1;
  bag_view.phase = 0;
  bag_view.previous_slot = uint8_t(run.inventory_slot);
  int steps = 0;
  do {
    run.inventory_slot = (run.inventory_slot + step + kInventorySlots) % kInventorySlots;
    ++steps;
  } while (!Held(run.inventory_slot) && steps < kInventorySlots);
  if (steps == kInventorySlots) run.inventory_slot = 0;
}

// 22 frames shrink the old picture from 11.5 to 1.0, then 23 frames grow the new
// one from 1.0 to 12: both steps run in the frame that turns the phase.
void Animate() {
  if (bag_view.phase == 0) {
    bag_view.scale -= 0.5f;
    if (!(bag_view.scale > 0.5f)) {
      bag_view.phase = 1;
      bag_view.scale = 0.5f;
    }
    SetDrawScale(bag_view.scale, bag_view.scale);
  }
  if (bag_view.phase == 1) {
    bag_view.scale += 0.5f;
    if (!(bag_view.scale < kFullScale)) {
      bag_view.scale = kFullScale;
      bag_view.animating = 0;
    }
    SetDrawScale(bag_view.scale, bag_view.scale);
  }
}

void DrawSlot() {
  const int32_t slot = bag_view.phase == 0 ? bag_view.previous_slot : run.inventory_slot;
  const float top = float(screen.screen_height / 2) - 16 * bag_view.scale;
  DrawImageFrame(world_assets.tile_images[static_cast<size_t>(kFirstItemTile + slot)][1], float(screen.screen_width / 2) - 16 * bag_view.scale,
                 top, 0);

  if (bag_view.phase != 1 || Count(run.inventory_slot) == 0) return;
  const std::string text = std::to_string(Count(run.inventory_slot));
  SetColor(0, 0, 0);
  DrawTextAt(text, float(screen.screen_width / 2 - MeasureTextWidth(text) / 2), top);
  SetColor(255, 255, 255);
}

void UseHealth() {
  if (Count(kHealthSlot) == 0) return;
  bag_view.player->power = std::min(bag_view.player->power + 50, 100);
  if (--Count(kHealthSlot) == 0) progress.inventory[kHealthSlot][0] = 0;
}

// True when the gun was taken in hand (the screen then closes).
bool TakeGun(int32_t slot) {
  if (Count(slot) == 0 && slot != kFirstGunSlot) return false;   // gun 0 needs no ammunition
  // The gun in hand goes back into the bag; a gun kind beyond the bag's ten gun
  // slots (possible from a damaged level) has no slot to go to.
  const int32_t hand_slot = kFirstGunSlot + bag_view.player->gun;
  if (hand_slot < kInventorySlots) progress.inventory[static_cast<size_t>(hand_slot)][0] = 1;
  bag_view.player->gun = uint8_t(slot - kFirstGunSlot);
  progress.inventory[static_cast<size_t>(slot)][0] = 0;
  return true;
}

// True when the use closes the bag_view.
bool UseSlot() {
  const bool use = TakeKeyHits(kKeyUse) != 0 || TakePadActionHits(PAD_USE) != 0;
  if (!use || run.inventory_slot <= 0 || !bag_view.player) return false;
  if (run.inventory_slot == kHealthSlot) UseHealth();
  else if (run.inventory_slot >= kFirstGunSlot) return TakeGun(run.inventory_slot);
  return false;
}

bool CloseKeyPressed() {
  // The first key found ends the test; the others keep their presses.
  return TakeKeyHits(kKeyEscape) > 0 || TakeKeyHits(kKeySpace) > 0 || TakeKeyHits(kKeyI) > 0 ||
         TakePadActionHits(PAD_CLOSE_BAG) > 0;
}

}  // namespace

void BeginInventoryScreen() {
  bag_view = InventoryScreenState{};
  if (run.inventory_slot < 0 || run.inventory_slot >= kInventorySlots) run.inventory_slot = 0;
  bag_view.player = FindPlayer();
}

bool InventoryFrame() {
  Cls();
  SetDrawScale(float(screen.screen_width) / 300, float(screen.screen_height) / 169);   // the bag is designed 300 x 169
  DrawImageFrame(play_assets.bag_image, 0, 0, 0);
  SetColor(255, 255, 255);

  if (!bag_view.animating) {
    SetDrawScale(kFullScale, kFullScale);
    // Left pages forward and right backward; both may act in one frame.
    if (IsKeyDown(kKeyLeft) || IsPadActionDown(PAD_LEFT)) Page(+1);
    if (IsKeyDown(kKeyRight) || IsPadActionDown(PAD_RIGHT)) Page(-1);
  }
  if (bag_view.animating) Animate();

  DrawSlot();
  if (UseSlot()) return false;   // closes without presenting this frame

  FrameDrawn();
  Flip(0);
  if (frame_timer) frame_timer->Wait();
  return !CloseKeyPressed();
}

}  // namespace vn
