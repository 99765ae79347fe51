#pragma once
// Building blocks for the synthesised sound effects: oscillators, noise,
// envelopes and filters over mono float buffers (-1..1) at 44100 Hz.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vngen {

constexpr int kSampleRate = 44100;
using Samples = std::vector<float>;

// Number of samples in a duration in seconds.
int SamplesFor(double seconds);
// Time in seconds of sample i.
double TimeOf(int i);

// White noise from a fixed seed, so every build writes the same files.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}
  float Next();                   // -1..1
  double Uniform(double lo, double hi);
 private:
  uint32_t state_;
};

// A sine whose frequency glides exponentially from `from_hz` to `to_hz` over
// `glide_seconds` and then stays; exponential glides sound like a falling drum.
Samples SweptSine(double seconds, double from_hz, double to_hz, double glide_seconds);
// A band-limited-enough sawtooth with a gliding pitch, the raw material of a voice.
Samples SweptSaw(double seconds, double from_hz, double to_hz);
Samples WhiteNoise(double seconds, uint32_t seed);

// Envelopes: the gain at time t (seconds).
// Rises linearly over `attack`, then falls by 1/e every `decay` seconds.
double PercussiveEnvelope(double t, double attack, double decay);

// Multiplies every sample by envelope(t).
template <typename Envelope>
void ApplyEnvelope(Samples& samples, Envelope envelope) {
  for (size_t i = 0; i < samples.size(); ++i) samples[i] *= float(envelope(TimeOf(int(i))));
}

// One-pole filters (6 dB per octave): gentle, click-free tone shaping.
void LowPass(Samples& samples, double cutoff_hz);
void HighPass(Samples& samples, double cutoff_hz);
// Two-pole resonant band-pass; `q` sets the width (higher is narrower). Used for
// vowel formants and for giving noise a pitch.
Samples BandPass(const Samples& samples, double centre_hz, double q);

// Adds source into target starting at sample `offset`, scaled by gain; the target
// grows when the source runs past its end.
void MixInto(Samples& target, const Samples& source, int offset, double gain);
// Scales so the loudest sample reaches `peak_dbfs` (e.g. -3).
void NormalizePeak(Samples& samples, double peak_dbfs);
// Linear fades over the first and last milliseconds, ending exactly on 0, so a
// sound starts and stops without a click.
void FadeEdges(Samples& samples, double fade_in_ms, double fade_out_ms);

}  // namespace vngen
