#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "engine/paths.h"
#include "engine/stream.h"
#include "tests/support/harness.h"

namespace vn {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& path) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << "x";
}

// An installed tree under the temporary folder: <root>/prefix/games/ holds the
// executable, <root>/prefix/share/games/vornadel/ the data; the game is started
// in <root>/elsewhere. The working directory, HOME, XDG_DATA_HOME and the path
// state are put back afterwards.
class GamePaths : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_DATA_HOME"})
      if (const char* value = std::getenv(name)) saved_[name] = value;
    root_ = dir_.Path();
    data_ = root_ / "prefix/share/games/vornadel";
    fs::create_directories(data_ / "gfx");
    fs::create_directories(root_ / "prefix/games");
    Touch(data_ / "data/keycodes.dat");
    fs::create_directories(root_ / "elsewhere");
    fs::current_path(root_ / "elsewhere");
  }
  void TearDown() override {
    for (const char* name : {"HOME", "XDG_DATA_HOME"}) {
      if (saved_.contains(name)) setenv(name, saved_[name].c_str(), 1);
      else unsetenv(name);
    }
    fs::current_path(root_);
    FindGameFiles("");
  }
  std::string Games() const { return (root_ / "prefix/games").string(); }

  test::TempGameDir dir_;
  fs::path root_, data_;
  std::map<std::string, std::string> saved_;
};

TEST_F(GamePaths, InstalledReadsBesideTheExecutableAndWritesForThePlayer) {
  setenv("XDG_DATA_HOME", (root_ / "xdg").c_str(), 1);
  FindGameFiles(Games());
  EXPECT_TRUE(fs::equivalent(fs::current_path(), data_));
  const fs::path mine = root_ / "xdg/vornadel";
  EXPECT_EQ(UserFolder(), mine.string());
  EXPECT_TRUE(fs::is_directory(mine / "data")) << "created on the first start";
  EXPECT_EQ(UserFilePath("data/savegame.sg"), (mine / "data/savegame.sg").string());
  EXPECT_EQ(UserFilePath("screen0.png"), (mine / "screen0.png").string());

  EXPECT_EQ(UserFileToRead("data/keycodes.dat"), "data/keycodes.dat") << "the shipped one";
  Touch(mine / "data/keycodes.dat");
  EXPECT_EQ(UserFileToRead("data/keycodes.dat"), (mine / "data/keycodes.dat").string());

  StreamRef out = OpenAtomicWriteStream(UserFilePath("data/settings.dat"));
  ASSERT_TRUE(out);
  out->WriteByte(1);
  ASSERT_TRUE(out->Close());
  EXPECT_TRUE(fs::exists(mine / "data/settings.dat"));
  EXPECT_FALSE(fs::exists(data_ / "data/settings.dat"));

  // A relative XDG_DATA_HOME does not count; the home folder's default does.
  setenv("XDG_DATA_HOME", "relative/xdg", 1);
  setenv("HOME", (root_ / "home").c_str(), 1);
  fs::current_path(root_ / "elsewhere");
  FindGameFiles(Games());
  EXPECT_EQ(UserFolder(), (root_ / "home/.local/share/vornadel").string());
  EXPECT_TRUE(fs::is_directory(root_ / "home/.local/share/vornadel/data"));
}

TEST_F(GamePaths, BuildFolderKeepsEverythingRelative) {
  fs::create_directories("gfx");
  setenv("XDG_DATA_HOME", (root_ / "xdg").c_str(), 1);
  FindGameFiles(Games());
  EXPECT_TRUE(fs::equivalent(fs::current_path(), root_ / "elsewhere"));
  EXPECT_EQ(UserFolder(), "");
  EXPECT_EQ(UserFilePath("data/savegame.sg"), "data/savegame.sg");
  EXPECT_EQ(UserFileToRead("data/settings.dat"), "data/settings.dat");
  EXPECT_FALSE(fs::exists(root_ / "xdg"));

  // Started from elsewhere, a build folder's executable still finds its gfx/.
  fs::current_path(root_ / "prefix");
  fs::create_directories(root_ / "build/game/gfx");
  FindGameFiles((root_ / "build/game").string());
  EXPECT_TRUE(fs::equivalent(fs::current_path(), root_ / "build/game"));
  EXPECT_EQ(UserFilePath("screen3.png"), "screen3.png");
}

TEST_F(GamePaths, UnusableUserFolderOnlyFailsTheWrites) {
  Touch(root_ / "blocker");
  setenv("XDG_DATA_HOME", (root_ / "blocker").c_str(), 1);
  FindGameFiles(Games());
  EXPECT_TRUE(fs::equivalent(fs::current_path(), data_));
  EXPECT_FALSE(OpenAtomicWriteStream(UserFilePath("data/savegame.sg")));
  EXPECT_TRUE(OpenReadStream(UserFileToRead("data/keycodes.dat")));
}

}  // namespace
}  // namespace vn
