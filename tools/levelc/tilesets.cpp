// The editor's tilesets: one collection per layer of pictures made from the game's
// own tiles so that the editor shows them as the game draws them, and a painted
// sheet of numbered squares for the code grid.
#include <array>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <unistd.h>

#include "engine/graphics.h"
#include "engine/stream.h"
#include "tools/levelc/levelc.h"
#include "world/map.h"

namespace vn::levelc {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr int kMaxTileValue = 700;
constexpr int kForegroundLayer = 2;    // its pictures are strips of animation frames
constexpr int kForegroundFrames = 8;
constexpr int kCodeColumns = 16;       // 16 x 16 squares: code = row * 16 + column
constexpr int kMaskRed = 255, kMaskGreen = 0, kMaskBlue = 255;

json TilesetHeader(const std::string& name) {
  return {{"type", "tileset"},        {"version", "1.10"}, {"tiledversion", "1.10.2"},
          {"name", name},             {"tilewidth", kTileSize}, {"tileheight", kTileSize},
          {"margin", 0},              {"spacing", 0}};
}

// Replaces path by bytes only when they differ, through a temporary file and a
// rename, so an editor watching the file sees one change and builds running side
// by side never see half a file.
bool ReplaceFileIfChanged(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> old;
  if (ReadWholeFile(path.string(), old) && old == bytes) return true;
  fs::path temporary = path;
  temporary += ".tmp" + std::to_string(getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out.flush()) return false;
  }
  std::error_code ec;
  fs::rename(temporary, path, ec);
  if (ec) fs::remove(temporary, ec);
  return !ec;
}

bool WritePngIfChanged(const TPixmap& pixmap, const fs::path& path) {
  fs::path temporary = path;
  temporary += ".png-tmp" + std::to_string(getpid());
  std::vector<uint8_t> bytes;
  bool encoded = WritePixmapPNG(pixmap, temporary.string(), 9) == 1 && ReadWholeFile(temporary.string(), bytes);
  std::error_code ec;
  fs::remove(temporary, ec);
  return encoded && ReplaceFileIfChanged(path, bytes);
}

// The picture as the game draws it in a map cell: the mask colour made
// transparent (pictures with alpha of their own keep it), of a foreground strip
// the first frame, and the foreground's fixed see-through alpha baked in.
// Null when the game could not load the picture either.
PixmapRef EditorPicture(int layer, uint16_t value, const fs::path& picture) {
  // Cut as the game cuts it: a foreground strip into its frames (none when it is
  // too small for all of them), any other picture whole. The mask comes below.
  ImageRef image = layer == kForegroundLayer
                       ? LoadImageStrip(picture.string(), kTileSize, kTileSize, 0, kForegroundFrames, 0)
                       : LoadImageFile(picture.string(), 0);
  if (!image) return nullptr;
  PixmapRef pixmap = image->pixmaps[0];
  if (!FormatHasAlpha(pixmap->format)) pixmap = ApplyMask(*pixmap, kMaskRed, kMaskGreen, kMaskBlue);
  pixmap = ConvertPixmap(*pixmap, PF_RGBA8888);
  if (layer == kForegroundLayer && ForegroundTileAlpha(value) < 1) {
    // The drawing device takes the alpha as a whole number of 255ths.
    const int device_alpha = int(ForegroundTileAlpha(value) * 255.0f);
    uint8_t rgba[4];
    for (int y = 0; y < pixmap->height; ++y)
      for (int x = 0; x < pixmap->width; ++x) {
        GetPixelRGBA(*pixmap, x, y, rgba);
        rgba[3] = uint8_t((rgba[3] * device_alpha + 127) / 255);
        SetPixelRGBA(*pixmap, x, y, rgba);
      }
  }
  return pixmap;
}

// Writes the editor pictures of one layer into out_dir/layer<L>/<N>.png, drops
// pictures left from tiles that no longer exist, and returns the tileset.
json LayerTileset(int layer, const fs::path& gfx_dir, const fs::path& out_dir, std::string& error) {
  const std::string layer_dir = "layer" + std::to_string(layer);
  std::error_code ec;
  fs::create_directories(out_dir / layer_dir, ec);
  std::set<fs::path> written;
  json tiles = json::array();
  for (int value = 1; value <= kMaxTileValue && error.empty(); ++value) {
    fs::path picture = gfx_dir / layer_dir / (std::to_string(value) + ".bmp");
    if (GetFileKind(picture.string()) != 1) continue;
    PixmapRef editor_picture = EditorPicture(layer, uint16_t(value), picture);
    if (!editor_picture) continue;
    const std::string relative = layer_dir + "/" + std::to_string(value) + ".png";
    if (!WritePngIfChanged(*editor_picture, out_dir / relative)) error = "cannot write " + (out_dir / relative).string();
    written.insert(out_dir / relative);
    tiles.push_back({{"id", value},
                     {"image", relative},
                     {"imagewidth", editor_picture->width},
                     {"imageheight", editor_picture->height}});
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(out_dir / layer_dir, ec))
    if (entry.path().extension() == ".png" && !written.count(entry.path())) fs::remove(entry.path(), ec);
  json tileset = TilesetHeader(std::string(kTilesetNames[layer]));
  tileset.update({{"columns", 0},
                  {"grid", {{"orientation", "orthogonal"}, {"width", 1}, {"height", 1}}},
                  {"tilecount", tiles.size()},
                  {"tiles", std::move(tiles)}});
  return tileset;
}

// 3 x 5 pixel digits, one row per entry, bit 2 the left column.
constexpr std::array<std::array<uint8_t, 5>, 10> kDigits = {{
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
}};

// Colour by meaning, so a level's codes read at a glance in the editor.
std::array<uint8_t, 3> CodeColour(int code) {
  if (code <= 9) return {50, 100, 220};     // sign texts, small action numbers
  if (code <= 200) return {40, 150, 70};    // action numbers, money amounts
  if (code < 250) return {225, 130, 20};    // automatic actions
  if (code == 250) return {210, 30, 30};    // the exit
  return {110, 110, 110};
}

void PaintCode(TPixmap& sheet, int code) {
  int left = (code % kCodeColumns) * kTileSize, top = (code / kCodeColumns) * kTileSize;
  std::array<uint8_t, 3> colour = CodeColour(code);
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      bool edge = x == 0 || y == 0 || x == kTileSize - 1 || y == kTileSize - 1;
      uint8_t rgba[4] = {uint8_t(colour[0] / (edge ? 2 : 1)), uint8_t(colour[1] / (edge ? 2 : 1)),
                         uint8_t(colour[2] / (edge ? 2 : 1)), uint8_t(edge ? 255 : 150)};
      SetPixelRGBA(sheet, left + x, top + y, rgba);
    }
  }
  std::string digits = std::to_string(code);
  const int scale = 2, advance = 4 * scale;
  int text_width = int(digits.size()) * advance - scale;
  int x0 = left + (kTileSize - text_width) / 2, y0 = top + (kTileSize - 5 * scale) / 2;
  const uint8_t white[4] = {255, 255, 255, 255};
  for (size_t d = 0; d < digits.size(); ++d) {
    const auto& glyph = kDigits[size_t(digits[d] - '0')];
    for (int row = 0; row < 5; ++row)
      for (int column = 0; column < 3; ++column)
        if (glyph[size_t(row)] & (4 >> column))
          for (int sy = 0; sy < scale; ++sy)
            for (int sx = 0; sx < scale; ++sx)
              SetPixelRGBA(sheet, x0 + int(d) * advance + column * scale + sx, y0 + row * scale + sy, white);
  }
}

bool WriteCodesSheet(const fs::path& path) {
  PixmapRef sheet = CreatePixmap(kCodeColumns * kTileSize, kCodeColumns * kTileSize, PF_RGBA8888);
  if (!sheet) return false;
  for (int code = 1; code <= 255; ++code) PaintCode(*sheet, code);   // code 0 stays clear
  return WritePngIfChanged(*sheet, path);
}

json CodesTileset() {
  json tileset = TilesetHeader(std::string(kTilesetNames[kCodesTileset]));
  tileset.update({{"columns", kCodeColumns},
                  {"image", "codes.png"},
                  {"imagewidth", kCodeColumns * kTileSize},
                  {"imageheight", kCodeColumns * kTileSize},
                  {"tilecount", kCodeColumns * kCodeColumns}});
  return tileset;
}

bool WriteJson(const fs::path& path, const json& value, std::string& error) {
  const std::string text = value.dump(1) + "\n";
  if (ReplaceFileIfChanged(path, std::vector<uint8_t>(text.begin(), text.end()))) return true;
  error = "cannot write " + path.string();
  return false;
}

}  // namespace

bool WriteTilesets(const std::string& gfx_dir, const std::string& out_dir, std::string& error) {
  if (GetFileKind(gfx_dir) != 2) {
    error = gfx_dir + " is not a directory";
    return false;
  }
  std::error_code ec;
  fs::create_directories(out_dir, ec);
  for (int layer = 0; layer < 3; ++layer) {
    fs::path path = fs::path(out_dir) / (std::string(kTilesetNames[layer]) + ".json");
    json tileset = LayerTileset(layer, gfx_dir, out_dir, error);
    if (!error.empty() || !WriteJson(path, tileset, error)) return false;
  }
  if (!WriteCodesSheet(fs::path(out_dir) / "codes.png")) {
    error = "cannot write " + (fs::path(out_dir) / "codes.png").string();
    return false;
  }
  return WriteJson(fs::path(out_dir) / "codes.json", CodesTileset(), error);
}

}  // namespace vn::levelc
