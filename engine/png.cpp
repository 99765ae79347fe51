// PNG reading and writing through libpng. libpng reports errors with longjmp,
// so the functions that call setjmp keep only trivially destructible locals
// and leave every buffer to their callers.
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <vector>

#include "engine/graphics.h"
#include "engine/stream.h"
#ifdef __EMSCRIPTEN__
#include "engine/web_storage.h"
#endif

namespace vn {
namespace {

// Pictures of the game are a few hundred pixels wide; this bounds what a
// damaged header can make us allocate.
constexpr uint32_t kMaxSide = 16384;
constexpr uint64_t kMaxPixels = uint64_t(1) << 24;

struct ReadSource {
  const uint8_t* data;
  size_t size;
  size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* source = static_cast<ReadSource*>(png_get_io_ptr(png));
  if (count > source->size - source->position) png_error(png, "truncated data");
  std::copy_n(source->data + source->position, count, out);
  source->position += count;
}

void IgnoreWarning(png_structp, png_const_charp) {}
// The default handler prints to stderr; a bad picture is not worth a message.
void ThrowBack(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// Reads the header, sets the transformations that give 8-bit BGR or BGRA and
// sizes the pixmap. The pixmap and row pointers belong to the caller.
bool ReadPixels(png_structp png, png_infop info, TPixmap& pixmap, std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (width == 0 || height == 0 || uint64_t(width) * height > kMaxPixels) return false;

  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const bool alpha = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0;
  const int format = alpha ? PF_BGRA8888 : PF_BGR888;
  if (png_get_rowbytes(png, info) != size_t(width) * size_t(BytesPerPixel(format))) return false;

  pixmap.width = int(width);
  pixmap.height = int(height);
  pixmap.format = format;
  pixmap.pitch = int(width) * BytesPerPixel(format);
  pixmap.pixels.resize(size_t(pixmap.pitch) * height);
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixmap.pixels.data() + size_t(y) * size_t(pixmap.pitch);
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  return true;
}

struct WriteTarget {
  std::vector<uint8_t>* bytes;
};

void WriteToMemory(png_structp png, png_bytep data, size_t count) {
  auto* target = static_cast<WriteTarget*>(png_get_io_ptr(png));
  target->bytes->insert(target->bytes->end(), data, data + count);
}

void FlushNothing(png_structp) {}

bool WriteRows(png_structp png, png_infop info, const TPixmap& pixmap, bool alpha, int compression,
               std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_compression_level(png, compression);
  png_set_IHDR(png, info, png_uint_32(pixmap.width), png_uint_32(pixmap.height), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  return true;
}

// The pixmap as tightly packed 8-bit RGB or RGBA rows, whatever its format.
std::vector<uint8_t> PackRows(const TPixmap& pixmap, bool alpha) {
  const int channels = alpha ? 4 : 3;
  std::vector<uint8_t> packed(size_t(pixmap.width) * size_t(pixmap.height) * size_t(channels));
  uint8_t rgba[4];
  size_t i = 0;
  for (int y = 0; y < pixmap.height; ++y)
    for (int x = 0; x < pixmap.width; ++x) {
      GetPixelRGBA(pixmap, x, y, rgba);
      for (int c = 0; c < channels; ++c) packed[i++] = rgba[c];
    }
  return packed;
}

}  // namespace

PixmapRef DecodePNGBytes(const uint8_t* data, size_t size) {
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0) return nullptr;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ThrowBack, IgnoreWarning);
  if (!png) return nullptr;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return nullptr;
  }
  ReadSource source{data, size, 0};
  png_set_read_fn(png, &source, ReadFromMemory);
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_set_chunk_malloc_max(png, 8u << 20);

  auto pixmap = std::make_shared<TPixmap>();
  std::vector<png_bytep> rows;
  const bool ok = ReadPixels(png, info, *pixmap, rows);
  png_destroy_read_struct(&png, &info, nullptr);
  return ok ? pixmap : nullptr;
}

PixmapRef DecodePNG(TStream& stream) {
  std::vector<uint8_t> bytes;
  if (!ReadStreamRest(stream, bytes)) return nullptr;
  return DecodePNGBytes(bytes.data(), bytes.size());
}

int WritePixmapPNG(const TPixmap& pixmap, const std::string& path, int compression) {
  if (pixmap.width <= 0 || pixmap.height <= 0 || BytesPerPixel(pixmap.format) == 0) return 0;
  compression = std::clamp(compression, 0, 9);
  const bool alpha = FormatHasAlpha(pixmap.format);
  std::vector<uint8_t> packed = PackRows(pixmap, alpha);
  const size_t row_bytes = size_t(pixmap.width) * (alpha ? 4u : 3u);
  std::vector<png_bytep> rows(size_t(pixmap.height));
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = packed.data() + y * row_bytes;

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, ThrowBack, IgnoreWarning);
  if (!png) return 0;
  png_infop info = png_create_info_struct(png);
  std::vector<uint8_t> encoded;
  WriteTarget target{&encoded};
  png_set_write_fn(png, &target, WriteToMemory, FlushNothing);
  const bool ok = info && WriteRows(png, info, pixmap, alpha, compression, rows);
  png_destroy_write_struct(&png, info ? &info : nullptr);
  if (!ok) return 0;

  // Written beside the target and renamed over it, so a full disk or a crash
  // never leaves half a picture under the final name.
  StreamRef stream = OpenAtomicWriteStream(path);
  if (!stream) return 0;
  try {
    stream->WriteBytes(encoded.data(), encoded.size());
  } catch (const TStreamException&) {
    return 0;
  }
  if (!stream->Close()) return 0;
#ifdef __EMSCRIPTEN__
  OfferDownload(path);
#endif
  return 1;
}

}  // namespace vn
