// vnlevel: compiles level sources into the game's binary level files and back.
#include <iostream>
#include <string>
#include <vector>

#include "tools/levelc/levelc.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return vn::levelc::RunCommand(args, std::cout, std::cerr);
}
