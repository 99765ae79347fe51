#pragma once
// Test support: a headless engine on the virtual clock, temporary game
// directories, a level builder and frame stepping with injected input.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/graphics.h"
#include "play/entities.h"
#include "world/level_data.h"

namespace vn::test {

// Headless SDL, virtual clock, an 800 x 600 window, fixed random seed, the fixed
// tables filled and the default key bindings. Called by the test main.
void InitTestEnvironment();
// Resets lists, map, inventory, input and run state between tests.
void ResetGameState();

// A fresh directory with gfx/ sfx/ map/ data/ that becomes the working
// directory while the object lives.
class TempGameDir {
 public:
  TempGameDir();
  ~TempGameDir();
  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& relative) const { return (path_ / relative).string(); }
 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

// Builds a small level in memory and writes it into map/ of the working directory.
class LevelBuilder {
 public:
  LevelBuilder(uint16_t width, uint16_t height);
  LevelBuilder& Tile(int layer, int x, int y, uint16_t value);
  LevelBuilder& Code(int x, int y, uint8_t value);
  LevelBuilder& Fill(int layer, int x0, int y0, int x1, int y1, uint16_t value);  // inclusive
  LevelBuilder& Floor(int row, uint16_t value = 1);            // whole row solid
  LevelBuilder& Player(int32_t x, int32_t y, uint8_t power = 100, uint8_t gun = 0);
  LevelBuilder& Enemy(int32_t x, int32_t y, uint8_t power = 100, uint8_t gun = 0,
                      uint16_t radius = 0, uint16_t item = 0, uint8_t typ = 1);
  LevelBuilder& Action(uint8_t nr, uint16_t x, uint16_t y, uint16_t new_tile, uint8_t layer);
  LevelBuilder& Effect(uint8_t nr, uint16_t x, uint16_t y, uint8_t layer, uint8_t typ);
  LevelData& Data() { return data_; }
  // Writes map/<name>.* in the working directory.
  void Write(const std::string& name) const;
  // Writes the level and loads it with LoadLevel (asserts success).
  void Load(const std::string& name = "Test") const;
  // Writes the level, makes it level_names[index] and starts a level run on it
  // with BeginLevelRun (asserts success), as the menu would.
  void Start(const std::string& name = "Test", uint8_t index = 1) const;
 private:
  LevelData data_;
};

// A whole file's bytes (empty when it cannot be read); writing replaces the file.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Input: keys enter through the engine's real translation.
void HoldKey(int key);
void ReleaseKey(int key);
void TapKey(int key);          // down and up before the next frame
void ReleaseAllKeys();
void TapPadButton(int pad, int button);   // a virtual pad's button down and up before the next frame
// Runs n frames of the play loop; stops early (returning false) when the run ends.
bool StepFrames(int n);
// Runs frames until pred() holds or max_frames have run; true when it held.
template <typename Pred>
bool StepUntil(Pred pred, int max_frames);
bool StepFramesWhileHolding(int key, int n);   // holds key for n frames, then releases it

// The map changes recorded so far as (x, y, layer, new tile), oldest first.
using MapChanges = std::vector<std::array<int, 4>>;
MapChanges RecordedChanges();

// The player record, or nullptr once it is dead.
PlayerRef Player();
// Takes every enemy out of the level at once (no death, no debris, no drop).
void RemoveEnemies();
// A character with the given mode (facing), bypassing the random facing of Create_Player.
PlayerRef AddCharacter(int32_t x, int32_t y, uint8_t typ = 0, uint8_t mode = 1, uint8_t power = 100);

// Puts the drawing state back to what the game sets at start-up: no rotation,
// scale 1, origin 0, white colour at full alpha, alpha blending, white clear
// colour, magenta mask.
void ResetDrawState();

// A picture of one frame filled with one opaque colour.
ImageRef SolidImage(int width, int height, uint8_t r, uint8_t g, uint8_t b);

// One pixel of the render target as it stands now.
struct Rgb {
  int r = 0, g = 0, b = 0;
};
Rgb PixelAt(int x, int y);
// Pixel comparison with the +-1 per channel the software renderer needs.
::testing::AssertionResult PixelIs(int x, int y, int r, int g, int b);

// Base fixture of gameplay tests: a fresh game directory and game state, keys
// released afterwards.
class GameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  TempGameDir dir_;
};

template <typename Pred>
bool StepUntil(Pred pred, int max_frames) {
  for (int i = 0; i < max_frames; ++i) {
    if (pred()) return true;
    if (!StepFrames(1)) return pred();
  }
  return pred();
}

}  // namespace vn::test
