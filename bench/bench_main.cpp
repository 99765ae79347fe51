// The benchmark binary. --renderer=software (default, SDL's dummy video
// driver), --renderer=opengl (SDL's offscreen driver over EGL) or
// --renderer=window (a real window on $DISPLAY) picks the renderer for the whole run; the rest are Google Benchmark's own options.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "app/resources.h"
#include "bench/bench_support.h"
#include "bench/benchmarks.h"
#include "play/tables.h"
#include "world/map.h"

namespace {

std::string TakeRendererOption(int& argc, char** argv) {
  std::string renderer = "software";
  std::vector<char*> kept;
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--renderer=", 0) == 0) renderer = arg.substr(11);
    else kept.push_back(argv[i]);
  }
  for (size_t i = 0; i < kept.size(); ++i) argv[i] = kept[i];
  argc = int(kept.size());
  return renderer;
}

void RegisterAll() {
  using namespace vn::bench;
  // Each floor right after the frame at its size: it replays that frame's draw mix.
  for (const auto& [width, height] : {std::pair{800, 600}, std::pair{1600, 900}}) {
    // At 800 x 600 also the same picture scaled into a 1920 x 1080 fullscreen
    // target, measured right after the unscaled frame.
    auto* frame = benchmark::RegisterBenchmark("PlayFrameStress", PlayFrameStress)->Args({width, height, 0, 0});
    if (width == 800) frame->Args({width, height, 1920, 1080});
    frame->Iterations(600)->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("RenderFloor", RenderFloor)
        ->Args({width, height, 0})
        ->Args({width, height, 1})->Iterations(600)->UseManualTime()->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("LoadBigLevel", LoadBigLevel)
      ->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("FramePacing", FramePacing)
      ->Iterations(1000)->UseManualTime()->Unit(benchmark::kMillisecond);
  // The shipped levels are the named ones of the fixed tables.
  vn::FillFixedTables();
  for (int index = 0; index < 10; ++index)
    if (!vn::tables.level_names[index].empty())
      benchmark::RegisterBenchmark("ShippedLevelMemory", ShippedLevelMemory)
          ->Arg(index)->Iterations(1)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  vn::bench::SelectRenderer(TakeRendererOption(argc, argv));
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
