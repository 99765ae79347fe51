// vnplay: plays an input script headless against a game directory and prints
// the player's path, so level authors can write and check playthroughs.
//   vnplay <game-dir> <script> [trace-every-n-frames] [screenshot-every-n-frames]
// Screenshots are written as shot<frame>.png into the game directory.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "engine/graphics.h"
#include "tools/playtest/play_script.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: vnplay <game-dir> <script> [trace-every]\n");
    return 2;
  }
  vn::playtest::InputScript script;
  std::string error;
  std::string script_path = std::filesystem::absolute(argv[2]).string();
  if (!vn::playtest::LoadInputScript(script_path, script, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  std::error_code ec;
  std::filesystem::current_path(argv[1], ec);
  if (ec) {
    std::fprintf(stderr, "cannot enter %s\n", argv[1]);
    return 2;
  }
  int every = argc > 3 ? std::atoi(argv[3]) : 10;
  vn::playtest::InitHeadlessPlay();
  int shot_every = argc > 4 ? std::atoi(argv[4]) : 0;
  auto screenshot = [shot_every](int frame) {
    if (shot_every <= 0 || frame % shot_every != 0) return;
    auto pixmap = vn::GrabPixmap(0, 0, 800, 600);
    if (pixmap) vn::WritePixmapPNG(*pixmap, "shot" + std::to_string(frame) + ".png", 5);
  };
  auto result = vn::playtest::PlayScript(script, &std::cout, every, screenshot);
  std::printf("frames %d exit %s alive %s level %d at %d,%d (line %d)\n", result.frames,
              result.reached_exit ? "yes" : "no", result.player_alive ? "yes" : "no", result.level, result.x,
              result.y, result.script_line);
  return result.reached_exit && result.player_alive ? 0 : 1;
}
