// vnlevel watch: compiles a map into the game directory whenever it is saved.
#include <chrono>
#include <ctime>
#include <iomanip>
#include <ostream>
#include <sstream>

#include "tools/levelc/levelc.h"

namespace vn::levelc {

namespace {

namespace fs = std::filesystem;

std::string ClockTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::ostringstream text;
  text << std::put_time(&local, "%H:%M:%S");
  return text.str();
}

std::string Count(int n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); }

}  // namespace

LevelWatcher::LevelWatcher(std::string levels_dir, std::string map_dir, CompileOptions options)
    : levels_dir_(std::move(levels_dir)), map_dir_(std::move(map_dir)), options_(std::move(options)) {}

void LevelWatcher::Poll(std::ostream& out) {
  std::error_code ec;
  std::map<fs::path, TFileStamp> now;
  for (const fs::directory_entry& entry : fs::directory_iterator(levels_dir_, ec))
    if (entry.path().extension() == ".json" && entry.is_regular_file(ec)) now[entry.path()] = GetFileStamp(entry.path().string());

  for (auto it = sources_.begin(); it != sources_.end();) {
    if (now.count(it->first)) {
      ++it;
      continue;
    }
    out << ClockTime() << " " << it->first.string() << ": removed; its compiled level stays" << std::endl;
    it = sources_.erase(it);
  }
  for (const auto& [path, stamp] : now) {
    Source& source = sources_[path];
    // A file is compiled once it has stayed the same for one look, so a save
    // still in progress is not read half way; the first look takes all as they are.
    const bool settled = first_poll_ || stamp == source.seen;
    source.seen = stamp;
    if (settled && !(stamp == source.compiled)) {
      source.compiled = stamp;
      Compile(path, source, out);
    }
  }
  first_poll_ = false;
}

void LevelWatcher::Compile(const fs::path& path, Source& source, std::ostream& out) {
  Diagnostics diagnostics;
  LevelData level;
  std::string name;
  const std::string file = path.string();
  bool ok = CompileMapFile(file, options_, level, name, diagnostics);
  if (ok) {
    for (const auto& [other_path, other] : sources_) {
      if (other_path == path || other.level_name != name) continue;
      diagnostics.Error(file, "level name '" + name + "' is already used by " + other_path.string());
      ok = false;
    }
  }
  std::string error;
  if (ok && !WriteCompiledLevel(map_dir_, name, level, error)) {
    diagnostics.Error(file, error);
    ok = false;
  }
  diagnostics.Print(out);
  const std::string when = ClockTime() + " " + file + ": ";
  if (ok) {
    source.level_name = name;
    out << when << "compiled into " << map_dir_ << "/" << name;
    if (diagnostics.WarningCount() > 0) out << " (" << Count(diagnostics.WarningCount(), "warning") << ")";
  } else {
    out << when << "not compiled (" << Count(diagnostics.ErrorCount(), "error") << "); the game keeps "
        << (source.level_name.empty() ? std::string("what it had") : map_dir_ + "/" + source.level_name);
  }
  out << std::endl;
}

}  // namespace vn::levelc
