#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/sound.h"
#include "engine/stream.h"

namespace vn {
namespace {

// Assembles RIFF/WAVE files chunk by chunk, so each test states only what it varies.
class WavFile {
 public:
  WavFile& Format(int tag, int channels, int hertz, int bits, int extra_bytes = 0) {
    std::vector<uint8_t> body;
    PutU16(body, tag);
    PutU16(body, channels);
    PutU32(body, uint32_t(hertz));
    PutU32(body, uint32_t(hertz * channels * bits / 8));
    PutU16(body, channels * bits / 8);
    PutU16(body, bits);
    body.resize(body.size() + size_t(extra_bytes), 0xEE);
    return Chunk("fmt ", body);
  }
  // Adds a chunk with its pad byte after an odd size, as RIFF writers must.
  WavFile& Chunk(const std::string& tag, const std::vector<uint8_t>& body) {
    return RawChunk(tag, uint32_t(body.size()), body, body.size() % 2 == 1);
  }
  // A chunk whose declared size may differ from the bytes that follow.
  WavFile& RawChunk(const std::string& tag, uint32_t declared, const std::vector<uint8_t>& body, bool pad) {
    bytes_.insert(bytes_.end(), tag.begin(), tag.end());
    PutU32(bytes_, declared);
    bytes_.insert(bytes_.end(), body.begin(), body.end());
    if (pad) bytes_.push_back(0xAB);
    return *this;
  }
  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    PutU32(out, uint32_t(bytes_.size() + 4));
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    out.insert(out.end(), bytes_.begin(), bytes_.end());
    return out;
  }

 private:
  static void PutU16(std::vector<uint8_t>& out, int value) {
    out.push_back(uint8_t(value & 0xFF));
    out.push_back(uint8_t((value >> 8) & 0xFF));
  }
  static void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    PutU16(out, int(value & 0xFFFF));
    PutU16(out, int(value >> 16));
  }
  std::vector<uint8_t> bytes_;
};

std::shared_ptr<TAudioSample> Decode(const std::vector<uint8_t>& bytes) {
  StreamRef stream = OpenMemoryStream(bytes);
  if (!stream) {
    ADD_FAILURE() << "no memory stream";
    return nullptr;
  }
  return DecodeWAV(*stream);
}

const std::vector<uint8_t> kEightBytes = {1, 2, 3, 4, 5, 6, 7, 8};

TEST(WavDecode, AcceptsTheFourPcmLayouts) {
  struct Case {
    int channels, bits, format, frames;
  };
  for (const Case& c : {Case{1, 8, 1, 8}, Case{2, 8, 4, 4}, Case{1, 16, 2, 4}, Case{2, 16, 5, 2}}) {
    SCOPED_TRACE(testing::Message() << c.channels << " channels, " << c.bits << " bits");
    auto sample = Decode(WavFile().Format(1, c.channels, 22050, c.bits).Chunk("data", kEightBytes).Bytes());
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->format, c.format);
    EXPECT_EQ(sample->length, c.frames);
    EXPECT_EQ(sample->hertz, 22050);
    EXPECT_EQ(sample->samples, kEightBytes);
  }
}

TEST(WavDecode, RejectsWhatTheGameCannotPlay) {
  struct Case {
    const char* what;
    int tag, channels, bits;
  };
  for (const Case& c : {Case{"24-bit PCM", 1, 2, 24}, Case{"float samples", 3, 2, 16}, Case{"A-law", 6, 1, 8},
                        Case{"three channels", 1, 3, 16}, Case{"12-bit", 1, 1, 12}, Case{"no channels", 1, 0, 16}}) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Decode(WavFile().Format(c.tag, c.channels, 44100, c.bits).Chunk("data", kEightBytes).Bytes()), nullptr);
  }
}

TEST(WavDecode, SkipsChunksBeforeTheData) {
  const std::vector<uint8_t> info = {'I', 'N', 'F', 'O', 'I', 'N', 'A', 'M', 2, 0, 0, 0, 'x', 0};
  auto sample = Decode(WavFile().Format(1, 2, 44100, 16).Chunk("LIST", info).Chunk("data", kEightBytes).Bytes());
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(sample->format, 5);
  EXPECT_EQ(sample->samples, kEightBytes);
}

TEST(WavDecode, SkipsThePadByteAfterAnOddSizedChunk) {
  // Without the pad byte the next chunk header would be read one byte early.
  auto sample = Decode(WavFile().Format(1, 1, 8000, 8).Chunk("junk", {9, 9, 9}).Chunk("data", kEightBytes).Bytes());
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(sample->samples, kEightBytes);

  auto odd_format = Decode(WavFile().Format(1, 1, 8000, 8, 1).Chunk("data", kEightBytes).Bytes());
  ASSERT_NE(odd_format, nullptr);
  EXPECT_EQ(odd_format->samples, kEightBytes);
}

TEST(WavDecode, SkipsExtraFormatBytes) {
  auto sample = Decode(WavFile().Format(1, 2, 48000, 16, 2).Chunk("data", kEightBytes).Bytes());
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(sample->hertz, 48000);
  EXPECT_EQ(sample->samples, kEightBytes);
}

TEST(WavDecode, FailsWithoutUsableData) {
  EXPECT_EQ(Decode(WavFile().Format(1, 1, 8000, 8).Bytes()), nullptr) << "no data chunk";
  EXPECT_EQ(Decode(WavFile().Format(1, 1, 8000, 8).Chunk("LIST", {1, 2}).Bytes()), nullptr) << "only other chunks";
  EXPECT_EQ(Decode(WavFile().Format(1, 1, 8000, 8).RawChunk("LIST", 0xFFFFFFFFu, {1, 2}, false).Bytes()), nullptr)
      << "a chunk claiming 4 GiB";
  EXPECT_EQ(Decode({}), nullptr) << "empty file";
  EXPECT_EQ(Decode({'R', 'I', 'F', 'F', 0, 0}), nullptr) << "cut inside the header";
  std::vector<uint8_t> cut_fmt = WavFile().Format(1, 1, 8000, 8).Bytes();
  cut_fmt.resize(cut_fmt.size() - 5);
  EXPECT_EQ(Decode(cut_fmt), nullptr) << "cut inside the format chunk";
  std::vector<uint8_t> not_wave = WavFile().Format(1, 1, 8000, 8).Chunk("data", kEightBytes).Bytes();
  not_wave[8] = 'A';
  EXPECT_EQ(Decode(not_wave), nullptr) << "RIFF but not WAVE";
}

TEST(WavDecode, RejectsAFormatChunkTooShortForItsFields) {
  WavFile file;
  file.RawChunk("fmt ", 8, {1, 0, 1, 0, 0x40, 0x1F, 0, 0}, false).Chunk("data", kEightBytes);
  EXPECT_EQ(Decode(file.Bytes()), nullptr);
}

TEST(WavDecode, KeepsOnlyTheFramesThatExistWhenTheDataSizeLies) {
  // Ten bytes of 16-bit stereo are two whole frames and half of a third.
  const std::vector<uint8_t> ten(10, 0x11);
  auto sample = Decode(WavFile().Format(1, 2, 44100, 16).RawChunk("data", 100000, ten, false).Bytes());
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(sample->length, 2);
  EXPECT_EQ(sample->samples.size(), 8u);

  auto huge = Decode(WavFile().Format(1, 1, 44100, 8).RawChunk("data", 0xFFFFFFF0u, ten, false).Bytes());
  ASSERT_NE(huge, nullptr);
  EXPECT_EQ(huge->length, 10);
}

TEST(WavDecode, DataSizeIsCountedInWholeFrames) {
  auto sample = Decode(WavFile().Format(1, 1, 44100, 16).Chunk("data", {1, 2, 3}).Bytes());
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(sample->length, 1);
  EXPECT_EQ(sample->samples, (std::vector<uint8_t>{1, 2}));
}

}  // namespace
}  // namespace vn
