#pragma once
// A fresh directory under the system's temporary directory that is the working
// directory for a while: the tests' game directories and the benchmarks' level
// directories. No GoogleTest here, so the benchmarks can use it too.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <initializer_list>
#include <string>

namespace vn::test {

// Makes <tmp>/<prefix>-<pid>-<n> with the subdirectories, enters it and
// returns it; `previous` receives the working directory it left.
inline std::filesystem::path EnterScratchDir(const std::string& prefix,
                                             std::initializer_list<const char*> subdirectories,
                                             std::filesystem::path& previous) {
  static std::atomic<int> counter{0};
  previous = std::filesystem::current_path();
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
      (prefix + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path);
  for (const char* sub : subdirectories) std::filesystem::create_directories(path / sub);
  std::filesystem::current_path(path);
  return path;
}

// Goes back to `previous` and removes the scratch directory; never throws.
inline void LeaveScratchDir(const std::filesystem::path& path, const std::filesystem::path& previous) {
  std::error_code ignored;
  std::filesystem::current_path(previous, ignored);
  std::filesystem::remove_all(path, ignored);
}

}  // namespace vn::test
