#pragma once
// The game's pictures, painted by code.
#include <string>

namespace vngen {

// Writes every picture under game_dir/gfx (tiles, guns, crosshair, explosion,
// background, title, bag).
void WriteAllPictures(const std::string& game_dir);

}  // namespace vngen
