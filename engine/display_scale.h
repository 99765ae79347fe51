#pragma once
// Fullscreen, a resizable window and the finished picture scaled into it. The
// game always draws at its logical size (the render target); only the copy to
// the window is scaled, aspect kept, centred between black bars.

namespace vn {

struct TPictureRect {
  int x = 0, y = 0, w = 0, h = 0;
};

// Where a picture of pic_w x pic_h lands in an output of out_w x out_h pixels:
// as large as the aspect allows, centred. With whole_multiples only 1x, 2x, ...
// (at least 1x, even when the output is smaller).
TPictureRect FitPicture(int out_w, int out_h, int pic_w, int pic_h, bool whole_multiples);

// Fullscreen on the desktop's resolution (borderless) or the window as it was.
// F11 and Alt+Enter toggle it from any screen (handled with the input messages).
void SetFullscreen(bool on);
bool IsFullscreen();
void SetIntegerScaling(bool on);
bool IsIntegerScaling();
// Sets the windowed size in window coordinates (benchmarks, tests).
void ResizeWindow(int width, int height);

// Where the picture lies in the window's real pixels now (the whole output at 1:1).
TPictureRect CurrentPictureRect();
// A point in window coordinates to picture pixels; false when it lies on the
// black bars around the picture (never at 1:1, where there are none).
bool WindowToPicture(int window_x, int window_y, int& picture_x, int& picture_y);
// The other way: the window coordinates of the middle of a picture pixel.
void PictureToWindow(int picture_x, int picture_y, int& window_x, int& window_y);

}  // namespace vn
