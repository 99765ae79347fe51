// Any bytes as the gamecontrollerdb.txt beside the game: the lines that look
// like mappings go to SDL's controller layer, which must take or refuse them
// without reading out of bounds.
#include <cstdint>
#include <string>

#include "engine/gamepad.h"
#include "engine/platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = [] {
    vn::SetHeadless(true);
    return vn::InitPlatform();
  }();
  if (!ready) __builtin_trap();
  const std::string text(reinterpret_cast<const char*>(data), size);
  size_t lines = 1;
  for (const char c : text) lines += c == '\n' ? 1 : 0;
  if (size_t(vn::AddControllerMappings(text)) > lines) __builtin_trap();
  return 0;
}
