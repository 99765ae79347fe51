#pragma once
// The pictures and sounds of play, loaded at start-up (app/resources.h) and
// kept for the whole program.
#include <array>

#include "engine/graphics.h"
#include "engine/sound.h"

namespace vn {

struct PlayAssets {
  std::array<ImageRef, 10> gun_images;   // 2-frame strips, handle (16, 16)
  ImageRef crosshair_image, bag_image, background_image, explosion_image;
  // background_image stretched to the window, made by PrepareTextures when the
  // window is not 800 x 600; nothing otherwise.
  ImageRef background_fitted_image;
  SoundRef landing_sound;
  std::array<SoundRef, 10> effect_sounds;
  std::array<SoundRef, 10> gun_sounds;
  void Reset();   // every picture and sound empty
};
inline PlayAssets play_assets;

}  // namespace vn
