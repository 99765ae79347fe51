// Loading a 1000 x 1000 map with 1000 characters.
#include <vector>

#include "bench/bench_support.h"
#include "bench/benchmarks.h"
#include "engine/random.h"
#include "play/entities.h"
#include "world/level_data.h"
#include "world/level_files.h"
#include "world/world.h"

namespace vn::bench {
namespace {

constexpr uint16_t kSide = 1000;
constexpr int kCharacters = 1000;

void WriteBigLevel(const std::string& name) {
  LevelData level;
  level.Resize(kSide, kSide);
  for (int layer = 0; layer < 3; ++layer)
    for (size_t i = 0; i < level.tiles[layer].size(); ++i) level.tiles[layer][i] = uint16_t(1 + (i * 7 + size_t(layer)) % 100);
  for (int i = 0; i < kCharacters; ++i) {
    LevelCharacter c;
    c.x = RandRange(0, (kSide - 1) * 32);
    c.y = RandRange(0, (kSide - 1) * 32);
    c.typ = uint8_t(i == 0 ? 0 : 1 + i % 3);
    c.power = 100;
    level.characters.push_back(c);
  }
  WriteLevelFiles("map", name, level);
}

}  // namespace

void LoadBigLevel(benchmark::State& state) {
  ScratchDir dir;
  WriteBigLevel("Big");
  std::vector<double> wall;
  for (auto _ : state) {
    const double before = WallMillis();
    const bool loaded = LoadLevel("Big", "map");
    const double after = WallMillis();
    if (!loaded) {
      state.SkipWithError(world.last_level_error.c_str());
      return;
    }
    wall.push_back(after - before);
    state.SetIterationTime((after - before) / 1e3);
  }
  state.counters["median_ms"] = Median(wall);
  state.counters["characters"] = double(world.character_list.Count());
  world.character_list.Clear();
}

}  // namespace vn::bench
