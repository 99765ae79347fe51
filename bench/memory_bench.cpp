// Peak resident size while each shipped level is played for 30 seconds of game
// time (1875 frames of 16 ms on the virtual clock) with random walking.
#include <filesystem>

#include "app/resources.h"
#include "app/settings.h"
#include "bench/bench_support.h"
#include "bench/benchmarks.h"
#include "engine/input.h"
#include "engine/random.h"
#include "play/bindings.h"
#include "play/play_loop.h"
#include "play/tables.h"
#include "world/inventory.h"
#include "world/map.h"

namespace vn::bench {
namespace {

constexpr int kFrames = 1875;
constexpr int kFramesPerMove = 45;

void ChooseRandomMove() {
  InjectKey(bindings.key_right, false);
  InjectKey(bindings.key_left, false);
  InjectKey(bindings.key_jump, false);
  switch (RandRange(0, 3)) {
    case 0: InjectKey(bindings.key_right, true); break;
    case 1: InjectKey(bindings.key_left, true); break;
    case 2: InjectKey(bindings.key_jump, true); InjectKey(bindings.key_right, true); break;
    default: break;
  }
}

}  // namespace

void ShippedLevelMemory(benchmark::State& state) {
  const uint8_t index = uint8_t(state.range(0));
  OpenGameWindow(800, 600);
  FillFixedTables();
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(VN_GAME_DIR);
  ResetPeakResident();
  const int64_t before = ResidentKiB();
  uint64_t allocations = 0;
  int frames_played = 0;
  for (auto _ : state) {
    run.level_index = index;
    ClearInventory();
    if (!BeginLevelRun()) {
      state.SkipWithError("the level did not load");
      break;
    }
    for (int frame = 0; frame < kFrames; ++frame) {
      if (frame % kFramesPerMove == 0) ChooseRandomMove();
      const uint64_t allocations_before = AllocationCount();
      const bool going_on = PlayFrame();
      allocations += AllocationCount() - allocations_before;
      ++frames_played;
      if (!going_on && !BeginLevelRun()) break;
    }
    ChooseRandomMove();
  }
  InjectKey(bindings.key_right, false);
  InjectKey(bindings.key_left, false);
  InjectKey(bindings.key_jump, false);
  std::filesystem::current_path(previous);
  state.counters["rss_before_MiB"] = double(before) / 1024.0;
  state.counters["peak_rss_MiB"] = double(PeakResidentKiB()) / 1024.0;
  state.counters["allocs_per_frame"] = frames_played ? double(allocations) / frames_played : 0;
  state.SetLabel(tables.level_names[index]);
}

}  // namespace vn::bench
