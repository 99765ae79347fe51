// Text: FreeType rasterises glyph coverage once per glyph, and each glyph is
// drawn as an image, so text follows the drawing colour, alpha, blend,
// rotation, scale and origin like any picture.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <unordered_map>
#include <vector>

#include "engine/graphics.h"
#include "engine/numbers.h"
#include "engine/stream.h"
#include "engine/text.h"

namespace vn {

struct TImageGlyph {
  ImageRef _image;        // nothing for blank glyphs such as the space
  float _advance = 0;     // pixels the pen moves after the glyph
  int _x = 0, _y = 0;     // offset of the image from the pen
  int _w = 0, _h = 0;     // size of the image
};

struct TImageFont {
  FT_Face _src_font = nullptr;  // nothing for the built-in font
  std::vector<uint8_t> file_bytes;  // FreeType reads the face from here while it lives
  std::unordered_map<int, TImageGlyph> _glyphs;  // by glyph index, made on first use
  int _imageFlags = 0;
  int size = 0, style = 0;
  int height = 0, ascender = 0, descender = 0;

  TImageFont() = default;
  TImageFont(const TImageFont&) = delete;
  TImageFont& operator=(const TImageFont&) = delete;
  ~TImageFont() {
    if (_src_font) FT_Done_Face(_src_font);
  }
};

namespace {

constexpr int kStyleSmooth = 4;
constexpr int kBuiltinLineHeight = 16;
constexpr float kBuiltinAdvance = 8;

FontRef current_font;

// One FreeType instance for the whole run; it is never released, because fonts
// held in globals may still close their faces while the program exits.
FT_Library FreeTypeLibrary() {
  static FT_Library library = [] {
    FT_Library made = nullptr;
    if (FT_Init_FreeType(&made) != 0) made = nullptr;
    return made;
  }();
  return library;
}

const FontRef& BuiltinFont() {
  static const FontRef font = [] {
    auto made = std::make_shared<TImageFont>();
    made->height = kBuiltinLineHeight;
    made->ascender = kBuiltinLineHeight;
    return made;
  }();
  return font;
}

TImageFont& CurrentFont() { return current_font ? *current_font : *BuiltinFont(); }

// The font's glyph index for a character, -1 when it has none. FreeType's
// glyph 0 is the "missing" box, which the game never shows.
int GlyphIndex(const TImageFont& font, uint32_t code) {
  if (!font._src_font) return code >= 32 && code <= 127 ? int(code) - 32 : -1;
  return int(FT_Get_Char_Index(font._src_font, FT_ULong(code))) - 1;
}

// The rendered coverage as an A8 pixmap; monochrome bitmaps become 0 or 255.
PixmapRef CoveragePixmap(const FT_Bitmap& bitmap, int border) {
  const int width = int(bitmap.width), rows = int(bitmap.rows);
  PixmapRef pixmap = CreatePixmap(width + 2 * border, rows + 2 * border, PF_A8);
  if (!pixmap) return nullptr;
  const int pitch = bitmap.pitch;
  const uint8_t* top = pitch < 0 ? bitmap.buffer + size_t(-pitch) * size_t(rows - 1) : bitmap.buffer;
  const int grays = bitmap.num_grays > 1 ? bitmap.num_grays : 256;
  for (int y = 0; y < rows; ++y) {
    const uint8_t* row = top + ptrdiff_t(y) * pitch;
    uint8_t* out = pixmap->pixels.data() + size_t(y + border) * size_t(pixmap->pitch) + size_t(border);
    for (int x = 0; x < width; ++x) {
      switch (bitmap.pixel_mode) {
        case FT_PIXEL_MODE_MONO: out[x] = (row[x / 8] & (0x80 >> (x % 8))) ? 255 : 0; break;
        case FT_PIXEL_MODE_GRAY: out[x] = uint8_t(row[x] * 255 / (grays - 1)); break;
        case FT_PIXEL_MODE_BGRA: out[x] = row[x * 4 + 3]; break;
        default: out[x] = 0; break;
      }
    }
  }
  return pixmap;
}

TImageGlyph RasteriseGlyph(TImageFont& font, int index) {
  TImageGlyph glyph;
  if (!font._src_font) {
    glyph._advance = kBuiltinAdvance;
    PixmapRef pixmap = BuiltinGlyphPixmap(index + 32);
    if (!pixmap) return glyph;
    glyph._w = pixmap->width;
    glyph._h = pixmap->height;
    glyph._image = ImageFromPixmap(std::move(pixmap), 0);
    return glyph;
  }

  FT_Face face = font._src_font;
  if (FT_Load_Glyph(face, FT_UInt(index + 1), FT_LOAD_DEFAULT) != 0) return glyph;
  glyph._advance = float(face->glyph->advance.x >> 6);
  if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) return glyph;
  const FT_Bitmap& bitmap = face->glyph->bitmap;
  glyph._x = face->glyph->bitmap_left;
  glyph._y = font.ascender - face->glyph->bitmap_top;
  glyph._w = int(bitmap.width);
  glyph._h = int(bitmap.rows);
  if (glyph._w <= 0 || glyph._h <= 0) return glyph;

  // A transparent rim lets filtered sampling fade the glyph's edge out
  // instead of cutting it off at the texture border.
  const int border = (font.style & kStyleSmooth) ? 1 : 0;
  glyph._x -= border;
  glyph._y -= border;
  glyph._w += 2 * border;
  glyph._h += 2 * border;
  glyph._image = ImageFromPixmap(CoveragePixmap(bitmap, border), font._imageFlags);
  return glyph;
}

const TImageGlyph& Glyph(TImageFont& font, int index) {
  auto found = font._glyphs.find(index);
  if (found != font._glyphs.end()) return found->second;
  return font._glyphs.emplace(index, RasteriseGlyph(font, index)).first->second;
}

// Length of a UTF-8 sequence from its lead byte and the smallest code point it
// may carry (shorter forms are not valid UTF-8); 0 for a byte that cannot lead.
int SequenceLength(uint8_t lead, uint32_t& minimum) {
  if (lead >= 0xC2 && lead <= 0xDF) { minimum = 0x80; return 2; }
  if (lead >= 0xE0 && lead <= 0xEF) { minimum = 0x800; return 3; }
  if (lead >= 0xF0 && lead <= 0xF4) { minimum = 0x10000; return 4; }
  return 0;
}

}  // namespace

uint32_t NextCharacter(const std::string& text, size_t& pos) {
  const uint8_t lead = uint8_t(text[pos]);
  uint32_t minimum = 0;
  const int length = lead < 0x80 ? 1 : SequenceLength(lead, minimum);
  if (length > 1 && pos + size_t(length) <= text.size()) {
    uint32_t code = lead & (0x7F >> length);
    bool valid = true;
    for (int i = 1; i < length && valid; ++i) {
      const uint8_t next = uint8_t(text[pos + size_t(i)]);
      valid = (next & 0xC0) == 0x80;
      code = code << 6 | (next & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (valid && code >= minimum && code <= 0x10FFFF && !surrogate) {
      pos += size_t(length);
      return code;
    }
  }
  ++pos;
  return lead;
}

std::string Latin1ToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const uint8_t b = uint8_t(c);
    if (b < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(char(0xC0 | b >> 6));
      out.push_back(char(0x80 | (b & 0x3F)));
    }
  }
  return out;
}

std::string Utf8ToLatin1(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  // Characters beyond ISO-8859-1 keep their low 8 bits, as the data files
  // store every character in one byte.
  for (size_t pos = 0; pos < text.size();) out.push_back(char(uint8_t(NextCharacter(text, pos) & 0xFF)));
  return out;
}

FontRef LoadFontFile(const std::string& path, int size, int style) {
  FT_Library library = FreeTypeLibrary();
  if (!library || size <= 0) return nullptr;
  auto font = std::make_shared<TImageFont>();
  if (!ReadWholeFile(path, font->file_bytes) || font->file_bytes.empty()) return nullptr;
  if (FT_New_Memory_Face(library, font->file_bytes.data(), FT_Long(font->file_bytes.size()), 0,
                         &font->_src_font) != 0) {
    font->_src_font = nullptr;
    return nullptr;
  }
  // Bitmap-only faces refuse sizes they do not carry; the next smaller one is used.
  while (size > 0 && FT_Set_Pixel_Sizes(font->_src_font, 0, FT_UInt(size)) != 0) --size;
  if (size == 0) return nullptr;

  const FT_Size_Metrics& metrics = font->_src_font->size->metrics;
  font->size = size;
  font->style = style;
  font->height = int(metrics.height >> 6);
  font->ascender = int(metrics.ascender >> 6);
  font->descender = int(metrics.descender >> 6);
  font->_imageFlags = (style & kStyleSmooth) ? IMG_FILTERED | IMG_MIPMAPPED : 0;
  return font;
}

void SetCurrentFont(const FontRef& font) { current_font = font; }

void DrawTextAt(const std::string& text, float x, float y) {
  TImageFont& font = CurrentFont();
  const TDrawState& state = GetDrawState();
  float pen_x = x + state.origin_x, pen_y = y + state.origin_y;
  for (size_t pos = 0; pos < text.size();) {
    const int index = GlyphIndex(font, NextCharacter(text, pos));
    if (index < 0) continue;
    const TImageGlyph& glyph = Glyph(font, index);
    if (glyph._image) {
      const float gx = float(glyph._x), gy = float(glyph._y);
      DrawImageFrameAt(*glyph._image, pen_x + gx * state.tform_ix + gy * state.tform_iy,
                       pen_y + gx * state.tform_jx + gy * state.tform_jy, 0);
    }
    pen_x += glyph._advance * state.tform_ix;
    pen_y += glyph._advance * state.tform_jx;
  }
}

void PrepareText(const std::string& text) {
  TImageFont& font = CurrentFont();
  for (size_t pos = 0; pos < text.size();) {
    const int index = GlyphIndex(font, NextCharacter(text, pos));
    if (index < 0) continue;
    const TImageGlyph& glyph = Glyph(font, index);
    if (glyph._image) PrepareImage(glyph._image);
  }
}

int MeasureTextWidth(const std::string& text) {
  TImageFont& font = CurrentFont();
  int width = 0;
  for (size_t pos = 0; pos < text.size();) {
    const int index = GlyphIndex(font, NextCharacter(text, pos));
    if (index >= 0) width = Trunc(double(width) + double(Glyph(font, index)._advance));
  }
  return width;
}

int FontLineHeight() { return CurrentFont().height; }

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace vn
