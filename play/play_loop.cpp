#include "play/play_loop.h"

#include <algorithm>
#include <string>

#include "app/end_screen.h"
#include "app/resources.h"
#include "app/settings.h"
#include "app/title_menu.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/timing.h"
#include "play/character_draw.h"
#include "play/enemies.h"
#include "play/fight_effects.h"
#include "play/level_reload.h"
#include "play/movement.h"
#include "play/notice.h"
#include "play/push_vehicle.h"
#include "play/shots.h"
#include "world/actions.h"
#include "world/inventory.h"
#include "world/level_files.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/save_game.h"

namespace vn {
namespace {

constexpr int kKeyEscape = 27;
constexpr int kKeyF3 = 114;
constexpr int kKeyLeftControl = 162, kKeyLeftAlt = 164, kKeyPad5 = 101;
constexpr uint8_t kExitCode = 250;
constexpr int32_t kAnimPeriodMs = 100;
constexpr int kLevelCount = 10;
const char* const kLevelDirectory = "map";

enum class StepResult { kGoOn, kLevelChanged, kRunEnds };

// The level file a failed load complains about, for the menu's message.
std::string FailedLevelFile(const std::string& name) {
  for (const char* ext : {".vnm", ".vnd", ".eff"}) {
    const std::string file = std::string(kLevelDirectory) + "/" + name + ext;
    if (last_level_error.find(file) != std::string::npos) return file;
  }
  return last_level_error.empty() ? std::string(kLevelDirectory) + "/" + name + ".vnm" : last_level_error;
}

bool HasLevelName(int index) { return index < kLevelCount && !level_names[index].empty(); }

bool LoadLevelOrTell(int index) {
  const std::string name = index < kLevelCount ? level_names[index] : std::string();
  if (LoadLevel(name, kLevelDirectory)) return true;
  SetMenuMessage(LevelLoadFailureMessage(name));
  return false;
}

void DrawBackground() {
  // One pixel of background per tile column the camera moved: a slow parallax.
  int32_t b = cam_tile_x;
  if (b >= 800) b -= 800;
  if (background_fitted_image) {
    DrawImageFrame(background_fitted_image, float(-b), 0, 0);
    DrawImageFrame(background_fitted_image, float(screen_width - b), 0, 0);
    return;
  }
  SetDrawScale(float(screen_width) / 800.0f, float(screen_height) / 600.0f);
  DrawImageFrame(background_image, float(-b), 0, 0);
  DrawImageFrame(background_image, float(screen_width - b), 0, 0);
  SetDrawScale(1, 1);
}

bool ExitReached(const Tplayer& ch) {
  if (GetCode(CellOf(ch.x + 16), CellOf(ch.y + 16)) == kExitCode) return true;
  return IsKeyDown(kKeyLeftControl) && IsKeyDown(kKeyLeftAlt) && IsKeyDown(kKeyPad5);
}

// Below the map's last row nothing can ever be solid again: a character whose
// way down was open (a gap in the bottom row, or past the left or right edge)
// would fall for ever out of sight.
bool FellOutOfMap(const Tplayer& ch) { return ch.y >= int32_t(map_height) * kTileSize; }

void Die(const PlayerRef& ch) {
  Fragment_Create(ch->x, ch->y);
  if (ch->typ == 0) player_x = player_y = 0;
  if (ch->item != 0) {
    const int32_t col = CellOf(ch->x + 16);
    const int32_t row = CellOf(ch->y + 16);
    SetTile(col, row, 1, ch->item);
    RecordMapChange(col, row, 1, ch->item);
  }
  character_list.Remove(ch);
}

StepResult CharacterStep(const PlayerRef& ch) {
  // Drawn where it stood at the start of the frame, before it moves.
  const int32_t sx = ScreenX(ch->x);
  const int32_t sy = ScreenY(ch->y);
  DrawCharacter(sx, sy, ch->typ, static_cast<uint8_t>(ch->frame), ch->mode, ch->gunangle);
  if (ch->typ == 0) DrawHurtFlash(*ch, sx, sy);

  const TileProbes probes = ReadProbes(*ch);
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
  level_changed_this_frame = false;
  bool run_goes_on = true;
  character_list.ForEach([&](const PlayerRef& ch) {
    const StepResult result = CharacterStep(ch);
    if (result == StepResult::kGoOn) return true;
    level_changed_this_frame = true;
    run_goes_on = result == StepResult::kLevelChanged;
    return false;
  });
  return run_goes_on;
}

void ServeLoadKey() {
  if (TakeKeyHits(kKeyF3) == 0 && TakePadActionHits(PAD_LOAD) == 0) return;
  const uint8_t level = LoadGame();
  if (level == 0) return;
  level_index = level;
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
  if (now_ms <= anim_timer) return;
  anim_frame = static_cast<uint8_t>((anim_frame + 1) % 8);
  anim_timer = now_ms + kAnimPeriodMs;
}

}  // namespace

std::string LevelLoadFailureMessage(const std::string& name) {
  return "Level konnte nicht geladen werden: " + FailedLevelFile(name);
}

bool BeginLevelRun() {
  anim_frame = 0;
  anim_timer = 0;
  fg_offset = 0;
  look_home_x = look_home_y = -1;
  level_changed_this_frame = false;
  ResetPush();
  // A vehicle ridden when the previous run ended stayed in that run's map.
  in_vehicle = 0;
  ClearNotice();
  ResetFightEffects();
  ClearPlayerOverlay();
  bag_open = false;
  change_list.Clear();
  autoswitch_list.Clear();
  PrepareEntityStorage();
  return LoadLevelOrTell(level_index);
}

bool FinishLevel(const PlayerRef& ch) {
  if (level_index == 0) return false;  // the tutorial's exit returns to the menu at once

  level_index = static_cast<uint8_t>(level_index + 1);
  // The gun goes into the bag; the next level starts with the basic gun in hand.
  if (ch->gun < 10) inventory[size_t(ch->gun) + 20][0] = 1;
  ch->gun = 0;
  inventory[20][0] = 0;
  change_list.Clear();
  autoswitch_list.Clear();
  ResetPush();
  look_home_x = look_home_y = -1;

  if (!HasLevelName(level_index)) {
    ShowEndScreen();
    return false;
  }
  return LoadLevelOrTell(level_index);
}

bool PlayFrame() {
  if (PauseInBackground()) return true;
  if (bag_open) return BagFrame();
  SetColor(255, 255, 255);
  Cls();

  mouse_x = GetMouseX();
  mouse_y = GetMouseY();
  now_ms = ClockMillis();
  mouse_down = static_cast<uint8_t>(IsMouseDown(1));
  mouse_hit = static_cast<uint8_t>(std::clamp(TakeMouseHits(1), 0, 255));

  ReadInputFlags();

  ServeLoadKey();
  ServeLevelReload();

  if (TakeKeyHits(key_inventory) > 0 || TakePadButtonHits(3, 0) > 0 || TakePadActionHits(PAD_BAG) > 0) {
    BeginInventoryScreen();
    bag_open = true;
    return BagFrame();
  }

  DrawBackground();
  DrawBackLayers();

  // Without a living player nothing scrolls, so the foreground sits on its cells.
  fg_offset = 0;
  if (!StepCharacters()) return false;

  DrawForegroundLayer(anim_frame, fg_offset);

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
  ScreenshotKeyStep();
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

void PlayLevel() {
  if (!BeginLevelRun()) return;
  while (PlayFrame()) {
  }
}

}  // namespace vn
