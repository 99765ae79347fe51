#include "tools/gen/art_letters.h"

#include <array>
#include <map>

namespace vngen {

namespace {

using Glyph = std::array<const char*, 7>;

const std::map<char, Glyph>& Glyphs() {
  static const std::map<char, Glyph> glyphs = {
      {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
      {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
      {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
      {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
      {'N', {"#...#", "##..#", "#.#.#", "#.#.#", "#..##", "#...#", "#...#"}},
      {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
      {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
      {'V', {"#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."}},
      {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
      {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
      {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
      {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
      {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
      {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
      {'S', {".###.", "#...#", "#....", ".###.", "....#", "#...#", ".###."}},
      {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
      {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
      {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
      {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
      {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
      {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
      {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
      {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
      {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
      {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
      {'>', {"#....", ".#...", "..#..", "...#.", "..#..", ".#...", "#...."}},
  };
  return glyphs;
}

// Calls paint(px, py) for every filled block of the text.
template <typename Paint>
void ForEachBlock(const std::string& text, int x, int y, int block, Paint paint) {
  int pen = x;
  for (char letter : text) {
    auto glyph = Glyphs().find(letter);
    if (glyph != Glyphs().end())
      for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
          if (glyph->second[size_t(row)][col] == '#') paint(pen + col * block, y + row * block);
    pen += 6 * block;
  }
}

}  // namespace

void PaintSmallText(Canvas& c, const std::string& text, int x, int y, Rgba colour) {
  ForEachBlock(text, x, y, 1, [&](int px, int py) { c.Set(px, py, colour); });
}

int PixelTextWidth(const std::string& text, int block) {
  return text.empty() ? 0 : int(text.size()) * 6 * block - block;
}

void PaintPixelText(Canvas& c, const std::string& text, int x, int y, int block, Rgba top, Rgba bottom,
                    Rgba outline, int outline_width) {
  int height = 7 * block;
  int shadow = outline_width + block / 2;
  ForEachBlock(text, x, y, block, [&](int px, int py) {
    c.FillRect(px - outline_width + shadow, py - outline_width + shadow, block + 2 * outline_width,
               block + 2 * outline_width, Shade(outline, 0.6f));
  });
  ForEachBlock(text, x, y, block, [&](int px, int py) {
    c.FillRect(px - outline_width, py - outline_width, block + 2 * outline_width, block + 2 * outline_width, outline);
  });
  ForEachBlock(text, x, y, block, [&](int px, int py) {
    for (int j = 0; j < block; ++j) {
      c.FillRect(px, py + j, block, 1, Mix(top, bottom, float(py - y + j) / float(height)));
    }
  });
}

}  // namespace vngen
