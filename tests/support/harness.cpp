#include "tests/support/harness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "app/resources.h"
#include "app/settings.h"
#include "engine/display_scale.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/random.h"
#include "engine/timing.h"
#include "play/entities.h"
#include "play/level_reload.h"
#include "play/notice.h"
#include "play/play_loop.h"
#include "play/tables.h"
#include "world/level_files.h"
#include "world/map.h"
#include "tests/support/pixels.h"
#include "tests/support/scratch_dir.h"
#include "world/world.h"

namespace vn::test {

void InitTestEnvironment() {
  StartHeadless();
  FillFixedTables();
  SeedRandom(12345);
}

void ResetDrawState() {
  SetDrawRotation(0);
  SetDrawScale(1, 1);
  SetDrawOrigin(0, 0);
  SetColor(255, 255, 255);
  SetAlpha(1);
  SetBlend(3);
  SetClsColor(255, 255, 255);
  SetImageMaskColor(255, 0, 255);
}

void ResetGameState() {
  ResetPlayState();
  // Tests start inside a tiny map on the first level, with the clock read.
  ResizeMap(1, 1);
  run.level_index = 1;
  run.now_ms = ClockMillis();
  SetLevelReload(false);
  ResetInputForTest();
  SetFullscreen(false);
  SetIntegerScaling(false);
  SetClockPaused(false);
  SetDefaultSettings();
  SeedRandom(12345);
  SetDrawOrigin(0, 0);
  SetDrawRotation(0);
  SetDrawScale(1, 1);
  SetColor(255, 255, 255);
  SetAlpha(1);
}

TempGameDir::TempGameDir() { path_ = EnterScratchDir("vn-test", {"gfx", "sfx", "map", "data"}, previous_); }

TempGameDir::~TempGameDir() { LeaveScratchDir(path_, previous_); }

LevelBuilder::LevelBuilder(uint16_t width, uint16_t height) { data_.Resize(width, height); }

LevelBuilder& LevelBuilder::Tile(int layer, int x, int y, uint16_t value) {
  data_.Tile(layer, x, y) = value;
  return *this;
}
LevelBuilder& LevelBuilder::Code(int x, int y, uint8_t value) {
  data_.Code(x, y) = value;
  return *this;
}
LevelBuilder& LevelBuilder::Fill(int layer, int x0, int y0, int x1, int y1, uint16_t value) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) data_.Tile(layer, x, y) = value;
  return *this;
}
LevelBuilder& LevelBuilder::Floor(int row, uint16_t value) {
  return Fill(0, 0, row, data_.width - 1, row, value);
}
LevelBuilder& LevelBuilder::Player(int32_t x, int32_t y, uint8_t power, uint8_t gun) {
  LevelCharacter c;
  c.x = x; c.y = y; c.typ = 0; c.power = power; c.gun = gun;
  data_.characters.push_back(c);
  return *this;
}
LevelBuilder& LevelBuilder::Enemy(int32_t x, int32_t y, uint8_t power, uint8_t gun, uint16_t radius,
                                  uint16_t item, uint8_t typ) {
  LevelCharacter c;
  c.x = x; c.y = y; c.typ = typ; c.power = power; c.gun = gun; c.action_radius = radius; c.item = item;
  data_.characters.push_back(c);
  return *this;
}
LevelBuilder& LevelBuilder::Action(uint8_t nr, uint16_t x, uint16_t y, uint16_t new_tile, uint8_t layer) {
  data_.actions.push_back({nr, x, y, new_tile, layer});
  data_.has_actions_file = true;
  return *this;
}
LevelBuilder& LevelBuilder::Effect(uint8_t nr, uint16_t x, uint16_t y, uint8_t layer, uint8_t typ) {
  data_.effects.push_back({nr, x, y, layer, typ});
  return *this;
}
void LevelBuilder::Write(const std::string& name) const {
  ASSERT_TRUE(WriteLevelFiles("map", name, data_)) << "cannot write level " << name;
}
void LevelBuilder::Load(const std::string& name) const {
  Write(name);
  ASSERT_TRUE(LoadLevel(name, "map")) << world.last_level_error;
}

void LevelBuilder::Start(const std::string& name, uint8_t index) const {
  Write(name);
  tables.level_names[index] = name;
  run.level_index = index;
  ASSERT_TRUE(BeginLevelRun()) << world.last_level_error;
  ClearNotice();   // the keys notice of a new run; tests look at their own notices
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void HoldKey(int key) { InjectKey(key, true); }
void ReleaseKey(int key) { InjectKey(key, false); }
void TapKey(int key) {
  InjectKey(key, true);
  InjectKey(key, false);
}
void TapPadButton(int pad, int button) {
  SetVirtualPadButton(pad, button, true);
  SetVirtualPadButton(pad, button, false);
}
void ReleaseAllKeys() {
  for (int k = 1; k < 256; ++k)
    if (IsKeyDown(k)) InjectKey(k, false);
}

bool StepFrames(int n) {
  for (int i = 0; i < n; ++i)
    if (!PlayFrame()) return false;
  return true;
}

bool StepFramesWhileHolding(int key, int n) {
  HoldKey(key);
  const bool going_on = StepFrames(n);
  ReleaseKey(key);
  return going_on;
}

MapChanges RecordedChanges() {
  MapChanges out;
  for (const auto& c : progress.change_list.Snapshot()) out.push_back({c->x, c->y, c->layer, c->tile_new});
  return out;
}

PlayerRef Player() { return FindPlayer(); }

void RemoveEnemies() {
  world.character_list.ForEach([](const PlayerRef& e) {
    if (e->typ != 0) world.character_list.Remove(e);
  });
}

PlayerRef AddCharacter(int32_t x, int32_t y, uint8_t typ, uint8_t mode, uint8_t power) {
  Create_Player(x, y, typ, 0, power, 0, 0);
  PlayerRef ch = world.character_list.Snapshot().back();
  ch->mode = mode;
  ch->gunangle = mode == 2 ? 180 : 0;
  return ch;
}

ImageRef SolidImage(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  return ImageFromPixmap(PaintedPixmap(width, height, PF_RGBA8888, [&](int, int) { return Rgba{r, g, b, 255}; }), 0);
}

Rgb PixelAt(int x, int y) {
  PixmapRef grab = GrabPixmap(x, y, 1, 1);
  uint8_t rgba[4] = {};
  if (grab) GetPixelRGBA(*grab, 0, 0, rgba);
  return {rgba[0], rgba[1], rgba[2]};
}

::testing::AssertionResult PixelIs(int x, int y, int r, int g, int b) {
  const Rgb got = PixelAt(x, y);
  if (std::abs(got.r - r) <= 1 && std::abs(got.g - g) <= 1 && std::abs(got.b - b) <= 1)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is (" << got.r << ", " << got.g
                                       << ", " << got.b << "), expected (" << r << ", " << g << ", " << b << ")";
}

void GameTest::SetUp() { ResetGameState(); }
void GameTest::TearDown() {
  ReleaseAllKeys();
  ResetGameState();
}

}  // namespace vn::test
