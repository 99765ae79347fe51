#include "world/map.h"

#include "world/world.h"

namespace vn {

namespace {

// Columns and rows of the arrays: the map plus its zero margin.
int32_t ArrayColumns() { return int32_t(world.map_width) + kMapMargin; }
int32_t ArrayRows() { return int32_t(world.map_height) + kMapMargin; }

size_t CellIndex(int32_t column, int32_t row) {
  return static_cast<size_t>(column) * static_cast<size_t>(ArrayRows()) + static_cast<size_t>(row);
}

bool IsTileLayer(int layer) { return layer >= 0 && layer < kLayerCount; }

}  // namespace

void ResizeMap(uint16_t width, uint16_t height) {
  world.map_width = width;
  world.map_height = height;
  const size_t cells = static_cast<size_t>(ArrayColumns()) * static_cast<size_t>(ArrayRows());
  // assign() keeps nothing of the previous level, even where the new map is smaller.
  world.map_tiles.assign(cells * kLayerCount, 0);
  world.map_codes.assign(cells, 0);
}

bool CellInArrays(int32_t column, int32_t row) {
  if (column < 0 || row < 0 || column >= ArrayColumns() || row >= ArrayRows()) return false;
  // Also guards against arrays that do not match the dimensions (never after ResizeMap).
  const size_t cell = CellIndex(column, row);
  return cell < world.map_codes.size() && (cell + 1) * kLayerCount <= world.map_tiles.size();
}

uint16_t GetTile(int32_t column, int32_t row, int layer) {
  if (layer == kCodeLayer) return GetCode(column, row);
  if (!IsTileLayer(layer) || !CellInArrays(column, row)) return 0;
  return world.map_tiles[CellIndex(column, row) * kLayerCount + static_cast<size_t>(layer)];
}

void SetTile(int32_t column, int32_t row, int layer, uint16_t value) {
  SetCell(column, row, layer, value);
}

uint8_t GetCode(int32_t column, int32_t row) {
  if (!CellInArrays(column, row)) return 0;
  return world.map_codes[CellIndex(column, row)];
}

void SetCode(int32_t column, int32_t row, uint8_t value) {
  if (!CellInArrays(column, row)) return;
  world.map_codes[CellIndex(column, row)] = value;
}

void SetCell(int32_t column, int32_t row, int layer, uint16_t value) {
  if (layer == kCodeLayer) {
    // The code grid holds bytes: an action writing 0x1FA stores 0xFA.
    SetCode(column, row, uint8_t(value & 0xFF));
    return;
  }
  if (!IsTileLayer(layer) || !CellInArrays(column, row)) return;
  world.map_tiles[CellIndex(column, row) * kLayerCount + static_cast<size_t>(layer)] = value;
}

uint16_t TileAtPixel(int32_t px, int32_t py, int layer) { return GetTile(CellOf(px), CellOf(py), layer); }

uint8_t CodeAtPixel(int32_t px, int32_t py) { return GetCode(CellOf(px), CellOf(py)); }

uint8_t ScanAhead(int32_t px, int32_t py, int32_t dir) {
  const int32_t col = (px + 16) / kTileSize + dir;
  const int32_t row = (py + 48) / kTileSize;

  // The bounds are deliberately narrow: column 0 is never looked at going left,
  // and a floor in the last three columns or rows is not seen. Enemies rely on
  // this to turn around before the map's edge.
  if (dir == -1) {
    for (int32_t i = col; i >= col - 4; --i)
      if (i > 0 && GetTile(i, row, 0) > 0) return 1;
  } else {
    for (int32_t i = col; i <= col + 4; ++i)
      if (i < int32_t(world.map_width) - 3 && GetTile(i, row, 0) > 0) return 1;
  }

  for (int32_t j = row; j <= row + 4; ++j)
    if (j < int32_t(world.map_height) - 3 && GetTile(col, j, 0) > 0 && GetTile(col - 1, j, 0) > 0) return 2;

  return 0;
}

}  // namespace vn
