// Start-up: the window, the drawing state, the containers and every resource.
#include "app/resources.h"

#include <cmath>
#include <string>

#include "app/settings.h"
#include "engine/input.h"
#include "engine/random.h"
#include "engine/stream.h"
#include "engine/text.h"
#include "play/entities.h"
#include "world/actions.h"
#include "world/inventory.h"
#include "world/map.h"
#include "world/map_effects.h"

namespace vn {

namespace {

constexpr int kFileKindRegular = 1;
constexpr int kSoundFlags = 2;        // a hardware voice is allowed, not looped
constexpr int kForegroundLayer = 2;   // its pictures are animation strips
constexpr int kForegroundFrames = 8;

bool IsRegularFile(const std::string& path) { return GetFileKind(path) == kFileKindRegular; }

// Tile pictures are looked for first: values without a file stay empty silently.
void LoadTileImages() {
  for (int layer = 0; layer < kLayerCount; ++layer) {
    for (int value = 1; value <= kMaxTileValue; ++value) {
      std::string path = "gfx/layer" + std::to_string(layer) + "/" + std::to_string(value) + ".bmp";
      if (!IsRegularFile(path)) continue;
      tile_images[size_t(value)][size_t(layer)] =
          layer == kForegroundLayer ? LoadImageStrip(path, 32, 32, 0, kForegroundFrames, -1)
                                    : LoadImageFile(path, -1);
    }
  }
}

void LoadGunImages() {
  for (size_t i = 0; i < gun_images.size(); ++i) {
    std::string path = "gfx/gun" + std::to_string(i) + ".bmp";
    if (!IsRegularFile(path)) continue;
    gun_images[i] = LoadImageStrip(path, 32, 32, 0, 2, -1);
    SetImageHandlePoint(gun_images[i], 16, 16);   // guns turn about their centre
  }
}

void LoadPictures() {
  LoadTileImages();

  crosshair_image = LoadImageFile("gfx/crosshair.png", -1);
  if (crosshair_image) {
    SetImageHandlePoint(crosshair_image, float(GetImageWidth(crosshair_image) / 2),
                        float(GetImageHeight(crosshair_image) / 2));
  }
  title_image = LoadImageFile("gfx/titel.png", -1);
  bag_image = LoadImageFile("gfx/bag.png", -1);
  background_image = LoadImageFile("gfx/background.png", -1);

  LoadGunImages();

  explosion_image = LoadImageStrip("gfx/explosion.bmp", 64, 64, 0, 18, -1);
  if (explosion_image) SetImageHandlePoint(explosion_image, 32, 32);
}

void LoadSoundTable(std::array<SoundRef, 10>& table, const std::string& stem) {
  for (size_t i = 0; i < table.size(); ++i) {
    std::string path = "sfx/" + stem + std::to_string(i) + ".wav";
    if (IsRegularFile(path)) table[i] = LoadSound(path, kSoundFlags);
  }
}

void LoadSounds() {
  landing_sound = LoadSound("sfx/ouch.wav", kSoundFlags);
  LoadSoundTable(effect_sounds, "effect");
  LoadSoundTable(gun_sounds, "gun");
}

// Empty containers and tables; a level load or the loaders fill them.
void CreateContainers() {
  character_list.Clear();
  shot_list.Clear();
  fragment_list.Clear();
  explosion_list.Clear();
  change_list.Clear();
  autoswitch_list.Clear();
  map_effect_list.Clear();
  effect_todo_list.Clear();
  action_list.Clear();
  map_width = 0;
  map_height = 0;
  map_tiles.assign(3, 0);
  map_codes.assign(1, 0);
  ClearInventory();
  frame_timer = TTimer::Create(60);

  gun_images.fill(nullptr);
  gun_sounds.fill(nullptr);
  effect_sounds.fill(nullptr);
  shot_power.fill(0);
  gun_delay.fill(0);
  ammo_per_pickup.fill(0);
  for (auto& name : level_names) name.clear();
  for (auto& text : tutorial_texts) text.clear();
  for (auto& name : key_names) name.clear();
  for (auto& layers : tile_images) layers.fill(nullptr);
}

}  // namespace

// Textures and glyphs are made here, once, rather than on their first draw in
// the middle of a frame.
void PrepareTextures() {
  for (size_t value = 0; value < tile_images.size(); ++value) {
    PrepareImage(tile_images[value][0]);
    PrepareImage(tile_images[value][1]);
    PrepareImage(tile_images[value][2], ForegroundTileAlpha(uint16_t(value)));
  }
  for (const ImageRef& image : gun_images) PrepareImage(image);
  for (const ImageRef& image : {crosshair_image, title_image, bag_image, background_image, explosion_image})
    PrepareImage(image);
  std::string latin1;
  for (int code = 32; code < 256; ++code)
    if (code < 127 || code >= 160) latin1.push_back(char(code));
  PrepareText(Latin1ToUtf8(latin1));

  // Stretching the background every frame is the software renderer's dearest
  // draw; stretched once here, the frame only copies it.
  background_fitted_image.reset();
  if (background_image && (screen_width != 800 || screen_height != 600)) {
    const int width = int(std::lround(float(GetImageWidth(background_image)) * (float(screen_width) / 800.0f)));
    const int height = int(std::lround(float(GetImageHeight(background_image)) * (float(screen_height) / 600.0f)));
    background_fitted_image = ScaledImageCopy(background_image, 0, width, height);
    PrepareImage(background_fitted_image);
  }
}

void LoadResources() {
  LoadPictures();
  SetCurrentFont(LoadFontFile("gfx/comicbd.ttf", 12, 4));
  FillFixedTables();
  LoadSounds();
  PrepareTextures();
}

bool OpenPlayWindow() {
  if (!OpenGraphics(screen_width, screen_height, 0, 60, 0)) return false;
  SetImageMaskColor(255, 0, 255);
  SetBlend(3);
  SetDefaultImageFlags(1);
  SetClsColor(255, 255, 255);
  view_cols = uint16_t(screen_width / 32 + 1);
  view_rows = uint16_t(screen_height / 32 + 1);
  return true;
}

bool StartUp() {
  SetAppTitle("Vornadel (Arbeitstitel)");
  // The window size is part of the settings, so they are read first.
  LoadSettings();
  if (!OpenPlayWindow()) return false;
  SeedRandom(RandomSeedFromEnvironment());
  SetMouseVisible(0);   // the menu draws its own pointer
  CreateContainers();
  LoadResources();
  LoadKeyNames();
  return true;
}

}  // namespace vn
