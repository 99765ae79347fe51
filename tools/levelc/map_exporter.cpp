// LevelData -> Tiled JSON map, the inverse of the compiler: compiling the export
// of a compiled level gives the same bytes again.
#include <string>
#include <vector>

#include "tools/levelc/levelc.h"

namespace vn::levelc {

namespace {

using nlohmann::json;

constexpr int kTileSize = 32;
const std::string kDataMarker = "@@vnlevel-tile-data-";

json Property(const std::string& name, int64_t value) {
  return {{"name", name}, {"type", "int"}, {"value", value}};
}

json RectangleObject(int& next_id, const std::string& type, int64_t x, int64_t y, json properties) {
  return {{"id", next_id++}, {"name", ""},  {"type", type}, {"x", x},        {"y", y},
          {"width", kTileSize},  {"height", kTileSize}, {"rotation", 0}, {"visible", true},
          {"properties", std::move(properties)}};
}

json CharacterObject(int& next_id, const LevelCharacter& c) {
  json properties = json::array();
  if (c.typ != 0) properties.push_back(Property("typ", c.typ));
  properties.push_back(Property("power", c.power));
  properties.push_back(Property("action_radius", c.action_radius));
  properties.push_back(Property("item", c.item));
  properties.push_back(Property("gun", c.gun));
  return RectangleObject(next_id, c.typ == 0 ? "player" : "enemy", c.x, c.y, std::move(properties));
}

// Actions and effects sit on their cell; the compiler takes the cell from the position.
json ActionObject(int& next_id, const LevelAction& a) {
  json properties = json::array({Property("nr", a.nr), Property("layer", a.layer), Property("new_tile", a.new_tile)});
  return RectangleObject(next_id, "action", int64_t(a.x) * kTileSize, int64_t(a.y) * kTileSize,
                         std::move(properties));
}

json EffectObject(int& next_id, const LevelEffect& e) {
  json properties = json::array({Property("nr", e.nr), Property("layer", e.layer), Property("typ", e.typ)});
  return RectangleObject(next_id, "effect", int64_t(e.x) * kTileSize, int64_t(e.y) * kTileSize,
                         std::move(properties));
}

uint32_t ExportGid(int kind, uint32_t value) { return value == 0 ? 0 : kExportFirstGid[kind] + value; }

std::vector<uint32_t> LayerGids(int kind, const LevelData& level) {
  std::vector<uint32_t> gids;
  size_t cells = size_t(level.width) * level.height;
  gids.reserve(cells);
  for (size_t i = 0; i < cells; ++i)
    gids.push_back(ExportGid(kind, kind == kCodesTileset ? level.codes[i] : level.tiles[kind][i]));
  return gids;
}

json TileLayer(int id, int kind, const LevelData& level) {
  return {{"id", id},
          {"name", kTilesetNames[kind]},
          {"type", "tilelayer"},
          {"width", level.width},
          {"height", level.height},
          {"x", 0},
          {"y", 0},
          {"opacity", kind == kCodesTileset ? 0.7 : 1.0},
          {"visible", true},
          {"data", LayerGids(kind, level)}};
}

json ObjectLayer(int id, const std::string& name, json objects) {
  return {{"id", id},          {"name", name}, {"type", "objectgroup"}, {"draworder", "index"},
          {"opacity", 1.0},    {"visible", true}, {"x", 0},            {"y", 0},
          {"objects", std::move(objects)}};
}

}  // namespace

json ExportMap(const LevelData& level, const std::string& level_name) {
  json layers = json::array();
  for (int kind = 0; kind < 4; ++kind) {
    layers.push_back(TileLayer(kind + 1, kind, level));
  }
  int next_id = 1;
  json characters = json::array(), actions = json::array(), effects = json::array();
  for (const LevelCharacter& c : level.characters) characters.push_back(CharacterObject(next_id, c));
  for (const LevelAction& a : level.actions) actions.push_back(ActionObject(next_id, a));
  for (const LevelEffect& e : level.effects) effects.push_back(EffectObject(next_id, e));
  layers.push_back(ObjectLayer(5, "characters", std::move(characters)));
  layers.push_back(ObjectLayer(6, "actions", std::move(actions)));
  layers.push_back(ObjectLayer(7, "effects", std::move(effects)));

  json tilesets = json::array();
  for (int kind = 0; kind < 4; ++kind)
    tilesets.push_back({{"firstgid", kExportFirstGid[kind]},
                        {"source", std::string("tilesets/") + kTilesetNames[kind] + ".json"}});

  return {{"type", "map"},
          {"version", "1.10"},
          {"tiledversion", "1.10.2"},
          {"orientation", "orthogonal"},
          {"renderorder", "right-down"},
          {"infinite", false},
          {"compressionlevel", -1},
          {"width", level.width},
          {"height", level.height},
          {"tilewidth", kTileSize},
          {"tileheight", kTileSize},
          {"nextlayerid", 8},
          {"nextobjectid", next_id},
          {"properties", json::array({{{"name", "name"}, {"type", "string"}, {"value", level_name}}})},
          {"tilesets", std::move(tilesets)},
          {"layers", std::move(layers)}};
}

std::string FormatMapJson(const json& map) {
  // The tile data is set aside and written back one map row per line, so a map
  // stays readable and diffs show which rows changed.
  json copy = map;
  std::vector<std::string> rows_text;
  if (copy.contains("layers") && copy["layers"].is_array()) {
    for (json& layer : copy["layers"]) {
      if (!layer.is_object() || !layer.contains("data") || !layer["data"].is_array()) continue;
      const json gids = layer["data"];
      int64_t width = layer.value("width", int64_t(1));
      if (width < 1) width = 1;
      std::string text = "[";
      for (size_t i = 0; i < gids.size(); ++i) {
        if (i > 0) text += (int64_t(i) % width == 0) ? ",\n          " : ", ";
        text += gids[i].dump();
      }
      text += "]";
      layer["data"] = kDataMarker + "#" + std::to_string(rows_text.size());
      rows_text.push_back(std::move(text));
    }
  }
  std::string out = copy.dump(1);
  for (size_t i = 0; i < rows_text.size(); ++i) {
    std::string marker = "\"" + kDataMarker + "#" + std::to_string(i) + "\"";
    size_t at = out.find(marker);
    if (at != std::string::npos) out.replace(at, marker.size(), rows_text[i]);
  }
  return out + "\n";
}

}  // namespace vn::levelc
