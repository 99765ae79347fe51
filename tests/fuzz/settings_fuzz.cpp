// Any bytes as the settings file: either a clean read error or values the game can use.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/resources.h"
#include "app/settings.h"
#include "engine/stream.h"
#include "play/bindings.h"
#include "world/map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vn::StreamRef stream = vn::OpenMemoryStream(std::vector<uint8_t>(data, data + size));
  try {
    vn::ReadSettings(*stream);
  } catch (const vn::TStreamReadException&) {
    return 0;   // a short file: the game reports it and ends
  }
  bool window_ok = vn::screen.screen_width >= 320 && vn::screen.screen_width <= 7680 && vn::screen.screen_height >= 240 &&
                   vn::screen.screen_height <= 4320;
  if (!window_ok || vn::bindings.sound_volume != vn::bindings.sound_volume) std::abort();
  return 0;
}
