#include "tools/gen/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vngen {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Frequency at time t of an exponential glide that holds `to_hz` afterwards.
double GlideFrequency(double t, double seconds, double from_hz, double to_hz) {
  if (seconds <= 0 || t >= seconds) return to_hz;
  return from_hz * std::pow(to_hz / from_hz, t / seconds);
}

}  // namespace

int SamplesFor(double seconds) { return int(std::lround(seconds * kSampleRate)); }
double TimeOf(int i) { return double(i) / kSampleRate; }

float Noise::Next() {
  // xorshift32: tiny, and the same sequence on every compiler and platform.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return float(double(state_) / 2147483647.5 - 1.0);
}

double Noise::Uniform(double lo, double hi) { return lo + (hi - lo) * (double(Next()) + 1.0) / 2.0; }

Samples SweptSine(double seconds, double from_hz, double to_hz, double glide_seconds) {
  Samples out(size_t(SamplesFor(seconds)));
  double phase = 0;  // accumulated, so the glide never jumps in phase
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = float(std::sin(phase));
    phase += kTwoPi * GlideFrequency(TimeOf(int(i)), glide_seconds, from_hz, to_hz) / kSampleRate;
  }
  return out;
}

Samples SweptSaw(double seconds, double from_hz, double to_hz) {
  Samples out(size_t(SamplesFor(seconds)));
  double phase = 0;  // 0..1
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = float(2.0 * phase - 1.0);
    phase += GlideFrequency(TimeOf(int(i)), seconds, from_hz, to_hz) / kSampleRate;
    phase -= std::floor(phase);
  }
  LowPass(out, 3000);  // takes the edge off the aliasing of a naive saw
  return out;
}

Samples WhiteNoise(double seconds, uint32_t seed) {
  Noise noise(seed);
  Samples out(size_t(SamplesFor(seconds)));
  for (float& s : out) s = noise.Next();
  return out;
}

double PercussiveEnvelope(double t, double attack, double decay) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

void LowPass(Samples& samples, double cutoff_hz) {
  const double a = 1.0 - std::exp(-kTwoPi * cutoff_hz / kSampleRate);
  double y = 0;
  for (float& s : samples) {
    y += a * (s - y);
    s = float(y);
  }
}

void HighPass(Samples& samples, double cutoff_hz) {
  const double a = 1.0 - std::exp(-kTwoPi * cutoff_hz / kSampleRate);
  double low = 0;
  for (float& s : samples) {
    low += a * (s - low);
    s = float(s - low);
  }
}

Samples BandPass(const Samples& samples, double centre_hz, double q) {
  // Biquad band-pass with 0 dB peak gain.
  const double w = kTwoPi * centre_hz / kSampleRate;
  const double alpha = std::sin(w) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  const double b0 = alpha / a0, b2 = -alpha / a0;
  const double a1 = -2.0 * std::cos(w) / a0, a2 = (1.0 - alpha) / a0;
  Samples out(samples.size());
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    const double x = samples[i];
    const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    out[i] = float(y);
  }
  return out;
}

void MixInto(Samples& target, const Samples& source, int offset, double gain) {
  const size_t start = size_t(std::max(offset, 0));
  if (target.size() < start + source.size()) target.resize(start + source.size(), 0.0f);
  for (size_t i = 0; i < source.size(); ++i) target[start + i] += float(gain * source[i]);
}

void NormalizePeak(Samples& samples, double peak_dbfs) {
  float peak = 0;
  for (float s : samples) peak = std::max(peak, std::abs(s));
  if (peak <= 0) return;
  const double scale = std::pow(10.0, peak_dbfs / 20.0) / peak;
  for (float& s : samples) s = float(s * scale);
}

void FadeEdges(Samples& samples, double fade_in_ms, double fade_out_ms) {
  const size_t count = samples.size();
  if (count == 0) return;
  const size_t fade_in = std::min(count, size_t(SamplesFor(fade_in_ms / 1000.0)));
  const size_t fade_out = std::min(count, size_t(SamplesFor(fade_out_ms / 1000.0)));
  for (size_t i = 0; i < fade_in; ++i) samples[i] *= float(double(i) / double(fade_in));
  for (size_t i = 0; i < fade_out; ++i) samples[count - 1 - i] *= float(double(i) / double(fade_out));
  samples.front() = 0;
  samples.back() = 0;
}

}  // namespace vngen
