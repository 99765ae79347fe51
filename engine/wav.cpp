// WAV decoding: integer PCM in RIFF/WAVE files, mono or stereo, 8 or 16 bit.
#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/sound.h"
#include "engine/stream.h"

namespace vn {
namespace {

using TChunkTag = std::array<char, 4>;

TChunkTag ReadTag(TStream& stream) {
  TChunkTag tag{};
  stream.ReadBytes(tag.data(), tag.size());
  return tag;
}

bool TagIs(const TChunkTag& tag, const char (&name)[5]) {
  return std::equal(tag.begin(), tag.end(), name);
}

// Chunk sizes are unsigned 32-bit on disk; read through ReadInt they would turn
// negative above 2 GiB.
uint32_t ReadChunkSize(TStream& stream) { return static_cast<uint32_t>(stream.ReadInt()); }

int64_t BytesLeft(const TStream& stream) { return stream.Size() - stream.Position(); }

// RIFF chunks are word-aligned: an odd-sized chunk is followed by one pad byte
// that belongs to no chunk. A file that ends right after the odd chunk simply
// has no pad byte, which is harmless.
void SkipChunkBody(TStream& stream, uint64_t size) {
  const uint64_t padded = size + (size & 1u);
  stream.Skip(static_cast<int64_t>(std::min<uint64_t>(padded, static_cast<uint64_t>(BytesLeft(stream)))));
}

// Formats 1 (mono 8), 2 (mono 16), 4 (stereo 8), 5 (stereo 16); 0 for anything else.
int FormatFor(int channels, int bits) {
  if (channels == 1 && bits == 8) return 1;
  if (channels == 1 && bits == 16) return 2;
  if (channels == 2 && bits == 8) return 4;
  if (channels == 2 && bits == 16) return 5;
  return 0;
}

int BytesPerFrame(int format) { return format == 1 ? 1 : format == 5 ? 4 : 2; }

std::shared_ptr<TAudioSample> DecodeOrThrow(TStream& stream) {
  if (!TagIs(ReadTag(stream), "RIFF")) return nullptr;
  stream.ReadInt();  // RIFF length: often wrong in the wild, the chunks themselves are trusted
  if (!TagIs(ReadTag(stream), "WAVE")) return nullptr;
  if (!TagIs(ReadTag(stream), "fmt ")) return nullptr;
  const uint32_t fmt_size = ReadChunkSize(stream);
  // A format chunk too short for its own fields would make us read the next
  // chunk's header as format data.
  if (fmt_size < 16) return nullptr;

  if (stream.ReadShort() != 1) return nullptr;  // only integer PCM
  const int channels = stream.ReadShort();
  const int32_t hertz = stream.ReadInt();
  stream.ReadInt();    // byte rate, derivable
  stream.ReadShort();  // block align, derivable
  const int bits = stream.ReadShort();
  const int format = FormatFor(channels, bits);
  if (format == 0) return nullptr;
  SkipChunkBody(stream, fmt_size - 16u);  // extension fields of newer writers

  while (!stream.Eof()) {
    const TChunkTag tag = ReadTag(stream);
    const uint32_t size = ReadChunkSize(stream);
    if (!TagIs(tag, "data")) {
      SkipChunkBody(stream, size);
      continue;
    }
    // A data size larger than the file (a cut-off download, a header written
    // before recording ended) keeps the frames that are really there.
    const int bytes_per_frame = BytesPerFrame(format);
    const uint64_t available = std::min<uint64_t>(size, static_cast<uint64_t>(BytesLeft(stream)));
    const uint64_t frames = available / static_cast<uint64_t>(bytes_per_frame);
    if (frames > static_cast<uint64_t>(INT32_MAX)) return nullptr;
    auto sample = std::make_shared<TAudioSample>();
    sample->samples.resize(static_cast<size_t>(frames) * static_cast<size_t>(bytes_per_frame));
    if (!sample->samples.empty()) stream.ReadBytes(sample->samples.data(), sample->samples.size());
    sample->length = static_cast<int>(frames);
    sample->hertz = hertz;
    sample->format = format;
    return sample;
  }
  return nullptr;
}

}  // namespace

std::shared_ptr<TAudioSample> DecodeWAV(TStream& stream) {
  try {
    return DecodeOrThrow(stream);
  } catch (const TStreamException&) {
    return nullptr;  // a header cut short is just an unreadable file
  }
}

}  // namespace vn
