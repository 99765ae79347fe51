// The game's sound effects, each a small recipe of noise, swept tones and
// envelopes. Seeds are fixed, so every build writes identical files.
#include "tools/gen/sounds.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "tools/gen/synth.h"
#include "tools/gen/wav_writer.h"

namespace vngen {
namespace {

// Every effect peaks here: loud enough to cut through, with room left for the
// mixer summing a few at once.
constexpr double kPeakDbfs = -3.0;

// A noise burst shaped by a percussive envelope, optionally filtered.
Samples Burst(double seconds, uint32_t seed, double attack, double decay, double low_pass_hz, double high_pass_hz) {
  Samples s = WhiteNoise(seconds, seed);
  if (high_pass_hz > 0) HighPass(s, high_pass_hz);
  if (low_pass_hz > 0) LowPass(s, low_pass_hz);
  ApplyEnvelope(s, [=](double t) { return PercussiveEnvelope(t, attack, decay); });
  return s;
}

// A falling sine "thump", the weight behind a shot or a landing.
Samples Thump(double seconds, double from_hz, double to_hz, double glide, double attack, double decay) {
  Samples s = SweptSine(seconds, from_hz, to_hz, glide);
  ApplyEnvelope(s, [=](double t) { return PercussiveEnvelope(t, attack, decay); });
  return s;
}

Samples Finish(Samples s, double fade_in_ms, double fade_out_ms) {
  FadeEdges(s, fade_in_ms, fade_out_ms);
  NormalizePeak(s, kPeakDbfs);
  return s;
}

Samples PistolShot() {
  const double length = 0.25;
  Samples s(size_t(SamplesFor(length)));
  MixInto(s, Burst(length, 101, 0.0005, 0.012, 0, 1500), 0, 1.0);     // the crack
  MixInto(s, Burst(length, 102, 0.0005, 0.045, 1800, 0), 0, 0.8);     // the body
  MixInto(s, Thump(length, 160, 55, 0.06, 0.001, 0.05), 0, 0.9);
  MixInto(s, Burst(length, 103, 0.002, 0.09, 600, 0), 0, 0.25);       // room tail
  return Finish(std::move(s), 1, 8);
}

// Plays every 65 ms, so it is over before the next one starts.
Samples MachineGunShot() {
  const double length = 0.08;
  Samples s(size_t(SamplesFor(length)));
  MixInto(s, Burst(length, 201, 0.0005, 0.006, 0, 2000), 0, 1.0);
  MixInto(s, Burst(length, 202, 0.0005, 0.015, 2500, 0), 0, 0.7);
  MixInto(s, Thump(length, 140, 70, 0.03, 0.001, 0.018), 0, 0.9);
  return Finish(std::move(s), 1, 5);
}

Samples LauncherThump() {
  const double length = 0.6;
  Samples s(size_t(SamplesFor(length)));
  MixInto(s, Thump(length, 110, 32, 0.35, 0.003, 0.18), 0, 1.0);
  MixInto(s, Burst(length, 301, 0.02, 0.2, 900, 0), 0, 0.5);          // the whoosh of the rocket
  MixInto(s, Burst(length, 302, 0.0005, 0.008, 0, 800), 0, 0.4);      // the pop of the tube
  return Finish(std::move(s), 2, 20);
}

Samples WallCrumbling() {
  const double length = 0.9;
  Samples s(size_t(SamplesFor(length)));
  MixInto(s, Burst(length, 401, 0.01, 0.35, 700, 0), 0, 0.6);
  MixInto(s, Thump(length, 70, 40, 0.5, 0.005, 0.3), 0, 0.5);
  // Stones breaking loose one after another, each fainter than the last.
  Noise timing(402);
  for (uint32_t k = 0; k < 9; ++k) {
    const double at = timing.Uniform(0.0, 0.7);
    const double decay = timing.Uniform(0.015, 0.04);
    const double pitch = timing.Uniform(800, 3000);
    Samples crack = BandPass(WhiteNoise(0.2, 410 + k), pitch, 1.5);
    ApplyEnvelope(crack, [=](double t) { return PercussiveEnvelope(t, 0.001, decay); });
    MixInto(s, crack, SamplesFor(at), 2.5 * (1.0 - at / length));
  }
  s.resize(size_t(SamplesFor(length)));
  return Finish(std::move(s), 2, 30);
}

Samples SwitchClunk() {
  const double length = 0.18;
  Samples s(size_t(SamplesFor(length)));
  MixInto(s, Burst(0.02, 501, 0.0002, 0.0015, 0, 3000), 0, 0.8);        // the click of the lever
  const int clunk_at = SamplesFor(0.025);
  MixInto(s, Thump(length - 0.025, 260, 170, 0.03, 0.001, 0.035), clunk_at, 0.9);
  MixInto(s, BandPass(Burst(length - 0.025, 502, 0.001, 0.02, 0, 0), 900, 2), clunk_at, 1.2);
  return Finish(std::move(s), 1, 10);
}

// A bright rising fourth: two bell-like notes, the second slightly delayed.
Samples PickupChime() {
  const double length = 0.4;
  Samples s(size_t(SamplesFor(length)));
  const auto note = [&](double hz, double at, double decay) {
    const double seconds = length - at;
    Samples tone = SweptSine(seconds, hz, hz, 0);
    MixInto(tone, SweptSine(seconds, 2 * hz, 2 * hz, 0), 0, 0.3);
    ApplyEnvelope(tone, [=](double t) { return PercussiveEnvelope(t, 0.002, decay); });
    MixInto(s, tone, SamplesFor(at), 1.0);
  };
  note(988, 0.0, 0.12);    // B5
  note(1319, 0.07, 0.18);  // E6
  return Finish(std::move(s), 1, 20);
}

Samples ExplosionRumble() {
  const double length = 1.3;
  Samples s(size_t(SamplesFor(length)));
  Samples rumble = WhiteNoise(length, 601);
  LowPass(rumble, 400);
  LowPass(rumble, 400);  // twice, for a steeper, darker roll-off
  ApplyEnvelope(rumble, [](double t) { return PercussiveEnvelope(t, 0.008, 0.45); });
  MixInto(s, rumble, 0, 3.0);
  MixInto(s, Burst(length, 602, 0.001, 0.04, 2000, 0), 0, 0.6);       // the blast front
  MixInto(s, Thump(length, 65, 28, 0.8, 0.005, 0.4), 0, 0.7);
  return Finish(std::move(s), 2, 60);
}

// A body hitting the ground: a dull thud and a short "uh" from the figure.
Samples LandingOuch() {
  const double length = 0.3;
  Samples s(size_t(SamplesFor(length)));
  MixInto(s, Thump(length, 95, 48, 0.08, 0.001, 0.06), 0, 1.0);
  MixInto(s, Burst(length, 701, 0.001, 0.03, 500, 0), 0, 0.5);

  const double grunt_length = 0.17;
  const Samples voice = SweptSaw(grunt_length, 125, 85);
  Samples grunt = BandPass(voice, 570, 5);  // formants of a short, closed "uh"
  MixInto(grunt, BandPass(voice, 840, 6), 0, 0.6);
  MixInto(grunt, BandPass(voice, 2400, 8), 0, 0.2);
  ApplyEnvelope(grunt, [=](double t) {
    const double rise = std::min(t / 0.015, 1.0);
    const double fall = t < 0.06 ? 1.0 : std::exp(-(t - 0.06) / 0.04);
    return rise * fall;
  });
  MixInto(s, grunt, SamplesFor(0.015), 2.0);
  s.resize(size_t(SamplesFor(length)));
  return Finish(std::move(s), 1, 15);
}

// The player is hit: a short, dry smack with a sharp "ugh" so that a hit is
// heard even in the noise of a fight.
Samples HitSmack() {
  const double length = 0.22;
  Samples s(size_t(SamplesFor(length)));
  MixInto(s, Burst(length, 801, 0.0005, 0.02, 3500, 300), 0, 1.0);
  MixInto(s, Thump(length, 220, 90, 0.05, 0.001, 0.04), 0, 0.9);
  Samples grunt = BandPass(SweptSaw(0.12, 180, 120), 700, 4);
  ApplyEnvelope(grunt, [](double t) { return PercussiveEnvelope(t, 0.005, 0.05); });
  MixInto(s, grunt, SamplesFor(0.01), 1.5);
  return Finish(std::move(s), 1, 10);
}

const std::pair<const char*, std::function<Samples()>> kSounds[] = {
    {"sfx/gun0.wav", PistolShot},       {"sfx/gun1.wav", MachineGunShot}, {"sfx/gun2.wav", LauncherThump},
    {"sfx/effect0.wav", WallCrumbling}, {"sfx/effect1.wav", SwitchClunk}, {"sfx/effect2.wav", PickupChime},
    {"sfx/effect3.wav", ExplosionRumble}, {"sfx/ouch.wav", LandingOuch},
    {"sfx/effect5.wav", HitSmack},
};

}  // namespace

void WriteAllSounds(const std::string& game_dir) {
  for (const auto& [name, make] : kSounds) WriteWav(make(), game_dir + "/" + name);
}

}  // namespace vngen
