// A monkey plays every shipped level with random keys on the virtual clock and
// the map model is checked after every frame. It finds what scripted tests
// miss: state that drifts out of range after thousands of frames, lists that
// grow without bound, a save or load at an awkward moment.
//
// VN_SOAK_SECONDS sets the game seconds per level (default 20); VN_SOAK_SEED
// the monkey's seed. The resident memory at the start and the end is printed,
// so a long run under the sanitizers also shows whether memory stays flat.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/resources.h"
#include "app/settings.h"
#include "engine/input.h"
#include "engine/stream.h"
#include "play/bindings.h"
#include "play/entities.h"
#include "play/inventory_screen.h"
#include "play/play_loop.h"
#include "play/tables.h"
#include "tests/support/harness.h"
#include "world/inventory.h"
#include "world/level_data.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/world.h"

namespace vn {
namespace {

constexpr int kFrameMs = 16;
constexpr int kKeyEscape = 27, kKeyF1 = 112, kKeyF3 = 114, kKeyF12 = 123, kKeySpace = 32;
// Far above anything a level produces in play; a list this long is a leak.
constexpr size_t kMaxShots = 10000, kMaxFragments = 100000, kMaxExplosions = 10000;

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word)
    if (word == "VmRSS:") {
      long kb = 0;
      status >> kb;
      return kb;
    }
  return -1;
}

long EnvNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  const long value = std::strtol(text, nullptr, 10);
  return value > 0 ? value : fallback;
}

// The largest character count the level file of each index holds: play may
// kill characters, never make more than the level brought.
struct ShippedLevel {
  uint8_t index = 0;
  size_t characters = 0;
};

std::vector<ShippedLevel> FindShippedLevels() {
  std::vector<ShippedLevel> levels;
  for (int i = 0; i < 10; ++i) {
    if (tables.level_names[i].empty()) continue;
    LevelData data;
    std::string error;
    if (ReadLevelData("map", tables.level_names[i], data, error)) levels.push_back({uint8_t(i), data.characters.size()});
  }
  return levels;
}

::testing::AssertionResult MapModelIsSound(const std::vector<size_t>& characters_of_level) {
  const size_t cells = size_t(world.map_width + kMapMargin) * size_t(world.map_height + kMapMargin);
  if (world.map_tiles.size() != cells * kLayerCount || world.map_codes.size() != cells)
    return ::testing::AssertionFailure() << "map arrays " << world.map_tiles.size() << "/" << world.map_codes.size()
                                         << " for " << world.map_width << " x " << world.map_height;
  if (camera.cam_shift_x < -kTileSize || camera.cam_shift_x > 0 || camera.cam_shift_y < -kTileSize || camera.cam_shift_y > 0)
    return ::testing::AssertionFailure() << "camera shift " << camera.cam_shift_x << ", " << camera.cam_shift_y;
  if (world.shot_list.Count() >= kMaxShots || world.fragment_list.Count() >= kMaxFragments ||
      world.explosion_list.Count() >= kMaxExplosions)
    return ::testing::AssertionFailure() << "lists grow: " << world.shot_list.Count() << " shots, "
                                         << world.fragment_list.Count() << " fragments, " << world.explosion_list.Count()
                                         << " explosions";
  if (run.level_index < characters_of_level.size() && world.character_list.Count() > characters_of_level[run.level_index])
    return ::testing::AssertionFailure() << world.character_list.Count() << " characters in level "
                                         << int(run.level_index) << ", whose file has "
                                         << characters_of_level[run.level_index];
  for (const auto& slot : progress.inventory)
    if (slot[0] > 1) return ::testing::AssertionFailure() << "inventory held flag " << slot[0];
  return ::testing::AssertionSuccess();
}

class Monkey {
 public:
  explicit Monkey(uint32_t seed) : random_(seed) {}

  // One frame's worth of input: hold or release a movement key, now and then
  // a function key. Escape is rare so that runs last long enough to matter.
  void Act() {
    static const int kHeldKeys[] = {37, 38, 39, 40, kKeySpace, 162, 160, 76};
    const int key = kHeldKeys[Pick(std::size(kHeldKeys))];
    if (IsKeyDown(key)) test::ReleaseKey(key);
    else test::HoldKey(key);
    if (Chance(60)) test::TapKey(kKeyF1);
    if (Chance(90)) test::TapKey(kKeyF3);
    if (Chance(400)) test::TapKey(kKeyF12);
    if (Chance(150)) {
      // The bag is a modal screen: the close key is queued behind the open key
      // so that it shows for exactly one frame inside the play loop. Escape,
      // because the play keys' presses (Space jumps) are taken before the bag opens.
      test::TapKey(bindings.key_inventory);
      test::TapKey(kKeyEscape);
    }
  }
  bool Chance(uint32_t one_in) { return Pick(one_in) == 0; }
  bool WantsEscape() { return Chance(700); }
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

 private:
  std::mt19937 random_;
};

// Browses the bag on its own for a few frames with random arrows and uses a slot.
void BrowseInventory(Monkey& monkey) {
  // Act may have queued the open and close keys for the play loop's own bag.
  // Browsing would take the close key and leave the open key behind, and the
  // play loop's bag would then wait for a close key that never comes.
  TakeKeyHits(bindings.key_inventory);
  TakeKeyHits(kKeyEscape);
  BeginInventoryScreen();
  const size_t frames = 1 + monkey.Pick(20);
  for (size_t i = 0; i < frames; ++i) {
    if (monkey.Chance(3)) test::TapKey(monkey.Chance(2) ? 37 : 39);
    if (monkey.Chance(10)) test::TapKey(162);
    if (!InventoryFrame()) break;
  }
  // Escape closes the bag at once; a bag that stays open would hang the game.
  bool open = true;
  for (int tries = 0; open && tries < 3; ++tries) {
    test::TapKey(kKeyEscape);
    open = InventoryFrame();
  }
  EXPECT_FALSE(open) << "the bag does not close on Escape";
  SetDrawScale(1, 1);
}

// A modal screen waiting for a key the monkey cannot press would stall the run
// for good; the watchdog turns a stall into a failure that says where it stopped.
class Watchdog {
 public:
  explicit Watchdog(std::chrono::seconds limit) : thread_([this, limit] { Watch(limit); }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  void Feed() { frames_.fetch_add(1, std::memory_order_relaxed); }

 private:
  void Watch(std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    long seen = -1;
    while (!wake_.wait_for(lock, limit, [this] { return done_; })) {
      const long frames = frames_.load(std::memory_order_relaxed);
      if (frames == seen) {
        std::fprintf(stderr, "soak: no frame of play finished for %lld s after frame %ld\n",
                     static_cast<long long>(limit.count()), frames);
        std::_Exit(1);
      }
      seen = frames;
    }
  }
  std::atomic<long> frames_{0};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread thread_;
};

class Soak : public test::GameTest {};

TEST_F(Soak, RandomPlayOfEveryShippedLevelKeepsTheMapModelSound) {
  const char* data = std::getenv("VN_GAME_DATA");
  if (!data || GetFileKind(std::string(data) + "/map") != 2)
    GTEST_SKIP() << "no built game data (VN_GAME_DATA): build the game_data target first";
  for (const char* sub : {"map", "gfx", "sfx"})
    std::filesystem::copy(std::string(data) + "/" + sub, dir_.File(sub),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  LoadResources();

  const std::vector<ShippedLevel> levels = FindShippedLevels();
  ASSERT_FALSE(levels.empty()) << "no level in " << data << "/map loads";
  std::vector<size_t> characters_of_level(10, 0);
  for (const auto& level : levels) characters_of_level[level.index] = level.characters;

  const long frames_per_level = EnvNumber("VN_SOAK_SECONDS", 20) * 1000 / kFrameMs;
  const auto seed = uint32_t(EnvNumber("VN_SOAK_SEED", 20261208));
  Monkey monkey(seed);
  const long rss_start = ResidentKilobytes();
  long frames_played = 0, runs = 0;
  Watchdog watchdog(std::chrono::seconds(120));

  for (const auto& level : levels) {
    for (long frame = 0; frame < frames_per_level;) {
      run.level_index = level.index;
      ASSERT_TRUE(BeginLevelRun()) << tables.level_names[level.index];
      ++runs;
      // A run ends at Escape, at the tutorial's exit or after the last level.
      for (bool going_on = true; going_on && frame < frames_per_level; ++frame, ++frames_played) {
        monkey.Act();
        if (monkey.Chance(500)) BrowseInventory(monkey);
        if (monkey.WantsEscape()) test::TapKey(kKeyEscape);
        going_on = PlayFrame();
        watchdog.Feed();
        ASSERT_TRUE(MapModelIsSound(characters_of_level))
            << "level " << int(run.level_index) << ", frame " << frame << ", seed " << seed;
      }
      test::ReleaseAllKeys();
      ClearKeys();
    }
    std::cout << "soak: level " << int(level.index) << " done after " << frames_played << " frames, resident memory "
              << ResidentKilobytes() << " kB" << std::endl;
  }

  const long rss_end = ResidentKilobytes();
  std::cout << "soak: " << levels.size() << " levels, " << runs << " runs, " << frames_played
            << " frames, seed " << seed << ", resident memory " << rss_start << " kB at the start, " << rss_end
            << " kB at the end" << std::endl;
}

}  // namespace
}  // namespace vn
