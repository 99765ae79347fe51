#pragma once
// Helpers shared by the world tests: a snapshot of the running level that tells
// whether a refused load changed anything, and little-endian byte building.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "world/inventory.h"
#include "world/map.h"

namespace vn::test {

struct LevelSnapshot {
  uint16_t width = 0, height = 0;
  std::vector<uint16_t> tiles;
  std::vector<uint8_t> codes;
  size_t characters = 0, actions = 0, effects_todo = 0, changes = 0, autoswitches = 0;
  int32_t cam_tile_x = 0, cam_tile_y = 0, cam_shift_x = 0, cam_shift_y = 0;
  std::array<std::array<uint16_t, 2>, kInventorySlots> inventory{};

  static LevelSnapshot Take();
  bool operator==(const LevelSnapshot&) const = default;
};

// Appends values in the files' byte order.
class Bytes {
 public:
  Bytes& U8(int v) { data.push_back(uint8_t(v)); return *this; }
  Bytes& U16(int v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
  Bytes& I32(int32_t v) {
    const auto u = uint32_t(v);
    return U16(int(u & 0xFFFF)).U16(int(u >> 16));
  }
  Bytes& F32(float v);
  Bytes& Text(const std::string& s) {
    data.insert(data.end(), s.begin(), s.end());
    return *this;
  }
  std::vector<uint8_t> data;
};

}  // namespace vn::test
