#include "play/level_reload.h"

#include <algorithm>
#include <array>

#include "engine/stream.h"
#include "engine/timing.h"
#include "play/entities.h"
#include "play/notice.h"
#include "play/play_loop.h"
#include "play/tables.h"
#include "world/actions.h"
#include "world/level_data.h"
#include "world/level_files.h"
#include "world/map.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr int32_t kLookPeriodMs = 250;
constexpr int32_t kFailureNoticeMs = 5000;

using LevelStamps = std::array<TFileStamp, 3>;   // .vnm, .vnd, .eff

struct ReloadWatch {
  bool on = false;
  std::string level;          // the level the stamps belong to
  LevelStamps loaded;         // when it was loaded (or a reload was tried)
  LevelStamps seen;           // at the last look
  int32_t next_look_ms = 0;
};
ReloadWatch watch;

LevelStamps StampsOf(const std::string& level) {
  const std::string base = std::string(kLevelDirectory) + "/" + level;
  return {GetFileStamp(base + ".vnm"), GetFileStamp(base + ".vnd"), GetFileStamp(base + ".eff")};
}

// Whether the player's 32 x 32 box lies in the map and in no solid cell.
bool PlaceIsFree(int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x + kTileSize > world.map_width * kTileSize || y + kTileSize > world.map_height * kTileSize) return false;
  for (int32_t row = CellOf(y); row <= CellOf(y + kTileSize - 1); ++row)
    for (int32_t column = CellOf(x); column <= CellOf(x + kTileSize - 1); ++column)
      if (GetTile(column, row, 0) != 0) return false;
  return true;
}

}  // namespace

void SetLevelReload(bool on) {
  watch = ReloadWatch{};
  watch.on = on;
}

bool LevelReloadOn() { return watch.on; }

bool ReloadRunningLevel() {
  const PlayerRef before = FindPlayer();
  const bool had_player = before != nullptr;
  const int32_t x = had_player ? before->x : 0, y = had_player ? before->y : 0;
  const int32_t tile_x = camera.cam_tile_x, tile_y = camera.cam_tile_y, shift_x = camera.cam_shift_x, shift_y = camera.cam_shift_y;

  const std::string name = tables.level_names[run.level_index];
  if (!LoadLevel(name, kLevelDirectory)) {
    ShowNotice(LevelLoadFailureMessage(name), kFailureNoticeMs);
    return false;
  }
  ForgetReplacedMap();

  const PlayerRef player = FindPlayer();
  if (player && had_player && PlaceIsFree(x, y)) {
    player->x = x;
    player->y = y;
    // The view stays where it was, so the author sees the change in place.
    camera.cam_tile_x = std::clamp(tile_x, 0, std::max(0, world.map_width - (screen.view_cols - 1)));
    camera.cam_tile_y = std::clamp(tile_y, 0, std::max(0, world.map_height - (screen.view_rows - 1)));
    camera.cam_shift_x = shift_x;
    camera.cam_shift_y = shift_y;
  }
  return true;
}

void ServeLevelReload() {
  if (!watch.on) return;
  const int32_t now = ClockMillis();
  if (now < watch.next_look_ms) return;
  watch.next_look_ms = now + kLookPeriodMs;

  const std::string& level = tables.level_names[run.level_index];
  const LevelStamps stamps = StampsOf(level);
  if (level != watch.level) {
    // A new run, the next level or a loaded game: these files are what is playing.
    watch.level = level;
    watch.loaded = watch.seen = stamps;
    return;
  }
  // A compiler writes three files one after the other: wait until they settle.
  const bool settled = stamps == watch.seen;
  watch.seen = stamps;
  if (!settled || stamps == watch.loaded) return;
  watch.loaded = stamps;
  ReloadRunningLevel();
}

}  // namespace vn
