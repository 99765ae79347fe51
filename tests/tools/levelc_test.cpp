// The level compiler: Tiled maps in, the game's level files out, and back.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/resources.h"
#include "engine/graphics.h"
#include "engine/stream.h"
#include "tests/support/harness.h"
#include "tools/gen/art_bmp_writer.h"
#include "tools/levelc/levelc.h"
#include "world/level_data.h"
#include "world/level_files.h"
#include "world/map.h"
#include "world/tiles.h"

namespace vn::levelc {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// A small level touching every field the files carry.
LevelData SampleLevel() {
  test::LevelBuilder b(12, 6);
  b.Floor(5, 4).Fill(0, 0, 0, 0, 4, 1).Tile(0, 6, 4, 700);
  b.Tile(1, 3, 4, 1).Tile(1, 3, 3, 2).Tile(1, 5, 4, 58).Code(5, 4, 8);
  b.Tile(1, 7, 4, 230).Code(7, 4, 25).Tile(1, 9, 4, 260).Code(9, 4, 3);
  b.Tile(2, 8, 3, 2).Tile(2, 8, 4, 1).Code(11, 4, 250).Code(10, 4, 205);
  b.Player(40, 128, 90, 1).Enemy(300, 100, 30, 2, 96, 232, 3).Enemy(64, 0, 255, 0, 0, 0, 1);
  b.Action(3, 4, 2, 0, 0).Action(3, 9, 4, 261, 1).Action(205, 11, 0, 250, 200).Action(3, 4, 2, 7, 0);
  b.Effect(3, 2, 1, 0, 2).Effect(7, 6, 2, 0, 4).Effect(7, 6, 1, 203, 5).Effect(9, 1, 1, 2, 1);
  b.Effect(9, 12, 7, 1, 2);   // the spare column W and spare row H + 1 are cells too
  return b.Data();
}

std::vector<std::vector<uint8_t>> Encoded(const LevelData& level) {
  return {EncodeMapFile(level), EncodeActionsFile(level), EncodeEffectsFile(level)};
}

bool Compile(const json& map, LevelData& level, Diagnostics& diagnostics, const CompileOptions& options = {}) {
  std::string name;
  return CompileMap(map, "levels/castle.json", options, level, name, diagnostics);
}

std::string AllMessages(const Diagnostics& diagnostics) {
  std::ostringstream out;
  diagnostics.Print(out);
  return out.str();
}

TEST(LevelCompiler, ExportThenCompileGivesTheSameBytes) {
  LevelData original = SampleLevel();
  std::string text = FormatMapJson(ExportMap(original, "In the castle"));

  LevelData compiled;
  std::string name;
  Diagnostics diagnostics;
  ASSERT_TRUE(CompileMap(json::parse(text), "castle.json", {}, compiled, name, diagnostics))
      << AllMessages(diagnostics);
  EXPECT_EQ(diagnostics.WarningCount(), 0) << AllMessages(diagnostics);
  EXPECT_EQ(name, "In the castle");
  EXPECT_EQ(Encoded(compiled), Encoded(original));
  // A second round changes nothing, not even the text.
  EXPECT_EQ(FormatMapJson(ExportMap(compiled, name)), text);
}

TEST(LevelCompiler, ValuesDependOnTheMapsTilesetsNotOnFixedIds) {
  // The editor may renumber the first gids when it saves; values must survive that.
  LevelData original = SampleLevel();
  json map = ExportMap(original, "Tutorial");
  const uint32_t renumbered[4] = {1, 702, 1403, 2104};
  for (json& layer : map["layers"]) {
    if (layer["type"] != "tilelayer") continue;
    int kind = layer["name"] == "codes" ? 3 : layer["name"].get<std::string>().back() - '0';
    for (json& gid : layer["data"])
      if (gid.get<uint32_t>() != 0) gid = gid.get<uint32_t>() - kExportFirstGid[kind] + renumbered[kind];
  }
  for (int kind = 0; kind < 4; ++kind) map["tilesets"][size_t(kind)]["firstgid"] = renumbered[kind];
  std::reverse(map["tilesets"].begin(), map["tilesets"].end());

  LevelData compiled;
  Diagnostics diagnostics;
  ASSERT_TRUE(Compile(map, compiled, diagnostics)) << AllMessages(diagnostics);
  EXPECT_EQ(Encoded(compiled), Encoded(original));
}

// The gid of a cell of the 12-column sample map.
json& cell(json& map, int layer, int x, int y) { return map["layers"][size_t(layer)]["data"][size_t(y * 12 + x)]; }

// Each fault, made in an otherwise good map, is reported with file, layer and cell or object.
TEST(LevelCompiler, DamagedMapsAreReportedWithFileLayerAndPlace) {
  struct Case {
    const char* what;
    void (*damage)(json& map);
    std::vector<std::string> expected;   // parts of one message
  };
  const Case cases[] = {
      {"value above 700", [](json& m) { cell(m, 1, 3, 2) = 2000 + 701; },
       {"levels/castle.json: error", "layer 'layer1', cell (3, 2)", "above 700"}},
      {"code above 255", [](json& m) { cell(m, 3, 11, 5) = 4000 + 256; }, {"layer 'codes', cell (11, 5)", "above 255"}},
      {"tile of another layer", [](json& m) { cell(m, 0, 2, 1) = 2058; },
       {"layer 'layer0', cell (2, 1)", "tileset 'layer1'"}},
      {"flipped tile", [](json& m) { cell(m, 2, 8, 4) = 0x80000000u + 3001; }, {"layer 'layer2', cell (8, 4)", "flipped"}},
      {"gid below every tileset", [](json& m) { cell(m, 0, 1, 1) = 5; }, {"cell (1, 1)", "belongs to no tileset"}},
      {"unknown layer", [](json& m) { m["layers"][2]["name"] = "decor"; }, {"unknown layer 'decor'"}},
      {"wrong size", [](json& m) { m["layers"][0]["width"] = 11; }, {"layer 'layer0'", "differs from the map's 12 x 6"}},
      {"name with a NUL", [](json& m) { m["properties"][0]["value"] = std::string("In the\0castle", 14); },
       {"control character"}},
      {"huge size", [](json& m) { m["width"] = m["height"] = 65535; }, {"65535 x 65535 cells is larger than any level"}},
      {"short data", [](json& m) { m["layers"][1]["data"].erase(0); }, {"layer 'layer1'", "71 cells"}},
      {"no player", [](json& m) { m["layers"][4]["objects"].erase(0); }, {"exactly one player, it has 0"}},
      {"two players", [](json& m) { m["layers"][4]["objects"][1]["type"] = "player"; m["layers"][4]["objects"][1]["properties"].erase(0); },
       {"exactly one player, it has 2"}},
      {"character outside", [](json& m) { m["layers"][4]["objects"][2]["x"] = 12 * 32; },
       {"layer 'characters', object id 3", "outside the map"}},
      {"action beyond the spare rows", [](json& m) { m["layers"][5]["objects"][1]["y"] = 9 * 32; },
       {"layer 'actions', object id 5", "cell (9, 9) lies outside the map"}},
      {"action layer", [](json& m) { m["layers"][5]["objects"][0]["properties"][1]["value"] = 7; },
       {"layer 'actions', object id 4", "layer 7 does not exist"}},
      {"action without nr", [](json& m) { m["layers"][5]["objects"][0]["properties"].erase(0); },
       {"object id 4", "'nr' is missing"}},
      {"effect kind", [](json& m) { m["layers"][6]["objects"][0]["properties"][2]["value"] = 6; },
       {"layer 'effects', object id 8", "'typ' must be a whole number from 1 to 5"}},
      {"falling tile chaining", [](json& m) { m["layers"][6]["objects"][0]["properties"][1]["value"] = 200; },
       {"object id 8", "layer 200 is not possible for kind 2"}},
      {"enemy as typ 0", [](json& m) { m["layers"][4]["objects"][1]["properties"][0]["value"] = 0; },
       {"object id 2", "'typ' must be a whole number from 1 to 255"}},
      {"gun kind", [](json& m) { m["layers"][4]["objects"][0]["properties"][3]["value"] = 10; },
       {"object id 1", "'gun'"}},
  };
  for (const Case& c : cases) {
    json map = ExportMap(SampleLevel(), "castle");
    c.damage(map);
    LevelData level;
    Diagnostics diagnostics;
    EXPECT_FALSE(Compile(map, level, diagnostics)) << c.what;
    bool found = false;
    for (const std::string& message : diagnostics.Messages()) {
      bool all = true;
      for (const std::string& part : c.expected) all = all && message.find(part) != std::string::npos;
      found = found || all;
    }
    EXPECT_TRUE(found) << c.what << ":\n" << AllMessages(diagnostics);
  }
}

TEST(LevelCompiler, MissingExitAndSignTextAreWarningsOnly) {
  LevelData original = SampleLevel();
  original.Code(11, 4) = 0;
  original.actions.erase(original.actions.begin() + 2);   // the action that writes an exit
  original.Code(5, 4) = 0;                                // the sign's text
  LevelData compiled;
  Diagnostics diagnostics;
  EXPECT_TRUE(Compile(ExportMap(original, "castle"), compiled, diagnostics));
  EXPECT_EQ(diagnostics.WarningCount(), 2) << AllMessages(diagnostics);
  EXPECT_NE(AllMessages(diagnostics).find("no exit (code 250)"), std::string::npos);
  EXPECT_NE(AllMessages(diagnostics).find("cell (5, 4): the sign needs a code"), std::string::npos);
}

class LevelFilesTest : public ::testing::Test {
 protected:
  test::TempGameDir dir_;
  std::ostringstream out_, err_;

  int Run(const std::vector<std::string>& args) { return RunCommand(args, out_, err_); }
  static void WriteText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }
};

TEST_F(LevelFilesTest, MissingPicturesAreErrorsWhenAPictureDirectoryIsGiven) {
  fs::create_directories("gfx/layer0");
  std::ofstream("gfx/layer0/4.bmp") << "x";
  LevelData level;
  Diagnostics diagnostics;
  CompileOptions options;
  options.gfx_dir = "gfx";
  EXPECT_FALSE(Compile(ExportMap(SampleLevel(), "castle"), level, diagnostics, options));
  std::string messages = AllMessages(diagnostics);
  EXPECT_EQ(messages.find("picture layer0/4.bmp"), std::string::npos);
  EXPECT_NE(messages.find("layer 'layer0', cell (0, 0): tile value 1 has no picture layer0/1.bmp (5 cells)"),
            std::string::npos) << messages;
  EXPECT_NE(messages.find("tile value 261 has no picture layer1/261.bmp"), std::string::npos) << messages;
}

TEST_F(LevelFilesTest, BuildWritesLevelsTheGameCanRead) {
  LevelData castle = SampleLevel();
  WriteText("levels/castle.json", FormatMapJson(ExportMap(castle, "In the castle")));
  LevelData tutorial = SampleLevel();
  tutorial.actions.clear();
  tutorial.effects.clear();
  json tutorial_map = ExportMap(tutorial, "x");
  tutorial_map.erase("properties");   // without a name property the file name is the level name
  WriteText("levels/Tutorial.json", tutorial_map.dump());
  WriteText("map/Tutorial.vnd", std::string(8, '\x01'));   // left over from an older build

  ASSERT_EQ(Run({"build", "levels", "map"}), 0) << err_.str();
  LevelData read;
  std::string error;
  ASSERT_TRUE(ReadLevelData("map", "In the castle", read, error)) << error;
  EXPECT_EQ(Encoded(read), Encoded(castle));
  ASSERT_TRUE(ReadLevelData("map", "Tutorial", read, error)) << error;
  EXPECT_TRUE(read.actions.empty());
  EXPECT_FALSE(fs::exists("map/Tutorial.vnd"));

  ASSERT_EQ(Run({"export", "map", "In the castle", "out.json"}), 0) << err_.str();
  ASSERT_EQ(Run({"compile", "out.json", "again"}), 0) << err_.str();
  for (const char* ext : {".vnm", ".vnd", ".eff"}) {
    std::vector<uint8_t> first, second;
    ASSERT_TRUE(ReadWholeFile(std::string("map/In the castle") + ext, first));
    ASSERT_TRUE(ReadWholeFile(std::string("again/In the castle") + ext, second));
    EXPECT_EQ(first, second) << ext;
  }
}

TEST_F(LevelFilesTest, BuildFailsOnBrokenMapsAndDuplicateNamesButAcceptsAnEmptyDirectory) {
  fs::create_directories("levels");
  EXPECT_EQ(Run({"build", "levels", "map"}), 0) << err_.str();

  WriteText("levels/a.json", FormatMapJson(ExportMap(SampleLevel(), "Jungle")));
  WriteText("levels/b.json", FormatMapJson(ExportMap(SampleLevel(), "Jungle")));
  EXPECT_EQ(Run({"build", "levels", "map"}), 1);
  EXPECT_NE(err_.str().find("levels/b.json: error: level name 'Jungle' is already used by levels/a.json"),
            std::string::npos) << err_.str();

  WriteText("levels/b.json", "{\n \"width\": 3,\n \"height\": \n}\n");
  err_.str("");
  EXPECT_EQ(Run({"check", "levels/b.json"}), 1);
  EXPECT_NE(err_.str().find("levels/b.json: error: not valid JSON"), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find("line 4"), std::string::npos) << err_.str();

  EXPECT_EQ(Run({"build", "no-such-dir", "map"}), 1);
  EXPECT_EQ(Run({"frobnicate"}), 2);
}

TEST_F(LevelFilesTest, TilesetPicturesLookAsTheGameDrawsThemAndTheCodesAreNumbered) {
  fs::create_directories("gfx/layer0");
  fs::create_directories("gfx/layer2");
  vngen::Canvas solid(32, 32, {200, 30, 30, 255});
  solid.FillRect(0, 0, 10, 10, vngen::kClear);   // written as the magenta mask
  vngen::WriteMaskedBmp(solid, "gfx/layer0/3.bmp");
  std::ofstream("gfx/layer0/4.bmp") << "x";      // the game cannot load it either
  vngen::Canvas strip(256, 32, {0, 200, 0, 255});
  strip.FillRect(0, 0, 32, 32, {20, 40, 220, 255});
  for (const char* value : {"5", "40", "100"}) vngen::WriteMaskedBmp(strip, std::string("gfx/layer2/") + value + ".bmp");

  ASSERT_EQ(Run({"tilesets", "gfx", "levels/tilesets"}), 0) << err_.str();
  json layer0 = json::parse(std::ifstream("levels/tilesets/layer0.json"));
  ASSERT_EQ(layer0["tiles"].size(), 1u);
  EXPECT_EQ(layer0["tiles"][0]["id"], 3);
  PixmapRef picture = LoadPixmap("levels/tilesets/" + layer0["tiles"][0]["image"].get<std::string>());
  ASSERT_TRUE(picture);
  uint8_t rgba[4];
  GetPixelRGBA(*picture, 2, 2, rgba);
  EXPECT_EQ(rgba[3], 0);                           // real transparency where the game masks
  GetPixelRGBA(*picture, 20, 20, rgba);
  EXPECT_EQ((std::vector<int>{rgba[0], rgba[1], rgba[2], rgba[3]}), (std::vector<int>{200, 30, 30, 255}));

  // The first frame of a strip, with the alpha the game draws the value at.
  json layer2 = json::parse(std::ifstream("levels/tilesets/layer2.json"));
  ASSERT_EQ(layer2["tiles"].size(), 3u);
  const int expected_alpha[3] = {89, 242, 255};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(layer2["tiles"][i]["imagewidth"], 32);
    PixmapRef frame = LoadPixmap("levels/tilesets/" + layer2["tiles"][i]["image"].get<std::string>());
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width, 32);
    GetPixelRGBA(*frame, 31, 31, rgba);
    EXPECT_EQ(rgba[2], 220) << i;
    EXPECT_NEAR(rgba[3], expected_alpha[i], 1) << i;
  }
  EXPECT_FALSE(fs::exists("gfx/layer0/3.png"));   // the game's own files stay as they are

  // Unchanged pictures are not written again, so an open editor is not disturbed.
  const auto written = fs::last_write_time("levels/tilesets/layer0/3.png");
  fs::last_write_time("levels/tilesets/layer0/3.png", written - std::chrono::hours(1));
  ASSERT_EQ(Run({"tilesets", "gfx", "levels/tilesets"}), 0) << err_.str();
  EXPECT_EQ(fs::last_write_time("levels/tilesets/layer0/3.png"), written - std::chrono::hours(1));

  PixmapRef sheet = LoadPixmap("levels/tilesets/codes.png");
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->width, 512);
  GetPixelRGBA(*sheet, 5, 5, rgba);   // code 0 stays clear, so empty cells show nothing
  EXPECT_EQ(rgba[3], 0);
  GetPixelRGBA(*sheet, 10 * 32 + 1, 15 * 32 + 1, rgba);   // code 250, the exit: red
  EXPECT_GT(rgba[0], 150);
  EXPECT_LT(rgba[1], 100);
}

// Moves a file's time on, as a save does, whatever the file system's clock resolution.
void TouchLater(const fs::path& path, int seconds) {
  fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(seconds));
}

TEST_F(LevelFilesTest, WatchCompilesASavedMapAndKeepsTheLastGoodLevelWhenItBreaks) {
  json map = ExportMap(SampleLevel(), "In the castle");
  WriteText("levels/castle.json", FormatMapJson(map));
  LevelWatcher watcher("levels", "map", {});
  watcher.Poll(out_);
  EXPECT_NE(out_.str().find("levels/castle.json: compiled into map/In the castle"), std::string::npos) << out_.str();
  LevelData read;
  std::string error;
  ASSERT_TRUE(ReadLevelData("map", "In the castle", read, error)) << error;

  cell(map, 1, 3, 2) = 2000 + 79;
  WriteText("levels/castle.json", FormatMapJson(map));
  TouchLater("levels/castle.json", 2);
  out_.str("");
  watcher.Poll(out_);   // just saved: it may still be being written
  EXPECT_EQ(out_.str(), "");
  watcher.Poll(out_);
  EXPECT_NE(out_.str().find("compiled into map/In the castle"), std::string::npos) << out_.str();
  ASSERT_TRUE(ReadLevelData("map", "In the castle", read, error)) << error;
  EXPECT_EQ(read.Tile(1, 3, 2), 79);
  std::vector<uint8_t> good;
  ASSERT_TRUE(ReadWholeFile("map/In the castle.vnm", good));

  cell(map, 1, 3, 2) = 2000 + 701;
  WriteText("levels/castle.json", FormatMapJson(map));
  TouchLater("levels/castle.json", 4);
  out_.str("");
  watcher.Poll(out_);
  watcher.Poll(out_);
  watcher.Poll(out_);   // reported once, not on every look
  const std::string report = out_.str();
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 2) << report;
  EXPECT_NE(report.find("levels/castle.json: error: layer 'layer1', cell (3, 2): tile value 701 is above 700\n"),
            std::string::npos) << report;
  EXPECT_NE(report.find("levels/castle.json: not compiled (1 error); the game keeps map/In the castle\n"),
            std::string::npos) << report;
  std::vector<uint8_t> kept;
  ASSERT_TRUE(ReadWholeFile("map/In the castle.vnm", kept));
  EXPECT_EQ(kept, good);
}

// The editor's own renderer (tmxrasterizer, from Debian's tiled package) draws
// maps with the tilesets made from the build's pictures.
class EditorView : public LevelFilesTest {
 protected:
  void SetUp() override {
    const char* data = std::getenv("VN_GAME_DATA");
    if (!data || GetFileKind(std::string(data) + "/gfx") != 2)
      GTEST_SKIP() << "no built game pictures (VN_GAME_DATA): build the game_data target first";
    gfx_ = std::string(data) + "/gfx";
    if (Rasterizer().empty())
      GTEST_SKIP() << "tmxrasterizer not found: install Debian's 'tiled' package (scripts/install-deps.sh does)";
    std::string error;
    ASSERT_TRUE(WriteTilesets(gfx_, "levels/tilesets", error)) << error;
  }

  static std::string Rasterizer() {
    std::stringstream dirs(std::getenv("PATH") ? std::getenv("PATH") : "");
    for (std::string dir; std::getline(dirs, dir, ':');)
      if (!dir.empty() && fs::exists(fs::path(dir) / "tmxrasterizer")) return (fs::path(dir) / "tmxrasterizer").string();
    return "";
  }

  // The tile layers of a map as the editor shows them, at the given scale.
  static PixmapRef Render(const fs::path& map, const std::string& scale) {
    std::string command = "QT_QPA_PLATFORM=offscreen '" + Rasterizer() + "' --scale " + scale +
                          " --show-layer layer0 --show-layer layer1 --show-layer layer2 '" + map.string() +
                          "' render.png >render.log 2>&1";
    if (std::system(command.c_str()) != 0) return nullptr;
    return LoadPixmap("render.png");
  }

  std::string gfx_;
};

TEST_F(EditorView, ShippedLevelsShowNoMaskColour) {
  fs::path sources = fs::path(VN_SOURCE_DIR) / "levels";
  int rendered = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(sources)) {
    if (entry.path().extension() != ".json") continue;
    fs::copy_file(entry.path(), fs::path("levels") / entry.path().filename());
    PixmapRef picture = Render(fs::path("levels") / entry.path().filename(), "1");
    ASSERT_TRUE(picture) << entry.path();
    ++rendered;
    int masked = 0;
    uint8_t rgba[4];
    for (int y = 0; y < picture->height; ++y)
      for (int x = 0; x < picture->width; ++x) {
        GetPixelRGBA(*picture, x, y, rgba);
        // The mask colour itself, or blended into a see-through foreground tile.
        masked += rgba[3] > 0 && rgba[0] > 200 && rgba[1] < 60 && rgba[2] > 200;
      }
    EXPECT_EQ(masked, 0) << entry.path().filename();
  }
  EXPECT_GE(rendered, 2);
}

TEST_F(EditorView, CellsLookAsInTheGame) {
  test::LevelBuilder b(6, 3);
  b.Tile(0, 0, 0, 1).Tile(1, 1, 0, 79).Tile(1, 2, 0, 230).Tile(1, 3, 0, 58).Tile(2, 4, 0, 30).Tile(2, 5, 0, 103);
  b.Fill(0, 0, 1, 5, 1, 150).Tile(1, 1, 1, 3).Tile(1, 2, 1, 11).Tile(2, 3, 1, 2).Tile(2, 4, 1, 107).Tile(2, 5, 1, 31);
  b.Tile(0, 2, 2, 24).Tile(0, 3, 2, 670).Tile(2, 0, 2, 1).Tile(2, 1, 2, 5).Tile(1, 4, 2, 1).Player(160, 64);
  WriteText("levels/test.json", FormatMapJson(ExportMap(b.Data(), "Test")));
  PixmapRef editor = Render("levels/test.json", "1");
  ASSERT_TRUE(editor);
  ASSERT_EQ(editor->width, 6 * 32);

  for (int layer = 0; layer < 3; ++layer)
    for (int value : {1, 2, 3, 5, 11, 24, 30, 31, 58, 79, 103, 107, 150, 230, 670}) {
      std::string path = gfx_ + "/layer" + std::to_string(layer) + "/" + std::to_string(value) + ".bmp";
      if (GetFileKind(path) != 1) continue;
      world_assets.tile_images[size_t(value)][size_t(layer)] =
          layer == 2 ? LoadImageStrip(path, 32, 32, 0, 8, -1) : LoadImageFile(path, -1);
    }
  b.Load();
  test::ResetDrawState();
  Cls();
  DrawBackLayers();
  DrawForegroundLayer(0, 0);
  PixmapRef game = GrabPixmap(0, 0, 6 * 32, 3 * 32);
  for (auto& pictures : world_assets.tile_images) pictures = {};

  int worst = 0;
  uint8_t seen[4], drawn[4];
  for (int y = 0; y < 3 * 32; ++y)
    for (int x = 0; x < 6 * 32; ++x) {
      GetPixelRGBA(*editor, x, y, seen);
      GetPixelRGBA(*game, x, y, drawn);
      for (int c = 0; c < 3; ++c) {
        int over_white = (seen[c] * seen[3] + 255 * (255 - seen[3]) + 127) / 255;   // the game clears to white
        worst = std::max(worst, std::abs(over_white - drawn[c]));
      }
    }
  EXPECT_LE(worst, 4);
}

// The levels that ship with the game compile cleanly and can be finished.
TEST(ShippedLevels, CompileWithoutErrorsAndHaveAnExit) {
  fs::path levels = fs::path(VN_SOURCE_DIR) / "levels";
  int count = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(levels)) {
    if (entry.path().extension() != ".json") continue;
    ++count;
    LevelData level;
    std::string name;
    Diagnostics diagnostics;
    EXPECT_TRUE(CompileMapFile(entry.path().string(), {}, level, name, diagnostics)) << AllMessages(diagnostics);
    EXPECT_EQ(diagnostics.WarningCount(), 0) << AllMessages(diagnostics);
  }
  EXPECT_GE(count, 2);
}

}  // namespace
}  // namespace vn::levelc
