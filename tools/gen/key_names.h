#pragma once
// The German display names of the key codes, as the key configuration screen shows them.
#include <cstdint>
#include <string>
#include <vector>

namespace vngen {

struct KeyName {
  uint8_t code;      // the game's key code (Windows virtual-key numbering)
  std::string name;  // UTF-8 here; stored as ISO-8859-1 in data/keycodes.dat
};

// One entry per key code the input translation can report, ascending by code.
const std::vector<KeyName>& GermanKeyNames();

}  // namespace vngen
