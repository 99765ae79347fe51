// Start-up loading, the fixed tables and the closing screen.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/end_screen.h"
#include "app/resources.h"
#include "app/settings.h"
#include "app/title_menu.h"
#include "engine/input.h"
#include "engine/timing.h"
#include "play/assets.h"
#include "play/tables.h"
#include "tests/support/bmp_file.h"
#include "tests/support/harness.h"
#include "world/map.h"
#include "world/tiles.h"

namespace vn {
namespace {

// A 24-bit bottom-up BMP of one colour.
void WriteBmp(const std::string& path, int width, int height, uint8_t r = 40, uint8_t g = 90, uint8_t b = 200) {
  test::BmpFile file;
  file.width = width;
  file.height = height;
  std::vector<uint8_t> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), {b, g, r});
  file.rows.assign(size_t(height), row);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  test::WriteFileBytes(path, file.Bytes());
}

void ForgetResources() {
  for (auto& layers : world_assets.tile_images) layers.fill(nullptr);
  play_assets.gun_images.fill(nullptr);
  play_assets.crosshair_image = front.title_image = play_assets.bag_image = play_assets.background_image = play_assets.explosion_image = nullptr;
  play_assets.landing_sound = nullptr;
  play_assets.effect_sounds.fill(nullptr);
  play_assets.gun_sounds.fill(nullptr);
}

class StartUpLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override { test::ResetGameState(); }
  void TearDown() override {
    ForgetResources();
    FillFixedTables();
    test::ResetGameState();
  }
  test::TempGameDir dir_;
};

TEST_F(StartUpLoadingTest, LoadsOnlyTileFilesThatExistAndCutsTheForegroundIntoFrames) {
  WriteBmp("gfx/layer0/7.bmp", 32, 32);
  WriteBmp("gfx/layer1/4.bmp", 32, 32);
  WriteBmp("gfx/layer1/6.bmp", 32, 32);
  WriteBmp("gfx/layer2/7.bmp", 256, 32);
  WriteBmp("gfx/layer2/700.bmp", 256, 32);
  WriteBmp("gfx/layer0/0.bmp", 32, 32);                  // value 0 never has a picture
  std::filesystem::create_directories("gfx/layer0/8.bmp");  // a directory is not a picture
  LoadResources();

  for (int layer = 0; layer < 3; ++layer) EXPECT_FALSE(world_assets.tile_images[0][size_t(layer)]) << layer;
  ASSERT_TRUE(world_assets.tile_images[7][0]);
  EXPECT_EQ(world_assets.tile_images[7][0]->pixmaps.size(), 1u);
  EXPECT_EQ(GetImageWidth(world_assets.tile_images[7][0]), 32);
  ASSERT_TRUE(world_assets.tile_images[7][2]);
  EXPECT_EQ(world_assets.tile_images[7][2]->pixmaps.size(), 8u);
  EXPECT_EQ(GetImageWidth(world_assets.tile_images[7][2]), 32);
  EXPECT_TRUE(world_assets.tile_images[700][2]);
  EXPECT_TRUE(world_assets.tile_images[4][1]);
  EXPECT_FALSE(world_assets.tile_images[5][1]);
  EXPECT_TRUE(world_assets.tile_images[6][1]);
  EXPECT_FALSE(world_assets.tile_images[8][0]);
  EXPECT_FALSE(world_assets.tile_images[7][1]);
}

TEST_F(StartUpLoadingTest, GunsExplosionAndCrosshairTurnAboutTheirCentre) {
  PixmapRef cross = CreatePixmap(9, 7, PF_RGBA8888);
  ASSERT_EQ(WritePixmapPNG(*cross, "gfx/crosshair.png", 5), 1);
  WriteBmp("gfx/gun0.bmp", 64, 32);
  WriteBmp("gfx/gun9.bmp", 64, 32);
  WriteBmp("gfx/explosion.bmp", 64 * 18, 64);
  LoadResources();

  ASSERT_TRUE(play_assets.gun_images[0]);
  EXPECT_EQ(play_assets.gun_images[0]->pixmaps.size(), 2u);
  EXPECT_FLOAT_EQ(play_assets.gun_images[0]->handle_x, 16);
  EXPECT_FLOAT_EQ(play_assets.gun_images[0]->handle_y, 16);
  EXPECT_TRUE(play_assets.gun_images[9]);
  EXPECT_FALSE(play_assets.gun_images[1]);
  ASSERT_TRUE(play_assets.explosion_image);
  EXPECT_EQ(play_assets.explosion_image->pixmaps.size(), 18u);
  EXPECT_FLOAT_EQ(play_assets.explosion_image->handle_x, 32);
  EXPECT_FLOAT_EQ(play_assets.explosion_image->handle_y, 32);
  ASSERT_TRUE(play_assets.crosshair_image);   // integer halves of 9 x 7
  EXPECT_FLOAT_EQ(play_assets.crosshair_image->handle_x, 4);
  EXPECT_FLOAT_EQ(play_assets.crosshair_image->handle_y, 3);
}

TEST_F(StartUpLoadingTest, MissingPicturesAndSoundsLeaveEmptyEntriesWithoutFailing) {
  LoadResources();
  EXPECT_FALSE(front.title_image);
  EXPECT_FALSE(play_assets.crosshair_image);
  EXPECT_FALSE(play_assets.landing_sound);
  EXPECT_FALSE(play_assets.gun_sounds[0]);
  EXPECT_EQ(tables.level_names[1], "In the castle");   // the tables are filled all the same
}

// ---------------------------------------------------------------------------------------

TEST(FixedTables, HoldTheLevelNamesGunFiguresAndSignTexts) {
  FillFixedTables();
  const char* names[10] = {"Tutorial", "In the castle", "Jungle", "Wooden", "", "", "", "", "", ""};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(tables.level_names[i], names[i]) << i;

  EXPECT_EQ(tables.shot_power, (std::array<uint8_t, 10>{35, 10, 100, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(tables.gun_delay, (std::array<uint16_t, 10>{900, 65, 2000, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(tables.ammo_per_pickup, (std::array<int32_t, 10>{0, 40, 4, 0, 0, 0, 0, 0, 0, 0}));

  EXPECT_EQ(tables.tutorial_texts[5],
            "Der Ausgang aus dem Level. Laufe einfach dort hin um zum Men\xC3\xBC zur\xC3\xBC"
            "ckzukehren.");
  EXPECT_EQ(tables.tutorial_texts[0].substr(0, 18), "Lust auf ein Bad? ");
  EXPECT_EQ(tables.tutorial_texts[3], "Auch hier gilt es die Kante zu greifen. Die Aktionstaste macht dies m\xC3\xB6glich");
  for (const std::string& text : tables.tutorial_texts) EXPECT_FALSE(text.empty());
}

// ---------------------------------------------------------------------------------------

TEST(EndScreen, ClosesByItselfAndLeavesNoPressForTheMenu) {
  test::ResetGameState();
  test::TapKey(27);
  int32_t start = ClockMillis();
  ShowEndScreen();
  int32_t shown = ClockMillis() - start;
  EXPECT_GE(shown, 9900);
  EXPECT_LE(shown, 10200);
  EXPECT_EQ(TakeKeyHits(27), 0);
}

}  // namespace
}  // namespace vn
