// The bag screen: its own frame loop over the bag picture.
#include "play/inventory_screen.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/key_codes.h"
#include "engine/text.h"
#include "play/assets.h"
#include "play/entities.h"
#include "play/item_names.h"
#include "play/key_caps.h"
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

// A line of light text on a dark band, centred at y (pixels at scale 1).
void DrawBand(float y, float w, float h) {
  SetAlpha(0.7f);
  SetColor(20, 18, 16);
  DrawRect(float(screen.screen_width / 2) - w / 2, y, w, h);
  SetAlpha(1);
}

int MeasureOnceLabel(const char* label) {
  // The few fixed labels, measured once each.
  static std::vector<std::pair<const char*, int>> widths;
  for (const auto& [text, width] : widths)
    if (text == label) return width;
  widths.emplace_back(label, MeasureTextWidth(label));
  return widths.back().second;
}

int MeasureOnce(const std::string& text) {
  // Names and counts change only when the slot or its count does.
  static std::unordered_map<std::string, int> widths;
  auto found = widths.find(text);
  if (found == widths.end()) found = widths.emplace(text, MeasureTextWidth(text)).first;
  return found->second;
}

// The item's name above the picture, its count beside it.
// A line of text on a dark translucent box, left edge at x; nothing when empty.
void DrawLabel(const std::string& text, float x, float y) {
  if (text.empty()) return;
  SetAlpha(0.7f);
  SetColor(20, 18, 16);
  DrawRect(x - 8, y - 5, float(MeasureOnce(text) + 16), float(FontLineHeight() + 10));
  SetAlpha(1);
  SetColor(250, 244, 220);
  DrawTextAt(text, x, y);
}

void DrawNameAndCount(float picture_right) {
  const std::string name = SlotName(run.inventory_slot);
  const int32_t line = FontLineHeight();
  const int name_w = MeasureOnce(name);
  DrawBand(float(screen.screen_height / 12), float(name_w + 24), float(line + 10));
  SetColor(250, 244, 220);
  DrawTextAt(name, float(screen.screen_width / 2 - name_w / 2), float(screen.screen_height / 12 + 5));
  const float x = picture_right + 12;
  const float y = float(screen.screen_height / 2 - line / 2);
  DrawLabel(SlotCountText(run.inventory_slot, Count(run.inventory_slot)), x, y);
  // A potion's use shows nowhere else while the bag covers the bars.
  if (run.inventory_slot == kHealthSlot && bag_view.player)
    DrawLabel("Gesundheit " + std::to_string(std::max(bag_view.player->power, 0)) + " von 100", x, y + float(line + 16));
  SetColor(255, 255, 255);
}

bool Usable(int32_t slot) {
  return (slot == kHealthSlot && Count(slot) > 0) || (slot >= kFirstGunSlot && (Count(slot) > 0 || slot == kFirstGunSlot));
}

// The keys of the screen, as caps: page, use (where the slot shown can be
// used), close.
void DrawKeyHints(int32_t shown) {
  struct Part {
    PromptKey key;
    const char* label;   // after the cap; none between the two page caps
  };
  std::vector<Part> parts = {{PromptKey::kLeft, nullptr}, {PromptKey::kRight, "Blättern"}};
  if (Usable(shown) && bag_view.player) parts.push_back({PromptKey::kBagUse, "Benutzen"});
  parts.push_back({PromptKey::kBagClose, "Schließen"});
  std::vector<KeyCapFace> faces;
  // The arrows of the bag are the arrow keys whatever the walking keys are.
  for (const Part& part : parts) {
    KeyCapFace face = KeyCapFaceOf(part.key);
    if (!face.pad && (part.key == PromptKey::kLeft || part.key == PromptKey::kRight)) face = {"", part.key == PromptKey::kRight ? 0 : 1};
    faces.push_back(face);
  }
  int total = 0;
  for (size_t i = 0; i < parts.size(); ++i) total += KeyCapWidth(faces[i]) + 6 + (parts[i].label ? MeasureOnceLabel(parts[i].label) + 18 : 0);
  const int32_t h = std::max(KeyCapHeight(), FontLineHeight());
  const float top = float(screen.screen_height - screen.screen_height / 12 - h);
  DrawBand(top - 6, float(total + 16), float(h + 12));
  float x = float(screen.screen_width / 2 - total / 2);
  for (size_t i = 0; i < parts.size(); ++i) {
    x += float(DrawKeyCap(faces[i], x, top + float(h - KeyCapHeight()) / 2) + 6);
    if (!parts[i].label) continue;
    SetColor(250, 244, 220);
    DrawTextAt(parts[i].label, x, top + float(h - FontLineHeight()) / 2);
    x += float(MeasureOnceLabel(parts[i].label) + 18);
  }
  SetColor(255, 255, 255);
}

// Everything held as a small picture in paging order, the page shown lit, so
// the player sees what else the bag holds and which way to page for it. Left
// pages on to the next slot, so the slots run from right to left.
void DrawContents(int32_t shown, float y) {
  std::vector<int32_t> held;
  for (int32_t slot = 0; slot < kInventorySlots; ++slot)
    if (Held(slot)) held.push_back(slot);
  if (held.size() < 2) return;
  constexpr float kIcon = 24, kGap = 8;
  const float width = float(held.size()) * (kIcon + kGap) - kGap;
  DrawBand(y - 5, width + 16, kIcon + 10);
  SetColor(255, 255, 255);
  float x = float(screen.screen_width / 2) + width / 2 - kIcon;
  for (const int32_t slot : held) {
    if (slot == shown) {
      SetColor(250, 244, 220);
      DrawRect(x - 3, y - 3, kIcon + 6, kIcon + 6);
      SetColor(60, 52, 44);
      DrawRect(x - 1, y - 1, kIcon + 2, kIcon + 2);
      SetColor(255, 255, 255);
    }
    SetDrawScale(kIcon / 32, kIcon / 32);
    DrawImageFrame(world_assets.tile_images[static_cast<size_t>(kFirstItemTile + slot)][1], x, y, 0);
    SetDrawScale(1, 1);
    x -= kIcon + kGap;
  }
}

void DrawSlot() {
  const int32_t slot = bag_view.phase == 0 ? bag_view.previous_slot : run.inventory_slot;
  const float top = float(screen.screen_height / 2) - 16 * bag_view.scale;
  DrawImageFrame(world_assets.tile_images[static_cast<size_t>(kFirstItemTile + slot)][1], float(screen.screen_width / 2) - 16 * bag_view.scale,
                 top, 0);

  // Texts are drawn unscaled, so they stay crisp whatever the picture's scale.
  SetDrawScale(1, 1);
  if (bag_view.phase == 1) DrawNameAndCount(float(screen.screen_width / 2) + 16 * bag_view.scale);
  DrawContents(slot, float(screen.screen_height / 2) + 16 * kFullScale + 4);
  DrawKeyHints(slot);
  SetDrawScale(bag_view.scale, bag_view.scale);
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
  // The page last shown may hold nothing now (drunk, taken in hand, or undone
  // by a load): the bag opens on the money instead of an empty picture.
  if (run.inventory_slot < 0 || run.inventory_slot >= kInventorySlots || !Held(run.inventory_slot)) run.inventory_slot = 0;
  bag_view.player = FindPlayer();
  // Presses of the arrows made in play are not pages.
  TakeKeyHits(kKeyLeft);
  TakeKeyHits(kKeyRight);
  TakePadActionHits(PAD_LEFT);
  TakePadActionHits(PAD_RIGHT);
}

bool InventoryFrame() {
  Cls();
  SetDrawScale(float(screen.screen_width) / 300, float(screen.screen_height) / 169);   // the bag is designed 300 x 169
  DrawImageFrame(play_assets.bag_image, 0, 0, 0);
  SetColor(255, 255, 255);

  const bool turning = bag_view.animating;
  if (!bag_view.animating) {
    SetDrawScale(kFullScale, kFullScale);
    // Left pages forward and right backward; both may act in one frame. One
    // press pages once: holding on does not page again, and a press made
    // while a page turns waits for it.
    if (TakeKeyHits(kKeyLeft) + TakePadActionHits(PAD_LEFT) > 0) Page(+1);
    if (TakeKeyHits(kKeyRight) + TakePadActionHits(PAD_RIGHT) > 0) Page(-1);
  }
  if (bag_view.animating) Animate();

  DrawSlot();
  // A use pressed while a page turns waits until the page stands, so it acts
  // on the thing the player sees; and a page press made before it turns its
  // page first (the frame a turn ends takes no use: the waiting page press
  // goes next frame).
  if (!turning && !bag_view.animating && UseSlot()) return false;   // closes without presenting this frame

  FrameDrawn();
  Flip(0);
  if (frame_timer) frame_timer->Wait();
  return !CloseKeyPressed();
}

}  // namespace vn
