// TEMPORARY link stubs; each function moves to its real file as it is written.
#include "engine/graphics.h"
#include "engine/text.h"
namespace vn {
int BytesPerPixel(int) { return 4; }
bool FormatHasAlpha(int) { return true; }
PixmapRef CreatePixmap(int, int, int) { return std::make_shared<TPixmap>(); }
void GetPixelRGBA(const TPixmap&, int, int, uint8_t rgba[4]) { rgba[0] = rgba[1] = rgba[2] = rgba[3] = 0; }
void SetPixelRGBA(TPixmap&, int, int, const uint8_t*) {}
PixmapRef ConvertPixmap(const TPixmap& p, int) { return std::make_shared<TPixmap>(p); }
static TDrawState stub_state;
const TDrawState& GetDrawState() { return stub_state; }
void SetAppTitle(const std::string&) {}
bool OpenGraphics(int, int, int, int, int) { return true; }
void CloseGraphics() {}
bool GraphicsOpen() { return true; }
std::string RendererName() { return "stub"; }
void Flip(int) {}
void Cls() {}
void SetClsColor(int, int, int) {}
void SetColor(int, int, int) {}
void SetAlpha(float) {}
void SetBlend(int) {}
void SetDrawRotation(float) {}
void SetDrawScale(float, float) {}
void SetDrawOrigin(float, float) {}
int OvalPointCount(float, float) { return 12; }
void DrawRect(float, float, float, float) {}
void DrawOval(float, float, float, float) {}
void DrawImageFrame(const ImageRef&, float, float, int) {}
void SetImageMaskColor(int, int, int) {}
void SetDefaultImageFlags(int) {}
ImageRef LoadImageFile(const std::string&, int) { return nullptr; }
ImageRef LoadImageStrip(const std::string&, int, int, int, int, int) { return nullptr; }
ImageRef CreateBlankImage(int w, int h, int, int) { auto i = std::make_shared<TImage>(); i->width = w; i->height = h; return i; }
ImageRef ImageFromPixmap(PixmapRef, int) { return std::make_shared<TImage>(); }
void GrabImageFrame(const ImageRef&, int, int, int) {}
void SetImageHandlePoint(const ImageRef& i, float x, float y) { if (i) { i->handle_x = x; i->handle_y = y; } }
void CenterImageHandle(const ImageRef&) {}
int GetImageWidth(const ImageRef& i) { return i ? i->width : 0; }
int GetImageHeight(const ImageRef& i) { return i ? i->height : 0; }
PixmapRef ApplyMask(const TPixmap& p, int, int, int) { return std::make_shared<TPixmap>(p); }
PixmapRef GrabPixmap(int, int, int, int) { return std::make_shared<TPixmap>(); }
int WritePixmapPNG(const TPixmap&, const std::string&, int) { return 0; }
PixmapRef DecodePNG(TStream&) { return nullptr; }
PixmapRef DecodeBMP(TStream&) { return nullptr; }
PixmapRef LoadPixmap(const std::string&) { return nullptr; }
FontRef LoadFontFile(const std::string&, int, int) { return nullptr; }
void SetCurrentFont(const FontRef&) {}
void DrawTextAt(const std::string&, float, float) {}
int MeasureTextWidth(const std::string& t) { return static_cast<int>(t.size()) * 7; }
int FontLineHeight() { return 16; }
std::string Latin1ToUtf8(const std::string& b) { return b; }
std::string Utf8ToLatin1(const std::string& t) { return t; }
}  // namespace vn
