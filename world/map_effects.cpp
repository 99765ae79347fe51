#include "world/map_effects.h"

#include <algorithm>

#include "engine/numbers.h"
#include "engine/random.h"
#include "engine/timing.h"
#include "world/actions.h"
#include "world/map.h"
#include "world/tiles.h"
#include "world/world.h"

namespace vn {

namespace {

// The tile picture of a kind 1..3 effect, or null: an empty cell or a layer byte
// that names an action rather than a tile layer shows nothing.
ImageRef EffectPicture(const Tmap_effects& e) {
  if (e.layer >= kLayerCount || e.tile == 0 || e.tile > kMaxTileValue) return nullptr;
  return world_assets.tile_images[e.tile][e.layer];
}

void DrawSpinningTile(const Tmap_effects& e) {
  const ImageRef picture = EffectPicture(e);
  if (!picture) return;
  CenterImageHandle(picture);
  SetDrawRotation(e.rotation);
  DrawImageFrame(picture, float(ScreenX(e.x) + 16), float(ScreenY(e.y) + 16), 0);
  SetDrawRotation(0);
  SetImageHandlePoint(picture, 0, 0);
}

// New 16-bit position: truncated toward zero, a value below 0 wraps.
uint16_t Moved(uint16_t position, float speed) { return uint16_t(Trunc(float(position) + speed)); }

void UpdateThrownTile(Tmap_effects& e) {
  e.x = Moved(e.x, e.speedx);
  e.y = Moved(e.y, e.speedy);

  // Friction, then a dead band: a slow tile stops drifting at once.
  if (e.speedx > 0) e.speedx -= 0.02f;
  if (e.speedx < 0) e.speedx += 0.02f;
  if (e.speedx > -0.5f && e.speedx < 0.5f) e.speedx = 0;

  e.speedy = std::min(e.speedy + 0.4f, 12.0f);

  e.rotation += float(e.rotation_way * 12);
  if (e.rotation >= 360) e.rotation = 0;
  if (e.rotation < 0) e.rotation = 348;

  // The origin stays shifted until the play loop resets it before the next
  // update, so the whole scene jitters while a tile is in the air.
  const int32_t shake_x = RandRange(-2, 2);
  const int32_t shake_y = RandRange(-2, 2);
  SetDrawOrigin(float(shake_x), float(shake_y));

  DrawSpinningTile(e);
}

// Writes a landed tile into the map and records it. A layer byte that is not a
// tile layer lands nowhere: the effect just ends.
void Land(Tmap_effects& e) {
  e.timeout = 0;
  if (e.layer >= kLayerCount) return;
  const auto column = uint16_t(e.x / kTileSize);
  const auto row = uint16_t(e.y / kTileSize);
  SetTile(column, row, e.layer, e.tile);
  RecordMapChange(column, row, e.layer, e.tile);
}

// Moves a falling or sinking tile down; false when it has left the map arrays at
// the bottom (or the 16-bit world), where it ends without landing.
bool Fall(Tmap_effects& e) {
  const int32_t y = Trunc(float(e.y) + e.speedy);
  if (y > UINT16_MAX || y / kTileSize >= int32_t(world.map_height) + kMapMargin) {
    e.timeout = 0;
    return false;
  }
  e.y = uint16_t(y);
  return true;
}

void CrushCharactersBelow(const Tmap_effects& e) {
  const int32_t x = e.x, y = e.y;
  world.character_list.ForEach([&](const PlayerRef& ch) {
    if (ch->x >= x - 24 && ch->x <= x + 24 && ch->y >= y + 16 && ch->y <= y + 32) ch->power = 0;
  });
}

void UpdateFallingTile(Tmap_effects& e) {
  if (!Fall(e)) return;
  e.speedy = std::min(e.speedy + 0.35f, 15.0f);

  CrushCharactersBelow(e);

  const int32_t column = e.x / kTileSize;
  const int32_t below = (e.y + 32) / kTileSize;
  if (GetTile(column, below, 0) > 0 || GetCode(column, below) > 0) Land(e);

  DrawSpinningTile(e);
}

void UpdateSinkingTile(Tmap_effects& e) {
  if (!Fall(e)) return;

  // Unlike a falling tile, a sinking one tests solid ground in its own cell.
  const int32_t column = e.x / kTileSize;
  if (GetCode(column, (e.y + 32) / kTileSize) > 0 || GetTile(column, e.y / kTileSize, 0) > 0) Land(e);

  if (const ImageRef picture = EffectPicture(e))
    DrawImageFrame(picture, float(ScreenX(e.x)), float(ScreenY(e.y)), 0);
}

void UpdateToppleColumn(Tmap_effects& e) {
  e.rotation += e.speedy;
  // Each kind turns ever faster toward its own side.
  if (e.typ == 4) e.speedy -= 0.05f;
  else e.speedy += 0.05f;
  if (e.rotation >= 90 || e.rotation <= -90) e.timeout = 0;

  // The picture's handle is the pivot, so it turns about the column's bottom corner.
  SetDrawRotation(e.rotation);
  DrawImageFrame(world.topple_image, float(ScreenX(e.x)), float(ScreenY(e.y)), 0);
  SetDrawRotation(0);
}

}  // namespace

void UpdateMapEffects() {
  world.map_effect_list.ForEach([](const std::shared_ptr<Tmap_effects>& e) {
    switch (e->typ) {
      case 1: UpdateThrownTile(*e); break;
      case 2: UpdateFallingTile(*e); break;
      case 3: UpdateSinkingTile(*e); break;
      case 4:
      case 5: UpdateToppleColumn(*e); break;
      default: break;
    }

    if (ClockMillis() > e->timeout) {
      // Effects the chained action starts are reached later in this same walk.
      if (e->layer >= 200) TriggerAction(e->layer);
      world.map_effect_list.Remove(e);
    }
  });
}

}  // namespace vn
