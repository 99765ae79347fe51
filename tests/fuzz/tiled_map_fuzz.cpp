// Any bytes as a hand-edited level source for vnlevel: refused with messages,
// or compiled into a level that exports and compiles back to the same files.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/levelc/levelc.h"
#include "world/level_data.h"

namespace {

std::vector<std::vector<uint8_t>> Encoded(const vn::LevelData& level) {
  return {vn::EncodeMapFile(level), vn::EncodeActionsFile(level), vn::EncodeEffectsFile(level)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using nlohmann::json;
  const json map = json::parse(data, data + size, nullptr, false);
  if (map.is_discarded()) return 0;
  vn::LevelData level;
  std::string name;
  vn::levelc::Diagnostics diagnostics;
  if (!vn::levelc::CompileMap(map, "fuzz.json", {}, level, name, diagnostics)) {
    if (!diagnostics.HasErrors()) __builtin_trap();   // a refusal always says why
    return 0;
  }
  const json exported = json::parse(vn::levelc::FormatMapJson(vn::levelc::ExportMap(level, name)), nullptr, false);
  vn::LevelData again;
  std::string name_again;
  vn::levelc::Diagnostics quiet;
  if (!vn::levelc::CompileMap(exported, "fuzz.json", {}, again, name_again, quiet) || name_again != name ||
      Encoded(again) != Encoded(level))
    __builtin_trap();
  return 0;
}
