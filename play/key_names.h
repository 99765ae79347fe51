#pragma once
// The display names of the keys, read from the key-name file at start-up
// (app/settings.h); the key caps of play (play/key_caps.h) show them.
#include <array>
#include <string>

namespace vn {

struct KeyNames {
  std::array<std::string, 256> key_names;   // by key code, UTF-8; empty where the file names no key
  void Reset();                             // every name empty
};
inline KeyNames key_name_table;

}  // namespace vn
