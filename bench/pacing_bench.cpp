// Pacing of the play loop on the real clock: the stress level at 800 x 600,
// each frame ended by the frame timer's Wait as in the game.
#include <cmath>
#include <vector>

#include "app/resources.h"
#include "bench/bench_support.h"
#include "bench/benchmarks.h"
#include "engine/timing.h"
#include "play/play_loop.h"

namespace vn::bench {

void FramePacing(benchmark::State& state) {
  OpenGameWindow(800, 600);
  ScratchDir dir;
  if (!BeginStressLevel()) {
    state.SkipWithError("the stress level did not load");
    return;
  }
  UseVirtualClock(false);
  // A timer of its own on the real clock; the virtual one never started a system timer.
  const TimerRef virtual_timer = frame_timer;
  frame_timer = TTimer::Create(60);
  for (int i = 0; i < 30; ++i) {
    KeepStressLevelBusy();
    PlayFrame();
  }

  std::vector<double> intervals;
  double previous = WallMillis();
  for (auto _ : state) {
    KeepStressLevelBusy();
    PlayFrame();
    const double now = WallMillis();
    intervals.push_back(now - previous);
    state.SetIterationTime((now - previous) / 1e3);
    previous = now;
  }
  frame_timer = virtual_timer;
  UseVirtualClock(true);

  const double period = 16.0;
  std::vector<double> deviations;
  for (double interval : intervals) deviations.push_back(std::fabs(interval - period));
  const double mean = Mean(intervals);
  state.counters["mean_interval_ms"] = mean;
  state.counters["mean_error_pct"] = (mean - period) / period * 100.0;
  state.counters["p99_deviation_ms"] = Percentile(deviations, 0.99);
  state.counters["max_interval_ms"] = Percentile(intervals, 1.0);
}

}  // namespace vn::bench
