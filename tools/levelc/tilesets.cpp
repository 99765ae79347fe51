// The editor's tilesets: one collection of the game's own tile pictures per layer,
// and a painted sheet of numbered squares for the code grid.
#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/graphics.h"
#include "engine/stream.h"
#include "tools/levelc/levelc.h"

namespace vn::levelc {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr int kTileSize = 32;
constexpr int kMaxTileValue = 700;
constexpr int kForegroundLayer = 2;    // its pictures are strips of 8 animation frames
constexpr int kCodeColumns = 16;       // 16 x 16 squares: code = row * 16 + column

json TilesetHeader(const std::string& name) {
  return {{"type", "tileset"},        {"version", "1.10"}, {"tiledversion", "1.10.2"},
          {"name", name},             {"tilewidth", kTileSize}, {"tileheight", kTileSize},
          {"margin", 0},              {"spacing", 0}};
}

std::string RelativePath(const fs::path& target, const fs::path& from_dir) {
  return fs::weakly_canonical(target).lexically_relative(fs::weakly_canonical(from_dir)).generic_string();
}

json LayerTileset(int layer, const fs::path& gfx_dir, const fs::path& out_dir) {
  json tiles = json::array();
  for (int value = 1; value <= kMaxTileValue; ++value) {
    fs::path picture = gfx_dir / ("layer" + std::to_string(layer)) / (std::to_string(value) + ".bmp");
    if (GetFileKind(picture.string()) != 1) continue;
    PixmapRef pixmap = LoadPixmap(picture.string());
    int width = pixmap ? pixmap->width : (layer == kForegroundLayer ? 8 * kTileSize : kTileSize);
    int height = pixmap ? pixmap->height : kTileSize;
    json tile = {{"id", value},
                 {"image", RelativePath(picture, out_dir)},
                 {"imagewidth", width},
                 {"imageheight", height}};
    // The editor shows the first animation frame only (editors that know sub-rectangles).
    if (layer == kForegroundLayer)
      tile.update({{"x", 0}, {"y", 0}, {"width", kTileSize}, {"height", kTileSize}});
    tiles.push_back(std::move(tile));
  }
  json tileset = TilesetHeader(std::string(kTilesetNames[layer]));
  tileset.update({{"columns", 0},
                  {"grid", {{"orientation", "orthogonal"}, {"width", 1}, {"height", 1}}},
                  {"transparentcolor", "#ff00ff"},
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
  return WritePixmapPNG(*sheet, path.string(), 9) == 1;
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
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << value.dump(1) << '\n';
  if (!out.flush()) {
    error = "cannot write " + path.string();
    return false;
  }
  return true;
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
    if (!WriteJson(path, LayerTileset(layer, gfx_dir, out_dir), error)) return false;
  }
  if (!WriteCodesSheet(fs::path(out_dir) / "codes.png")) {
    error = "cannot write " + (fs::path(out_dir) / "codes.png").string();
    return false;
  }
  return WriteJson(fs::path(out_dir) / "codes.json", CodesTileset(), error);
}

}  // namespace vn::levelc
