#include "tests/world/world_test_support.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "play/entities.h"
#include "world/actions.h"
#include "world/map_effects.h"

namespace vn::test {

LevelSnapshot LevelSnapshot::Take() {
  LevelSnapshot s;
  s.width = vn::map_width;
  s.height = map_height;
  s.tiles = map_tiles;
  s.codes = map_codes;
  s.characters = character_list.Count();
  s.actions = action_list.Count();
  s.effects_todo = effect_todo_list.Count();
  s.changes = change_list.Count();
  s.autoswitches = autoswitch_list.Count();
  s.cam_tile_x = vn::cam_tile_x;
  s.cam_tile_y = vn::cam_tile_y;
  s.cam_shift_x = vn::cam_shift_x;
  s.cam_shift_y = vn::cam_shift_y;
  s.inventory = vn::inventory;
  return s;
}

Bytes& Bytes::F32(float v) {
  uint32_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  return I32(int32_t(bits));
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vn::test
