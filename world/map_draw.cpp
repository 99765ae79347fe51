// Drawing the map's tile layers over the visible cells.
#include "engine/graphics.h"
#include "world/map.h"
#include "world/tiles.h"

namespace vn {

namespace {

// The picture of a tile value in a layer, or null when there is none (value 0,
// a value beyond the table, or a picture whose file was missing at start-up).
const ImageRef* TilePicture(uint16_t value, int layer) {
  if (value == 0 || value > kMaxTileValue) return nullptr;
  const ImageRef& image = world_assets.tile_images[value][static_cast<size_t>(layer)];
  return image ? &image : nullptr;
}

// Calls draw(value, screen_x, screen_y) for every visible cell of a layer that
// has a picture. Two extra rows and columns cover the partly visible cells.
template <typename Draw>
void ForEachVisibleCell(int layer, Draw&& draw) {
  for (int32_t row = 0; row <= int32_t(screen.view_rows) + 1; ++row) {
    for (int32_t col = 0; col <= int32_t(screen.view_cols) + 1; ++col) {
      const uint16_t value = GetTile(camera.cam_tile_x + col, camera.cam_tile_y + row, layer);
      const ImageRef* picture = TilePicture(value, layer);
      if (!picture) continue;
      draw(*picture, value, col * kTileSize + camera.cam_shift_x, row * kTileSize + camera.cam_shift_y);
    }
  }
}

}  // namespace

void DrawBackLayers() {
  for (int layer = 0; layer < 2; ++layer) {
    ForEachVisibleCell(layer, [](const ImageRef& picture, uint16_t, int32_t x, int32_t y) {
      DrawImageFrame(picture, float(x), float(y), 0);
    });
  }
}

float ForegroundTileAlpha(uint16_t value) {
  // Water is see-through, light scenery nearly opaque; the rest is drawn at
  // whatever alpha is current (1).
  if (value < 30) return 0.35f;
  if (value < 100) return 0.95f;
  return 1;
}

namespace {

bool CoversAFigure(float x, int32_t y, std::span<const ScreenBox> figures) {
  for (const ScreenBox& box : figures) {
    if (x < float(box.x + box.w) && x + float(kTileSize) > float(box.x) && y < box.y + box.h && y + kTileSize > box.y)
      return true;
  }
  return false;
}

// Water stays as it is (figures show through it anyway), and deadly scenery
// never hides anyone who is still alive.
bool IsHidingScenery(uint16_t value) { return value >= 30 && value < 600; }

}  // namespace

void DrawForegroundLayer(int anim_frame, float fg_offset, std::span<const ScreenBox> figures) {
  ForEachVisibleCell(2, [&](const ImageRef& picture, uint16_t value, int32_t x, int32_t y) {
    const float draw_x = float(x) + fg_offset;
    const bool see_through = !figures.empty() && IsHidingScenery(value) && CoversAFigure(draw_x, y, figures);
    if (see_through) {
      SetAlpha(kSceneryOverFigureAlpha);
    } else if (value < 100) {
      SetAlpha(ForegroundTileAlpha(value));
    }
    DrawImageFrame(picture, draw_x, float(y), anim_frame);
    if (see_through || value < 100) SetAlpha(1);
  });
}

}  // namespace vn
