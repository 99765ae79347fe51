// TEMPORARY link stubs; each function moves to its real file as it is written.
#include "engine/sound.h"
namespace vn {
std::shared_ptr<TAudioSample> DecodeWAV(TStream&) { return nullptr; }
void TChannel::SetVolume(float v) { volume_ = v; }
SoundRef LoadSound(const std::string&, int) { return nullptr; }
ChannelRef Play(const SoundRef&) { return std::make_shared<TChannel>(); }
float VolumeToGain(float v) { return v; }
void MixAudio(float*, int) {}
int ActiveVoiceCount() { return 0; }
int MixerRate() { return 44100; }
void StopAllSounds() {}
}  // namespace vn
