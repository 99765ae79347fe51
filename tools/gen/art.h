#pragma once
// The game's pictures, painted by code.
#include <string>

namespace vngen {

// Writes every picture under game_dir/gfx (tiles, guns, crosshair, explosion,
// background, title, bag).
void WriteAllPictures(const std::string& game_dir);

// The launcher icon's sizes in pixels, smallest first.
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// Writes the icon in every size as folder/<N>x<N>/apps/<name>.png, the layout
// of an icon theme. Throws std::runtime_error when a file cannot be written.
void WriteIcons(const std::string& folder, const std::string& name);

}  // namespace vngen
