#pragma once
// vnlevel: level sources in the Tiled JSON map format <-> the game's binary level
// files. The conventions (layer names, tilesets, object properties) are described
// in doc/levels.md.
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/stream.h"
#include "world/level_data.h"

namespace vn::levelc {

// Collected messages of one run. Every message names the file and, where it
// applies, the layer and the cell or object, so authors find the spot at once.
class Diagnostics {
 public:
  // `file` heads the message; `text` says where in the file and what is wrong.
  void Error(const std::string& file, const std::string& text);
  void Warning(const std::string& file, const std::string& text);
  bool HasErrors() const { return errors_ > 0; }
  int ErrorCount() const { return errors_; }
  int WarningCount() const { return warnings_; }
  const std::vector<std::string>& Messages() const { return messages_; }
  void Print(std::ostream& out) const;

 private:
  std::vector<std::string> messages_;
  int errors_ = 0;
  int warnings_ = 0;
};

struct CompileOptions {
  std::string gfx_dir;                 // when set, every tile value needs its picture here
  bool missing_picture_is_error = true;
};

// Tile gids of the four tilesets as the exporter writes them: gid = first gid + value.
inline constexpr uint32_t kExportFirstGid[4] = {1000, 2000, 3000, 4000};
inline constexpr const char* kTilesetNames[4] = {"layer0", "layer1", "layer2", "codes"};
inline constexpr int kCodesTileset = 3;

// Compiles a parsed map. `file` is used in messages and, without a "name"
// property, gives the level's name. False when errors were found.
bool CompileMap(const nlohmann::json& map, const std::string& file, const CompileOptions& options,
                LevelData& level, std::string& level_name, Diagnostics& diagnostics);
// Reads and compiles a JSON file.
bool CompileMapFile(const std::string& path, const CompileOptions& options, LevelData& level,
                    std::string& level_name, Diagnostics& diagnostics);

// The level as a Tiled map (tilesets referenced as tilesets/<name>.json).
nlohmann::json ExportMap(const LevelData& level, const std::string& level_name);
// JSON text in the editor's layout, with one map row per line in the tile data.
std::string FormatMapJson(const nlohmann::json& map);

// Writes layer0..2.json and codes.json (+ codes.png) into out_dir, pointing at the
// tile pictures under gfx_dir by relative paths. False with a message on failure.
bool WriteTilesets(const std::string& gfx_dir, const std::string& out_dir, std::string& error);

// Writes the compiled level into map_dir; removes a stale .vnd when the level
// has no actions. False with a message on failure.
bool WriteCompiledLevel(const std::string& map_dir, const std::string& level_name,
                        const LevelData& level, std::string& error);

// Compiles the maps of a levels directory into a map directory whenever one is
// saved, and reports each result and message on a line of its own. A map that
// does not compile leaves its previous compiled level in place.
class LevelWatcher {
 public:
  LevelWatcher(std::string levels_dir, std::string map_dir, CompileOptions options);
  // Looks at the sources once. The first look compiles every map; later looks
  // compile a map whose file changed and then stayed the same for one look.
  void Poll(std::ostream& out);

 private:
  struct Source {
    TFileStamp seen;         // at the last look
    TFileStamp compiled;     // when it was last compiled (or tried)
    std::string level_name;  // of the last successful compile
  };
  void Compile(const std::filesystem::path& path, Source& source, std::ostream& out);

  std::string levels_dir_, map_dir_;
  CompileOptions options_;
  std::map<std::filesystem::path, Source> sources_;
  bool first_poll_ = true;
};

// The command line: build, compile, check, export, tilesets, watch. Returns the exit status.
int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vn::levelc
