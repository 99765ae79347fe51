#pragma once
// Shared set-up of the benchmarks: a window on the chosen renderer with the
// real game pictures loaded, temporary level directories, the stress level,
// heap counting and the statistics the tables report.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vn::bench {

// "software" (SDL's dummy video driver) or "opengl" (SDL's offscreen driver
// over EGL). Chosen once per process, before anything opens a window.
void SelectRenderer(const std::string& name);
const std::string& SelectedRenderer();

// Opens (or reopens) the window at w x h with the game's drawing state, the
// virtual clock and, once per process, every picture, sound and the font of
// the built game directory.
void OpenGameWindow(int width, int height);

// A fresh directory with an empty map/ that is the working directory while the
// object lives, so the play loop finds levels written there by name.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

// Heap allocations through operator new since the program started.
uint64_t AllocationCount();

// Resident set size and its peak, in KiB, from /proc/self/status.
int64_t ResidentKiB();
int64_t PeakResidentKiB();
// Starts a new peak measurement (the kernel's peak resets to the current size).
void ResetPeakResident();

// Statistics of a sample, in the sample's units; the sample is sorted in place.
double Median(std::vector<double>& values);
double Percentile(std::vector<double>& values, double fraction);
double Mean(const std::vector<double>& values);

// Process CPU time in milliseconds (all threads: the GL rasteriser runs its own).
double ProcessCpuMillis();
double WallMillis();

// The stress level: 400 x 100 cells, all three layers painted with pictures
// that exist, 100 enemies and the player in a corridor. Written as map/Stress.*
// into the working directory; returns its name.
std::string WriteStressLevel();
// Writes the stress level into the working directory and starts a run of it as
// level 1 with an empty bag. False when it does not load.
bool BeginStressLevel();
// Keeps the stress level busy: 50 shots in flight, debris, explosions and
// thrown tiles near the player, the player alive and walking to and fro.
void KeepStressLevelBusy();

}  // namespace vn::bench
