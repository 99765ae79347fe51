#include "tools/gen/wav_writer.h"

#include <algorithm>
#include <cmath>

#include "tools/gen/file_output.h"

namespace vngen {
namespace {

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(tag[i]));
}

void PutU16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(uint8_t(value & 0xFF));
  out.push_back(uint8_t((value >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

int16_t ToPcm16(float sample) {
  return int16_t(std::lround(std::clamp(double(sample), -1.0, 1.0) * 32767.0));
}

}  // namespace

std::vector<uint8_t> EncodeWav(const Samples& samples) {
  constexpr uint32_t kChannels = 1, kBytesPerSample = 2;
  const uint32_t data_bytes = uint32_t(samples.size()) * kBytesPerSample;
  std::vector<uint8_t> out;
  out.reserve(44 + data_bytes);
  PutTag(out, "RIFF");
  PutU32(out, 36 + data_bytes);  // 16-bit data is never odd-sized, so no pad byte
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutU32(out, 16);
  PutU16(out, 1);  // integer PCM
  PutU16(out, kChannels);
  PutU32(out, kSampleRate);
  PutU32(out, kSampleRate * kChannels * kBytesPerSample);
  PutU16(out, kChannels * kBytesPerSample);
  PutU16(out, 16);
  PutTag(out, "data");
  PutU32(out, data_bytes);
  for (float sample : samples) PutU16(out, uint16_t(ToPcm16(sample)));
  return out;
}

void WriteWav(const Samples& samples, const std::string& path) { WriteFileAtomically(path, EncodeWav(samples)); }

}  // namespace vngen
