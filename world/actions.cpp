#include "world/actions.h"

#include <climits>

#include "engine/graphics.h"
#include "engine/random.h"
#include "engine/timing.h"
#include "world/map.h"
#include "world/map_effects.h"

namespace vn {

namespace {

// The column of kinds 4 and 5 collected from the prepared effects of one number.
struct ToppleColumn {
  int32_t x0 = 0, y0 = 0;   // pixels of the bottom cell (the first record's cell)
  int32_t height = 0;       // pixels, 32 per record
  uint8_t kind = 0;         // of the last record
  uint8_t layer = 0;        // of the last record
};

void StartPreparedEffect(const Tmap_effects_todo& t) {
  auto e = std::make_shared<Tmap_effects>();
  e->typ = t.typ;
  // Pixel positions are 16 bits wide and wrap, as in the running effect.
  e->x = uint16_t(int32_t(t.x) * kTileSize);
  e->y = uint16_t(int32_t(t.y) * kTileSize);
  e->layer = t.layer;
  // A copy of what the cell holds now; the cell itself is left for the actions.
  e->tile = t.layer < kLayerCount ? GetTile(t.x, t.y, t.layer) : 0;
  if (t.typ == 1) {
    // The draws happen in this order so that a seeded run repeats.
    e->speedx = float(RandRangeFloat(-14, 14));
    e->speedy = float(RandRangeFloat(-16.5, -4.5));
    e->timeout = ClockMillis() + 1500;
    e->rotation_way = RandRange(-1, 1);
  } else if (t.typ == 2 || t.typ == 3) {
    e->speedx = 0;
    e->speedy = 1.0f;
    e->timeout = INT_MAX;
    e->rotation_way = 0;
  }
  map_effect_list.AddLast(e);
}

void CollectColumnCell(const Tmap_effects_todo& t, ToppleColumn& column) {
  // Only the first record places the column (a first record in column or row 0
  // leaves the place to a later one); every record adds one cell of height.
  if (column.x0 == 0) column.x0 = int32_t(t.x) * kTileSize;
  if (column.y0 == 0) column.y0 = int32_t(t.y) * kTileSize;
  column.height += kTileSize;
  column.kind = t.typ;
  column.layer = t.layer;
}

void StartToppleColumn(const ToppleColumn& column) {
  topple_image.reset();

  const int32_t side = int32_t(column.kind) - 4;   // 0 falls left, 1 falls right
  auto e = std::make_shared<Tmap_effects>();
  e->typ = column.kind;
  e->x = uint16_t(column.x0 + side * kTileSize);   // the pivot: the bottom corner it turns about
  e->y = uint16_t(column.y0 + kTileSize);
  e->layer = column.layer;
  e->speedy = 0.05f;
  e->timeout = INT_MAX;
  e->rotation_way = side;
  map_effect_list.AddLast(e);

  topple_image = CreateBlankImage(kTileSize, column.height, 1, IMG_MASKED | IMG_DYNAMIC);
  // Whatever the frame shows so far in the column's rectangle becomes its picture.
  GrabImageFrame(topple_image, ScreenX(column.x0), ScreenY(column.y0) - (column.height - kTileSize), 0);
  SetImageHandlePoint(topple_image, float(side * kTileSize), float(column.height));
}

}  // namespace

void TriggerAction(uint8_t nr) {
  ToppleColumn column;
  effect_todo_list.ForEach([&](const std::shared_ptr<Tmap_effects_todo>& t) {
    if (t->nr != nr) return;
    if (t->typ == 4 || t->typ == 5) CollectColumnCell(*t, column);
    else StartPreparedEffect(*t);
  });

  if (column.height > 0) StartToppleColumn(column);

  // File order: the later of two actions on one cell wins, and both are recorded
  // so that a replay ends with the same value.
  action_list.ForEach([&](const std::shared_ptr<Taction>& a) {
    if (a->nr != nr) return;
    SetCell(a->x, a->y, a->layer, a->new_tile);
    RecordMapChange(a->x, a->y, a->layer, a->new_tile);
  });
}

void RecordMapChange(int32_t x, int32_t y, uint8_t layer, uint16_t tile) {
  if (!CellInArrays(x, y) || (layer >= kLayerCount && layer != kCodeLayer)) return;
  auto record = std::make_shared<Tmap_change_done>();
  record->x = uint16_t(x);
  record->y = uint16_t(y);
  record->tile_new = tile;
  record->layer = layer;
  change_list.AddLast(record);
}

}  // namespace vn
