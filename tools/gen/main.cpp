// vngen: writes the game's pictures, sounds and data files into a game directory.
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "tools/gen/art.h"
#include "tools/gen/sounds.h"

namespace {

void CreateGameDirectories(const std::string& game_dir) {
  for (const char* sub : {"gfx", "sfx", "data", "map"}) {
    const std::filesystem::path path = std::filesystem::path(game_dir) / sub;
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error || !std::filesystem::is_directory(path))
      throw std::runtime_error("cannot create directory " + path.string() +
                               (error ? ": " + error.message() : ": a file of that name is in the way"));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool icons = argc == 4 && std::string(argv[1]) == "--icons";
  if (argc != 2 && !icons) {
    std::cerr << "usage: vngen <game-directory>\n"
                 "       vngen --icons <icon-theme-folder> <icon-name>\n";
    return 2;
  }
  const std::string game_dir = argv[1];
  try {
    if (icons) {
      vngen::WriteIcons(argv[2], argv[3]);
      return 0;
    }
    CreateGameDirectories(game_dir);
    vngen::WriteAllPictures(game_dir);
    vngen::WriteAllSounds(game_dir);
    vngen::WriteDataFiles(game_dir);
  } catch (const std::exception& error) {
    std::cerr << "vngen: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
