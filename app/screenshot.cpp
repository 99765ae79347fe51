// The screenshot key, served at the end of every frame loop's frame.
#include <string>

#include "app/title_menu.h"
#include "engine/input.h"
#include "engine/paths.h"

namespace vn {

namespace {

constexpr int kKeyF12 = 123;
// A fixed area whatever the window size; pixels beyond the window come out black.
constexpr int kShotWidth = 1600, kShotHeight = 900;
constexpr int kPngCompression = 5;

}  // namespace

void ScreenshotKeyStep() {
  if (TakeKeyHits(kKeyF12) == 0) return;
  screenshot_pixmap = GrabPixmap(0, 0, kShotWidth, kShotHeight);
  if (screenshot_pixmap) {
    // A file that cannot be written (read-only directory) is not reported.
    WritePixmapPNG(*screenshot_pixmap, UserFilePath("screen" + std::to_string(screenshot_count) + ".png"),
                   kPngCompression);
  }
  screenshot_count = uint8_t((screenshot_count + 1) % 256);
}

}  // namespace vn
