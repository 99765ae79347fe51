#include <algorithm>

#include "app/resources.h"
#include "play/play_loop.h"
#include "world/map.h"

namespace vn {
namespace {

constexpr int32_t kBoxHalf = 100;      // half size of the box the player is kept in
constexpr int32_t kLookSpeed = 6;      // px per frame while looking around
constexpr int32_t kLookReach = 10;     // tiles the view may move from its home

// Scrolls one axis so that the player's screen coordinate s stays within the
// box; `extent` is the window size, `last_tile` the highest tile the view may
// reach. Returns true when the view scrolled.
bool FollowAxis(int32_t s, int32_t extent, int32_t last_tile, int32_t& tile, int32_t& shift) {
  const int32_t low = extent / 2 - kBoxHalf;
  const int32_t high = extent - low;
  bool scrolled = false;
  if (s < low && tile > 0) {
    shift += low - s;
    // The view still moves one tile per frame at most; a player far outside the
    // box (a load, a long fall) must not leave the shift beyond a whole tile,
    // which would draw the whole map that far off its cells.
    if (shift >= 0) {
      tile = std::max(tile - 1, 0);
      shift = shift % kTileSize - kTileSize;
    }
    scrolled = true;
  }
  if (s > high && tile < last_tile) {
    shift -= s - high;
    // The remainder keeps the sign of the dividend: -32 gives 0, -40 gives -8.
    if (shift <= -kTileSize) {
      tile += 1;
      shift %= kTileSize;
    }
    scrolled = true;
  }
  return scrolled;
}

void LookAxis(bool forward, bool back, int32_t last_tile, int32_t home, int32_t& tile, int32_t& shift) {
  if (forward && tile < last_tile && tile < home + kLookReach) {
    shift -= kLookSpeed;
    if (shift <= -kTileSize) {
      tile += 1;
      shift %= kTileSize;
    }
  }
  if (back && tile > 0 && tile > home - kLookReach) {
    shift += kLookSpeed;
    if (shift >= 0) {
      tile -= 1;
      shift -= kTileSize;
    }
  }
}

}  // namespace

void FollowCamera(int32_t sx, int32_t sy, float player_speed) {
  fg_offset = 0;
  // The foreground is pushed along by the player's speed in a frame the view
  // scrolls sideways, which hides the one-frame lag of the scroll.
  if (FollowAxis(sx, screen_width, int32_t(map_width) - (int32_t(view_cols) - 1), cam_tile_x, cam_shift_x))
    fg_offset = player_speed;
  FollowAxis(sy, screen_height, int32_t(map_height) - (int32_t(view_rows) - 1), cam_tile_y, cam_shift_y);
}

void LookOrRestoreCamera(int32_t& sx, int32_t& sy) {
  if (held_look) {
    if (look_home_x == -1) {
      look_home_x = cam_tile_x;
      look_home_y = cam_tile_y;
    }
    LookAxis(held_right, held_left, int32_t(map_width) - int32_t(view_cols), look_home_x, cam_tile_x, cam_shift_x);
    LookAxis(held_down, held_up, int32_t(map_height) - int32_t(view_rows), look_home_y, cam_tile_y, cam_shift_y);
    return;
  }
  if (look_home_x != -1) {
    // Only the tiles jump back; the shifts stay as they are. The follow of this
    // frame must see the player where the restored view shows it, or it would
    // scroll the view a tile off its home at once.
    sx += (cam_tile_x - look_home_x) * kTileSize;
    sy += (cam_tile_y - look_home_y) * kTileSize;
    cam_tile_x = look_home_x;
    cam_tile_y = look_home_y;
    look_home_x = look_home_y = -1;
  }
}

}  // namespace vn
