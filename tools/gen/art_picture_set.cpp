#include "tools/gen/art_picture_set.h"

#include <filesystem>
#include <stdexcept>

#include "tools/gen/art_bmp_writer.h"
#include "tools/gen/art_png_writer.h"

namespace vngen {

PictureSet::PictureSet(std::string game_dir) : gfx_dir_(std::move(game_dir) + "/gfx") {
  for (int layer = 0; layer < 3; ++layer)
    std::filesystem::create_directories(gfx_dir_ + "/layer" + std::to_string(layer));
}

void PictureSet::Tile(int layer, int value, const std::string& name, const Canvas& picture) {
  std::string what = "layer " + std::to_string(layer) + " tile " + std::to_string(value);
  if (layer < 0 || layer > 2 || value < 1 || value > kLastTileValue) throw std::logic_error(what + ": no such tile");
  int frames = layer == 2 ? kForegroundFrames : 1;
  if (picture.Width() != kTileSize * frames || picture.Height() != kTileSize)
    throw std::logic_error(what + ": wrong picture size");
  if (!catalogue_.emplace(std::make_pair(layer, value), name).second) throw std::logic_error(what + ": painted twice");
  WriteMaskedBmp(picture, gfx_dir_ + "/layer" + std::to_string(layer) + "/" + std::to_string(value) + ".bmp");
}

void PictureSet::Masked(const std::string& file_name, const Canvas& picture) {
  WriteMaskedBmp(picture, gfx_dir_ + "/" + file_name);
}

void PictureSet::Png(const std::string& file_name, const Canvas& picture) {
  WritePng(picture, gfx_dir_ + "/" + file_name);
}

}  // namespace vngen
