#pragma once
// The program's options: --fullscreen, --windowed, --level NAME, --watch, --help, --version.
#include <string>
#include <vector>

namespace vn {

struct TCommandLine {
  int fullscreen = -1;      // -1 as remembered, 0 windowed, 1 fullscreen (this run only)
  int level = -1;           // index into level_names to start in; -1 = the title menu
  bool watch = false;       // reload the running level when its files change (for level authors)
  bool help = false;
  bool version = false;
  std::string error;        // one line when the command line is wrong; then nothing runs
};

// Parses the arguments after the program name. Level names are looked up in
// level_names, which must be filled.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();
std::string VersionText();

}  // namespace vn
