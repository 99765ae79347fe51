// data/keycodes.dat and the shipped data/settings.dat.
#include <bit>
#include <filesystem>
#include <stdexcept>

#include "tools/gen/file_output.h"
#include "tools/gen/key_names.h"
#include "tools/gen/sounds.h"

namespace vngen {
namespace {

// The game reads text one byte per character, so names are stored as ISO-8859-1.
std::string ToLatin1(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto lead = uint8_t(utf8[i]);
    if (lead < 0x80) {
      out.push_back(char(lead));
      continue;
    }
    // Latin-1 covers U+0080..U+00FF: two-byte sequences with lead byte C2 or C3.
    if ((lead != 0xC2 && lead != 0xC3) || i + 1 >= utf8.size())
      throw std::invalid_argument("key name not representable in ISO-8859-1: " + utf8);
    out.push_back(char(((lead & 0x03) << 6) | (uint8_t(utf8[++i]) & 0x3F)));
  }
  return out;
}

// Records of a name line and a code byte; the file ends right after the last
// code byte, since anything after it would be read as one more record.
std::vector<uint8_t> EncodeKeyNames(const std::vector<KeyName>& names) {
  std::vector<uint8_t> out;
  for (const KeyName& key : names) {
    for (char c : ToLatin1(key.name)) out.push_back(uint8_t(c));
    out.push_back(10);
    out.push_back(key.code);
  }
  return out;
}

void PutU16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(uint8_t(value & 0xFF));
  out.push_back(uint8_t(value >> 8));
}

// The 17-byte settings record: the nine bindings in file order (right, left, up,
// down, action, jump, inventory, draw weapon, look), the volume, the window size.
std::vector<uint8_t> EncodeShippedSettings() {
  std::vector<uint8_t> out = {39, 37, 38, 40, 162, 32, 73, 160, 76};
  const auto volume_bits = std::bit_cast<uint32_t>(1.0f);
  PutU16(out, uint16_t(volume_bits & 0xFFFF));
  PutU16(out, uint16_t(volume_bits >> 16));
  PutU16(out, 800);
  PutU16(out, 600);
  return out;
}

}  // namespace

void WriteDataFiles(const std::string& game_dir) {
  WriteFileAtomically(game_dir + "/data/keycodes.dat", EncodeKeyNames(GermanKeyNames()));
  // The player's own bindings and volume live in this file: a rebuild must not
  // reset them, so it is only written when there is none yet.
  const std::string settings = game_dir + "/data/settings.dat";
  std::error_code error;
  const bool exists = std::filesystem::exists(settings, error);
  if (error) throw std::runtime_error("cannot check " + settings + ": " + error.message());
  if (!exists) WriteFileAtomically(settings, EncodeShippedSettings());
}

}  // namespace vngen
