#pragma once
// Text drawn from a TrueType font through FreeType, glyphs cached as images.
// Strings are UTF-8; bytes that are not valid UTF-8 are taken as ISO-8859-1.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vn {

struct TImageFont;
using FontRef = std::shared_ptr<TImageFont>;

// Loads a font at a pixel size; style bit 4 = smooth (filtered glyphs with a
// transparent border). nullptr when the file is missing or not a font.
FontRef LoadFontFile(const std::string& path, int size, int style);
// Makes the font current; nullptr selects the built-in font (characters 32..127).
void SetCurrentFont(const FontRef& font);
// Draws with the top-left of the text at (x, y), in the current colour, alpha,
// blend, rotation, scale and origin.
void DrawTextAt(const std::string& text, float x, float y);
// Sum of the advances, unscaled, truncated after every character.
int MeasureTextWidth(const std::string& text);
// Rasterises the current font's glyphs of these characters and makes their
// textures now, so text drawn later in play does not stall its frame.
void PrepareText(const std::string& text);
int FontLineHeight();

// Conversions between the one-byte-per-character text of the data files and UTF-8.
std::string Latin1ToUtf8(const std::string& bytes);
// The lines of a text file's contents without their ends ("\n" or "\r\n"); a
// line end at the very end adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);
std::string Utf8ToLatin1(const std::string& text);
// The next character of a string from byte `pos`, which moves past it: a valid
// UTF-8 sequence gives its code point, any other byte its ISO-8859-1 character.
uint32_t NextCharacter(const std::string& text, size_t& pos);

// The built-in font's glyph for a character 32..127: an 8 x 16 coverage pixmap.
struct TPixmap;
std::shared_ptr<TPixmap> BuiltinGlyphPixmap(int code);

}  // namespace vn
