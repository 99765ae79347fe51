#include "engine/paths.h"

#include <SDL.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vn {

namespace fs = std::filesystem;

namespace {

constexpr const char* kInstalledData = "../share/games/vornadel";
constexpr const char* kUserSubfolder = "vornadel";
#ifdef __EMSCRIPTEN__
constexpr const char* kBrowserPlayerFolder = "/player";
#endif

bool installed = false;
std::string user_folder;

bool IsFolder(const fs::path& path) {
  std::error_code ignored;
  return fs::is_directory(path, ignored);
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// $XDG_DATA_HOME, where it is an absolute path as the convention requires,
// else ~/.local/share; the home folder from the password database when HOME is
// not set. Empty when there is none at all.
std::string DataHome() {
  const std::string xdg = Environment("XDG_DATA_HOME");
  if (fs::path(xdg).is_absolute()) return xdg;
  std::string home = Environment("HOME");
  if (home.empty()) {
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) home = entry->pw_dir;
  }
  if (home.empty()) return "";
  std::error_code ignored;
  return (fs::absolute(home, ignored) / ".local/share").string();
}

}  // namespace

std::string ExecutableFolder() {
  if (char* base = SDL_GetBasePath()) {
    std::string folder = base;
    SDL_free(base);
    return folder;
  }
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? "" : self.parent_path().string();
}

void FindGameFiles() { FindGameFiles(ExecutableFolder()); }

void FindGameFiles(const std::string& executable_folder) {
  installed = false;
  user_folder.clear();
#ifdef __EMSCRIPTEN__
  // In the browser the game's files are packed beside the program at /, and the
  // page mounts the browser's lasting storage at /player before the program
  // starts: the player's files go there, as in an installed game.
  if (IsFolder(kBrowserPlayerFolder)) {
    installed = true;
    user_folder = kBrowserPlayerFolder;
    std::error_code ignored;
    fs::create_directories(fs::path(user_folder) / "data", ignored);
    return;
  }
#endif
  if (IsFolder("gfx") || executable_folder.empty()) return;
  std::error_code error;
  const fs::path beside = fs::path(executable_folder);
  if (IsFolder(beside / "gfx")) {
    fs::current_path(beside, error);
    return;
  }
  const fs::path data = beside / kInstalledData;
  if (!IsFolder(data / "gfx")) return;
  // Resolved before the working directory changes, in case HOME is relative.
  const std::string data_home = DataHome();
  if (!data_home.empty()) user_folder = (fs::path(data_home) / kUserSubfolder).lexically_normal().string();
  fs::current_path(data, error);
  if (error) {
    user_folder.clear();
    return;
  }
  installed = true;
  if (!user_folder.empty()) fs::create_directories(fs::path(user_folder) / "data", error);
}

const std::string& UserFolder() { return user_folder; }

std::string UserFilePath(const std::string& relative) {
  if (!installed) return relative;
  if (user_folder.empty()) return "";
  return (fs::path(user_folder) / relative).string();
}

std::string UserFileToRead(const std::string& relative) {
  const std::string own = UserFilePath(relative);
  std::error_code ignored;
  if (own != relative && !own.empty() && fs::exists(own, ignored)) return own;
  return relative;
}

StreamRef OpenUserFileForWriting(const std::string& relative) {
  const std::string path = UserFilePath(relative);
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty() && GetFileKind(folder) == 0) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
  }
  return OpenAtomicWriteStream(path);
}

}  // namespace vn
