// The stress level and what keeps it busy while a benchmark plays it.
#include <array>
#include <memory>

#include "app/resources.h"
#include "app/settings.h"
#include "bench/bench_support.h"
#include "engine/input.h"
#include "engine/random.h"
#include "engine/timing.h"
#include "play/bindings.h"
#include "play/entities.h"
#include "play/play_loop.h"
#include "play/tables.h"
#include "world/inventory.h"
#include "world/level_data.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/world.h"

namespace vn::bench {
namespace {

constexpr uint16_t kWidth = 400, kHeight = 100;
constexpr int kCorridorTop = 48, kCorridorFloor = 50;   // rows 48, 49 are open
constexpr int kEnemyCount = 100;
constexpr size_t kShotsInFlight = 50;
constexpr size_t kThrownTiles = 8;
constexpr int kTurnLeftColumn = 200, kTurnRightColumn = 8;

// Plain solid walls, harmless scenery and foreground pictures that exist in
// the generated game data. The foreground mixes see-through water, nearly
// opaque scenery and opaque pictures, as real levels do.
constexpr std::array<uint16_t, 9> kSolid = {1, 2, 3, 4, 5, 6, 7, 100, 101};
constexpr std::array<uint16_t, 10> kScenery = {60, 61, 62, 63, 64, 65, 70, 71, 72, 73};
constexpr std::array<uint16_t, 9> kForegroundAnywhere = {1, 2, 11, 12, 30, 31, 100, 101, 102};
// In the corridor: neither water nor deadly, so the characters walk normally.
constexpr std::array<uint16_t, 6> kForegroundCorridor = {30, 31, 32, 100, 101, 102};

bool InCorridor(int row) { return row >= kCorridorTop && row < kCorridorFloor; }

template <size_t N>
uint16_t Pick(const std::array<uint16_t, N>& values, int x, int y) {
  return values[size_t(x * 7 + y * 3) % N];
}

int32_t RandomVisibleX() { return camera.cam_tile_x * 32 + RandRange(0, screen.screen_width); }
int32_t RandomVisibleY() { return camera.cam_tile_y * 32 + RandRange(0, screen.screen_height); }

void KeepPlayerWalking() {
  static bool going_right = true;
  const PlayerRef player = FindPlayer();
  if (!player) return;
  player->power = 100;
  player->breath = 100;
  if (player->x > kTurnLeftColumn * 32) going_right = false;
  if (player->x < kTurnRightColumn * 32) going_right = true;
  InjectKey(bindings.key_right, going_right);
  InjectKey(bindings.key_left, !going_right);
}

void KeepShotsFlying() {
  while (world.shot_list.Count() < kShotsInFlight) {
    const float y = float(kCorridorTop * 32 + RandRange(4, 60));
    shot_create(float(RandomVisibleX()), y, 1, RandRange(0, 1) ? 0.0f : 180.0f, 0);
  }
}

// Thrown tiles spin and shake the view; they are dropped once they fall out of
// sight, and new ones thrown from the top of the view.
void KeepTilesThrown() {
  const int32_t bottom = camera.cam_tile_y * 32 + screen.screen_height + 64;
  world.map_effect_list.ForEach([&](const std::shared_ptr<Tmap_effects>& e) {
    if (e->typ == 1 && int32_t(e->y) > bottom) world.map_effect_list.Remove(e);
  });
  while (world.map_effect_list.Count() < kThrownTiles) {
    auto e = std::make_shared<Tmap_effects>();
    e->typ = 1;
    e->x = uint16_t(RandomVisibleX());
    e->y = uint16_t(camera.cam_tile_y * 32 + 32);
    e->tile = kSolid[size_t(RandRange(0, int(kSolid.size()) - 1))];
    e->layer = 0;
    e->speedx = float(RandRange(-4, 4));
    e->speedy = -6;
    e->timeout = 2147483647;
    e->rotation_way = RandRange(0, 1) ? 1 : -1;
    world.map_effect_list.AddLast(e);
  }
}

}  // namespace

std::string WriteStressLevel() {
  LevelData level;
  level.Resize(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool open = InCorridor(y);
      level.Tile(0, x, y) = open ? 0 : Pick(kSolid, x, y);
      level.Tile(1, x, y) = Pick(kScenery, x, y);
      level.Tile(2, x, y) = open ? Pick(kForegroundCorridor, x, y) : Pick(kForegroundAnywhere, x, y);
    }
  }
  LevelCharacter player;
  player.x = 12 * 32;
  player.y = (kCorridorFloor - 1) * 32;
  player.power = 100;
  level.characters.push_back(player);
  for (int i = 0; i < kEnemyCount; ++i) {
    LevelCharacter enemy;
    enemy.x = (16 + 2 * i) * 32;
    enemy.y = (kCorridorFloor - 1) * 32;
    enemy.typ = uint8_t(1 + i % 3);
    enemy.power = 100;
    enemy.gun = 1;
    enemy.action_radius = 96;
    level.characters.push_back(enemy);
  }
  const std::string name = "Stress";
  WriteLevelFiles("map", name, level);
  return name;
}

bool BeginStressLevel() {
  tables.level_names[1] = WriteStressLevel();
  run.level_index = 1;
  ClearInventory();
  return BeginLevelRun();
}

void KeepStressLevelBusy() {
  static uint32_t frame = 0;
  ++frame;
  KeepPlayerWalking();
  KeepShotsFlying();
  KeepTilesThrown();
  if (frame % 30 == 0) Fragment_Create(RandomVisibleX(), RandomVisibleY());
  if (frame % 20 == 0) Explosion_Create(RandomVisibleX(), RandomVisibleY(), 0);
}

}  // namespace vn::bench
