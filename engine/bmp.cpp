// Windows bitmap decoding: 1, 4 and 8 bits with a palette, 24 bits, 32 bits
// (plain or with channel masks). Every field is checked against the data, so a
// damaged or hostile file fails to load instead of reading out of bounds.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "engine/graphics.h"

namespace vn {
namespace {

constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitfields = 3;
constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
// Far beyond any picture of the game; keeps the size arithmetic small.
constexpr int32_t kMaxSide = 32768;

class ByteView {
 public:
  ByteView(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  size_t Size() const { return size_; }
  bool Has(uint64_t offset, uint64_t count) const { return offset <= size_ && count <= size_ - offset; }
  const uint8_t* At(size_t offset) const { return data_ + offset; }
  uint16_t U16(size_t offset) const { return uint16_t(data_[offset] | data_[offset + 1] << 8); }
  uint32_t U32(size_t offset) const {
    return uint32_t(data_[offset]) | uint32_t(data_[offset + 1]) << 8 | uint32_t(data_[offset + 2]) << 16 |
           uint32_t(data_[offset + 3]) << 24;
  }
  int32_t I32(size_t offset) const { return int32_t(U32(offset)); }

 private:
  const uint8_t* data_;
  size_t size_;
};

struct BmpHeader {
  uint32_t data_offset = 0;
  uint32_t header_size = 0;
  int32_t width = 0, height = 0;
  bool top_down = false;
  int bpp = 0;
  uint32_t compression = 0;
  uint32_t colours_used = 0;
};

// One colour channel described by a bit mask, widened to 0..255.
struct ChannelMask {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit ChannelMask(uint32_t m) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    max = mask >> shift;
  }
  uint8_t Extract(uint32_t pixel) const {
    if (max == 0) return 0;
    return uint8_t(uint64_t((pixel & mask) >> shift) * 255 / max);
  }
};

bool ReadHeader(const ByteView& bytes, BmpHeader& h) {
  if (!bytes.Has(0, kFileHeaderSize + kInfoHeaderSize)) return false;
  if (bytes.At(0)[0] != 'B' || bytes.At(0)[1] != 'M') return false;
  h.data_offset = bytes.U32(10);
  h.header_size = bytes.U32(14);
  h.width = bytes.I32(18);
  const int32_t raw_height = bytes.I32(22);
  h.bpp = bytes.U16(28);
  h.compression = bytes.U32(30);
  h.colours_used = bytes.U32(46);

  // The header size tells where the palette starts; headers shorter than the
  // classic info header use another layout we do not read.
  if (h.header_size < kInfoHeaderSize || !bytes.Has(kFileHeaderSize, h.header_size)) return false;
  if (h.width <= 0 || h.width > kMaxSide || raw_height == 0 || raw_height < -kMaxSide || raw_height > kMaxSide)
    return false;
  h.top_down = raw_height < 0;
  h.height = h.top_down ? -raw_height : raw_height;
  if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 24 && h.bpp != 32) return false;
  // Run-length compressed rows would decode to garbage: refuse them.
  if (h.compression == kCompressionBitfields) return h.bpp == 32;
  return h.compression == kCompressionNone;
}

// Where the rows start. The data offset field is used when it points past the
// headers; writers that leave it empty get rows right after the palette.
bool LocateRows(const ByteView& bytes, const BmpHeader& h, uint64_t palette_end, uint64_t row_stride,
                uint64_t& rows_offset) {
  const uint64_t last_row_bytes = (uint64_t(h.width) * uint64_t(h.bpp) + 7) / 8;
  const uint64_t needed = row_stride * uint64_t(h.height - 1) + last_row_bytes;
  const uint64_t headers_end = kFileHeaderSize + h.header_size;
  rows_offset = h.data_offset >= headers_end ? h.data_offset : palette_end;
  return bytes.Has(rows_offset, needed);
}

void DecodeIndexedRow(const uint8_t* row, const BmpHeader& h, const std::vector<uint8_t>& palette,
                      uint8_t* out) {
  const size_t palette_count = palette.size() / 4;
  for (int32_t x = 0; x < h.width; ++x) {
    size_t index;
    if (h.bpp == 8) index = row[x];
    else if (h.bpp == 4) index = (row[x / 2] >> ((x % 2) ? 0 : 4)) & 0x0f;
    else index = (row[x / 8] >> (7 - x % 8)) & 1;
    // An index past a short palette shows black rather than reading beyond it.
    for (int c = 0; c < 3; ++c) out[x * 3 + c] = index < palette_count ? palette[index * 4 + c] : 0;
  }
}

void DecodeMaskedRow(const uint8_t* row, int32_t width, const ChannelMask masks[4], int out_bytes,
                     uint8_t* out) {
  for (int32_t x = 0; x < width; ++x) {
    const uint32_t pixel =
        uint32_t(row[x * 4]) | uint32_t(row[x * 4 + 1]) << 8 | uint32_t(row[x * 4 + 2]) << 16 |
        uint32_t(row[x * 4 + 3]) << 24;
    uint8_t* p = out + x * out_bytes;
    p[0] = masks[2].Extract(pixel);
    p[1] = masks[1].Extract(pixel);
    p[2] = masks[0].Extract(pixel);
    if (out_bytes == 4) p[3] = masks[3].Extract(pixel);
  }
}

}  // namespace

PixmapRef DecodeBMPBytes(const uint8_t* data, size_t size) {
  const ByteView bytes(data, size);
  BmpHeader h;
  if (!ReadHeader(bytes, h)) return nullptr;

  // Channel masks: inside a longer header, or as three words after the classic one.
  uint64_t palette_offset = kFileHeaderSize + h.header_size;
  ChannelMask masks[4] = {ChannelMask(0), ChannelMask(0), ChannelMask(0), ChannelMask(0)};
  if (h.compression == kCompressionBitfields) {
    if (h.header_size == kInfoHeaderSize) palette_offset += 12;
    if (!bytes.Has(kFileHeaderSize + kInfoHeaderSize, 12)) return nullptr;
    for (int c = 0; c < 3; ++c) masks[c] = ChannelMask(bytes.U32(kFileHeaderSize + kInfoHeaderSize + 4 * c));
    if (h.header_size >= kInfoHeaderSize + 16) masks[3] = ChannelMask(bytes.U32(kFileHeaderSize + kInfoHeaderSize + 12));
  }

  // Palette: colours used, or the full 2^bpp when that is 0. Entries past
  // 2^bpp can never be indexed and are not read.
  std::vector<uint8_t> palette;
  uint64_t palette_end = palette_offset;
  if (h.bpp <= 8) {
    const uint64_t full = uint64_t(1) << h.bpp;
    const uint64_t count = h.colours_used == 0 ? full : h.colours_used;
    const uint64_t used = count < full ? count : full;
    if (!bytes.Has(palette_offset, used * 4)) return nullptr;
    palette.assign(bytes.At(size_t(palette_offset)), bytes.At(size_t(palette_offset + used * 4)));
    palette_end = palette_offset + count * 4;
  }

  const uint64_t row_stride = (uint64_t(h.width) * uint64_t(h.bpp) + 31) / 32 * 4;
  uint64_t rows_offset = 0;
  if (!LocateRows(bytes, h, palette_end, row_stride, rows_offset)) return nullptr;

  const bool alpha = h.bpp == 32 && (h.compression == kCompressionNone || masks[3].mask != 0);
  PixmapRef pixmap = CreatePixmap(h.width, h.height, alpha ? PF_BGRA8888 : PF_BGR888);
  if (!pixmap) return nullptr;
  const int out_bytes = alpha ? 4 : 3;
  for (int32_t y = 0; y < h.height; ++y) {
    const int32_t source_row = h.top_down ? y : h.height - 1 - y;
    const uint8_t* row = bytes.At(size_t(rows_offset + row_stride * uint64_t(source_row)));
    uint8_t* out = pixmap->pixels.data() + size_t(y) * size_t(pixmap->pitch);
    if (h.bpp <= 8) {
      DecodeIndexedRow(row, h, palette, out);
    } else if (h.compression == kCompressionBitfields) {
      DecodeMaskedRow(row, h.width, masks, out_bytes, out);
    } else {
      const size_t row_bytes = size_t(h.width) * size_t(out_bytes);
      std::copy_n(row, row_bytes, out);
    }
  }
  return pixmap;
}

PixmapRef DecodeBMP(TStream& stream) {
  std::vector<uint8_t> bytes;
  if (!ReadStreamRest(stream, bytes)) return nullptr;
  return DecodeBMPBytes(bytes.data(), bytes.size());
}

}  // namespace vn
