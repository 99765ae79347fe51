// Any bytes as the key-name file: a clean read error or names that are valid UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/settings.h"
#include "app/title_menu.h"
#include "play/key_names.h"
#include "engine/stream.h"

namespace {

bool IsUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    auto byte = static_cast<unsigned char>(text[i]);
    size_t extra = byte < 0x80 ? 0 : (byte >> 5) == 0x6 ? 1 : (byte >> 4) == 0xE ? 2 : (byte >> 3) == 0x1E ? 3 : 9;
    if (extra > 3 || (extra > 0 && i + extra >= text.size())) return false;
    for (size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) return false;
    i += extra + 1;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (auto& name : vn::key_name_table.key_names) name.clear();
  vn::StreamRef stream = vn::OpenMemoryStream(std::vector<uint8_t>(data, data + size));
  try {
    vn::ReadKeyNames(*stream);
  } catch (const vn::TStreamReadException&) {
    return 0;   // a record without its code byte
  }
  for (const std::string& name : vn::key_name_table.key_names) {
    if (!IsUtf8(name) || name.find('\r') != std::string::npos || name.find('\n') != std::string::npos) std::abort();
  }
  return 0;
}
