#include "play/hints.h"

#include <array>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "engine/paths.h"
#include "engine/stream.h"
#include "play/entities.h"
#include "play/input_flags.h"
#include "play/key_caps.h"
#include "play/notice.h"
#include "play/pictogram_help.h"
#include "play/play_loop.h"
#include "play/push_vehicle.h"
#include "world/actions.h"
#include "world/inventory.h"
#include "world/map.h"
#include "world/save_game.h"
#include "world/tiles.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr int32_t kHintMs = 4000;
constexpr int kPushWaitFrames = 20;     // holding on after a push before "press again"
constexpr int kDeathPromptDelay = 45;   // frames of debris before the prompt

struct HintState {
  std::array<int, size_t(Hint::kCount)> shown{};
  bool was_pushing = false;
  int push_dir = 0;              // direction of the last push that ended, 0 none
  int push_wait = 0;             // frames held against the block since then
  bool fire_watch = false;       // an action press with the gun drawn, not yet answered by a shot
  bool fire_held = false;        // the press was still held after its frame
  bool timer_was_busy = false;   // the gun was not ready when the press came
  int32_t shot_timer = 0;
  bool player_seen = false;      // the run had a player; the death prompt needs one that died
  int dead_frames = 0;
  bool death_prompt = false;
  int hidden_aim_frames = 0;     // action held with the gun drawn while every enemy near is hidden
  int ladder_reach_frames = 0;   // action and up held beside a ladder, no climb
  int stuck_block_frames = 0;    // action and a direction held against a block that cannot move
  bool has_boarded = false;      // the figure has been in a boat this run: it knows how to board
  int held_on_item_frames = 0;   // action held, never pressed afresh, on an item's, switch's or lock's cell
  int bank_frames = 0;           // action and a direction held against a bank below the surface
  int beside_thing_frames = 0;   // standing still half in an item's, switch's or lock's cell
  int gun_at_ladder_frames = 0;  // standing still at a ladder with the gun drawn
  int wall_frames = 0;           // walked against a low wall without getting up
  int hang_frames = 0;           // hanging at a ledge without pressing toward its wall
  bool lock_hint_up = false;     // a lock hint is on screen; the lock's opening takes it away
  std::string cover_hint;        // the hidden-enemy hint as shown, while a target in sight may take it away
  std::string gun_hint;          // the put-the-gun-away hint as shown, while holstering may take it away
  bool air_told = false;         // this dive has had its warning
};
HintState hints;

bool Show(Hint hint, const std::string& text, int most = kHintsPerRun) {
  int& count = hints.shown[size_t(hint)];
  if (count >= most) return false;
  ++count;
  ShowNotice(text, kHintMs);
  return true;
}

// A hint that becomes wrong when something happens: shown, it remembers its
// text, so that taking it back clears the notice only while it is still up.
void ShowTakingBack(std::string& shown, Hint hint, const std::string& text) {
  if (Show(hint, text)) shown = CurrentNotice();
}

void TakeBack(std::string& shown) {
  if (shown.empty()) return;
  if (CurrentNotice() == shown) ClearNotice();
  shown.clear();
}

// True when a cell within reach columns to either side, from rows_up above the
// figure's row down to it, passes the test.
template <class CellTest>
bool AnyCellNear(const TileProbes& p, int reach, int rows_up, CellTest test) {
  for (int dc = -reach; dc <= reach; ++dc)
    for (int dr = -rows_up; dr <= 0; ++dr)
      if (test(p.col + dc, p.row + dr)) return true;
  return false;
}

void ShowLockHint(Hint hint, const std::string& text) {
  if (Show(hint, text)) hints.lock_hint_up = true;
}

// "ein Stück nach [→]" toward side (-1 left, +1 right).
std::string FurtherTo(int side) {
  return "ein Stück nach " + CapToken(side > 0 ? PromptKey::kRight : PromptKey::kLeft);
}

// Counts the frames a try has been held; true once, when it reaches `needed`.
bool HeldFor(int& frames, bool holding, int needed) {
  frames = holding ? frames + 1 : 0;
  return frames == needed;
}

// The side of a boat up to two cells away (-1 left, +1 right, 0 straight
// above or below); nullopt when none is near.
std::optional<int> VehicleSide(const TileProbes& p) {
  for (int dc : {0, -1, 1, -2, 2})
    for (int dr = -1; dr <= 1; ++dr)
      if (IsVehicle(GetTile(p.col + dc, p.row + dr, 1))) return dc < 0 ? -1 : dc > 0 ? 1 : 0;
  return std::nullopt;
}

// A lock up to two cells to either side, at the player's height.
bool LockBeside(const TileProbes& p) {
  for (int dc : {-2, -1, 1, 2})
    if (IsLock(GetTile(p.col + dc, p.row, 1))) return true;
  return false;
}

bool HasKey() { return progress.inventory[kKeySlot][0] != 0 && progress.inventory[kKeySlot][1] != 0; }

// Advice to put the gun away is wrong once it is away.
void ClearGunHintOnceHolstered(const Tplayer& ch) {
  if (!ch.gun_active) TakeBack(hints.gun_hint);
}

void ShowGunHint() {
  ShowTakingBack(hints.gun_hint, Hint::kGunAtLadder, "Waffe wegstecken (" + CapToken(PromptKey::kDrawWeapon) + ") zum Klettern");
}

void ActionHints(const Tplayer& ch, const TileProbes& p) {
  const bool at_ladder = IsLadder(p.here_obj) || IsLadder(TileAtPixel(ch.x + 16, ch.y + 30, 1));
  // Up at a ladder is the climb a player tries first; with the gun drawn it does nothing.
  // Action and a direction against a one-block step climbs it, but with the gun drawn it fires.
  const bool step_right = input_flags.held_right && p.wall_right != 0 && TileAtPixel(ch.x + 48, ch.y - 16, 0) == 0;
  const bool step_left = input_flags.held_left && p.wall_left != 0 && TileAtPixel(ch.x - 16, ch.y - 16, 0) == 0;
  const bool at_step = input_flags.held_action && (step_right || step_left);
  const bool climb_tried = input_flags.hit_action || input_flags.hit_up || (input_flags.held_action && input_flags.held_up);
  if (ch.gun_active && ((at_ladder && climb_tried) || at_step)) ShowGunHint();
  // Down alone at or over a ladder does nothing; the climb needs the action key.
  const bool ladder_below = IsLadder(TileAtPixel(ch.x + 16, ch.y + kTileSize + 8, 1));
  if (!ch.gun_active && !input_flags.held_action && input_flags.hit_down && (at_ladder || ladder_below))
    Show(Hint::kLadderDown, "Hinunterklettern: " + CapToken(PromptKey::kAction) + " halten und " + CapToken(PromptKey::kDown));
  if (!input_flags.hit_action) return;
  // A tap on an item, switch or lock uses it even with the gun drawn.
  const bool at_thing = IsActionTarget(p.here_obj);
  if (const int side = ActionTargetSide(ch, p); side != 0) {
    Show(Hint::kNotInReach, "Noch " + FurtherTo(side) +
                                ": erst wenn die Taste hell ist, wirkt " + CapToken(PromptKey::kAction));
    return;
  }
  if (IsLock(p.here_obj) && HasKey() && hints.lock_hint_up) {
    // The lock opens with this press: advice about it would now be wrong.
    ClearNotice();
    hints.lock_hint_up = false;
  }
  if (IsLock(p.here_obj) && !HasKey()) ShowLockHint(Hint::kNoKey, "Dieses Schloss braucht einen Schlüssel");
  if (!IsLock(p.here_obj) && LockBeside(p)) {
    if (HasKey()) ShowLockHint(Hint::kLockNotTouched, "Ganz ins Schloss hineinlaufen, dann " + CapToken(PromptKey::kAction) + " drücken");
    else ShowLockHint(Hint::kNoKey, "Dieses Schloss braucht einen Schlüssel");
  }
  if (ch.gun_active && !at_ladder && !at_thing) {
    const int ammo_slot = ch.gun + kFirstGunSlot;
    if (ch.gun > 0 && ammo_slot < kInventorySlots && progress.inventory[size_t(ammo_slot)][1] == 0) {
      Show(Hint::kNoAmmunition, "Keine Munition: im Inventar (" + CapToken(PromptKey::kInventory) + ") eine andere Waffe nehmen");
    } else {
      hints.fire_watch = true;
      hints.fire_held = false;
      hints.shot_timer = ch.shot_timer;
      hints.timer_was_busy = ch.shot_timer >= run.now_ms;
    }
  }
}

// A boat left somewhere is a change record of a vehicle picture; a loaded game
// replays them, so this also knows of rides made before the save.
bool BoatRiddenThisRun() {
  bool ridden = false;
  progress.change_list.ForEach([&](const std::shared_ptr<Tmap_change_done>& change) {
    ridden |= change->layer == 1 && IsVehicle(change->tile_new);
  });
  return ridden;
}

void BoatHint(const Tplayer& ch, const TileProbes& p) {
  // Jumps near a boat the figure has already ridden are not tries to board it.
  if (push_vehicle.in_vehicle) hints.has_boarded = true;
  if (!input_flags.hit_jump || hints.has_boarded) return;
  if (BoatRiddenThisRun()) {
    hints.has_boarded = true;
    return;
  }
  if (IsVehicle(p.here_obj) || IsVehicle(TileAtPixel(ch.x + 16, ch.y - 16, 1))) return;
  const std::optional<int> side = VehicleSide(p);
  if (!side) return;
  const std::string way =
      *side == 0 ? "" : "noch " + FurtherTo(*side) + ", ";
  Show(Hint::kBoatNotBoarded, "Zum Einsteigen " + way + "ganz ins Boot oder genau darunter laufen, dann " +
                                  CapToken(PromptKey::kJump) + " drücken");
}

// A switch looks like scenery until it is used: the first ones met say so.
void SwitchHint(const Tplayer& ch, const TileProbes& p) {
  constexpr int kSwitchesTold = 3;
  const int side = ActionTargetSide(ch, p);
  const bool at_switch = IsSwitch(p.here_obj) || (side != 0 && IsSwitch(GetTile(p.col + side, p.row, 1)));
  if (at_switch && CurrentNotice().empty())
    Show(Hint::kSwitchHere, "Ein Schalter: " + CapToken(PromptKey::kAction) + " drücken, er öffnet oder bewegt etwas",
         kSwitchesTold);
}

// Taking or using needs a fresh press in the thing's cell; action held on from
// walking or firing never takes or throws anything.
void HeldOnThingHint(const TileProbes& p) {
  constexpr int kHeldFrames = 25;
  const bool usable = IsActionTarget(p.here_obj) && (!IsLock(p.here_obj) || HasKey());
  const bool holding_on = usable && input_flags.held_action && !input_flags.hit_action;
  if (!HeldFor(hints.held_on_item_frames, holding_on, kHeldFrames)) return;
  const char* what = IsItem(p.here_obj) ? "Zum Aufheben " : IsSwitch(p.here_obj) ? "Zum Schalten " : "Zum Aufschließen ";
  Show(Hint::kPressAgainToTake, what + CapToken(PromptKey::kAction) + " loslassen und neu drücken");
}

// The exit is a door like the locked ones, but it opens to walking alone.
void ExitHint(const TileProbes& p) {
  constexpr int kReach = 3;   // cells to either side
  if (AnyCellNear(p, kReach, 1, [](int col, int row) { return GetCode(col, row) == kExitCode; }))
    Show(Hint::kExitNear, "Der Ausgang: einfach hineingehen", 1);
}

// A ledge is caught only in a jump toward its wall; a jump straight up beside
// a wall with the action key held is the try that misses it.
void LedgeHint(const Tplayer& ch) {
  if (!input_flags.hit_jump || !input_flags.held_action || input_flags.held_left || input_flags.held_right) return;
  if (ch.gun_active) return;
  // A figure a few pixels short of the wall misses the ledge just the same.
  constexpr int32_t kNear = 20;
  const bool right = TileAtPixel(ch.x + 32 + kNear, ch.y + 16, 0) != 0;
  const bool left = TileAtPixel(ch.x - kNear, ch.y + 16, 0) != 0;
  if (!right && !left) return;
  const PromptKey toward = right ? PromptKey::kRight : PromptKey::kLeft;
  Show(Hint::kJumpToWall, "Zum Festhalten beim Sprung zur Wand drücken (" + CapToken(toward) + ")");
}

// Hanging from a ledge is half the move: players hung there waiting.
void HangHint(const Tplayer& ch) {
  constexpr int kHangFrames = 30;
  const bool right = ch.mode == kPoseLedgeRight, left = ch.mode == kPoseLedgeLeft;
  const bool toward = right ? input_flags.held_right : input_flags.held_left;
  if (HeldFor(hints.hang_frames, (right || left) && !toward, kHangFrames))
    Show(Hint::kPullUp, "Hochziehen: " + CapToken(PromptKey::kAction) + " halten und " +
                            CapToken(right ? PromptKey::kRight : PromptKey::kLeft) + " zur Wand halten");
}

// The climb needs the figure's middle on the ladder; a step short of it
// nothing happens. Told when action and up have been held that long beside
// a ladder without a climb (a figure still drifting in climbs by itself).
// Its own count: the pick-ups on the way must not use up the ladder's.
void LadderReachHint(const Tplayer& ch) {
  constexpr int kHeldFrames = 20;
  int side = 0;
  for (int s : {-1, 1})
    if (IsLadder(TileAtPixel(ch.x + 16 + s * kTileSize, ch.y + 16, 1))) side = s;
  const bool trying = input_flags.held_action && input_flags.held_up && !ch.gun_active && ch.mode != kPoseLadder;
  if (HeldFor(hints.ladder_reach_frames, trying && side != 0, kHeldFrames))
    Show(Hint::kLadderReach, "Noch " + FurtherTo(side) + ": ganz an die Leiter");
}

// A press with the gun drawn that ends without a shot says why.
void FireHint(const Tplayer& ch) {
  if (!hints.fire_watch) return;
  if (ch.shot_timer != hints.shot_timer || !ch.gun_active) {
    hints.fire_watch = false;
    return;
  }
  if (input_flags.held_action) {
    hints.fire_held = true;
    return;
  }
  hints.fire_watch = false;
  if (hints.timer_was_busy)
    Show(Hint::kReloading, "Die Waffe lädt nach: " + CapToken(PromptKey::kAction) + " gedrückt halten, bis sie schießt");
  else
    Show(Hint::kHoldToFire, "Zum Schießen " + CapToken(PromptKey::kAction) + " gedrückt halten");
}

// Shooting a cracked wall open is firing with a purpose, enemy near or not.
bool CrackedWallAhead(const Tplayer& ch) {
  constexpr int kReach = 4;   // cells in the facing direction
  const int dir = ch.gunangle > 90 && ch.gunangle < 270 ? -1 : 1;
  const int col = CellOf(ch.x + 16), row = CellOf(ch.y + 16);
  for (int dc = 1; dc <= kReach; ++dc)
    for (int dr = -1; dr <= 0; ++dr)
      if (GetTile(col + dir * dc, row + dr, 0) == kBreakableTile) return true;
  return false;
}

// Firing at an enemy behind cover only hits the cover: the gun aims at what
// it sees, which a player holding fire behind crates does not know. The
// advice goes once the enemy is in sight or gone, where it would now be wrong.
// An enemy down in a pit is hidden by its rim, not by cover to jump onto.
void CoverHint(const Tplayer& ch) {
  constexpr int kHeldFrames = 40;
  bool enemy_near = false, enemy_below = false;
  int32_t nearest = std::numeric_limits<int32_t>::max();
  world.character_list.ForEach([&](const PlayerRef& e) {
    const int32_t dx = std::abs(e->x - ch.x), dy = std::abs(e->y - ch.y);
    if (e->typ == 0 || dx >= screen.screen_width / 2 || dy >= screen.screen_height / 2) return true;
    enemy_near = true;
    if (dx + dy < nearest) {
      nearest = dx + dy;
      enemy_below = e->y > ch.y + kTileSize / 2;
    }
    return true;
  });
  if (run.aim_target || !enemy_near) TakeBack(hints.cover_hint);
  const bool climbing_tried = input_flags.held_up || input_flags.held_down || IsLadder(TileAtPixel(ch.x + 16, ch.y + 16, 1));
  const bool firing_blind = ch.gun_active && input_flags.held_action && !run.aim_target && !climbing_tried &&
                           !CrackedWallAhead(ch);
  if (!HeldFor(hints.hidden_aim_frames, firing_blind && enemy_near, kHeldFrames)) return;
  const std::string fire = CapToken(PromptKey::kAction);
  ShowTakingBack(hints.cover_hint, Hint::kEnemyHidden,
                 enemy_below ? "Der Gegner unten ist verdeckt: Schüsse treffen nur den Boden davor. " + fire +
                                   " loslassen und an die Kante gehen, bis die Waffe auf ihn zielt"
                             : "Der Gegner ist verdeckt: Schüsse treffen nur die Deckung. " + fire +
                                   " loslassen, mit Anlauf und " + CapToken(PromptKey::kJump) +
                                   " auf die Deckung springen und " + fire + " schon im Sprung halten");
}

void ShowBlockStuck() {
  Show(Hint::kBlockStuck, "Die Kiste steht fest: mit " + CapToken(PromptKey::kJump) + " hinaufspringen");
}

// One push moves a block one cell; holding on does not push it again.
void PushHint(const Tplayer& ch, const TileProbes& p) {
  if (push_vehicle.pushing) {
    hints.was_pushing = true;
    hints.push_dir = push_vehicle.push_dir;
    hints.push_wait = 0;
    return;
  }
  if (hints.push_dir == 0) return;
  const bool right = hints.push_dir > 0;
  if (hints.was_pushing) {
    hints.was_pushing = false;
    // Rolled against a wall the crate will not move again: the way on is up onto it.
    const bool block_ahead = right ? IsPushableBlock(p.wall_right) : IsPushableBlockOnTheLeft(p.wall_left);
    if (block_ahead && TileAtPixel(right ? ch.x + 80 : ch.x - 48, ch.y + 16, 0) != 0) ShowBlockStuck();
  }
  const bool toward = right ? input_flags.held_right : input_flags.held_left;
  const bool block = right ? IsPushableBlock(p.wall_right) : IsPushableBlockOnTheLeft(p.wall_left);
  const bool room = TileAtPixel(right ? ch.x + 80 : ch.x - 48, ch.y + 16, 0) == 0;
  if (!input_flags.held_action || !toward || !block || !room) {
    hints.push_dir = 0;
    return;
  }
  if (++hints.push_wait != kPushWaitFrames) return;
  const PromptKey way = right ? PromptKey::kRight : PromptKey::kLeft;
  Show(Hint::kPushAgain, "Weiterschieben: " + CapToken(way) + " loslassen und neu drücken, " + CapToken(PromptKey::kAction) + " dabei halten");
}

// A block against a wall does not move, and walking or pushing against it
// only presses in vain: the way on is a jump onto it, said once the figure
// has stood at it a moment.
void StuckBlockHint(const Tplayer& ch, const TileProbes& p) {
  constexpr int kHeldFrames = 30;
  // Standing at it is enough: the crate is there to be climbed.
  const bool right = IsPushableBlock(p.wall_right) && TileAtPixel(ch.x + 80, ch.y + 16, 0) != 0;
  const bool left = IsPushableBlockOnTheLeft(p.wall_left) && TileAtPixel(ch.x - 48, ch.y + 16, 0) != 0;
  const bool pushing_in_vain = !push_vehicle.pushing && ch.jump == 0 && (right || left);
  if (HeldFor(hints.stuck_block_frames, pushing_in_vain, kHeldFrames)) ShowBlockStuck();
}

// Air falls in any water cell, the surface and a boat's cell too, which a
// swimmer with the head above water does not expect.
void AirHint(const Tplayer& ch, const TileProbes& p) {
  constexpr int kLowAir = 60;
  if (IsWater(p.here_fg) && ch.breath <= kLowAir && !hints.air_told) {
    hints.air_told = Show(Hint::kAirRunningOut, "Die Luft wird knapp, auch an der Oberfläche: raus aus dem Wasser");
  }
  if (ch.breath > kLowAir) hints.air_told = false;
}

// The muzzle sits a cell in front of the figure, so an enemy standing on the
// figure is never hit, though the crosshair is on it.
void PointBlankHint(const Tplayer& ch) {
  const PlayerRef& target = run.aim_target;
  if (!target || !ch.gun_active || !input_flags.held_action) return;
  if (std::abs(target->x - ch.x) < kTileSize && std::abs(target->y - ch.y) < kTileSize)
    Show(Hint::kPointBlank, "Zu nah zum Treffen: einen Schritt zurücktreten");
}

// Cracked bricks look like any wall; that a shot breaks them is not seen
// until tried, so the first ones the figure comes near say so.
void CrackedWallHint(const Tplayer& ch, const TileProbes& p) {
  constexpr int kReach = 3;   // cells to either side
  if (!AnyCellNear(p, kReach, 2, [](int col, int row) { return GetTile(col, row, 0) == kBreakableTile; })) return;
  const std::string draw = ch.gun_active ? "" : "Waffe ziehen (" + CapToken(PromptKey::kDrawWeapon) + ") und ";
  Show(Hint::kCrackedWall, "Rissige Mauer: " + draw + CapToken(PromptKey::kAction) + " halten, ein Schuss bricht sie auf", 2);
}

// Standing still half on an item, switch or lock: the faint cap's meaning is
// said before a press is wasted.
void NotYetInReachHint(const Tplayer& ch, const TileProbes& p) {
  constexpr int kStillFrames = 10;
  const int side = ActionTargetSide(ch, p);
  if (HeldFor(hints.beside_thing_frames, side != 0 && ch.speed == 0 && ch.jump == 0, kStillFrames))
    Show(Hint::kNotInReach, "Noch " + FurtherTo(side) + ": erst wenn die Taste hell ist, wirkt " + CapToken(PromptKey::kAction));
}

// Stopping at a ladder with the gun drawn is the moment before a climb that
// would only fire: said then, before the try.
void GunAtLadderStopHint(const Tplayer& ch, const TileProbes& p) {
  constexpr int kStillFrames = 12;
  const bool stopped_at_ladder = ch.gun_active && ch.speed == 0 && ch.jump == 0 && IsLadder(p.here_obj) &&
                                 ch.mode != kPoseLadder;
  if (HeldFor(hints.gun_at_ladder_frames, stopped_at_ladder, kStillFrames)) ShowGunHint();
}

// Walking against a wall one or two blocks high goes nowhere; the way up is a
// jump (or, for one block, the step-up), which the wall itself does not say.
void WallToClimbHint(const Tplayer& ch, const TileProbes& p) {
  constexpr int kHeldFrames = 20;
  int side = 0;
  if (input_flags.held_right && p.wall_right != 0) side = 1;
  if (input_flags.held_left && p.wall_left != 0) side = -1;
  const int32_t beside_x = side > 0 ? ch.x + 48 : ch.x - 16;
  const bool blocked = side != 0 && ch.jump == 0 && !push_vehicle.pushing && !input_flags.held_action &&
                       !IsPushableBlock(side > 0 ? p.wall_right : p.wall_left) && !IsWater(p.here_fg);
  const bool one_high = blocked && TileAtPixel(beside_x, ch.y - 16, 0) == 0;
  const bool two_high = blocked && !one_high && TileAtPixel(beside_x, ch.y - 48, 0) == 0;
  if (!HeldFor(hints.wall_frames, one_high || two_high, kHeldFrames)) return;
  const std::string way = CapToken(side > 0 ? PromptKey::kRight : PromptKey::kLeft);
  if (one_high)
    Show(Hint::kWallToClimb, "Stufe: mit " + CapToken(PromptKey::kJump) + " hinaufspringen oder " +
                                 CapToken(PromptKey::kAction) + " und " + way + " halten");
  else
    // From flush against the wall the jump does not clear two blocks:
    // players found the run-up only by trying.
    Show(Hint::kWallToClimb, "Hinauf: ein paar Schritte Anlauf, dann mit " + CapToken(PromptKey::kJump) +
                                 " springen und " + way + " dabei halten");
}

// A held jump key jumps again on landing, which reads as the figure hopping
// by itself: said once, when a jump starts from a key held since the last.
void HeldJumpHint(const Tplayer& ch) {
  // Landing and the next jump fall in one step, so the start shows as the
  // jump's speed set afresh.
  const bool started = ch.jump != 0 && ch.tempy == kJumpSpeed;
  if (started && input_flags.held_jump && !input_flags.hit_jump)
    Show(Hint::kJumpHeld, "Gehalten springt " + CapToken(PromptKey::kJump) + " nach der Landung gleich wieder: für einen Sprung kurz drücken", 1);
}

// A swimmer climbs out at the bank as at a ledge, which needs the head up at
// the bank's top: pressed against the bank deeper down nothing happens.
void BankHint(const Tplayer& ch, const TileProbes& p) {
  constexpr int kHeldFrames = 30;
  const bool right = input_flags.held_right && p.wall_right != 0;
  const bool left = input_flags.held_left && p.wall_left != 0;
  const int32_t above_x = right ? ch.x + 48 : ch.x - 16;
  // Up swims on while the pixel row above the figure is still water.
  const bool below_surface = IsWater(p.here_fg) && IsWater(TileAtPixel(ch.x + 16, ch.y - 1, 2));
  const bool too_deep = below_surface && input_flags.held_action && (right || left) && TileAtPixel(above_x, ch.y - 16, 0) != 0;
  if (HeldFor(hints.bank_frames, too_deep, kHeldFrames))
    Show(Hint::kSwimUpToBank, "Zum Hinausklettern erst mit " + CapToken(PromptKey::kUp) + " nach oben schwimmen, " +
                                  CapToken(PromptKey::kAction) + " und die Richtung dabei halten");
}

// A slide looks like a stair from afar; walking up it only carries the figure down again.
void SlideHint(const Tplayer& ch, const TileProbes& p) {
  const uint16_t under = TileAtPixel(ch.x + 16, ch.y + 32, 1);
  const uint16_t slide = IsSlide(p.here_obj) ? p.here_obj : under;
  if (!IsSlide(slide)) return;
  if (IsLeftSlide(slide) ? input_flags.held_right : input_flags.held_left)
    Show(Hint::kSlideUp, "Eine Rutsche: hinauf geht es nicht, nur hinunter");
}

bool SaveGameExists() { return GetFileKind(UserFileToRead(kSaveGamePath)) == kFileKindRegular; }

std::string DeathPromptText() {
  std::string text = "Du bist gestorben.   ";
  if (SaveGameExists()) text += CapToken(PromptKey::kLoad) + " Spielstand laden   ";
  return text + CapToken(PromptKey::kMenu) + " zum Hauptmenü";
}

}  // namespace

void ResetHints() {
  hints = HintState{};
  ResetPictogramHelp();
}

void HintSaveRefused(bool in_tutorial) {
  Show(Hint::kSaveRefused,
       in_tutorial ? "Im Tutorial wird nicht gespeichert"
                   : "Nicht gespeichert: das geht nur auf festem Boden, nicht im Sprung, beim Schieben oder solange etwas fällt",
       std::numeric_limits<int>::max());
}

void HintOwnBlast() {
  Show(Hint::kOwnBlast, "Die eigene Rakete trifft auch dich: nicht auf nahe Wände oder Deckung schießen", 2);
}

void HintAimTarget() {
  Show(Hint::kAimTarget, "Die Waffe zielt von selbst auf das markierte Ziel: " + CapToken(PromptKey::kAction) +
                             " halten zum Schießen", 1);
}

// Half on the thing, or in the cell beside it: players stop a step short of a
// pot and take the silence after a press for "this does nothing".
int ActionTargetSide(const Tplayer& ch, const TileProbes& p) {
  if (IsActionTarget(p.here_obj)) return 0;
  for (const int32_t edge_x : {ch.x + 27, ch.x + 4}) {
    if (!IsActionTarget(TileAtPixel(edge_x, ch.y + 16, 1))) continue;
    return CellOf(edge_x) > p.col ? 1 : -1;
  }
  // Locks are told apart by their own advice (walk right into them).
  for (const int side : {1, -1})
    if (const uint16_t obj = GetTile(p.col + side, p.row, 1); IsActionTarget(obj) && !IsLock(obj)) return side;
  return 0;
}

int HintCount(Hint hint) { return hints.shown[size_t(hint)]; }

void HintsBeforePlayerStep(const Tplayer& ch, const TileProbes& p) {
  ActionHints(ch, p);
  BoatHint(ch, p);
  LedgeHint(ch);
  SlideHint(ch, p);
}

void HintsAfterPlayerStep(const Tplayer& ch, const TileProbes& p) {
  FireHint(ch);
  HangHint(ch);
  CoverHint(ch);
  LadderReachHint(ch);
  PushHint(ch, p);
  StuckBlockHint(ch, p);
  AirHint(ch, p);
  SwitchHint(ch, p);
  HeldOnThingHint(p);
  BankHint(ch, p);
  ExitHint(p);
  PointBlankHint(ch);
  CrackedWallHint(ch, p);
  NotYetInReachHint(ch, p);
  HeldJumpHint(ch);
  GunAtLadderStopHint(ch, p);
  ClearGunHintOnceHolstered(ch);
  WallToClimbHint(ch, p);
}

void ServeDeathPrompt() {
  if (FindPlayer()) {
    hints.player_seen = true;
    hints.dead_frames = 0;
    if (hints.death_prompt) ClearNotice();
    hints.death_prompt = false;
    return;
  }
  if (!hints.player_seen || ++hints.dead_frames < kDeathPromptDelay) return;
  // Other notices (a failed load) go first; the prompt comes back after them.
  if (!CurrentNotice().empty()) return;
  hints.death_prompt = true;
  ShowNotice(DeathPromptText(), kNoticeUntilCleared);
}
}  // namespace vn
