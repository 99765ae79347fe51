#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/input.h"
#include "engine/sound.h"
#include "engine/stream.h"
#include "tests/support/harness.h"

namespace vn {
namespace {

double GainDb(float volume) { return 20.0 * std::log10(double(VolumeToGain(volume))); }

TEST(SoundVolume, FollowsTheAttenuationCurve) {
  struct Case {
    float volume;
    double db;
  };
  for (const Case& c : {Case{1.0f, 0.0}, Case{0.5f, -6.69}, Case{0.2f, -14.86}, Case{0.1f, -20.56},
                        Case{1.5f, 0.0}, Case{HUGE_VALF, 0.0}}) {
    SCOPED_TRACE(c.volume);
    EXPECT_NEAR(GainDb(c.volume), c.db, 0.01);
  }
  EXPECT_EQ(VolumeToGain(0.0f), 0.0f);
  EXPECT_EQ(VolumeToGain(-1.0f), 0.0f);
  EXPECT_EQ(VolumeToGain(-HUGE_VALF), 0.0f);
  EXPECT_EQ(VolumeToGain(std::nanf("")), 0.0f);
}

// A mono 16-bit sound at the mixer's rate holding one constant value, so what the
// mixer outputs can be predicted exactly.
SoundRef ConstantSound(int frames, double value, int flags = 2) {
  TAudioSample sample;
  sample.format = 2;
  sample.hertz = MixerRate();
  sample.length = frames;
  const auto pcm = uint16_t(int16_t(std::lround(value * 32768.0)));
  for (int i = 0; i < frames; ++i) sample.samples.insert(sample.samples.end(), {uint8_t(pcm & 0xFF), uint8_t(pcm >> 8)});
  return CreateSound(sample, flags);
}

std::vector<float> Mix(int frames) {
  std::vector<float> out(size_t(frames) * 2, 123.0f);  // garbage the mixer must overwrite
  MixAudio(out.data(), frames);
  return out;
}

class Mixer : public testing::Test {
 protected:
  void SetUp() override { StopAllSounds(); }
  void TearDown() override { StopAllSounds(); }
};

TEST_F(Mixer, OverlappingPlaysAreSummedAndRemovedWhenFinished) {
  const SoundRef sound = ConstantSound(100, 0.25);
  ASSERT_NE(sound, nullptr);
  ASSERT_EQ(sound->frame_count, 100);
  for (int i = 0; i < 3; ++i) Play(sound);
  EXPECT_EQ(ActiveVoiceCount(), 3);

  const std::vector<float> first = Mix(60);
  EXPECT_NEAR(first[0], 0.75f, 1e-4) << "three voices at 0.25";
  EXPECT_NEAR(first[1], 0.75f, 1e-4) << "mono plays on both sides";
  EXPECT_EQ(ActiveVoiceCount(), 3);

  const std::vector<float> second = Mix(60);
  EXPECT_NEAR(second[2 * 39], 0.75f, 1e-4) << "last frame of the sound";
  EXPECT_EQ(second[2 * 40], 0.0f) << "silence after the end";
  EXPECT_EQ(ActiveVoiceCount(), 0);
}

TEST_F(Mixer, EachVoiceHasItsOwnGain) {
  const SoundRef sound = ConstantSound(50, 0.25);
  Play(sound)->SetVolume(-1.0f);
  Play(sound)->SetVolume(1.5f);
  const ChannelRef quiet = Play(sound);
  quiet->SetVolume(0.5f);
  EXPECT_EQ(quiet->Volume(), 0.5f);
  const std::vector<float> out = Mix(10);
  EXPECT_NEAR(out[0], 0.25f + 0.25f * VolumeToGain(0.5f), 1e-4) << "silenced, full and half volume";
}

TEST_F(Mixer, ClipsTheSumToFullScale) {
  const SoundRef loud = ConstantSound(20, 0.5);
  for (int i = 0; i < 5; ++i) Play(loud);
  EXPECT_EQ(Mix(5)[0], 1.0f);
}

TEST_F(Mixer, PlayingNothingIsHarmless) {
  const ChannelRef channel = Play(nullptr);
  ASSERT_NE(channel, nullptr);
  channel->SetVolume(0.3f);
  EXPECT_EQ(ActiveVoiceCount(), 0);
  EXPECT_EQ(Mix(4), std::vector<float>(8, 0.0f));
  MixAudio(nullptr, 10);
  MixAudio(Mix(1).data(), -5);
}

TEST_F(Mixer, KeepsAtMostSixtyFourVoices) {
  // Without a device nothing consumes voices; the cap keeps a silent game from
  // collecting them for the whole run.
  const SoundRef sound = ConstantSound(10, 0.1);
  for (int i = 0; i < 200; ++i) Play(sound);
  EXPECT_EQ(ActiveVoiceCount(), 64);
}

TEST_F(Mixer, LoopingSoundRepeats) {
  const SoundRef loop = ConstantSound(3, 0.25, 1);
  Play(loop);
  const std::vector<float> out = Mix(10);
  EXPECT_NEAR(out[2 * 9], 0.25f, 1e-4);
  EXPECT_EQ(ActiveVoiceCount(), 1);
}

TEST(SoundConversion, ConvertsEveryFormatToStereoFloat) {
  TAudioSample stereo8;
  stereo8.format = 4;
  stereo8.hertz = MixerRate();
  stereo8.length = 2;
  stereo8.samples = {192, 64, 192, 64};  // unsigned: left +0.5, right -0.5
  const SoundRef sound = CreateSound(stereo8, 2);
  ASSERT_NE(sound, nullptr);
  ASSERT_EQ(sound->frame_count, 2);
  EXPECT_NEAR(sound->frames[0], 0.5f, 0.01f);
  EXPECT_NEAR(sound->frames[1], -0.5f, 0.01f);
}

TEST(SoundConversion, ResamplesToTheMixerRateWithoutLosingTheEnd) {
  for (int hertz : {MixerRate() / 2, 48000, 8000}) {
    SCOPED_TRACE(hertz);
    TAudioSample sample;
    sample.format = 1;
    sample.hertz = hertz;
    sample.length = hertz / 10;
    sample.samples.assign(size_t(sample.length), 192);  // +0.5 throughout
    const SoundRef sound = CreateSound(sample, 2);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->frame_count, MixerRate() / 10);
    EXPECT_NEAR(sound->frames[size_t(sound->frame_count / 2) * 2], 0.5f, 0.02f);
    EXPECT_GT(sound->frames[size_t(sound->frame_count - 20) * 2], 0.4f) << "the last frames are kept";
  }
}

TEST(SoundConversion, RefusesSamplesItCannotTrust) {
  TAudioSample base;
  base.format = 2;
  base.hertz = 44100;
  base.length = 4;
  base.samples.assign(8, 0);
  ASSERT_NE(CreateSound(base, 2), nullptr);

  auto broken = [&](auto change) {
    TAudioSample s = base;
    change(s);
    return CreateSound(s, 2);
  };
  EXPECT_EQ(broken([](TAudioSample& s) { s.hertz = 0; }), nullptr);
  EXPECT_EQ(broken([](TAudioSample& s) { s.hertz = -44100; }), nullptr);
  EXPECT_EQ(broken([](TAudioSample& s) { s.hertz = 2000000000; }), nullptr);
  EXPECT_EQ(broken([](TAudioSample& s) { s.format = 3; }), nullptr);
  EXPECT_EQ(broken([](TAudioSample& s) { s.length = 5; }), nullptr) << "more frames than bytes";
  EXPECT_EQ(broken([](TAudioSample& s) { s.hertz = 1; s.length = 200; s.samples.assign(400, 0); }), nullptr)
      << "200 frames at 1 Hz would resample to minutes of audio";
}

TEST(LoadSound, LoadsAWavFileAndFailsQuietlyOtherwise) {
  test::TempGameDir dir;
  const std::vector<uint8_t> wav = {'R', 'I', 'F', 'F', 44, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                    16, 0, 0, 0, 1, 0, 1, 0, 0x44, 0xAC, 0, 0, 0x88, 0x58, 1, 0, 2, 0, 16, 0,
                                    'd', 'a', 't', 'a', 8, 0, 0, 0, 0, 0, 0, 0x40, 0, 0, 0, 0xC0};
  test::WriteFileBytes(dir.File("sfx/test.wav"), wav);
  const SoundRef sound = LoadSound("sfx/test.wav", 2);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->frame_count, 4);
  EXPECT_EQ(sound->flags, 2);

  test::WriteFileBytes(dir.File("sfx/garbage.wav"), {'R', 'I', 'F', 'F', 1, 2, 3});
  EXPECT_EQ(LoadSound("sfx/garbage.wav", 2), nullptr);
  EXPECT_EQ(LoadSound("sfx/missing.wav", 2), nullptr);
  EXPECT_EQ(LoadSound("sfx", 2), nullptr) << "a directory";
}

// The assembled game directory of the build; ctest names it in VN_GAME_DATA.
std::filesystem::path GameData() {
  const char* dir = std::getenv("VN_GAME_DATA");
  return dir == nullptr ? std::filesystem::path() : std::filesystem::path(dir);
}

#define REQUIRE_GAME_DATA()                                                                \
  if (GameData().empty()) GTEST_SKIP() << "VN_GAME_DATA not set (run through ctest)"; \
  ASSERT_TRUE(std::filesystem::is_directory(GameData() / "data")) << "build the game_data target first"

TEST(GeneratedData, KeyNamesParseAsRecordsUpToTheLastCodeByte) {
  REQUIRE_GAME_DATA();
  const StreamRef stream = OpenReadStream((GameData() / "data/keycodes.dat").string());
  ASSERT_NE(stream, nullptr);
  std::map<int, std::string> names;
  while (!stream->Eof()) {
    const std::string name = stream->ReadLine();
    const int code = stream->ReadByte();  // throws if a record lacks its code byte
    EXPECT_FALSE(names.contains(code)) << "code " << code << " named twice";
    EXPECT_FALSE(name.empty()) << "code " << code;
    names[code] = name;
  }
  EXPECT_EQ(names[32], "Leertaste");
  EXPECT_EQ(names[8], "R\xFC" "cktaste") << "one ISO-8859-1 byte per character";
  EXPECT_EQ(names[65], "A");
  EXPECT_EQ(names[123], "F12");
  EXPECT_EQ(names[161], "Umschalt rechts");
  EXPECT_EQ(names[101], "Num 5");
  for (int scancode = 0; scancode < 512; ++scancode) {  // every code a key press can report
    const int code = KeyCodeFromScancode(scancode);
    if (code != 0) {
      EXPECT_TRUE(names.contains(code)) << "code " << code << " of scancode " << scancode;
    }
  }
}

TEST(GeneratedData, ShippedSettingsAreAFullRecord) {
  REQUIRE_GAME_DATA();
  EXPECT_EQ(std::filesystem::file_size(GameData() / "data/settings.dat"), 17u);
}

TEST(GeneratedData, EverySoundDecodesAndStartsAndEndsInSilence) {
  REQUIRE_GAME_DATA();
  for (const char* name : {"ouch", "gun0", "gun1", "gun2", "effect0", "effect1", "effect2", "effect3"}) {
    SCOPED_TRACE(name);
    const StreamRef stream = OpenReadStream((GameData() / "sfx" / (std::string(name) + ".wav")).string());
    ASSERT_NE(stream, nullptr);
    const auto sample = DecodeWAV(*stream);
    ASSERT_NE(sample, nullptr);
    ASSERT_EQ(sample->format, 2);
    EXPECT_EQ(sample->hertz, 44100);
    EXPECT_GT(sample->length, 44100 / 50);
    EXPECT_LT(sample->length, 44100 * 3 / 2);

    const auto at = [&](int frame) {
      const size_t i = size_t(frame) * 2;
      return int16_t(uint16_t(sample->samples[i] | sample->samples[i + 1] << 8));
    };
    EXPECT_LT(std::abs(at(0)), 100) << "click at the start";
    EXPECT_LT(std::abs(at(sample->length - 1)), 100) << "click at the end";
    int peak = 0;
    for (int i = 0; i < sample->length; ++i) peak = std::max(peak, std::abs(int(at(i))));
    EXPECT_NEAR(20.0 * std::log10(peak / 32768.0), -3.0, 0.5) << "loudness of the effects";
  }
}

}  // namespace
}  // namespace vn
