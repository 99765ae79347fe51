// Our software mixer: voices summed with float gains into a float32 stereo SDL
// audio device.
#include "engine/mixer.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/platform.h"

namespace vn {
namespace {

constexpr int kPreferredRate = 44100;
// About 12 ms at 44.1 kHz: short enough that a shot is heard on the frame it is fired.
constexpr Uint16 kDeviceBufferFrames = 512;
// More voices than this are never audible as separate sounds; the cap also keeps
// the list bounded when no device consumes it.
constexpr size_t kMaxVoices = 64;

struct TVoice {
  SoundRef sound;
  ChannelRef channel;
  int next_frame = 0;
};

struct TMixerState {
  bool output_chosen = false;
  SDL_AudioDeviceID device = 0;
  int rate = kPreferredRate;
  std::vector<TVoice> voices;
};

// At namespace scope, so it is built before main: the exit handler registered when
// the device opens then runs before this is destroyed, and the audio thread never
// sees a dead voice list.
TMixerState mixer;

bool IsLooping(const TVoice& voice) { return (voice.sound->flags & 1) != 0; }

bool IsFinished(const TVoice& voice) {
  return voice.next_frame >= voice.sound->frame_count && (!IsLooping(voice) || voice.sound->frame_count == 0);
}

void MixVoice(TVoice& voice, float* out, int frames) {
  const TSound& sound = *voice.sound;
  const float gain = voice.channel->gain_;
  for (int i = 0; i < frames; ++i) {
    if (voice.next_frame >= sound.frame_count) {
      if (!IsLooping(voice) || sound.frame_count == 0) return;
      voice.next_frame = 0;
    }
    const size_t at = static_cast<size_t>(voice.next_frame) * 2;
    out[2 * i] += gain * sound.frames[at];
    out[2 * i + 1] += gain * sound.frames[at + 1];
    ++voice.next_frame;
  }
}

void MixVoices(float* out, int frames) {
  std::fill(out, out + 2 * static_cast<size_t>(frames), 0.0f);
  for (TVoice& voice : mixer.voices) MixVoice(voice, out, frames);
  std::erase_if(mixer.voices, IsFinished);
  // Several loud voices at once would wrap around in the device's integer
  // format; clipping is the lesser distortion.
  for (size_t i = 0; i < 2 * static_cast<size_t>(frames); ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void SDLCALL AudioCallback(void*, Uint8* stream, int bytes) {
  MixVoices(reinterpret_cast<float*>(stream), bytes / static_cast<int>(2 * sizeof(float)));
}

void CloseOutput() {
  if (mixer.device != 0) SDL_CloseAudioDevice(mixer.device);
  mixer.device = 0;
  mixer.voices.clear();
}

bool IsDummyDriver() {
  const char* name = SDL_GetCurrentAudioDriver();
  if (name == nullptr) return true;
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return lower == "dummy";
}

void OpenOutput() {
  // Headless runs and SDL's dummy driver get no device: the dummy driver would
  // consume voices on its own thread at wall-clock pace, and tests drive the
  // mixer through MixAudio instead.
  if (IsHeadless()) return;
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0 && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  if (IsDummyDriver()) return;

  SDL_AudioSpec wanted{};
  wanted.freq = kPreferredRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = 2;
  wanted.samples = kDeviceBufferFrames;
  wanted.callback = AudioCallback;
  SDL_AudioSpec obtained{};
  const SDL_AudioDeviceID device =
      SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (device == 0) return;
  mixer.device = device;
  mixer.rate = obtained.freq;
  // The device must close before SDL shuts down, and in any case before the
  // voice list is destroyed at exit; closing twice is harmless.
  AddShutdownHook(CloseOutput);
  std::atexit(CloseOutput);
  SDL_PauseAudioDevice(device, 0);
}

}  // namespace

void EnsureSoundOutput() {
  if (mixer.output_chosen) return;
  mixer.output_chosen = true;
  mixer.voices.reserve(kMaxVoices);  // so adding a voice never reallocates under the lock
  OpenOutput();
}

TMixerLock::TMixerLock() : device_(mixer.device) {
  if (device_ != 0) SDL_LockAudioDevice(device_);
}

TMixerLock::~TMixerLock() {
  if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

void AddVoice(const SoundRef& sound, const ChannelRef& channel) {
  TMixerLock lock;
  // The list is grown here, never in the callback; the oldest voice makes room.
  if (mixer.voices.size() >= kMaxVoices) mixer.voices.erase(mixer.voices.begin());
  mixer.voices.push_back(TVoice{sound, channel, 0});
}

void MixAudio(float* out, int frames) {
  if (out == nullptr || frames <= 0) return;
  TMixerLock lock;
  MixVoices(out, frames);
}

int ActiveVoiceCount() {
  TMixerLock lock;
  return static_cast<int>(mixer.voices.size());
}

int MixerRate() {
  EnsureSoundOutput();
  return mixer.rate;
}

void StopAllSounds() {
  TMixerLock lock;
  mixer.voices.clear();
}

}  // namespace vn
