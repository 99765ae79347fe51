#pragma once
// The benchmarks, registered by bench_main.cpp in an order that lets the floor
// replay the draw mix the play frame measured just before it.
#include <benchmark/benchmark.h>

namespace vn::bench {

void PlayFrameStress(benchmark::State& state);   // args: width, height, window width, height (0: the same)
void RenderFloor(benchmark::State& state);       // args: width, height, 1 = fastest blits
void LoadBigLevel(benchmark::State& state);
void FramePacing(benchmark::State& state);
void ShippedLevelMemory(benchmark::State& state);  // arg: level index

}  // namespace vn::bench
