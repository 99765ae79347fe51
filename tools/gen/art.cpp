#include "tools/gen/art.h"

#include "tools/gen/art_picture_set.h"

namespace vngen {

void WriteAllPictures(const std::string& game_dir) {
  PictureSet set(game_dir);
  PaintSolidTiles(set);
  PaintLadderAndHazardObjects(set);
  PaintItemObjects(set);
  PaintMechanismObjects(set);
  PaintSceneryObjects(set);
  PaintPictograms(set);
  PaintForeground(set);
  PaintSprites(set);
  PaintScreens(set);
}

}  // namespace vngen
