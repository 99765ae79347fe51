// Level files from arbitrary bytes: the parser must refuse or accept without
// reading or allocating out of bounds, and an accepted level must load and play
// its actions safely.
//
// Input framing: byte 0 bit 0 = the map-data file exists; bytes 1-2 and 3-4
// (little-endian) = lengths of the map file and the map-data file; then the map
// file, the map-data file and, for the rest, the effects file.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "world/actions.h"
#include "world/level_data.h"
#include "world/level_files.h"
#include "world/map.h"
#include "world/map_effects.h"
#include "world/world.h"

namespace {

std::vector<uint8_t> Take(const uint8_t*& data, size_t& size, size_t want) {
  const size_t n = want < size ? want : size;
  std::vector<uint8_t> out(data, data + n);
  data += n;
  size -= n;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  const bool has_vnd = (data[0] & 1) != 0;
  const size_t vnm_size = size_t(data[1]) | size_t(data[2]) << 8;
  const size_t vnd_size = size_t(data[3]) | size_t(data[4]) << 8;
  data += 5;
  size -= 5;
  const auto vnm = Take(data, size, vnm_size);
  const auto vnd = Take(data, size, vnd_size);
  const auto eff = Take(data, size, size);

  vn::LevelData level;
  std::string error;
  if (!vn::ParseLevelData(vnm, has_vnd ? &vnd : nullptr, eff, level, error)) {
    if (error.empty()) __builtin_trap();   // a refusal always says why
    return 0;
  }

  // What was accepted encodes back to the same files (filler bytes aside).
  vn::LevelData again;
  const auto vnd_again = vn::EncodeActionsFile(level);
  if (!vn::ParseLevelData(vn::EncodeMapFile(level), has_vnd ? &vnd_again : nullptr, vn::EncodeEffectsFile(level),
                          again, error) ||
      again.tiles[2] != level.tiles[2] || again.actions.size() != level.actions.size() ||
      again.effects.size() != level.effects.size() || again.characters.size() != level.characters.size())
    __builtin_trap();

  vn::ApplyLevelData(level);
  // Only the actions: columns grab from a window this target does not open.
  std::set<uint8_t> numbers;
  for (const auto& a : level.actions) numbers.insert(a.nr);
  vn::world.effect_todo_list.Clear();
  for (const uint8_t nr : numbers) vn::TriggerAction(nr);
  for (int32_t x = -40; x < 64 * 32; x += 37) vn::ScanAhead(x, x / 3, x % 2 ? 1 : -1);
  vn::progress.change_list.Clear();
  return 0;
}
