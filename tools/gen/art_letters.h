#pragma once
// Pixel letters from our own 5 x 7 shapes: big ones for the title picture,
// one-pixel ones for the key pictograms.
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

// Upper-case text in single pixels of one colour, 7 pixels high, letters 6
// pixels apart (PixelTextWidth(text, 1) wide).
void PaintSmallText(Canvas& c, const std::string& text, int x, int y, Rgba colour);

}  // namespace vngen
