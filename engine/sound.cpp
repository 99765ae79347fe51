// Loading sounds, starting voices and the volume curve.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/mixer.h"
#include "engine/pool_allocator.h"
#include "engine/stream.h"

namespace vn {
namespace {

constexpr int kMaxSourceRate = 768000;
// Effects are short; a longer file is almost certainly a mistake or a hostile
// header whose tiny rate would blow up to gigabytes once resampled.
constexpr double kMaxSoundSeconds = 60;
// Converting in pieces keeps SDL's internal buffers small whatever the file's size.
constexpr size_t kConversionChunkBytes = 64 * 1024;
// Pushing silence converges within a few pieces; the limit only guards the loop.
constexpr int kMaxSilencePieces = 8;
constexpr size_t kSilenceSlackFrames = 16;
// The floor of the attenuation curve, in hundredths of a decibel: -100 dB, silence.
constexpr int32_t kSilentAttenuation = -10000;

struct TAudioStreamDeleter {
  void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};
using TAudioStreamPtr = std::unique_ptr<SDL_AudioStream, TAudioStreamDeleter>;

int ChannelsOf(int format) { return format >= 4 ? 2 : 1; }
int BitsOf(int format) { return (format == 1 || format == 4) ? 8 : 16; }
bool IsKnownFormat(int format) { return format == 1 || format == 2 || format == 4 || format == 5; }
size_t BytesPerFrame(int format) { return static_cast<size_t>(ChannelsOf(format) * BitsOf(format) / 8); }

// Moves whatever the converter has ready into out.
bool DrainConverted(SDL_AudioStream* stream, std::vector<float>& out) {
  const int ready = SDL_AudioStreamAvailable(stream);
  if (ready <= 0) return true;
  const size_t old_size = out.size();
  out.resize(old_size + static_cast<size_t>(ready) / sizeof(float));
  const int got = SDL_AudioStreamGet(stream, out.data() + old_size, ready);
  if (got < 0) return false;
  out.resize(old_size + static_cast<size_t>(got) / sizeof(float));
  return true;
}

bool Convert(const TAudioSample& sample, int rate, std::vector<float>& out) {
  const SDL_AudioFormat source_format = BitsOf(sample.format) == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  TAudioStreamPtr stream(SDL_NewAudioStream(source_format, static_cast<Uint8>(ChannelsOf(sample.format)),
                                            sample.hertz, AUDIO_F32SYS, 2, rate));
  if (!stream) return false;
  const auto put = [&](const uint8_t* bytes, size_t count) {
    return SDL_AudioStreamPut(stream.get(), bytes, static_cast<int>(count)) == 0 && DrainConverted(stream.get(), out);
  };
  const size_t bytes_per_frame = BytesPerFrame(sample.format);
  const size_t bytes = static_cast<size_t>(sample.length) * bytes_per_frame;
  for (size_t done = 0; done < bytes; done += kConversionChunkBytes)
    if (!put(sample.samples.data() + done, std::min(kConversionChunkBytes, bytes - done))) return false;

  // While resampling, the converter holds back the last few hundred frames for
  // its filter, and flushing does not release them: silence pushed in after the
  // sound brings them out, and the silence itself is cut off again below. Each
  // push is sized to what is still missing, so a tiny source rate cannot make
  // the silence explode into gigabytes of output.
  const size_t wanted = 2 * static_cast<size_t>(std::llround(double(sample.length) * rate / sample.hertz));
  for (int piece = 0; out.size() < wanted && piece < kMaxSilencePieces; ++piece) {
    const double missing_frames = double(wanted - out.size()) / 2;
    const auto source_frames = static_cast<size_t>(std::ceil(missing_frames * sample.hertz / rate)) + kSilenceSlackFrames;
    const std::vector<uint8_t> silence(source_frames * bytes_per_frame, BitsOf(sample.format) == 8 ? 0x80 : 0x00);
    if (!put(silence.data(), silence.size())) return false;
  }
  out.resize(std::min(out.size(), wanted));
  return true;
}

bool IsConvertible(const TAudioSample& sample, int rate) {
  if (!IsKnownFormat(sample.format) || sample.length < 0) return false;
  if (sample.hertz < 1 || sample.hertz > kMaxSourceRate) return false;
  if (sample.samples.size() < static_cast<size_t>(sample.length) * BytesPerFrame(sample.format)) return false;
  return double(sample.length) / sample.hertz <= kMaxSoundSeconds && rate > 0;
}

constexpr size_t kChannelsKeptReady = 64;

float ClampVolume(float volume) {
  if (!(volume >= 0)) return 0;  // NaN silences too
  return std::min(volume, 1.0f);
}

}  // namespace

SoundRef CreateSound(const TAudioSample& sample, int flags) {
  const int rate = MixerRate();
  if (!IsConvertible(sample, rate)) return nullptr;
  auto sound = std::make_shared<TSound>();
  if (sample.length > 0 && !Convert(sample, rate, sound->frames)) return nullptr;
  sound->frames.resize(sound->frames.size() & ~size_t{1});  // whole stereo frames only
  sound->frame_count = static_cast<int>(sound->frames.size() / 2);
  sound->flags = flags;
  return sound;
}

SoundRef LoadSound(const std::string& path, int flags) {
  EnsureSoundOutput();
  const StreamRef stream = OpenReadStream(path);
  if (!stream) return nullptr;
  const std::shared_ptr<TAudioSample> sample = DecodeWAV(*stream);
  stream->Close();
  if (!sample) return nullptr;
  return CreateSound(*sample, flags);
}

ChannelRef Play(const SoundRef& sound) {
  // As many channels as voices can sound at once, ready before the first shot.
  static const bool channels_warmed = (WarmPool<TChannel>(kChannelsKeptReady), true);
  (void)channels_warmed;
  auto channel = MakePooled<TChannel>();
  if (!sound) return channel;
  EnsureSoundOutput();
  AddVoice(sound, channel);
  return channel;
}

float VolumeToGain(float volume) {
  const double loudness = std::pow(double(ClampVolume(volume)), 0.1);
  const int32_t attenuation = int32_t((1.0 - loudness) * -10000.0);  // hundredths of a dB, truncated
  if (attenuation <= kSilentAttenuation) return 0;
  return float(std::pow(10.0, attenuation / 2000.0));
}

void TChannel::SetVolume(float volume) {
  const float clamped = ClampVolume(volume);
  const float gain = VolumeToGain(clamped);
  TMixerLock lock;
  volume_ = clamped;
  gain_ = gain;
}

}  // namespace vn
