// Feeds arbitrary bytes to the bitmap decoder: it must fail cleanly or give a
// pixmap whose buffer matches its size, never read or write out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/graphics.h"
#include "engine/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vn::StreamRef stream = vn::OpenMemoryStream(std::vector<uint8_t>(data, data + size));
  if (!stream) return 0;
  const vn::PixmapRef pixmap = vn::DecodeBMP(*stream);
  if (pixmap && pixmap->pixels.size() != size_t(pixmap->pitch) * size_t(pixmap->height)) std::abort();
  return 0;
}
