// Cost of one play frame on the stress level, with the draw mix it produced.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/bench_support.h"
#include "bench/benchmarks.h"
#include "bench/draw_mix.h"
#include "engine/display_scale.h"
#include "engine/graphics.h"
#include "play/play_loop.h"

namespace vn::bench {
namespace {

// Frames played before measuring: textures, glyphs and caches are made on
// first use, and the enemies need a moment to spread out and start shooting.
constexpr int kWarmUpFrames = 180;

}  // namespace

void PlayFrameStress(benchmark::State& state) {
  const int width = int(state.range(0)), height = int(state.range(1));
  // A window of another size (a fullscreen target) gets the picture scaled.
  const int target_w = int(state.range(2)), target_h = int(state.range(3));
  OpenGameWindow(width, height);
  if (target_w > 0 && target_h > 0) ResizeWindow(target_w, target_h);
  ScratchDir dir;
  if (!BeginStressLevel()) {
    state.SkipWithError("the stress level did not load");
    return;
  }
  for (int i = 0; i < kWarmUpFrames; ++i) {
    KeepStressLevelBusy();
    PlayFrame();
  }

  std::vector<double> wall, cpu;
  uint64_t allocations = 0;
  ResetDrawStats();
  for (auto _ : state) {
    KeepStressLevelBusy();
    const uint64_t allocations_before = AllocationCount();
    const double wall_before = WallMillis(), cpu_before = ProcessCpuMillis();
    const bool going_on = PlayFrame();
    const double wall_after = WallMillis(), cpu_after = ProcessCpuMillis();
    allocations += AllocationCount() - allocations_before;
    wall.push_back(wall_after - wall_before);
    cpu.push_back(cpu_after - cpu_before);
    state.SetIterationTime((wall_after - wall_before) / 1e3);
    if (!going_on) {
      state.SkipWithError("the level run ended");
      return;
    }
  }

  const double frames = double(wall.size());
  const TDrawStats& stats = GetDrawStats();
  DrawMix mix;
  mix.images = double(stats.images) / frames;
  mix.images_tinted = double(stats.images_tinted) / frames;
  mix.ovals = double(stats.ovals) / frames;
  mix.oval_points = stats.ovals ? double(stats.oval_points) / double(stats.ovals) : 12;
  mix.rects = double(stats.rects) / frames;
  RememberDrawMix(width, height, mix);

  state.counters["median_ms"] = Median(wall);
  state.counters["p99_ms"] = Percentile(wall, 0.99);
  state.counters["cpu_median_ms"] = Median(cpu);
  state.counters["allocs_per_frame"] = double(allocations) / frames;
  state.counters["quads"] = mix.images;
  state.counters["tinted"] = mix.images_tinted;
  state.counters["ovals"] = mix.ovals;
  state.counters["rects"] = mix.rects;
  state.counters["textures_made"] = double(stats.textures_made);
  state.SetLabel(RendererName());
  if (target_w > 0 && target_h > 0) ResizeWindow(width, height);
}


}  // namespace vn::bench
