#pragma once
// Masked pictures as 24-bit BMP: magenta (255, 0, 255) is the only colour the
// game treats as transparent.
#include <string>

#include "tools/gen/art_canvas.h"

namespace vngen {

constexpr Rgba kMagenta{255, 0, 255, 255};

// The colour written for a pixel: magenta where the canvas is see-through
// (alpha below 128), otherwise the pixel's colour, nudged off magenta should a
// painter ever produce it, so no painted pixel turns into a hole.
Rgba MaskedColor(Rgba pixel);
// Writes the canvas as a bottom-up 24-bit BMP. Throws std::runtime_error when
// the file cannot be written completely.
void WriteMaskedBmp(const Canvas& canvas, const std::string& path);

}  // namespace vngen
