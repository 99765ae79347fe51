// The command line: a few options for players and level authors.
#include "app/command_line.h"

#include "play/tables.h"

namespace vn {

namespace {

int LevelIndex(const std::string& name) {
  for (int i = 0; i < kLevelCount; ++i)
    if (!tables.level_names[i].empty() && tables.level_names[i] == name) return i;
  return -1;
}

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  TCommandLine line;
  for (size_t i = 0; i < args.size() && line.error.empty(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--fullscreen") {
      line.fullscreen = 1;
    } else if (arg == "--windowed") {
      line.fullscreen = 0;
    } else if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--version") {
      line.version = true;
    } else if (arg == "--watch") {
      line.watch = true;
    } else if (arg == "--level" || arg.rfind("--level=", 0) == 0) {
      std::string name;
      if (arg == "--level") {
        if (i + 1 >= args.size()) {
          line.error = "--level needs the name of a level";
          break;
        }
        name = args[++i];
      } else {
        name = arg.substr(8);
      }
      line.level = LevelIndex(name);
      if (line.level < 0) line.error = "no level named '" + name + "' in the game's level table";
    } else {
      line.error = "unknown option '" + arg + "'";
    }
  }
  return line;
}

std::string UsageText() {
  std::string levels;
  for (int i = 0; i < kLevelCount; ++i)
    if (!tables.level_names[i].empty()) levels += std::string(levels.empty() ? "" : ", ") + "\"" + tables.level_names[i] + "\"";
  return "Usage: vornadel [--fullscreen | --windowed] [--level NAME [--watch]]\n"
         "       vornadel --help | --version\n"
         "Run from the game directory (gfx/ sfx/ map/ data/ beside the program).\n"
         "  --fullscreen    start in fullscreen for this run (F11 or Alt+Enter toggles)\n"
         "  --windowed      start in a window for this run\n"
         "  --level NAME    start straight into the level NAME of the game's level table;\n"
         "                  Escape then returns to the title menu\n"
         "  --watch         reload the level being played when its files in map/ change,\n"
         "                  keeping the player in place (for level authors)\n"
         "  --help          show this text and exit\n"
         "  --version       show the version and exit\n"
         "Levels: " + levels + "\n";
}

std::string VersionText() { return "Vornadel 1.0\n"; }

}  // namespace vn
