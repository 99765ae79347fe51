// The vnlevel command line.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <thread>

#include "engine/stream.h"
#include "tools/levelc/levelc.h"

namespace vn::levelc {

namespace {

namespace fs = std::filesystem;

constexpr int kExitOk = 0;
constexpr int kExitErrors = 1;
constexpr int kExitUsage = 2;

const char* const kUsage =
    "usage: vnlevel build [--gfx DIR] <levels-dir> <map-dir>   compile every *.json of a directory\n"
    "       vnlevel compile [--gfx DIR] <in.json> <out-dir>    compile one map\n"
    "       vnlevel check [--gfx DIR] <in.json>...             check maps, write nothing\n"
    "       vnlevel export <map-dir> <name> <out.json>         binary level back to a map\n"
    "       vnlevel tilesets <gfx-dir> <out-dir>               editor tilesets and pictures\n"
    "       vnlevel watch [--gfx DIR] <levels-dir> <map-dir>   compile each map when it is saved\n"
    "With --gfx every tile value needs its picture in DIR/layer<L>/<N>.bmp. build and watch\n"
    "also look for pictures beside the map directory (<map-dir>/../gfx) and warn about missing ones.\n";

struct CommandLine {
  std::string command;
  std::vector<std::string> operands;
  CompileOptions options;
  bool ok = true;
};

CommandLine Parse(const std::vector<std::string>& args) {
  CommandLine line;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--gfx") {
      if (i + 1 >= args.size()) line.ok = false;
      else line.options.gfx_dir = args[++i];
    } else if (line.command.empty()) {
      line.command = args[i];
    } else {
      line.operands.push_back(args[i]);
    }
  }
  return line;
}

int Finish(const Diagnostics& diagnostics, std::ostream& err) {
  diagnostics.Print(err);
  return diagnostics.HasErrors() ? kExitErrors : kExitOk;
}

int Check(const CommandLine& line, std::ostream& err) {
  Diagnostics diagnostics;
  for (const std::string& path : line.operands) {
    LevelData level;
    std::string name;
    CompileMapFile(path, line.options, level, name, diagnostics);
  }
  return Finish(diagnostics, err);
}

int Compile(const CommandLine& line, std::ostream& out, std::ostream& err) {
  Diagnostics diagnostics;
  LevelData level;
  std::string name;
  if (CompileMapFile(line.operands[0], line.options, level, name, diagnostics)) {
    std::string error;
    if (WriteCompiledLevel(line.operands[1], name, level, error)) {
      out << "vnlevel: " << line.operands[0] << " -> " << line.operands[1] << "/" << name << ".vnm\n";
    } else {
      diagnostics.Error(line.operands[0], error);
    }
  }
  return Finish(diagnostics, err);
}

std::vector<fs::path> MapSources(const fs::path& directory) {
  std::vector<fs::path> sources;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory))
    if (entry.is_regular_file() && entry.path().extension() == ".json") sources.push_back(entry.path());
  std::sort(sources.begin(), sources.end());
  return sources;
}

// Without --gfx, the pictures of the game directory the maps go to are looked at,
// and a missing one is only a warning.
void UsePicturesBesideMaps(CommandLine& line, const std::string& map_dir) {
  fs::path beside = fs::path(map_dir).parent_path() / "gfx";
  if (line.options.gfx_dir.empty() && GetFileKind(beside.string()) == 2) {
    line.options.gfx_dir = beside.string();
    line.options.missing_picture_is_error = false;
  }
}

int Build(CommandLine line, std::ostream& out, std::ostream& err) {
  const std::string& levels_dir = line.operands[0];
  const std::string& map_dir = line.operands[1];
  Diagnostics diagnostics;
  if (GetFileKind(levels_dir) != 2) {
    diagnostics.Error(levels_dir, "is not a directory");
    return Finish(diagnostics, err);
  }
  UsePicturesBesideMaps(line, map_dir);

  std::map<std::string, std::string> sources_by_name;
  int built = 0;
  for (const fs::path& source : MapSources(levels_dir)) {
    LevelData level;
    std::string name;
    if (!CompileMapFile(source.string(), line.options, level, name, diagnostics)) continue;
    auto [it, fresh] = sources_by_name.emplace(name, source.string());
    if (!fresh) {
      diagnostics.Error(source.string(), "level name '" + name + "' is already used by " + it->second);
      continue;
    }
    std::string error;
    if (WriteCompiledLevel(map_dir, name, level, error)) ++built;
    else diagnostics.Error(source.string(), error);
  }
  out << "vnlevel: " << built << " level(s) built into " << map_dir << "\n";
  return Finish(diagnostics, err);
}

int Export(const CommandLine& line, std::ostream& out, std::ostream& err) {
  LevelData level;
  std::string error;
  if (!ReadLevelData(line.operands[0], line.operands[1], level, error)) {
    err << "vnlevel: " << error << "\n";
    return kExitErrors;
  }
  std::ofstream file(line.operands[2], std::ios::binary | std::ios::trunc);
  file << FormatMapJson(ExportMap(level, line.operands[1]));
  if (!file.flush()) {
    err << "vnlevel: cannot write " << line.operands[2] << "\n";
    return kExitErrors;
  }
  out << "vnlevel: " << line.operands[1] << " -> " << line.operands[2] << "\n";
  return kExitOk;
}

int Tilesets(const CommandLine& line, std::ostream& out, std::ostream& err) {
  std::string error;
  if (!WriteTilesets(line.operands[0], line.operands[1], error)) {
    err << "vnlevel: " << error << "\n";
    return kExitErrors;
  }
  out << "vnlevel: tilesets written into " << line.operands[1] << "\n";
  return kExitOk;
}

// Runs until the process is stopped (Ctrl+C).
int Watch(CommandLine line, std::ostream& out, std::ostream& err) {
  const std::string& levels_dir = line.operands[0];
  if (GetFileKind(levels_dir) != 2) {
    err << "vnlevel: " << levels_dir << " is not a directory\n";
    return kExitErrors;
  }
  UsePicturesBesideMaps(line, line.operands[1]);
  LevelWatcher watcher(levels_dir, line.operands[1], line.options);
  out << "vnlevel: watching " << levels_dir << "/*.json, compiling into " << line.operands[1]
      << " (Ctrl+C ends)" << std::endl;
  for (;;) {
    try {
      watcher.Poll(out);
    } catch (const std::exception& error) {
      // A file system hiccup (a file that vanished while being read) ends one look, not the watch.
      out << "vnlevel: " << error.what() << std::endl;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  }
}

}  // namespace

bool WriteCompiledLevel(const std::string& map_dir, const std::string& level_name, const LevelData& level,
                        std::string& error) {
  std::error_code ec;
  fs::create_directories(map_dir, ec);
  if (!WriteLevelFiles(map_dir, level_name, level)) {
    error = "cannot write the level files of '" + level_name + "' into " + map_dir;
    return false;
  }
  // A map-data file left from an earlier build would give the level old actions.
  if (level.actions.empty() && !level.has_actions_file) fs::remove(fs::path(map_dir) / (level_name + ".vnd"), ec);
  return true;
}

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CommandLine line = Parse(args);
  const std::string& c = line.command;
  size_t n = line.operands.size();
  bool fits = line.ok && ((c == "build" && n == 2) || (c == "compile" && n == 2) || (c == "check" && n >= 1) ||
                          (c == "export" && n == 3) || (c == "tilesets" && n == 2) ||
                          (c == "watch" && n == 2));
  if (!fits) {
    err << kUsage;
    return kExitUsage;
  }
  if (!line.options.gfx_dir.empty() && GetFileKind(line.options.gfx_dir) != 2) {
    err << "vnlevel: --gfx " << line.options.gfx_dir << " is not a directory\n";
    return kExitUsage;
  }
  try {
    if (c == "build") return Build(line, out, err);
    if (c == "compile") return Compile(line, out, err);
    if (c == "check") return Check(line, err);
    if (c == "export") return Export(line, out, err);
    if (c == "watch") return Watch(line, out, err);
    return Tilesets(line, out, err);
  } catch (const std::exception& error) {
    // File system errors (a directory that vanished, no permission) end the run cleanly.
    err << "vnlevel: " << error.what() << "\n";
    return kExitErrors;
  }
}

}  // namespace vn::levelc
