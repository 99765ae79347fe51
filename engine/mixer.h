#pragma once
// Inside the sound engine: the output device and the voice list it mixes.
#include "engine/sound.h"

namespace vn {

// Chooses the output the first time sound is used: the default SDL audio device,
// or none (headless, dummy driver, no device). Never retried.
void EnsureSoundOutput();
// Adds a voice that plays sound from its first frame with the channel's gain.
void AddVoice(const SoundRef& sound, const ChannelRef& channel);

// Holds the audio device's lock, so the mixer thread sees no half-made change.
class TMixerLock {
 public:
  TMixerLock();
  ~TMixerLock();
  TMixerLock(const TMixerLock&) = delete;
  TMixerLock& operator=(const TMixerLock&) = delete;
 private:
  uint32_t device_;
};

}  // namespace vn
