#pragma once
// The program's entry: the command line, start-up, then the title menu.
#include <string>
#include <vector>

namespace vn {

// Runs the whole program with the arguments after the program name; returns
// the exit status (2 for a wrong command line, after which nothing was written).
int RunGame(const std::vector<std::string>& args = {});

}  // namespace vn
