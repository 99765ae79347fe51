#pragma once
// Characters drawn from ellipses, in every pose.
#include <cstdint>

namespace vn {

void DrawCharacter(int32_t x, int32_t y, uint8_t typ, uint8_t frame, uint8_t mode, uint16_t gunangle);
// Draws a figure in the water once more over the water picture: a pale rim and
// the figure half see-through, so a swimmer keeps its shape.
void DrawFigureOverWater(int32_t x, int32_t y, uint8_t typ, uint8_t frame, uint8_t mode, uint16_t gunangle);

}  // namespace vn
