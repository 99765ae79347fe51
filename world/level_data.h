#pragma once
// A level's three files as plain data: read and checked completely before the
// game's state is touched, and written by the level compiler and test builders.
#include <cstdint>
#include <string>
#include <vector>

namespace vn {

struct LevelCharacter {
  int32_t x = 0, y = 0;
  uint8_t typ = 0, power = 0;
  uint16_t action_radius = 0, item = 0;
  uint8_t gun = 0;
  uint8_t reserved[7] = {};
};
struct LevelAction {
  uint8_t nr = 0;
  uint16_t x = 0, y = 0, new_tile = 0;
  uint8_t layer = 0;
};
struct LevelEffect {
  uint8_t nr = 0;
  uint16_t x = 0, y = 0;
  uint8_t layer = 0, typ = 0;
};

// Far beyond any level a person would build, and small enough that the arrays
// (with margin) stay a few hundred megabytes at most.
inline constexpr uint64_t kMaxMapCells = 16u * 1024u * 1024u;

struct LevelData {
  uint16_t width = 0, height = 0;
  std::vector<uint16_t> tiles[3];   // per layer, row-major: y * width + x
  std::vector<uint8_t> codes;       // row-major
  std::vector<LevelCharacter> characters;
  std::vector<LevelAction> actions;
  std::vector<LevelEffect> effects;
  bool has_actions_file = false;    // a level without .vnd has no actions

  void Resize(uint16_t w, uint16_t h);   // zeroed layers and codes
  uint16_t& Tile(int layer, int x, int y) { return tiles[layer][static_cast<size_t>(y) * width + x]; }
  uint8_t& Code(int x, int y) { return codes[static_cast<size_t>(y) * width + x]; }
};

// Reads directory/name.vnm, .vnd (optional) and .eff. On any fault (missing
// file, empty dimension, a file ending inside a record, a coordinate outside
// the map, a layer that does not exist) returns false and sets error to an
// English description naming the file.
bool ReadLevelData(const std::string& directory, const std::string& name, LevelData& out, std::string& error);
// Where the game's levels lie, below the game directory.
inline constexpr const char* kLevelDirectory = "map";
// The same from bytes in memory (fuzzing, tests). vnd may be null for "no file".
bool ParseLevelData(const std::vector<uint8_t>& vnm, const std::vector<uint8_t>* vnd,
                    const std::vector<uint8_t>& eff, LevelData& out, std::string& error);
// Where a character from a level file or a save game may stand (world pixels).
// The largest map is about two million pixels wide; movement and drawing add
// offsets to positions, which must not overflow near the ends of the int32 range.
inline constexpr int32_t kFarthestPosition = 1 << 24;
bool PositionPlayable(int32_t x, int32_t y);
// Writes the three files (the .vnd only when has_actions_file or actions exist).
bool WriteLevelFiles(const std::string& directory, const std::string& name, const LevelData& level);
// Encodes each file's bytes exactly as stored.
std::vector<uint8_t> EncodeMapFile(const LevelData& level);
std::vector<uint8_t> EncodeActionsFile(const LevelData& level);
std::vector<uint8_t> EncodeEffectsFile(const LevelData& level);

}  // namespace vn
