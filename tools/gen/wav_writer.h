#pragma once
// WAV files for the generated sounds: 16-bit mono integer PCM at 44100 Hz.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/gen/synth.h"

namespace vngen {

// The complete file: RIFF header, a 16-byte format chunk and the data chunk.
// Samples are clamped to -1..1 and rounded to the nearest 16-bit value.
std::vector<uint8_t> EncodeWav(const Samples& samples);
// Throws std::runtime_error when the file cannot be written.
void WriteWav(const Samples& samples, const std::string& path);

}  // namespace vngen
