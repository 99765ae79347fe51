#pragma once
// The tile map: three layers and the code grid with a three-cell margin on the
// right and bottom (the arrays live in the world group, world/world.h), the
// camera and the window's size. Access is bounds-safe: reads outside the
// arrays give 0, writes outside are ignored, so damaged data cannot corrupt memory.
#include <cstdint>
#include <span>

namespace vn {

inline constexpr int kTileSize = 32;
inline constexpr int kLayerCount = 3;
inline constexpr int kMapMargin = 3;
inline constexpr int kCodeLayer = 200;   // layer number that addresses map_codes

inline constexpr int kLevelCount = 10;   // level table entries; 0 is the tutorial

// The view of the map: the cell at the window's top-left and the shift of the grid.
struct Camera {
  int32_t cam_tile_x = 0, cam_tile_y = 0;     // cell drawn at the screen's top-left
  int32_t cam_shift_x = 0, cam_shift_y = 0;   // pixel shift of the grid, -32..0
  void Reset();                               // all 0: the map's top-left corner
};
inline Camera camera;   // moved by play, replaced by level loads and saves

// The window's size in pixels and in cells, from the settings.
struct Screen {
  int32_t screen_width = 800, screen_height = 600;   // window size from the settings
  uint16_t view_cols = 26, view_rows = 19;           // screen size / 32 + 1
  void Reset();                                      // the shipped 800 x 600
};
inline Screen screen;   // set by the settings and when the window opens

// Replaces both arrays by zeroed ones for a W x H map (plus margin).
void ResizeMap(uint16_t width, uint16_t height);
// Cell access by column/row; 0 outside, writes outside ignored. layer 200 = code grid.
uint16_t GetTile(int32_t column, int32_t row, int layer);
void SetTile(int32_t column, int32_t row, int layer, uint16_t value);
uint8_t GetCode(int32_t column, int32_t row);
void SetCode(int32_t column, int32_t row, uint8_t value);
// Writes a cell of a tile layer, or the low byte into the code grid for layer 200.
void SetCell(int32_t column, int32_t row, int layer, uint16_t value);
// Cell of a pixel coordinate: p / 32 truncating toward zero.
inline int32_t CellOf(int32_t pixel) { return pixel / kTileSize; }
// The pixel coordinate of the cell edge at or before p, toward zero likewise.
inline int32_t SnapToCell(int32_t pixel) { return CellOf(pixel) * kTileSize; }
// Tile at a pixel point.
uint16_t TileAtPixel(int32_t px, int32_t py, int layer);
uint8_t CodeAtPixel(int32_t px, int32_t py);
// True when column/row lie inside the arrays (margin included).
bool CellInArrays(int32_t column, int32_t row);

// World pixel to screen pixel through the camera.
inline int32_t ScreenX(int32_t wx) { return wx - (camera.cam_tile_x * kTileSize - camera.cam_shift_x); }
inline int32_t ScreenY(int32_t wy) { return wy - (camera.cam_tile_y * kTileSize - camera.cam_shift_y); }
inline float ScreenXf(float wx) { return wx - static_cast<float>(camera.cam_tile_x * kTileSize - camera.cam_shift_x); }
inline float ScreenYf(float wy) { return wy - static_cast<float>(camera.cam_tile_y * kTileSize - camera.cam_shift_y); }

// Gap test of walking enemies: 1 floor in the scanned row, 2 a two-column floor
// below, 0 nothing.
uint8_t ScanAhead(int32_t px, int32_t py, int32_t dir);

// Draws layers 0 and 1 (frame 0) over the visible window of cells.
void DrawBackLayers();
// A figure's box on the screen, in pixels.
struct ScreenBox {
  int32_t x = 0, y = 0, w = kTileSize, h = kTileSize;
};
// Draws layer 2 with the animation frame, alpha 0.35 for water, 0.95 for 30..99,
// shifted by fg_offset horizontally. Scenery (30..599) over one of the figures
// is drawn see-through, so that nobody fights or hides unseen behind a trunk.
void DrawForegroundLayer(int anim_frame, float fg_offset, std::span<const ScreenBox> figures = {});
// The alpha of scenery while a figure is behind it.
inline constexpr float kSceneryOverFigureAlpha = 0.4f;
// The alpha a foreground tile value is drawn at.
float ForegroundTileAlpha(uint16_t value);

}  // namespace vn
