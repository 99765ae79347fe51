#include "bench/bench_support.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <fstream>
#include <numeric>
#include <stdexcept>

#include "app/resources.h"
#include "app/settings.h"
#include "engine/graphics.h"
#include "engine/platform.h"
#include "engine/random.h"
#include "engine/timing.h"
#include "play/play_loop.h"
#include "tests/support/scratch_dir.h"
#include "world/map.h"

namespace vn::bench {
namespace {

std::string renderer = "software";
bool resources_loaded = false;

int64_t StatusField(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::stoll(line.substr(key.size()));
  }
  return -1;
}

void LoadGameResourcesOnce() {
  if (resources_loaded) return;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(VN_GAME_DIR);
  LoadResources();
  LoadKeyNames();
  std::filesystem::current_path(previous);
  resources_loaded = true;
}

}  // namespace

void SelectRenderer(const std::string& name) {
  renderer = name;
  if (name == "opengl") {
    // A GL context without an X server: EGL on the offscreen video driver.
    UseDrivers("offscreen", "dummy");
    SetRendererOverride("opengl");
  } else if (name == "window") {
    // A real window on the X display ($DISPLAY, e.g. Xvfb) with the renderer the
    // game itself would pick there; its event wait is woken by the timer, as in play.
    UseDrivers(nullptr, "dummy");
  } else {
    SetHeadless(true);
  }
  if (!InitPlatform()) throw std::runtime_error("SDL video did not start");
}

const std::string& SelectedRenderer() { return renderer; }

void OpenGameWindow(int width, int height) {
  if (!StartHeadless(width, height, false)) throw std::runtime_error("no window on renderer " + renderer);
  SeedRandom(12345);
  LoadGameResourcesOnce();
  PrepareTextures();  // the reopened window has none of the old ones
}

ScratchDir::ScratchDir() { path_ = test::EnterScratchDir("vn-bench", {"map"}, previous_); }

ScratchDir::~ScratchDir() { test::LeaveScratchDir(path_, previous_); }

int64_t ResidentKiB() { return StatusField("VmRSS:"); }
int64_t PeakResidentKiB() { return StatusField("VmHWM:"); }

void ResetPeakResident() {
  // Writing 5 to clear_refs resets the peak to the current resident size.
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
}

double Percentile(std::vector<double>& values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const double rank = fraction * double(values.size() - 1);
  const size_t low = size_t(std::floor(rank));
  const size_t high = std::min(low + 1, values.size() - 1);
  return values[low] + (values[high] - values[low]) * (rank - double(low));
}

double Median(std::vector<double>& values) { return Percentile(values, 0.5); }

double Mean(const std::vector<double>& values) {
  if (values.empty()) return 0;
  return std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
}

double ProcessCpuMillis() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double WallMillis() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

}  // namespace vn::bench
