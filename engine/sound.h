#pragma once
// One-shot sound effects from WAV files, mixed by our own mixer on an SDL audio
// device. Without a device every call still works and nothing is heard.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vn {

class TStream;

// Decoded PCM. format: 1 mono 8-bit, 2 mono 16-bit, 4 stereo 8-bit, 5 stereo 16-bit.
struct TAudioSample {
  std::vector<uint8_t> samples;
  int length = 0;   // sample frames
  int hertz = 0;
  int format = 0;
};
// nullptr when the data is not a PCM WAV file the game accepts.
std::shared_ptr<TAudioSample> DecodeWAV(TStream& stream);

// A loaded effect, converted once to the mixer's format: interleaved stereo
// float frames (left, right) at MixerRate(). Shared by every voice playing it.
struct TSound {
  std::vector<float> frames;
  int frame_count = 0;
  int flags = 0;  // 1 loop, 2 hardware voice allowed (no meaning for our mixer)
};
using SoundRef = std::shared_ptr<TSound>;

// A playing voice. SetVolume clamps to 0..1; loudness follows the attenuation
// curve trunc((1 - v^0.1) * -10000) hundredths of a decibel. Change it only
// through SetVolume: the mixer reads gain_ on the audio thread.
class TChannel {
 public:
  void SetVolume(float volume);
  float Volume() const { return volume_; }
  float Gain() const { return gain_; }   // linear gain the mixer applies
  float volume_ = 1;
  float gain_ = 1;
};
using ChannelRef = std::shared_ptr<TChannel>;

// Loads a WAV file (flags: 1 loop, 2 hardware voice allowed). nullptr on failure.
SoundRef LoadSound(const std::string& path, int flags);
// Converts decoded PCM to the mixer's format. nullptr when the format is unknown,
// the rate is outside 1..768000 Hz or the result would be longer than a minute.
SoundRef CreateSound(const TAudioSample& sample, int flags);
// Starts the sound on a new voice at full volume. A null sound gives a voice that
// does nothing.
ChannelRef Play(const SoundRef& sound);
// Linear gain for a volume value (0 for silence, 1 for full).
float VolumeToGain(float volume);

// Test seams: the mixer's output, callable without a device.
// Mixes `frames` stereo float frames at the device rate into out (overwritten).
void MixAudio(float* out, int frames);
int ActiveVoiceCount();
int MixerRate();
void StopAllSounds();

}  // namespace vn
