#pragma once
// Every resource loaded at start-up and the fixed tables, alive for the whole run.
#include <array>
#include <cstdint>
#include <string>

#include "engine/graphics.h"
#include "engine/sound.h"
#include "engine/timing.h"

namespace vn {

inline constexpr int kMaxTileValue = 700;

inline int32_t screen_width = 0, screen_height = 0;   // window size from the settings
inline TimerRef frame_timer;                          // 60 Hz request: ticks every 16 ms

// [tile value 0..700][layer 0..2]; empty where no file exists. Layer 2 holds 8-frame strips.
inline std::array<std::array<ImageRef, 3>, kMaxTileValue + 1> tile_images;
inline std::array<ImageRef, 10> gun_images;           // 2-frame strips, handle (16, 16)
inline ImageRef crosshair_image, title_image, bag_image, background_image, explosion_image;
// background_image stretched to the window, made by PrepareTextures when the
// window is not 800 x 600; nothing otherwise.
inline ImageRef background_fitted_image;
inline SoundRef landing_sound;
inline std::array<SoundRef, 10> effect_sounds;
inline std::array<SoundRef, 10> gun_sounds;

inline std::array<uint8_t, 10> shot_power{};          // damage by gun kind
inline std::array<uint16_t, 10> gun_delay{};          // ms between shots by gun kind
inline std::array<int32_t, 10> ammo_per_pickup{};     // ammunition per pick-up of tile 250 + k
inline std::array<std::string, 9> tutorial_texts;     // sign texts, UTF-8

// Fills level_names, the gun tables and tutorial_texts.
void FillFixedTables();
// Loads every picture, the font and every sound from gfx/ and sfx/ (working
// directory), filling the fixed tables between the font and the sounds.
void LoadResources();
// Makes the textures of every loaded picture and of the font's Latin-1 glyphs
// for the open window (LoadResources does it; again after reopening the window).
void PrepareTextures();
// Opens the window in the configured size (screen_width x screen_height) with
// the drawing state every picture relies on (magenta mask colour, alpha
// blending, masked images, white clear colour) and sets the view's size in
// cells. False when the window cannot be opened.
bool OpenPlayWindow();
// The whole start-up sequence up to (not including) the title menu. False when
// the window cannot be opened.
bool StartUp();

}  // namespace vn
