// vnlevel: compiles level sources into the game's binary level files.
#include <cstdio>

int main(int argc, char** argv) {
  (void)argv;
  if (argc < 2) {
    std::fprintf(stderr, "usage: vnlevel build <levels-dir> <map-dir>\n");
    return 2;
  }
  return 0;
}
