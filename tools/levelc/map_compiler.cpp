// Tiled JSON map -> LevelData, with checks that name the file, layer and cell.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "engine/stream.h"
#include "tools/levelc/levelc.h"

namespace vn::levelc {

namespace {

using nlohmann::json;

constexpr int kTileSize = 32;
constexpr uint32_t kMaxTileValue = 700;
constexpr uint32_t kMaxCode = 255;
constexpr uint8_t kCodeLayer = 200;
constexpr uint8_t kExitCode = 250;
constexpr int64_t kSpareCells = 3;   // columns and rows the game's arrays hold beside the map
constexpr uint16_t kSignTile = 58;
constexpr int kSignTexts = 9;
// The editor keeps flips and rotations in the top bits of a gid; the game has neither.
constexpr uint32_t kGidFlagMask = 0xF0000000u;

class Checker {
 public:
  Checker(const std::string& file, Diagnostics& diagnostics) : file_(file), diagnostics_(diagnostics) {}
  void Error(const std::string& text) { diagnostics_.Error(file_, text); }
  void Warning(const std::string& text) { diagnostics_.Warning(file_, text); }
  const std::string& File() const { return file_; }

 private:
  const std::string& file_;
  Diagnostics& diagnostics_;
};

std::string Cell(const std::string& layer, int64_t x, int64_t y) {
  return "layer '" + layer + "', cell (" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

std::optional<int64_t> AsInteger(const json& value) {
  if (value.is_number_integer()) return value.get<int64_t>();
  if (value.is_number_float()) {
    double d = value.get<double>();
    if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9.0e15) return int64_t(d);
  }
  return std::nullopt;
}

// An integer member; reported when present but not a whole number.
std::optional<int64_t> IntegerMember(const json& object, const char* key, Checker& check,
                                     const std::string& where) {
  if (!object.is_object() || !object.contains(key)) return std::nullopt;
  std::optional<int64_t> value = AsInteger(object[key]);
  if (!value) check.Error(where + ": '" + key + "' must be a whole number");
  return value;
}

// -------------------------------------------------------------------------------------------
// Tilesets: a gid belongs to the tileset with the greatest first gid not above it, and the
// tile id inside that tileset is the value. The tileset is known by its file name or name.

struct TilesetRef {
  uint32_t first_gid = 0;
  int kind = -1;        // index into kTilesetNames, -1 unknown
  std::string label;
};

int TilesetKind(const std::string& label) {
  for (int kind = 0; kind < 4; ++kind)
    if (label == kTilesetNames[kind]) return kind;
  return -1;
}

std::vector<TilesetRef> ReadTilesets(const json& map, Checker& check) {
  std::vector<TilesetRef> tilesets;
  if (!map.contains("tilesets")) return tilesets;
  if (!map["tilesets"].is_array()) {
    check.Error("'tilesets' must be an array");
    return tilesets;
  }
  for (const json& entry : map["tilesets"]) {
    TilesetRef ref;
    std::optional<int64_t> first = IntegerMember(entry, "firstgid", check, "tileset");
    if (!first || *first < 1 || *first >= int64_t(kGidFlagMask)) {
      check.Error("tileset entry without a valid 'firstgid'");
      continue;
    }
    ref.first_gid = uint32_t(*first);
    if (entry.contains("source") && entry["source"].is_string()) {
      ref.label = std::filesystem::path(entry["source"].get<std::string>()).stem().string();
    } else if (entry.contains("name") && entry["name"].is_string()) {
      ref.label = entry["name"].get<std::string>();
    }
    ref.kind = TilesetKind(ref.label);
    tilesets.push_back(ref);
  }
  std::sort(tilesets.begin(), tilesets.end(),
            [](const TilesetRef& a, const TilesetRef& b) { return a.first_gid < b.first_gid; });
  return tilesets;
}

struct TileRef {
  const TilesetRef* tileset = nullptr;
  uint32_t value = 0;
};

std::optional<TileRef> ResolveGid(uint32_t gid, const std::vector<TilesetRef>& tilesets) {
  const TilesetRef* found = nullptr;
  for (const TilesetRef& tileset : tilesets)
    if (tileset.first_gid <= gid) found = &tileset;
  if (!found) return std::nullopt;
  return TileRef{found, gid - found->first_gid};
}

// -------------------------------------------------------------------------------------------
// Tile layers "layer0", "layer1", "layer2" and the code grid "codes".

struct PictureUse {
  int64_t x = 0, y = 0;   // first cell that uses the value
  int count = 0;
};
using PictureUses = std::map<std::pair<int, uint32_t>, PictureUse>;   // (layer, value)

// One cell's gid -> value; 0 and a report when the gid is not usable in this layer.
uint32_t CellValue(int64_t raw, int target, const std::string& where,
                   const std::vector<TilesetRef>& tilesets, Checker& check) {
  if (raw == 0) return 0;
  if (raw < 0 || raw > 0xFFFFFFFFll) {
    check.Error(where + ": " + std::to_string(raw) + " is not a tile id");
    return 0;
  }
  uint32_t gid = uint32_t(raw);
  if (gid & kGidFlagMask) {
    check.Error(where + ": flipped or rotated tiles cannot be shown by the game");
    return 0;
  }
  std::optional<TileRef> tile = ResolveGid(gid, tilesets);
  if (!tile) {
    check.Error(where + ": tile id " + std::to_string(gid) + " belongs to no tileset of the map");
    return 0;
  }
  if (tile->tileset->kind != target) {
    check.Error(where + ": tile from tileset '" + tile->tileset->label + "' cannot stand in this layer (it takes tiles of '" +
                kTilesetNames[target] + "')");
    return 0;
  }
  uint32_t limit = target == kCodesTileset ? kMaxCode : kMaxTileValue;
  if (tile->value > limit) {
    check.Error(where + ": " + std::string(target == kCodesTileset ? "code " : "tile value ") +
                std::to_string(tile->value) + " is above " + std::to_string(limit));
    return 0;
  }
  return tile->value;
}

void ReadTileLayer(const json& layer, const std::string& name, int target,
                   const std::vector<TilesetRef>& tilesets, LevelData& level, PictureUses& uses,
                   Checker& check) {
  const std::string where = "layer '" + name + "'";
  if (layer.contains("chunks") || (layer.contains("encoding") && layer["encoding"] != "csv")) {
    check.Error(where + ": tile data must be stored as CSV in a fixed-size map "
                        "(Map > Map Properties: Tile Layer Format CSV, not infinite)");
    return;
  }
  std::optional<int64_t> width = IntegerMember(layer, "width", check, where);
  std::optional<int64_t> height = IntegerMember(layer, "height", check, where);
  if ((width && *width != level.width) || (height && *height != level.height)) {
    check.Error(where + ": size " + std::to_string(width.value_or(0)) + " x " +
                std::to_string(height.value_or(0)) + " differs from the map's " +
                std::to_string(level.width) + " x " + std::to_string(level.height));
    return;
  }
  if (!layer.contains("data") || !layer["data"].is_array()) {
    check.Error(where + ": no 'data' array");
    return;
  }
  const json& data = layer["data"];
  size_t cells = size_t(level.width) * level.height;
  if (data.size() != cells) {
    check.Error(where + ": " + std::to_string(data.size()) + " cells of data, but the map has " +
                std::to_string(cells));
    return;
  }
  for (size_t i = 0; i < cells; ++i) {
    int64_t x = int64_t(i % level.width), y = int64_t(i / level.width);
    std::optional<int64_t> raw = AsInteger(data[i]);
    if (!raw) {
      check.Error(Cell(name, x, y) + ": not a tile id");
      continue;
    }
    uint32_t value = CellValue(*raw, target, Cell(name, x, y), tilesets, check);
    if (target == kCodesTileset) {
      level.Code(int(x), int(y)) = uint8_t(value);
    } else {
      level.Tile(target, int(x), int(y)) = uint16_t(value);
      if (value > 0) {
        PictureUse& use = uses[{target, value}];
        if (use.count++ == 0) use = {x, y, 1};
      }
    }
  }
}

// -------------------------------------------------------------------------------------------
// Object layers: "characters", "actions", "effects". Objects count in file order.

using Properties = std::map<std::string, json>;

Properties ReadProperties(const json& object) {
  Properties properties;
  if (!object.contains("properties")) return properties;
  const json& list = object["properties"];
  if (list.is_array()) {
    for (const json& p : list)
      if (p.is_object() && p.contains("name") && p["name"].is_string() && p.contains("value"))
        properties[p["name"].get<std::string>()] = p["value"];
  } else if (list.is_object()) {   // the older editor format: a plain name -> value object
    for (auto it = list.begin(); it != list.end(); ++it) properties[it.key()] = it.value();
  }
  return properties;
}

std::string ObjectWhere(const std::string& layer, const json& object, size_t index) {
  std::string where = "layer '" + layer + "', object ";
  if (object.contains("id") && object["id"].is_number_integer())
    where += "id " + std::to_string(object["id"].get<int64_t>());
  else
    where += "#" + std::to_string(index + 1);
  if (object.contains("name") && object["name"].is_string() && !object["name"].get<std::string>().empty())
    where += " ('" + object["name"].get<std::string>() + "')";
  return where;
}

std::string ObjectKind(const json& object) {
  for (const char* key : {"type", "class"})
    if (object.contains(key) && object[key].is_string() && !object[key].get<std::string>().empty())
      return object[key].get<std::string>();
  return {};
}

double Number(const json& object, const char* key) {
  if (object.contains(key) && object[key].is_number()) return object[key].get<double>();
  return 0;
}

// Top-left of the object in map pixels; tile objects are anchored at their bottom-left.
std::pair<double, double> ObjectTopLeft(const json& object) {
  double x = Number(object, "x"), y = Number(object, "y");
  if (object.contains("gid")) y -= Number(object, "height");
  return {x, y};
}

// A property in [low, high]; `fallback` when absent, nullopt (reported) when wrong.
std::optional<int64_t> RangedProperty(const Properties& properties, const std::string& key,
                                      std::optional<int64_t> fallback, int64_t low, int64_t high,
                                      const std::string& where, Checker& check) {
  auto it = properties.find(key);
  if (it == properties.end()) {
    if (!fallback) check.Error(where + ": property '" + key + "' is missing");
    return fallback;
  }
  std::optional<int64_t> value = AsInteger(it->second);
  if (!value && it->second.is_string()) {
    std::istringstream text(it->second.get<std::string>());
    int64_t parsed = 0;
    if (text >> parsed && text.eof()) value = parsed;
  }
  if (!value || *value < low || *value > high) {
    check.Error(where + ": property '" + key + "' must be a whole number from " + std::to_string(low) +
                " to " + std::to_string(high));
    return std::nullopt;
  }
  return value;
}

// The cell an action or effect applies to: properties x and y, or else the cell
// under the object's centre, so moving the object in the editor moves the cell.
std::optional<std::pair<uint16_t, uint16_t>> ObjectCell(const json& object, const Properties& properties,
                                                        const LevelData& level, const std::string& where,
                                                        Checker& check) {
  auto [left, top] = ObjectTopLeft(object);
  double cx = left + Number(object, "width") / 2, cy = top + Number(object, "height") / 2;
  int64_t fx = int64_t(std::floor(cx / kTileSize)), fy = int64_t(std::floor(cy / kTileSize));
  std::optional<int64_t> x = RangedProperty(properties, "x", fx, INT32_MIN, INT32_MAX, where, check);
  std::optional<int64_t> y = RangedProperty(properties, "y", fy, INT32_MIN, INT32_MAX, where, check);
  if (!x || !y) return std::nullopt;
  // The three spare columns and rows beside the map are cells of the game too.
  if (*x < 0 || *y < 0 || *x >= level.width + kSpareCells || *y >= level.height + kSpareCells) {
    check.Error(where + ": cell (" + std::to_string(*x) + ", " + std::to_string(*y) +
                ") lies outside the map of " + std::to_string(level.width) + " x " +
                std::to_string(level.height) + " cells and its three spare columns and rows");
    return std::nullopt;
  }
  return std::pair{uint16_t(*x), uint16_t(*y)};
}

void ReadCharacter(const json& object, const std::string& where, LevelData& level, Checker& check) {
  std::string kind = ObjectKind(object);
  if (kind != "player" && kind != "enemy") {
    check.Error(where + ": type must be 'player' or 'enemy', not '" + kind + "'");
    return;
  }
  Properties p = ReadProperties(object);
  bool player = kind == "player";
  std::optional<int64_t> typ = player ? RangedProperty(p, "typ", 0, 0, 0, where, check)
                                      : RangedProperty(p, "typ", 1, 1, 255, where, check);
  std::optional<int64_t> power = RangedProperty(p, "power", 100, 0, 255, where, check);
  std::optional<int64_t> radius = RangedProperty(p, "action_radius", 0, 0, 65535, where, check);
  std::optional<int64_t> item = RangedProperty(p, "item", 0, 0, kMaxTileValue, where, check);
  std::optional<int64_t> gun = RangedProperty(p, "gun", 0, 0, 9, where, check);
  if (!typ || !power || !radius || !item || !gun) return;

  auto [left, top] = ObjectTopLeft(object);
  int64_t x = std::llround(left), y = std::llround(top);
  if (x < 0 || y < 0 || x >= int64_t(level.width) * kTileSize || y >= int64_t(level.height) * kTileSize) {
    check.Error(where + ": " + kind + " at pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                ") lies outside the map");
    return;
  }
  LevelCharacter c;
  c.x = int32_t(x);
  c.y = int32_t(y);
  c.typ = uint8_t(*typ);
  c.power = uint8_t(*power);
  c.action_radius = uint16_t(*radius);
  c.item = uint16_t(*item);
  c.gun = uint8_t(*gun);
  level.characters.push_back(c);
}

void ReadAction(const json& object, const std::string& where, LevelData& level, PictureUses& uses,
                Checker& check) {
  Properties p = ReadProperties(object);
  std::optional<int64_t> nr = RangedProperty(p, "nr", std::nullopt, 1, 255, where, check);
  std::optional<int64_t> layer = RangedProperty(p, "layer", std::nullopt, 0, 255, where, check);
  std::optional<int64_t> tile = RangedProperty(p, "new_tile", std::nullopt, 0, 65535, where, check);
  auto cell = ObjectCell(object, p, level, where, check);
  if (!nr || !layer || !tile || !cell) return;
  if (*layer > 2 && *layer != kCodeLayer) {
    check.Error(where + ": layer " + std::to_string(*layer) + " does not exist (0, 1, 2 or 200 for the codes)");
    return;
  }
  if (*layer == kCodeLayer && *tile > int64_t(kMaxCode)) {
    check.Warning(where + ": the code grid keeps only the low byte of new_tile " + std::to_string(*tile) +
                  " (" + std::to_string(*tile & 0xFF) + ")");
  } else if (*layer != kCodeLayer && *tile > int64_t(kMaxTileValue)) {
    check.Error(where + ": new_tile " + std::to_string(*tile) + " is above " + std::to_string(kMaxTileValue));
    return;
  }
  if (*layer != kCodeLayer && *tile > 0) {
    PictureUse& use = uses[{int(*layer), uint32_t(*tile)}];
    if (use.count++ == 0) use = {cell->first, cell->second, 1};
  }
  level.actions.push_back({uint8_t(*nr), cell->first, cell->second, uint16_t(*tile), uint8_t(*layer)});
}

void ReadEffect(const json& object, const std::string& where, LevelData& level, Checker& check) {
  Properties p = ReadProperties(object);
  std::optional<int64_t> nr = RangedProperty(p, "nr", std::nullopt, 1, 255, where, check);
  std::optional<int64_t> typ = RangedProperty(p, "typ", std::nullopt, 1, 5, where, check);
  std::optional<int64_t> layer = RangedProperty(p, "layer", std::nullopt, 0, 255, where, check);
  auto cell = ObjectCell(object, p, level, where, check);
  if (!nr || !typ || !layer || !cell) return;
  // A toppling column (kinds 4, 5) may name in its layer byte the action it chains.
  bool column = *typ == 4 || *typ == 5;
  if (*layer > 2 && !(column && *layer >= kCodeLayer)) {
    check.Error(where + ": layer " + std::to_string(*layer) + " is not possible for kind " + std::to_string(*typ) +
                " (0..2; 200..255 chain an action only for columns of kind 4 or 5)");
    return;
  }
  level.effects.push_back({uint8_t(*nr), cell->first, cell->second, uint8_t(*layer), uint8_t(*typ)});
}

void ReadObjectLayer(const json& layer, const std::string& name, LevelData& level, PictureUses& uses,
                     Checker& check) {
  if (!layer.contains("objects")) return;
  if (!layer["objects"].is_array()) {
    check.Error("layer '" + name + "': 'objects' must be an array");
    return;
  }
  const json& objects = layer["objects"];
  for (size_t i = 0; i < objects.size(); ++i) {
    std::string where = ObjectWhere(name, objects[i], i);
    if (name == "characters") ReadCharacter(objects[i], where, level, check);
    else if (name == "actions") ReadAction(objects[i], where, level, uses, check);
    else ReadEffect(objects[i], where, level, check);
  }
}

// -------------------------------------------------------------------------------------------
// Whole-level checks.

void CheckPictures(const PictureUses& uses, const CompileOptions& options, Checker& check) {
  if (options.gfx_dir.empty()) return;
  for (const auto& [key, use] : uses) {
    auto [layer, value] = key;
    std::string picture = "layer" + std::to_string(layer) + "/" + std::to_string(value) + ".bmp";
    if (GetFileKind(options.gfx_dir + "/" + picture) == 1) continue;
    std::string text = Cell(kTilesetNames[layer], use.x, use.y) + ": tile value " + std::to_string(value) +
                       " has no picture " + picture + " (" + std::to_string(use.count) +
                       (use.count == 1 ? " cell)" : " cells)");
    if (options.missing_picture_is_error) check.Error(text);
    else check.Warning(text);
  }
}

void CheckLevel(const LevelData& level, Checker& check) {
  size_t players = size_t(std::count_if(level.characters.begin(), level.characters.end(),
                                        [](const LevelCharacter& c) { return c.typ == 0; }));
  if (players != 1)
    check.Error("layer 'characters': the level needs exactly one player, it has " + std::to_string(players));

  bool has_exit = std::find(level.codes.begin(), level.codes.end(), kExitCode) != level.codes.end();
  for (const LevelAction& a : level.actions)
    if (a.layer == kCodeLayer && uint8_t(a.new_tile) == kExitCode) has_exit = true;
  if (!has_exit) check.Warning("layer 'codes': no exit (code 250); the level cannot be finished");

  for (int y = 0; y < level.height; ++y) {
    for (int x = 0; x < level.width; ++x) {
      uint16_t object = level.tiles[1][size_t(y) * level.width + size_t(x)];
      uint8_t code = level.codes[size_t(y) * level.width + size_t(x)];
      if (object == kSignTile && (code < 1 || code > kSignTexts))
        check.Warning(Cell("codes", x, y) + ": the sign needs a code from 1 to 9 (its help text), it has " +
                      std::to_string(code));
    }
  }
}

bool ReadMapHeader(const json& map, LevelData& level, Checker& check) {
  if (!map.is_object()) {
    check.Error("not a map (the top level must be a JSON object)");
    return false;
  }
  if (map.contains("orientation") && map["orientation"] != "orthogonal")
    check.Error("the map must be orthogonal");
  if (map.contains("infinite") && map["infinite"] == true)
    check.Error("the map must have a fixed size (not infinite)");
  std::optional<int64_t> tw = IntegerMember(map, "tilewidth", check, "map");
  std::optional<int64_t> th = IntegerMember(map, "tileheight", check, "map");
  if (tw.value_or(kTileSize) != kTileSize || th.value_or(kTileSize) != kTileSize)
    check.Error("tiles must be 32 x 32 pixels");
  std::optional<int64_t> width = IntegerMember(map, "width", check, "map");
  std::optional<int64_t> height = IntegerMember(map, "height", check, "map");
  if (!width || !height || *width < 1 || *height < 1 || *width > 65535 || *height > 65535) {
    check.Error("the map needs a width and height from 1 to 65535 cells");
    return false;
  }
  // Checked before the arrays are made: a mistyped size must not take all memory.
  if (uint64_t(*width) * uint64_t(*height) > kMaxMapCells) {
    check.Error("the map of " + std::to_string(*width) + " x " + std::to_string(*height) +
                " cells is larger than any level can be (at most " + std::to_string(kMaxMapCells) + " cells)");
    return false;
  }
  level.Resize(uint16_t(*width), uint16_t(*height));
  return true;
}

std::string LevelName(const json& map, const std::string& file, Checker& check) {
  std::string name = std::filesystem::path(file).stem().string();
  Properties properties = ReadProperties(map);
  auto it = properties.find("name");
  if (it != properties.end()) {
    if (it->second.is_string() && !it->second.get<std::string>().empty()) name = it->second.get<std::string>();
    else check.Error("map property 'name' must be a non-empty text");
  }
  if (name.find_first_of("/\\") != std::string::npos) check.Error("level name '" + name + "' contains a slash");
  // The name becomes a file name: a NUL would cut it short, other control bytes hide in listings.
  if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }))
    check.Error("level name contains a control character");
  return name;
}

}  // namespace

bool CompileMap(const json& map, const std::string& file, const CompileOptions& options, LevelData& level,
                std::string& level_name, Diagnostics& diagnostics) {
  Checker check(file, diagnostics);
  int errors_before = diagnostics.ErrorCount();
  level = LevelData{};
  if (!ReadMapHeader(map, level, check)) return false;
  level_name = LevelName(map, file, check);
  std::vector<TilesetRef> tilesets = ReadTilesets(map, check);

  if (!map.contains("layers") || !map["layers"].is_array()) {
    check.Error("the map has no 'layers' array");
    return false;
  }
  PictureUses uses;
  std::set<std::string> seen;
  for (const json& layer : map["layers"]) {
    std::string name = layer.contains("name") && layer["name"].is_string() ? layer["name"].get<std::string>() : "";
    std::string type = layer.contains("type") && layer["type"].is_string() ? layer["type"].get<std::string>() : "";
    if (!seen.insert(name).second) {
      check.Error("layer '" + name + "' appears twice");
      continue;
    }
    int target = TilesetKind(name);
    if (type == "tilelayer" && target >= 0) {
      ReadTileLayer(layer, name, target, tilesets, level, uses, check);
    } else if (type == "objectgroup" && (name == "characters" || name == "actions" || name == "effects")) {
      ReadObjectLayer(layer, name, level, uses, check);
    } else {
      check.Error("unknown layer '" + name + "' of type '" + type +
                  "' (tile layers: layer0, layer1, layer2, codes; object layers: characters, actions, effects)");
    }
  }
  CheckPictures(uses, options, check);
  CheckLevel(level, check);
  return diagnostics.ErrorCount() == errors_before;
}

bool CompileMapFile(const std::string& path, const CompileOptions& options, LevelData& level,
                    std::string& level_name, Diagnostics& diagnostics) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    diagnostics.Error(path, "cannot be opened");
    return false;
  }
  json map;
  try {
    map = json::parse(in);
  } catch (const json::parse_error& error) {
    // The message carries the line and column of the fault.
    diagnostics.Error(path, std::string("not valid JSON: ") + error.what());
    return false;
  }
  return CompileMap(map, path, options, level, level_name, diagnostics);
}

}  // namespace vn::levelc
