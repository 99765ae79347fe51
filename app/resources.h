#pragma once
// Start-up: the window and every resource, loaded into the homes of the layers
// below (world_assets, play_assets, tables, the font) and of the menu.
#include <cstdint>

namespace vn {

// Loads every picture, the font and every sound from gfx/ and sfx/ (working
// directory), filling the fixed tables between the font and the sounds.
void LoadResources();
// Makes the textures of every loaded picture and of the font's Latin-1 glyphs
// for the open window (LoadResources does it; again after reopening the window).
void PrepareTextures();
// Opens the window in the configured size (screen.screen_width x screen.screen_height) with
// the drawing state every picture relies on (magenta mask colour, alpha
// blending, masked images, white clear colour) and sets the view's size in
// cells. False when the window cannot be opened.
bool OpenPlayWindow();
// The whole start-up sequence up to (not including) the title menu. False when
// the window cannot be opened.
bool StartUp();
// Tells play how to report to the program: screenshots, load failures, the end.
void InstallPlayHooks();
// The start of tests, vnplay and benchmarks: SDL's dummy drivers (unless
// dummy_drivers is false: the caller chose its drivers), the virtual clock, the
// default settings with a window of width x height, its frame timer and the
// play hooks. False when the window cannot be opened.
bool StartHeadless(int32_t width = 800, int32_t height = 600, bool dummy_drivers = true);

}  // namespace vn
