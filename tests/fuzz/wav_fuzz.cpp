// Feeds arbitrary bytes to the WAV decoder and converts whatever it accepts, as
// LoadSound would for a damaged or hostile file in sfx/.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/platform.h"
#include "engine/sound.h"
#include "engine/stream.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vn::SetHeadless(true);  // convert at the mixer's rate without opening a device
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vn::StreamRef stream = vn::OpenMemoryStream(std::vector<uint8_t>(data, data + size));
  if (!stream) return 0;
  const auto sample = vn::DecodeWAV(*stream);
  if (!sample) return 0;
  if (sample->samples.size() > size) __builtin_trap();  // decoded more bytes than the file has
  if (const vn::SoundRef sound = vn::CreateSound(*sample, 2)) {
    if (sound->frames.size() != size_t(sound->frame_count) * 2) __builtin_trap();
  }
  return 0;
}
