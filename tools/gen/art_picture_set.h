#pragma once
// Where the painters hand in their pictures: checks each picture's size against
// what the game cuts from the file, refuses a tile value painted twice, writes
// the file and keeps the catalogue of every tile for the level authors.
#include <map>
#include <string>
#include <utility>

#include "tools/gen/art_canvas.h"

namespace vngen {

constexpr int kTileSize = 32;
constexpr int kForegroundFrames = 8;  // layer-2 strips, played at 10 frames per second
constexpr int kLastTileValue = 700;

class PictureSet {
 public:
  // Creates game_dir/gfx and game_dir/gfx/layer0..2.
  explicit PictureSet(std::string game_dir);

  // A tile picture: 32 x 32 for layers 0 and 1, a strip of 8 frames (256 x 32)
  // for layer 2. name is the catalogue entry. Throws std::logic_error for a
  // wrong size, a value outside 1..700 or a value painted twice.
  void Tile(int layer, int value, const std::string& name, const Canvas& picture);
  // Any other picture, relative to gfx/: BMP with the magenta mask or PNG.
  void Masked(const std::string& file_name, const Canvas& picture);
  void Png(const std::string& file_name, const Canvas& picture);

  // Tile names by (layer, value), in value order.
  const std::map<std::pair<int, int>, std::string>& Catalogue() const { return catalogue_; }

 private:
  std::string gfx_dir_;
  std::map<std::pair<int, int>, std::string> catalogue_;
};

// The painters, one per group of pictures.
void PaintSolidTiles(PictureSet& set);
void PaintLadderAndHazardObjects(PictureSet& set);
void PaintItemObjects(PictureSet& set);
void PaintMechanismObjects(PictureSet& set);
void PaintSceneryObjects(PictureSet& set);
void PaintPictograms(PictureSet& set);
void PaintForeground(PictureSet& set);
void PaintSprites(PictureSet& set);
void PaintScreens(PictureSet& set);

}  // namespace vngen
