#include "play/play_loop.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/key_codes.h"
#include "engine/timing.h"
#include "play/assets.h"
#include "play/bindings.h"
#include "play/character_draw.h"
#include "play/enemies.h"
#include "play/fight_effects.h"
#include "play/hints.h"
#include "play/input_flags.h"
#include "play/inventory_screen.h"
#include "play/key_caps.h"
#include "play/level_reload.h"
#include "play/movement.h"
#include "play/notice.h"
#include "play/push_vehicle.h"
#include "play/save_load.h"
#include "play/shots.h"
#include "play/tables.h"
#include "world/actions.h"
#include "world/inventory.h"
#include "world/level_data.h"
#include "world/level_files.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/tiles.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr int32_t kAnimPeriodMs = 100;

enum class StepResult { kGoOn, kLevelChanged, kRunEnds };

// The level file a failed load complains about, for the menu's message.
std::string FailedLevelFile(const std::string& name) {
  for (const char* ext : {".vnm", ".vnd", ".eff"}) {
    const std::string file = std::string(kLevelDirectory) + "/" + name + ext;
    if (world.last_level_error.find(file) != std::string::npos) return file;
  }
  return world.last_level_error.empty() ? std::string(kLevelDirectory) + "/" + name + ".vnm" : world.last_level_error;
}

bool HasLevelName(int index) { return index < kLevelCount && !tables.level_names[index].empty(); }

bool LoadLevelOrTell(int index) {
  const std::string name = index < kLevelCount ? tables.level_names[index] : std::string();
  if (LoadLevel(name, kLevelDirectory)) return true;
  if (play_hooks.level_not_loaded) play_hooks.level_not_loaded(LevelLoadFailureMessage(name));
  return false;
}

void DrawBackground() {
  // One pixel of background per tile column the camera moved: a slow parallax.
  int32_t b = camera.cam_tile_x;
  if (b >= 800) b -= 800;
  if (play_assets.background_fitted_image) {
    DrawImageFrame(play_assets.background_fitted_image, float(-b), 0, 0);
    DrawImageFrame(play_assets.background_fitted_image, float(screen.screen_width - b), 0, 0);
    return;
  }
  SetDrawScale(float(screen.screen_width) / 800.0f, float(screen.screen_height) / 600.0f);
  DrawImageFrame(play_assets.background_image, float(-b), 0, 0);
  DrawImageFrame(play_assets.background_image, float(screen.screen_width - b), 0, 0);
  SetDrawScale(1, 1);
}

// Where each figure was drawn this frame: the foreground gives way over these
// boxes, and figures in the water are drawn once more over it.
struct FigureInWater {
  int32_t x, y;
  uint8_t typ, frame, mode;
  uint16_t gunangle;
};
std::vector<ScreenBox> figure_boxes;
std::vector<FigureInWater> figures_in_water;

void DrawFiguresOverWater() {
  for (const FigureInWater& f : figures_in_water) DrawFigureOverWater(f.x, f.y, f.typ, f.frame, f.mode, f.gunangle);
}

bool ExitReached(const Tplayer& ch) {
  if (GetCode(CellOf(ch.x + 16), CellOf(ch.y + 16)) == kExitCode) return true;
  return IsKeyDown(kKeyLeftControl) && IsKeyDown(kKeyLeftAlt) && IsKeyDown(kKeyPad5);
}

// Below the map's last row nothing can ever be solid again: a character whose
// way down was open (a gap in the bottom row, or past the left or right edge)
// would fall for ever out of sight.
bool FellOutOfMap(const Tplayer& ch) { return ch.y >= int32_t(world.map_height) * kTileSize; }

void Die(const PlayerRef& ch) {
  Fragment_Create(ch->x, ch->y);
  if (ch->typ == 0) run.player_x = run.player_y = 0;
  if (ch->item != 0) {
    const int32_t col = CellOf(ch->x + 16);
    const int32_t row = CellOf(ch->y + 16);
    SetTile(col, row, 1, ch->item);
    RecordMapChange(col, row, 1, ch->item);
  }
  world.character_list.Remove(ch);
}

StepResult CharacterStep(const PlayerRef& ch) {
  // Drawn where it stood at the start of the frame, before it moves.
  const int32_t sx = ScreenX(ch->x);
  const int32_t sy = ScreenY(ch->y);
  DrawCharacter(sx, sy, ch->typ, static_cast<uint8_t>(ch->frame), ch->mode, ch->gunangle);
  if (ch->typ == 0) DrawHurtFlash(*ch, sx, sy);
  // Only figures on the screen can be hidden; the rest would only cost time.
  if (sx > -kTileSize && sx < screen.screen_width && sy > -kTileSize && sy < screen.screen_height)
    figure_boxes.push_back({sx, sy, kTileSize, kTileSize});

  const TileProbes probes = ReadProbes(*ch);
  if (IsWater(probes.here_fg))
    figures_in_water.push_back({sx, sy, ch->typ, static_cast<uint8_t>(ch->frame), ch->mode, ch->gunangle});
  CommonPhysicsFirst(*ch, probes);
  if (ch->typ == 0 && ch->power > 0) PlayerStep(ch, probes, sx, sy);
  if (ch->typ != 0) EnemyStep(*ch, probes);
  CommonPhysicsSecond(ch, probes, sx, sy);

  if (ExitReached(*ch)) return FinishLevel(ch) ? StepResult::kLevelChanged : StepResult::kRunEnds;

  if (ch->power < 1 || ch->breath == 0 || FellOutOfMap(*ch)) Die(ch);
  return StepResult::kGoOn;
}

// Walks the characters; stops after a level change, since the list then holds
// the new level's characters, which start moving in the next frame.
bool StepCharacters() {
  run.level_changed_this_frame = false;
  bool run_goes_on = true;
  world.character_list.ForEach([&](const PlayerRef& ch) {
    const StepResult result = CharacterStep(ch);
    if (result == StepResult::kGoOn) return true;
    run.level_changed_this_frame = true;
    run_goes_on = result == StepResult::kLevelChanged;
    return false;
  });
  return run_goes_on;
}

void ServeLoadKey() {
  if (TakeKeyHits(kKeyF3) == 0 && TakePadActionHits(PAD_LOAD) == 0) return;
  const uint8_t level = LoadGame();
  if (level == 0) return;
  run.level_index = level;
  // A block still rolling belongs to the map that was just replaced.
  ResetPush();
}

// The bag is shown one frame per call like play itself, so that whoever
// drives the frames (the game's loop, a script) can page and close it.
bool bag_open = false;

bool BagFrame() {
  if (!InventoryFrame()) {
    bag_open = false;
    SetDrawScale(1, 1);
  }
  return true;
}

void AdvanceTileAnimation() {
  if (run.now_ms <= run.anim_timer) return;
  run.anim_frame = static_cast<uint8_t>((run.anim_frame + 1) % 8);
  run.anim_timer = run.now_ms + kAnimPeriodMs;
}

}  // namespace

void LevelRun::Reset() { *this = LevelRun{}; }

std::string LevelLoadFailureMessage(const std::string& name) {
  return "Level konnte nicht geladen werden: " + FailedLevelFile(name);
}

void ForgetReplacedMap() {
  progress.change_list.Clear();
  progress.autoswitch_list.Clear();
  ResetPush();
  // A vehicle being ridden stays behind in the old map; the new map's player starts on foot.
  push_vehicle.in_vehicle = 0;
  run.look_home_x = run.look_home_y = -1;
}

void ResetPlayState() {
  world.Reset();
  progress.Reset();
  camera.Reset();
  tables.Reset();
  run.Reset();
  push_vehicle.Reset();
  input_flags = InputFlags{};
  ClearNotice();
  ResetFightEffects();
  ClearPlayerOverlay();
  ResetHints();
  bag_open = false;
}

constexpr int32_t kKeysNoticeMs = 7000;

bool BeginLevelRun() {
  run.anim_frame = 0;
  run.anim_timer = 0;
  run.fg_offset = 0;
  run.level_changed_this_frame = false;
  ForgetReplacedMap();
  ClearNotice();
  ResetFightEffects();
  ClearPlayerOverlay();
  ResetHints();
  bag_open = false;
  PrepareEntityStorage();
  // A new player learns the keys from the screen, not from a manual; a load
  // failure's message replaces this one.
  ShowNotice(CapToken(PromptKey::kLeft) + CapToken(PromptKey::kRight) + " gehen   " + CapToken(PromptKey::kJump) +
                 " springen   " + CapToken(PromptKey::kAction) + " Aktion   " + CapToken(PromptKey::kDrawWeapon) +
                 " Waffe   " + CapToken(PromptKey::kInventory) + " Inventar   " + CapToken(PromptKey::kLook) + "+" +
                 CapToken(PromptKey::kLeft) + CapToken(PromptKey::kRight) + " umsehen",
             kKeysNoticeMs);
  return LoadLevelOrTell(run.level_index);
}

bool FinishLevel(const PlayerRef& ch) {
  if (run.level_index == 0) return false;  // the tutorial's exit returns to the menu at once

  run.level_index = static_cast<uint8_t>(run.level_index + 1);
  // The gun goes into the bag; the next level starts with the basic gun in hand.
  if (ch->gun < 10) progress.inventory[size_t(ch->gun) + kFirstGunSlot][0] = 1;
  ch->gun = 0;
  progress.inventory[kFirstGunSlot][0] = 0;
  ForgetReplacedMap();

  if (!HasLevelName(run.level_index)) {
    if (play_hooks.game_finished) play_hooks.game_finished();
    return false;
  }
  return LoadLevelOrTell(run.level_index);
}

bool PlayFrame() {
  if (PauseInBackground()) return true;
  if (bag_open) return BagFrame();
  SetColor(255, 255, 255);
  Cls();

  run.now_ms = ClockMillis();
  run.mouse_down = static_cast<uint8_t>(IsMouseDown(1));
  // Clicks in play do nothing; they are taken so that none is left for the menu.
  TakeMouseHits(1);

  ReadInputFlags();

  ServeLoadKey();
  ServeLevelReload();

  if (TakeKeyHits(bindings.key_inventory) > 0 || TakePadButtonHits(3, 0) > 0 || TakePadActionHits(PAD_BAG) > 0) {
    BeginInventoryScreen();
    bag_open = true;
    return BagFrame();
  }

  DrawBackground();
  DrawBackLayers();
  DrawPictogramKeyCaps();

  // Without a living player nothing scrolls, so the foreground sits on its cells.
  run.fg_offset = 0;
  figure_boxes.clear();
  figures_in_water.clear();
  if (!StepCharacters()) return false;
  ServeDeathPrompt();

  DrawForegroundLayer(run.anim_frame, run.fg_offset, figure_boxes);
  DrawFiguresOverWater();

  UpdateShots();
  UpdateFragments();
  UpdateExplosions();
  DrawFightEffects();

  // A screen shake set by the map effects applies to the next frame's drawing.
  SetDrawOrigin(0, 0);
  UpdateMapEffects();

  AdvanceTileAnimation();

  DrawPlayerOverlay();
  DrawNotice();
  FrameDrawn();
  Flip(0);
  if (frame_timer) frame_timer->Wait();

  if (TakeKeyHits(kKeyEscape) > 0 || TakePadActionHits(PAD_MENU) > 0) {
    ClearKeys();
    ClearMouseButtons();
    ClearPadButtons(-1);
    return false;
  }
  return true;
}

void FrameDrawn() {
  if (play_hooks.frame_drawn) play_hooks.frame_drawn();
}

void PlayLevel() {
  if (!BeginLevelRun()) return;
  while (PlayFrame()) {
  }
}

}  // namespace vn
