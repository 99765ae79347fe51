// Start-up: the window, the drawing state, the containers and every resource.
#include "app/resources.h"

#include <cmath>
#include <string>

#include "app/end_screen.h"
#include "app/settings.h"
#include "app/title_menu.h"
#include "engine/input.h"
#include "engine/platform.h"
#include "engine/random.h"
#include "engine/stream.h"
#include "engine/text.h"
#include "engine/timing.h"
#include "play/assets.h"
#include "play/play_loop.h"
#include "play/tables.h"
#include "world/map.h"
#include "world/tiles.h"

namespace vn {

namespace {

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
      world_assets.tile_images[size_t(value)][size_t(layer)] =
          layer == kForegroundLayer ? LoadImageStrip(path, 32, 32, 0, kForegroundFrames, -1)
                                    : LoadImageFile(path, -1);
    }
  }
}

void LoadGunImages() {
  for (size_t i = 0; i < play_assets.gun_images.size(); ++i) {
    std::string path = "gfx/gun" + std::to_string(i) + ".bmp";
    if (!IsRegularFile(path)) continue;
    play_assets.gun_images[i] = LoadImageStrip(path, 32, 32, 0, 2, -1);
    SetImageHandlePoint(play_assets.gun_images[i], 16, 16);   // guns turn about their centre
  }
}

void LoadPictures() {
  LoadTileImages();

  play_assets.crosshair_image = LoadImageFile("gfx/crosshair.png", -1);
  if (play_assets.crosshair_image) {
    SetImageHandlePoint(play_assets.crosshair_image, float(GetImageWidth(play_assets.crosshair_image) / 2),
                        float(GetImageHeight(play_assets.crosshair_image) / 2));
  }
  front.title_image = LoadImageFile("gfx/titel.png", -1);
  play_assets.bag_image = LoadImageFile("gfx/bag.png", -1);
  play_assets.background_image = LoadImageFile("gfx/background.png", -1);

  LoadGunImages();

  play_assets.explosion_image = LoadImageStrip("gfx/explosion.bmp", 64, 64, 0, 18, -1);
  if (play_assets.explosion_image) SetImageHandlePoint(play_assets.explosion_image, 32, 32);
}

void LoadSoundTable(std::array<SoundRef, 10>& table, const std::string& stem) {
  for (size_t i = 0; i < table.size(); ++i) {
    std::string path = "sfx/" + stem + std::to_string(i) + ".wav";
    if (IsRegularFile(path)) table[i] = LoadSound(path, kSoundFlags);
  }
}

void LoadSounds() {
  play_assets.landing_sound = LoadSound("sfx/ouch.wav", kSoundFlags);
  LoadSoundTable(play_assets.effect_sounds, "effect");
  LoadSoundTable(play_assets.gun_sounds, "gun");
}

// Every group to its start values; a level load or the loaders fill them.
void CreateContainers() {
  ResetPlayState();
  world_assets.Reset();
  play_assets.Reset();
  front.Reset();
  frame_timer = TTimer::Create(60);
}

}  // namespace

// Textures and glyphs are made here, once, rather than on their first draw in
// the middle of a frame.
void PrepareTextures() {
  for (size_t value = 0; value < world_assets.tile_images.size(); ++value) {
    PrepareImage(world_assets.tile_images[value][0]);
    PrepareImage(world_assets.tile_images[value][1]);
    PrepareImage(world_assets.tile_images[value][2], ForegroundTileAlpha(uint16_t(value)));
  }
  for (const ImageRef& image : play_assets.gun_images) PrepareImage(image);
  for (const ImageRef& image : {play_assets.crosshair_image, front.title_image, play_assets.bag_image, play_assets.background_image, play_assets.explosion_image})
    PrepareImage(image);
  std::string latin1;
  for (int code = 32; code < 256; ++code)
    if (code < 127 || code >= 160) latin1.push_back(char(code));
  PrepareText(Latin1ToUtf8(latin1));

  // Stretching the background every frame is the software renderer's dearest
  // draw; stretched once here, the frame only copies it.
  play_assets.background_fitted_image.reset();
  if (play_assets.background_image && (screen.screen_width != 800 || screen.screen_height != 600)) {
    const int width = int(std::lround(float(GetImageWidth(play_assets.background_image)) * (float(screen.screen_width) / 800.0f)));
    const int height = int(std::lround(float(GetImageHeight(play_assets.background_image)) * (float(screen.screen_height) / 600.0f)));
    play_assets.background_fitted_image = ScaledImageCopy(play_assets.background_image, 0, width, height);
    PrepareImage(play_assets.background_fitted_image);
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
  if (!OpenGraphics(screen.screen_width, screen.screen_height, 0, 60)) return false;
  SetImageMaskColor(255, 0, 255);
  SetBlend(3);
  SetDefaultImageFlags(1);
  SetClsColor(255, 255, 255);
  screen.view_cols = uint16_t(screen.screen_width / 32 + 1);
  screen.view_rows = uint16_t(screen.screen_height / 32 + 1);
  return true;
}

void InstallPlayHooks() {
  play_hooks.frame_drawn = ScreenshotKeyStep;
  play_hooks.level_not_loaded = [](const std::string& message) {
    SetMenuMessage(message);
  };
  play_hooks.game_finished = ShowEndScreen;
}

bool StartHeadless(int32_t width, int32_t height, bool dummy_drivers) {
  if (dummy_drivers) SetHeadless(true);
  InitPlatform();
  UseVirtualClock(true);
  SetDefaultSettings();
  screen.screen_width = width;
  screen.screen_height = height;
  if (!OpenPlayWindow()) return false;
  if (!frame_timer) frame_timer = TTimer::Create(60);
  InstallPlayHooks();
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
  InstallPlayHooks();
  LoadResources();
  LoadKeyNames();
  return true;
}

}  // namespace vn
