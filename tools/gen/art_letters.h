#pragma once
// Big pixel letters for the title picture, drawn from our own 5 x 7 shapes.
#include <string>

#include "tools/gen/art_canvas.h"

namespace vngen {

// Width in pixels of text at the given block size (letters 5 blocks wide,
// one block apart). Letters without a shape count as a space.
int PixelTextWidth(const std::string& text, int block);
// Paints upper-case text with its top-left corner at (x, y): each letter
// block is block x block pixels, filled with a gradient from top to bottom,
// ringed by an outline of outline_width pixels and a drop shadow.
void PaintPixelText(Canvas& c, const std::string& text, int x, int y, int block, Rgba top, Rgba bottom,
                    Rgba outline, int outline_width);

}  // namespace vngen
