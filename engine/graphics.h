#pragma once
// The window, the drawing state and images. All drawing goes into one render
// target of the window's size; Flip copies it to the window. Grabs and
// screenshots read that target, so they behave the same on every backend.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vn {

class TStream;

// Pixel formats: bytes of one pixel in memory order.
enum PixmapFormat : int {
  PF_A8 = 2,        // one alpha byte (font glyphs)
  PF_BGR888 = 3,    // blue, green, red
  PF_BGRA8888 = 5,  // blue, green, red, alpha
  PF_RGBA8888 = 6,  // red, green, blue, alpha
};
int BytesPerPixel(int format);
bool FormatHasAlpha(int format);

// A plain CPU pixel buffer.
struct TPixmap {
  std::vector<uint8_t> pixels;
  int width = 0, height = 0;
  int pitch = 0;   // bytes per row
  int format = PF_RGBA8888;
};
using PixmapRef = std::shared_ptr<TPixmap>;
PixmapRef CreatePixmap(int width, int height, int format);
// Reads a pixel as RGBA whatever the format (A8 gives 255,255,255,a).
void GetPixelRGBA(const TPixmap& pixmap, int x, int y, uint8_t rgba[4]);
void SetPixelRGBA(TPixmap& pixmap, int x, int y, const uint8_t rgba[4]);
// A copy in another format.
PixmapRef ConvertPixmap(const TPixmap& pixmap, int format);

// Image flags (bits).
enum ImageFlags : int { IMG_MASKED = 1, IMG_FILTERED = 2, IMG_MIPMAPPED = 4, IMG_DYNAMIC = 8 };

struct TFrameTexture;  // device texture of one frame, private to the engine

// An image of one or more equal frames with its own handle point.
struct TImage {
  int width = 0, height = 0;   // of one frame
  int flags = 0;
  int mask_r = 0, mask_g = 0, mask_b = 0;
  float handle_x = 0, handle_y = 0;
  std::vector<PixmapRef> pixmaps;                       // one per frame
  std::vector<std::shared_ptr<TFrameTexture>> frames;   // made lazily on first draw
  std::vector<int> seqs;                                // window generation of each texture
};
using ImageRef = std::shared_ptr<TImage>;

// The drawing state of the open window.
struct TDrawState {
  int color_red = 255, color_green = 255, color_blue = 255;
  float color_alpha = 1;
  int clscolor_red = 0, clscolor_green = 0, clscolor_blue = 0;
  float line_width = 1;
  float tform_rot = 0, tform_scale_x = 1, tform_scale_y = 1;
  float tform_ix = 1, tform_iy = 0, tform_jx = 0, tform_jy = 1;
  int viewport_x = 0, viewport_y = 0, viewport_w = 0, viewport_h = 0;
  float origin_x = 0, origin_y = 0;
  float handle_x = 0, handle_y = 0;
  int blend_mode = 1;
  int g_width = 0, g_height = 0;
};
const TDrawState& GetDrawState();

// Window ------------------------------------------------------------------
void SetAppTitle(const std::string& title);
// Opens the window (depth 0: a window, centred, resizable; fullscreen when
// SetFullscreen asked for it). The picture keeps width x height. False when no
// window or renderer can be made. Opening again closes the previous window.
bool OpenGraphics(int width, int height, int depth, int hertz);
void CloseGraphics();
// Name of the renderer in use ("software", "opengl", ...), for benchmarks and logs.
std::string RendererName();
// The renderer to use for windows opened from now on, whatever the automatic
// choice would be ("opengl", "software"); empty restores the automatic choice.
// Benchmarks use it to measure the OpenGL path on machines without a GPU.
void SetRendererOverride(const std::string& name);
void Flip(int sync);
void Cls();

// Drawing state -------------------------------------------------------------
void SetClsColor(int r, int g, int b);
void SetColor(int r, int g, int b);       // each clamped to 0..255
void SetAlpha(float alpha);               // clamped to 0..1, NaN -> 0
void SetBlend(int mode);                  // 1 mask, 2 solid, 3 alpha, 4 light, 5 shade
void SetDrawRotation(float degrees);
void SetDrawScale(float sx, float sy);
void SetDrawOrigin(float x, float y);
// The polygon points DrawOval uses for a box of w x h (at least 12, multiple of 4).
int OvalPointCount(float w, float h);

// Primitives ----------------------------------------------------------------
void DrawRect(float x, float y, float w, float h);
void DrawOval(float x, float y, float w, float h);
// Draws one frame so that its handle lies at (x, y). Null images and frames out
// of range draw nothing.
void DrawImageFrame(const ImageRef& image, float x, float y, int frame);
// As DrawImageFrame, with (tx, ty) a device position (the origin already added).
// Text uses it to place glyphs along a rotated, scaled line.
void DrawImageFrameAt(const TImage& image, float tx, float ty, int frame);
// A one-frame copy of the frame stretched to width x height by the renderer's
// own scaling (as a draw at that scale would stretch it), for a picture drawn
// at one fixed scale every frame: copying is far cheaper than stretching.
// nullptr without a window, for a frame that does not exist or an empty size.
ImageRef ScaledImageCopy(const ImageRef& image, int frame, int width, int height);
// Makes the textures of every frame now rather than at the first draw, which
// would otherwise stall that frame and take memory from the heap in play;
// with an alpha below 1 also the pictures for drawing it at that alpha.
void PrepareImage(const ImageRef& image, float alpha = 1);

// What reached the renderer since the last reset; benchmarks compare a game
// frame with the same work pushed through the renderer without game logic.
struct TDrawStats {
  int64_t images = 0;         // textured quads: image frames and glyphs
  int64_t images_tinted = 0;  // of those, drawn with a colour or an alpha below 1
  int64_t ovals = 0;          // filled ellipses
  int64_t oval_points = 0;    // their polygon points, summed
  int64_t rects = 0;          // filled rectangles, axis-aligned or turned
  int64_t clears = 0;
  int64_t flips = 0;
  int64_t textures_made = 0;  // device textures created from pixmaps
};
const TDrawStats& GetDrawStats();
void ResetDrawStats();

// Images --------------------------------------------------------------------
void SetImageMaskColor(int r, int g, int b);
void SetDefaultImageFlags(int flags);     // -1 leaves it unchanged
ImageRef LoadImageFile(const std::string& path, int flags);
ImageRef LoadImageStrip(const std::string& path, int cell_w, int cell_h, int first, int count, int flags);
ImageRef CreateBlankImage(int width, int height, int frames, int flags);
// Makes an image from pixmaps (one per frame), applying the mask if flagged.
ImageRef ImageFromPixmap(PixmapRef pixmap, int flags);
void GrabImageFrame(const ImageRef& image, int x, int y, int frame);
void SetImageHandlePoint(const ImageRef& image, float hx, float hy);
void CenterImageHandle(const ImageRef& image);
int GetImageWidth(const ImageRef& image);
int GetImageHeight(const ImageRef& image);

// Replaces masked pixels (the mask colour, no alpha of their own) by transparent
// pixels whose colour is the average of their unmasked neighbours. Returns RGBA.
PixmapRef ApplyMask(const TPixmap& pixmap, int mask_r, int mask_g, int mask_b);

// Pixmaps and files ---------------------------------------------------------
// The render target's area as a pixmap with alpha 255; pixels outside the
// window are opaque black.
PixmapRef GrabPixmap(int x, int y, int w, int h);
// Writes an RGB or RGBA PNG (8 bits per channel); 1 on success, 0 on failure.
int WritePixmapPNG(const TPixmap& pixmap, const std::string& path, int compression);
// Decoders: nullptr when the data is not a valid picture of their kind.
PixmapRef DecodePNG(TStream& stream);
PixmapRef DecodeBMP(TStream& stream);
// The same decoders over bytes already in memory.
PixmapRef DecodePNGBytes(const uint8_t* data, size_t size);
PixmapRef DecodeBMPBytes(const uint8_t* data, size_t size);
// Everything from the stream's position to its end; false on a short read.
bool ReadStreamRest(TStream& stream, std::vector<uint8_t>& out);
// Tries every decoder on the file.
PixmapRef LoadPixmap(const std::string& path);

}  // namespace vn
