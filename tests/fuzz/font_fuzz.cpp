// Any bytes as the game's font file: loading either refuses or gives a font
// whose glyphs can be rasterised and measured without touching memory it does
// not own. The loader reads from a path, so every input goes through a scratch
// file that belongs to this fuzzing process alone.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/text.h"

namespace {

// Removed again when the fuzzer exits, so runs leave nothing behind in /tmp.
struct ScratchFile {
  std::string path = "/tmp/vn_font_fuzz_" + std::to_string(getpid()) + ".ttf";
  ~ScratchFile() { unlink(path.c_str()); }
};

const std::string& ScratchPath() {
  static const ScratchFile file;
  return file.path;
}

// ASCII, umlauts, a character outside ISO-8859-1 and a broken UTF-8 byte.
const std::string kSample = "Vornadel 0123 \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F \xE2\x82\xAC \xFF ~";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out(ScratchPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
  }
  for (const int style : {0, 4}) {
    const vn::FontRef font = vn::LoadFontFile(ScratchPath(), 12, style);
    if (!font) continue;
    vn::SetCurrentFont(font);
    (void)vn::MeasureTextWidth(kSample);
    if (vn::MeasureTextWidth("") != 0) std::abort();
    (void)vn::FontLineHeight();
    vn::SetCurrentFont(nullptr);
  }
  return 0;
}
