// Any bytes as data/options.txt: refused with the defaults, or read so that the
// file the game writes back reads again as the same choices and lines.
#include <cstdint>
#include <string>

#include "app/options_file.h"

namespace {

bool SameChoices(const vn::TOptions& a, const vn::TOptions& b) {
  return a.fullscreen == b.fullscreen && a.integer_scaling == b.integer_scaling && a.gamepad == b.gamepad;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vn::TOptions read;
  if (!vn::ParseOptions(std::string(reinterpret_cast<const char*>(data), size), read)) {
    if (!SameChoices(read, vn::TOptions{}) || !read.lines.empty()) __builtin_trap();
    return 0;
  }
  const std::string written = vn::FormatOptions(read);
  vn::TOptions again;
  if (!vn::ParseOptions(written, again) || !SameChoices(read, again)) __builtin_trap();
  // Once written, the file stays the same from save to save.
  if (vn::FormatOptions(again) != written) __builtin_trap();
  return 0;
}
