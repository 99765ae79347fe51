// Images: loading whole pictures and frame strips, the magenta mask, blank
// images, grabbing frames from the screen, and handle points.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/graphics.h"
#include "engine/stream.h"

namespace vn {
namespace {

int mask_red = 0, mask_green = 0, mask_blue = 0;
int default_image_flags = 0;

// Bounds a single read so a huge file cannot exhaust memory.
constexpr int64_t kMaxStreamBytes = int64_t(1) << 30;

int ResolveFlags(int flags) { return flags == -1 ? default_image_flags : flags; }

ImageRef NewImage(int width, int height, int frames, int flags) {
  auto image = std::make_shared<TImage>();
  image->width = width;
  image->height = height;
  image->flags = flags;
  image->mask_r = mask_red;
  image->mask_g = mask_green;
  image->mask_b = mask_blue;
  image->pixmaps.resize(size_t(frames));
  image->frames.resize(size_t(frames));
  image->seqs.assign(size_t(frames), 0);
  return image;
}

// Stores a pixmap into a frame; masked images turn their mask colour
// transparent unless the picture brings an alpha channel of its own.
void StoreFrame(TImage& image, int frame, PixmapRef pixmap) {
  if ((image.flags & IMG_MASKED) && !FormatHasAlpha(pixmap->format))
    pixmap = ApplyMask(*pixmap, image.mask_r, image.mask_g, image.mask_b);
  image.pixmaps[size_t(frame)] = std::move(pixmap);
  image.frames[size_t(frame)].reset();
}

PixmapRef CutCell(const TPixmap& source, int left, int top, int width, int height) {
  PixmapRef cell = CreatePixmap(width, height, source.format);
  if (!cell) return nullptr;
  const size_t row_bytes = size_t(width) * size_t(BytesPerPixel(source.format));
  for (int y = 0; y < height; ++y) {
    const uint8_t* from = source.pixels.data() + size_t(top + y) * size_t(source.pitch) +
                          size_t(left) * size_t(BytesPerPixel(source.format));
    std::copy_n(from, row_bytes, cell->pixels.data() + size_t(y) * size_t(cell->pitch));
  }
  return cell;
}

bool IsMaskColour(const uint8_t rgba[4], int r, int g, int b) {
  return rgba[0] == r && rgba[1] == g && rgba[2] == b;
}

}  // namespace

bool ReadStreamRest(TStream& stream, std::vector<uint8_t>& out) {
  const int64_t count = stream.Size() - stream.Position();
  if (count < 0 || count > kMaxStreamBytes) return false;
  out.resize(size_t(count));
  try {
    if (count > 0) stream.ReadBytes(out.data(), out.size());
  } catch (const TStreamException&) {
    return false;
  }
  return true;
}

PixmapRef LoadPixmap(const std::string& path) {
  StreamRef stream = OpenReadStream(path);
  if (!stream) return nullptr;
  std::vector<uint8_t> bytes;
  const bool read = ReadStreamRest(*stream, bytes);
  stream->Close();
  if (!read) return nullptr;
  // Each decoder looks at its own signature first, so trying them in turn
  // costs nothing for the other kind.
  if (PixmapRef png = DecodePNGBytes(bytes.data(), bytes.size())) return png;
  return DecodeBMPBytes(bytes.data(), bytes.size());
}

PixmapRef ApplyMask(const TPixmap& pixmap, int mask_r, int mask_g, int mask_b) {
  PixmapRef source = ConvertPixmap(pixmap, PF_RGBA8888);
  if (!source) return nullptr;
  PixmapRef out = std::make_shared<TPixmap>(*source);
  const int width = pixmap.width, height = pixmap.height;
  auto at = [](auto& p, int x, int y) { return p.pixels.data() + size_t(y) * size_t(p.pitch) + size_t(x) * 4; };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* target = at(*out, x, y);
      if (!IsMaskColour(at(*source, x, y), mask_r, mask_g, mask_b)) {
        target[3] = 255;
        continue;
      }
      // The hidden colour still bleeds in when a filtered or scaled draw samples
      // across the edge; the neighbours' average keeps that seam invisible.
      int sum[3] = {0, 0, 0}, count = 0;
      for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, height - 1); ++ny)
        for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, width - 1); ++nx) {
          const uint8_t* neighbour = at(*source, nx, ny);
          if ((nx == x && ny == y) || IsMaskColour(neighbour, mask_r, mask_g, mask_b)) continue;
          for (int c = 0; c < 3; ++c) sum[c] += neighbour[c];
          ++count;
        }
      for (int c = 0; c < 3; ++c) target[c] = static_cast<uint8_t>(count ? sum[c] / count : 0);
      target[3] = 0;
    }
  return out;
}

void SetImageMaskColor(int r, int g, int b) {
  mask_red = r;
  mask_green = g;
  mask_blue = b;
}

void SetDefaultImageFlags(int flags) {
  if (flags != -1) default_image_flags = flags;
}

ImageRef ImageFromPixmap(PixmapRef pixmap, int flags) {
  if (!pixmap || BytesPerPixel(pixmap->format) == 0) return nullptr;
  ImageRef image = NewImage(pixmap->width, pixmap->height, 1, ResolveFlags(flags));
  StoreFrame(*image, 0, std::move(pixmap));
  return image;
}

ImageRef LoadImageFile(const std::string& path, int flags) {
  return ImageFromPixmap(LoadPixmap(path), flags);
}

ImageRef LoadImageStrip(const std::string& path, int cell_w, int cell_h, int first, int count, int flags) {
  if (cell_w <= 0 || cell_h <= 0 || first < 0 || count <= 0) return nullptr;
  PixmapRef source = LoadPixmap(path);
  if (!source) return nullptr;
  const int columns = source->width / cell_w;
  const int64_t cells = int64_t(columns) * (source->height / cell_h);
  if (cells < int64_t(first) + count) return nullptr;

  ImageRef image = NewImage(cell_w, cell_h, count, ResolveFlags(flags));
  for (int i = first; i < first + count; ++i) {
    PixmapRef cell = CutCell(*source, (i % columns) * cell_w, (i / columns) * cell_h, cell_w, cell_h);
    if (!cell) return nullptr;
    StoreFrame(*image, i - first, std::move(cell));
  }
  return image;
}

ImageRef CreateBlankImage(int width, int height, int frames, int flags) {
  if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
  ImageRef image = NewImage(width, height, frames, ResolveFlags(flags) | IMG_DYNAMIC);
  for (auto& pixmap : image->pixmaps) {
    pixmap = CreatePixmap(width, height, PF_RGBA8888);
    if (!pixmap) return nullptr;
  }
  return image;
}

void GrabImageFrame(const ImageRef& image, int x, int y, int frame) {
  if (!image || frame < 0 || size_t(frame) >= image->pixmaps.size()) return;
  PixmapRef grabbed = GrabPixmap(x, y, image->width, image->height);
  if (!grabbed) return;
  // A grab has no alpha of its own, so a masked image takes the mask colour
  // that is current now, not the one it was created with.
  if (image->flags & IMG_MASKED) grabbed = ApplyMask(*grabbed, mask_red, mask_green, mask_blue);
  if (!grabbed) return;
  image->pixmaps[size_t(frame)] = std::move(grabbed);
  if (size_t(frame) < image->frames.size()) image->frames[size_t(frame)].reset();
}

void SetImageHandlePoint(const ImageRef& image, float hx, float hy) {
  if (!image) return;
  image->handle_x = hx;
  image->handle_y = hy;
}

void CenterImageHandle(const ImageRef& image) {
  if (!image) return;
  image->handle_x = float(image->width) * 0.5f;
  image->handle_y = float(image->height) * 0.5f;
}

int GetImageWidth(const ImageRef& image) { return image ? image->width : 0; }
int GetImageHeight(const ImageRef& image) { return image ? image->height : 0; }

}  // namespace vn
