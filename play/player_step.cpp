#include <algorithm>
#include <iterator>

#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/key_codes.h"
#include "engine/numbers.h"
#include "engine/text.h"
#include "play/assets.h"
#include "play/bindings.h"
#include "play/enemies.h"
#include "play/fight_effects.h"
#include "play/hints.h"

#include "play/hud.h"
#include "play/input_flags.h"
#include "play/key_caps.h"
#include "play/item_names.h"
#include "play/movement.h"
#include "play/notice.h"
#include "play/pictogram_help.h"
#include "play/play_loop.h"
#include "play/push_vehicle.h"
#include "play/save_load.h"
#include "play/tables.h"
#include "world/actions.h"
#include "world/inventory.h"
#include "world/map.h"
#include "world/tiles.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr float kWalkAccel = 0.15f;
constexpr float kWalkSpeedMax = 4.0f;
constexpr float kWaterSpeedMax = 2.0f;
constexpr float kFriction = 0.33f;
constexpr float kLedgeClimb = 3.2f;
constexpr int32_t kLadderStep = 2;
constexpr size_t kSwitchSound = 1;      // effect sounds: a clunk for switches and locks,
constexpr size_t kPickUpSound = 2;      // a chime for pick-ups
constexpr int32_t kPickUpNoticeMs = 1500;
constexpr int32_t kPickUpUseNoticeMs = 4000;   // long enough to read how the thing is used

// What the player's step wants shown over the finished scene this frame.
struct PendingOverlay {
  int32_t sign = 0;              // sign text number, 0 none
  bool bars = false;
  int32_t power = 0, breath = 0;
  bool in_water = false;
  bool crosshair = false;
  float crosshair_x = 0, crosshair_y = 0;
  bool usable = false;           // the player stands on something the action key uses
  float usable_x = 0, usable_y = 0;   // screen point: the thing's cell, top centre
  int usable_side = 0;           // the figure only overlaps the cell: the way to it, -1 left, +1 right
  const char* usable_verb = "";  // what the key does there, over its cap
  std::string ammunition;        // the chosen gun's count, empty for the pistol
  bool out_of_ammunition = false;
};
PendingOverlay overlay;

// The last sign the figure stood on, and until when its text stays.
struct LastSign {
  int32_t text = 0;
  int32_t until_ms = 0;
};
LastSign last_sign;
constexpr int32_t kSignLingerMs = 2500;


// Adds to a bag count without wrapping past the 16-bit field.
void AddToSlot(int slot, int32_t amount) {
  const int32_t total = int32_t(progress.inventory[slot][1]) + amount;
  progress.inventory[slot][1] = static_cast<uint16_t>(std::clamp(total, 0, 65535));
  progress.inventory[slot][0] = 1;
}

void WalkAndJump(Tplayer& ch, const TileProbes& p) {
  if (input_flags.held_right && p.wall_right == 0 && ch.mode < kPoseNoWalkFrom) {
    if (ch.speed < ch.speed_max) ch.speed += kWalkAccel;
    if (ch.speed > ch.speed_max) ch.speed = ch.speed_max;
    ch.mode = kPoseWalkRight;
    ch.anim = -1;
    ch.speed_max = kWalkSpeedMax;
  }
  if (input_flags.held_left && p.wall_left == 0 && ch.mode < kPoseNoWalkFrom) {
    if (ch.speed > -ch.speed_max) ch.speed -= kWalkAccel;
    if (ch.speed < -ch.speed_max) ch.speed = -ch.speed_max;
    ch.mode = kPoseWalkLeft;
    ch.anim = 1;
    ch.speed_max = kWalkSpeedMax;
  }
  // No jumping off the bottom of water; a slide always lets one jump.
  const bool firm_ground = p.ground > 0 && !IsWater(p.here_fg);
  if (input_flags.held_jump && (firm_ground || IsSlide(p.here_obj))) {
    ch.jump = 1;
    ch.tempy = kJumpSpeed;
  }
}

void Friction(Tplayer& ch) {
  if (ch.speed > 0.5f) ch.speed -= kFriction;
  if (ch.speed < -0.5f) ch.speed += kFriction;
  if (ch.speed > -0.5f && ch.speed < 0.5f) ch.speed = 0;
  if (!push_vehicle.pushing) ch.anim = 0;
}

void WaterAndBreath(Tplayer& ch, const TileProbes& p) {
  if (!IsWater(p.here_fg)) {
    if (ch.breath < 100) ch.breath += 1;
    return;
  }
  if (ch.mode == kPoseWalkRight || ch.mode == kPoseWalkLeft) ch.mode = static_cast<uint8_t>(ch.mode + kPoseSwimOffset);
  ch.gun_active = 0;
  ch.speed_max = kWaterSpeedMax;
  if (ch.breath_timer < run.now_ms) {
    ch.breath_timer = run.now_ms + 100;
    if (ch.breath > 0) ch.breath -= 1;
  }
  // Swimming up stops at the surface: the cell above must still be water.
  if (input_flags.held_up && TileAtPixel(ch.x + 16, ch.y - 1, 2) != 0 && p.ceiling == 0) ch.y -= 1;
  if (input_flags.held_down) ch.y += 1;
}

void Ladder(Tplayer& ch, const TileProbes& p) {
  if (!IsLadder(p.here_obj) && !IsLadder(TileAtPixel(ch.x + 16, ch.y + 30, 1))) return;
  ch.jump = 0;
  if (ch.tempy > 3.5f) PlayGameSound(play_assets.landing_sound, 0.1f);
  ch.tempy = 0;
  ch.mode = kPoseLadder;
  if (input_flags.held_up && p.ceiling == 0) {
    ch.y -= kLadderStep;
    ch.anim = 1;
  }
  if (input_flags.held_down && p.ground == 0) {
    ch.y += kLadderStep;
    ch.anim = -1;
  }
}

// Hanging at a wall whose upper cell is free; the direction key pulls the
// figure up over the edge. dir is -1 for a ledge on the left, +1 on the right.
void Ledge(Tplayer& ch, const TileProbes& p, int dir) {
  const uint16_t wall = dir < 0 ? p.wall_left : p.wall_right;
  const int32_t above_x = dir < 0 ? ch.x - 16 : ch.x + 48;
  if (!IsGraspableWall(wall) || IsLadder(p.here_obj) || p.ceiling != 0 || push_vehicle.pushing) return;
  if (TileAtPixel(above_x, ch.y - 16, 0) != 0) return;
  ch.mode = dir < 0 ? kPoseLedgeLeft : kPoseLedgeRight;
  if (ch.tempy > 0) {
    if (ch.tempy > 8.5f) PlayGameSound(play_assets.landing_sound, 0.2f);
    ch.tempy = 0;
    ch.jump = 0;
  }
  if (dir < 0 ? input_flags.held_left : input_flags.held_right) {
    ch.anim = dir;
    // The walking phase (0..11) is taken as degrees here, so the climb is ~3 px.
    ch.x = Trunc(double(ch.x) + dir * CosDeg(ch.frame) * double(kLedgeClimb));
    ch.tempy = -kLedgeClimb;
  }
}

void Ceiling(Tplayer& ch, const TileProbes& p) {
  if (p.ceiling == 0 || p.ground != 0) return;
  ch.jump = 0;
  ch.tempy = 0;
  ch.y = SnapToCell(ch.y + 16);
  ch.mode = kPoseCeiling;
  ch.speed_max = kWaterSpeedMax;
}

void ActionHeld(Tplayer& ch, const TileProbes& p) {
  if (!input_flags.held_action) {
    if (ch.mode == kPoseLedgeRight || ch.mode == kPoseCeiling) ch.mode = kPoseWalkRight;
    if (ch.mode == kPoseLedgeLeft) ch.mode = kPoseWalkLeft;
    return;
  }
  if (ch.gun_active) {
    if (ch.shot_timer < run.now_ms) PlayerFire(ch);
    return;
  }
  StartPush(ch, p);
  Ladder(ch, p);
  Ledge(ch, p, -1);
  Ledge(ch, p, +1);
  Ceiling(ch, p);
}

// A potion is not drunk and a new gun not taken in hand when picked up, and
// nothing else on screen says so: their notice says how they are used.
void ShowPickUpNotice(uint16_t obj, uint8_t gun_in_hand) {
  const int slot = obj - kFirstItemTile;
  const std::string bag = " im Inventar (" + CapToken(PromptKey::kInventory) + ") mit " + CapToken(PromptKey::kBagUse);
  if (slot == kHealthSlot) {
    ShowNotice("Heiltrank eingesteckt: bei Bedarf" + bag + " trinken", kPickUpUseNoticeMs);
  } else if (slot > kFirstGunSlot && slot < kInventorySlots && progress.inventory[size_t(slot)][0] == 0 &&
             slot != kFirstGunSlot + gun_in_hand) {
    ShowNotice(SlotName(slot) + " eingesteckt:" + bag + " in die Hand nehmen", kPickUpUseNoticeMs);
  } else {
    ShowNotice(PickUpName(obj), kPickUpNoticeMs);
  }
}

void PickUp(uint16_t obj, const TileProbes& p, uint8_t gun_in_hand) {
  ShowPickUpNotice(obj, gun_in_hand);
  PlayGameSound(play_assets.effect_sounds[kPickUpSound]);
  SetTile(p.col, p.row, 1, 0);
  RecordMapChange(p.col, p.row, 1, 0);
  const int slot = obj - kFirstItemTile;
  if (obj == kCoinTile) {
    AddToSlot(kCoinSlot, GetCode(p.col, p.row));
  } else if (obj >= kFirstAmmunitionTile) {
    AddToSlot(slot, tables.ammo_per_pickup[obj - kFirstAmmunitionTile]);
  } else {
    AddToSlot(slot, 1);
  }
}

void ActionPressed(const Tplayer& ch, const TileProbes& p) {
  if (!input_flags.hit_action) return;
  const uint16_t obj = p.here_obj;
  const uint8_t code = GetCode(p.col, p.row);
  if (IsSwitch(obj)) {
    PlayGameSound(play_assets.effect_sounds[kSwitchSound]);
    TriggerAction(code);
  } else if (IsLock(obj)) {
    // A held mark with no keys left (possible in a damaged save) opens nothing
    // instead of wrapping the count round to 65535 keys.
    if (progress.inventory[kKeySlot][0] == 0 || progress.inventory[kKeySlot][1] == 0) return;
    progress.inventory[kKeySlot][1] -= 1;
    if (progress.inventory[kKeySlot][1] == 0) progress.inventory[kKeySlot][0] = 0;
    PlayGameSound(play_assets.effect_sounds[kSwitchSound]);
    TriggerAction(code);
  } else if (IsItem(obj)) {
    PickUp(obj, p, ch.gun);
  }
}

// An automatic cell fires once; the zeroed code is noted in autoswitch_list
// rather than change_list so that a loaded game replays it the same way.
void AutomaticCell(const TileProbes& p) {
  const uint8_t code = GetCode(p.col, p.row);
  if (!IsAutomaticCode(code) || p.ground == 0) return;
  TriggerAction(code);
  SetCode(p.col, p.row, 0);
  auto done = std::make_shared<Tautoswitch_done>();
  done->x = uint16_t(p.col);
  done->y = uint16_t(p.row);
  progress.autoswitch_list.AddLast(done);
}

void Aim(Tplayer& ch) {
  run.aim_target = FindVisibleEnemy(ch.x, ch.y, uint16_t(screen.screen_width / 2), uint16_t(screen.screen_height / 2));
  if (!run.aim_target) {
    if (ch.mode == kPoseWalkRight) ch.gunangle = 0;
    if (ch.mode == kPoseWalkLeft) ch.gunangle = 180;
    return;
  }
  const Tplayer& t = *run.aim_target;
  const double angle = FloatMod(Atan2Deg(ch.y - t.y, ch.x - t.x) + 180, 360);
  ch.gunangle = static_cast<uint16_t>(Trunc(angle));
  overlay.crosshair = true;
  HintAimTarget();
  overlay.crosshair_x = float(ScreenX(t.x) + 16);
  overlay.crosshair_y = float(ScreenY(t.y) - 5);
}

}  // namespace

void PlayGameSound(const SoundRef& sound, float factor) {
  ChannelRef channel = Play(sound);
  if (channel) channel->SetVolume(bindings.sound_volume * factor);
}

void PlayerFire(Tplayer& ch) {
  if (ch.gun >= tables.gun_delay.size()) return;
  const int ammo_slot = ch.gun + kFirstGunSlot;
  if (ch.gun > 0 && progress.inventory[ammo_slot][1] == 0) return;  // empty: no shot, no sound, no delay
  // The muzzle lies 32 px from the centre in the aiming direction.
  const float mx = float(ch.x + 16 + CosDeg(ch.gunangle) * 32);
  const float my = float(ch.y + 16 + SinDeg(ch.gunangle) * 32);
  shot_create(mx, my, 0, float(ch.gunangle), ch.gun);
  ch.shot_timer = run.now_ms + tables.gun_delay[ch.gun];
  PlayGameSound(play_assets.gun_sounds[ch.gun]);
  NoteMuzzleFlash(mx, my, float(ch.gunangle));
  if (ch.gun > 0) progress.inventory[ammo_slot][1] -= 1;
}

void PlayerStep(const PlayerRef& ref, const TileProbes& p, int32_t sx, int32_t sy) {
  Tplayer& ch = *ref;
  // F1 is taken every step so that a press in mid-air is not kept for later.
  if (TakeKeyHits(kKeyF1) > 0 || TakePadActionHits(PAD_SAVE) > 0) {
    // A save does not hold the tiles still falling or toppling: saved then, a
    // toppling column would be lost for good, and with it a bridge the way needs.
    const bool world_at_rest = world.map_effect_list.Count() == 0;
    if (!push_vehicle.pushing && run.level_index > 0 && ch.jump == 0 && world_at_rest) SaveGame(run.level_index);
    else HintSaveRefused(run.level_index == 0);
  }

  // A sign is read from beside its post too (players walk up to a sign, not
  // onto it), and its text stays a moment after the figure has passed it, so
  // a player walking by at full speed still gets to read it.
  for (const int32_t dc : {0, -1, 1}) {
    if (GetTile(p.col + dc, p.row, 1) != kSignTile) continue;
    last_sign = {GetCode(p.col + dc, p.row), run.now_ms + kSignLingerMs};
    break;
  }
  if (last_sign.text != 0 && run.now_ms <= last_sign.until_ms) overlay.sign = last_sign.text;
  // The action key works on an item, switch or lock only from its very cell:
  // a cap over the thing says the figure stands right.
  // A faint cap while the figure only overlaps the thing's cell or stands beside
  // it says "a bit further".
  int32_t usable_col = -1;
  if (IsActionTarget(p.here_obj)) {
    usable_col = p.col;
  } else if (const int side = ActionTargetSide(ch, p); side != 0) {
    usable_col = p.col + side;
    overlay.usable_side = side;
  }
  if (usable_col >= 0) {
    overlay.usable = true;
    // Said in a word: with the gun drawn players feared the key would fire.
    const uint16_t thing = GetTile(usable_col, p.row, 1);
    overlay.usable_verb = IsItem(thing) ? "aufheben" : IsSwitch(thing) ? "schalten" : "aufschließen";
    overlay.usable_x = float(ScreenX(usable_col * kTileSize) + kTileSize / 2);
    overlay.usable_y = float(ScreenY(p.row * kTileSize));
  }
  HintsBeforePlayerStep(ch, p);

  run.player_x = ch.x;
  run.player_y = ch.y;

  if (ch.gun_active == 0) {
    if (ch.mode == kPoseWalkRight || ch.mode == kPoseVehicleRight) ch.gunangle = 0;
    if (ch.mode == kPoseWalkLeft || ch.mode == kPoseVehicleLeft) ch.gunangle = 180;
  }

  if (!input_flags.held_look && !push_vehicle.pushing) WalkAndJump(ch, p);
  if ((!input_flags.held_left && !input_flags.held_right) || input_flags.held_look) Friction(ch);

  WaterAndBreath(ch, p);

  ActionHeld(ch, p);
  ActionPressed(ch, p);
  AutomaticCell(p);

  EnterOrLeaveVehicle(ch, p);

  LookOrRestoreCamera(sx, sy);

  if (input_flags.hit_draw_weapon) ch.gun_active = static_cast<uint8_t>(1 - ch.gun_active);

  if (!input_flags.held_look) FollowCamera(sx, sy, ch.speed);

  if (ch.gun_active == 1) Aim(ch);

  HintsAfterPlayerStep(ch, p);
  ExplainPictogramNearby(p);

  overlay.bars = true;
  overlay.power = ch.power;
  overlay.breath = ch.breath;
  overlay.in_water = IsWater(p.here_fg);
  if (ch.gun > 0 && ch.gun < 10) {
    const uint16_t count = progress.inventory[size_t(ch.gun) + kFirstGunSlot][1];
    overlay.ammunition = AmmunitionText(int32_t(ch.gun) + kFirstGunSlot, count);
    overlay.out_of_ammunition = count == 0;
  }
}

// A word on a dark band, centred over the cap whose top is at cap_y.
void DrawUsableVerb(const std::string& verb, float centre_x, float cap_y) {
  const float w = float(MeasureTextWidth(verb)), h = float(FontLineHeight());
  const float x = centre_x - w / 2, y = cap_y - h - 3;
  const float alpha = GetDrawState().color_alpha;
  SetColor(20, 18, 16);
  SetAlpha(alpha * 0.7f);
  DrawRect(x - 3, y - 1, w + 6, h + 2);
  SetAlpha(alpha);
  SetColor(250, 244, 220);
  DrawTextAt(verb, x, y);
  SetColor(255, 255, 255);
}

void DrawPlayerOverlay() {
  // A screen shake is meant for the scene of the next frame, not for the help.
  const TDrawState saved = GetDrawState();
  SetDrawOrigin(0, 0);
  if (overlay.sign != 0) DrawSignBox(overlay.sign);
  if (overlay.bars) DrawBars(overlay.power, overlay.breath, BreathBarShown(overlay.breath, overlay.in_water));
  if (overlay.bars) DrawAmmunition(overlay.ammunition, overlay.out_of_ammunition);
  if (overlay.usable) {
    const KeyCapFace face = KeyCapFaceOf(PromptKey::kAction);
    const float cap_x = overlay.usable_x - float(KeyCapWidth(face)) / 2;
    const float cap_y = overlay.usable_y - float(KeyCapHeight()) - 4;
    if (overlay.usable_side != 0) {
      // Not yet in reach: the faint cap, and on the figure's side the way to go.
      const KeyCapFace way = KeyCapFaceOf(overlay.usable_side > 0 ? PromptKey::kRight : PromptKey::kLeft);
      const float way_x = overlay.usable_side > 0 ? cap_x - float(KeyCapWidth(way)) - 3 : cap_x + float(KeyCapWidth(face)) + 3;
      DrawKeyCap(way, way_x, cap_y);
      SetAlpha(0.4f);
    }
    DrawKeyCap(face, cap_x, cap_y);
    DrawUsableVerb(overlay.usable_verb, overlay.usable_x, cap_y);
    SetAlpha(1);
  }
  if (overlay.crosshair) DrawImageFrame(play_assets.crosshair_image, overlay.crosshair_x, overlay.crosshair_y, 0);
  SetDrawOrigin(saved.origin_x, saved.origin_y);
  overlay = PendingOverlay{};
}

void ClearPlayerOverlay() {
  overlay = PendingOverlay{};
  last_sign = LastSign{};
}

}  // namespace vn
