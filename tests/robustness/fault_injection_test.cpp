// Writes that fail half-way: a full disk, a directory the game may not write
// to, a process killed while it writes. The three files the game writes (save
// game, settings, screenshots) must keep their previous contents in every case,
// and the game must say so and go on.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/settings.h"
#include "engine/graphics.h"
#include "engine/stream.h"
#include "play/bindings.h"
#include "play/notice.h"
#include "play/play_loop.h"
#include "play/save_load.h"
#include "tests/robustness/child_process.h"
#include "tests/support/harness.h"
#include "tests/support/pixels.h"
#include "world/inventory.h"
#include "world/save_game.h"
#include "world/world.h"

namespace vn {
namespace {

namespace fs = std::filesystem;
using test::ChildOutcome;
using test::ReadFileBytes;
using test::kChildCannotSetUp;
using test::kChildFailed;
using test::kChildPassed;
using test::RunInChild;

PixmapRef Card(uint8_t shade) {
  return test::PaintedPixmap(40, 30, PF_RGBA8888, [&](int x, int y) { return test::Rgba{shade, x * 6, y * 8, 255}; });
}

// One of the files the game writes: how to put the game into two states that
// give different files, how to write it, and where it lands.
struct Writer {
  const char* name;
  const char* target;
  const char* directory;             // the directory the file is written into
  std::function<void(int)> set_state;  // 0 or 1
  std::function<bool()> write;
  const char* notice_on_failure;     // what the player is shown, or nothing
};

void PrintTo(const Writer& writer, std::ostream* out) { *out << writer.name; }

bool WriteScreenshot(int state) { return WritePixmapPNG(*Card(uint8_t(state * 200)), "screen0.png", 5) == 1; }

int screenshot_state = 0;

const Writer kWriters[] = {
    {"SaveGame", kSaveGamePath, "data", [](int s) { progress.inventory[5] = {1, uint16_t(3 + s)}; },
     [] { return SaveGame(1); }, "Speichern fehlgeschlagen"},
    {"Settings", kSettingsPath, "data", [](int s) { bindings.key_jump = uint8_t(32 + s); }, [] { return SaveSettings(); },
     nullptr},
    {"Screenshot", "screen0.png", ".", [](int s) { screenshot_state = s; },
     [] { return WriteScreenshot(screenshot_state); }, nullptr},
};

class FailedWrite : public test::GameTest, public ::testing::WithParamInterface<Writer> {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    test::LevelBuilder level(12, 8);
    level.Floor(7).Player(64, 160).Enemy(200, 160).Enemy(260, 160);
    level.Start("Test", 1);
    // The previous file, which every failure must leave exactly as it is.
    GetParam().set_state(0);
    ASSERT_TRUE(GetParam().write());
    old_bytes_ = ReadFileBytes(GetParam().target);
    ASSERT_FALSE(old_bytes_.empty());
    GetParam().set_state(1);
    ClearNotice();
  }
  void TearDown() override {
    // A fallback read-only directory is made so through its permissions.
    chmod(GetParam().directory, 0755);
    SetAtomicWriteInterruptForTest(false);
    GameTest::TearDown();
  }

  // The write fails, the player is told, the old file stays and the run goes on.
  int WriteFailsAndTheGameGoesOn(const std::function<void(const std::string&)>& report) const {
    if (GetParam().write()) {
      report("the write reported success");
      return kChildFailed;
    }
    if (GetParam().notice_on_failure && CurrentNotice() != GetParam().notice_on_failure) {
      report("notice: '" + CurrentNotice() + "'");
      return kChildFailed;
    }
    if (ReadFileBytes(GetParam().target) != old_bytes_) {
      report("the previous file changed");
      return kChildFailed;
    }
    return test::StepFrames(3) ? kChildPassed : kChildFailed;
  }

  void ExpectOldFileKept(const ChildOutcome& outcome) {
    if (outcome.status == kChildCannotSetUp) GTEST_SKIP() << outcome.output;
    EXPECT_EQ(outcome.status, kChildPassed) << outcome.output << " (signal " << outcome.signal << ")";
    EXPECT_EQ(ReadFileBytes(GetParam().target), old_bytes_);
    EXPECT_FALSE(fs::exists(std::string(GetParam().target) + ".tmp")) << "a failed write leaves no scraps";
  }

  std::vector<uint8_t> old_bytes_;
};

TEST_P(FailedWrite, FullDiskKeepsThePreviousFile) {
  ExpectOldFileKept(RunInChild([&](auto report) {
    // Room for a few bytes only: the temporary file fills up at once.
    if (!test::LimitFileSize(8)) {
      report("cannot limit the file size");
      return kChildCannotSetUp;
    }
    return WriteFailsAndTheGameGoesOn(report);
  }));
}

TEST_P(FailedWrite, ReadOnlyDirectoryKeepsThePreviousFile) {
  const std::string directory = fs::absolute(GetParam().directory).lexically_normal().string();
  ExpectOldFileKept(RunInChild([&](auto report) {
    const std::string why = test::MakeDirectoryReadOnly(directory);
    if (!why.empty()) {
      report(why);
      return kChildCannotSetUp;
    }
    return WriteFailsAndTheGameGoesOn(report);
  }));
}

TEST_P(FailedWrite, InterruptBeforeTheCommitKeepsThePreviousFile) {
  SetAtomicWriteInterruptForTest(true);
  EXPECT_FALSE(GetParam().write());
  if (GetParam().notice_on_failure) {
    EXPECT_EQ(CurrentNotice(), GetParam().notice_on_failure);
  }
  EXPECT_EQ(ReadFileBytes(GetParam().target), old_bytes_);
  // The leftover of the interrupted write does not stand in the way of the next one.
  SetAtomicWriteInterruptForTest(false);
  EXPECT_TRUE(GetParam().write());
  EXPECT_NE(ReadFileBytes(GetParam().target), old_bytes_);
}

// A real kill at random moments of a process that writes the file again and
// again, alternating between two states: afterwards the file is always one of
// the two complete versions, never a mixture or a stump.
TEST_P(FailedWrite, KillDuringTheWriteLeavesOneCompleteVersion) {
  GetParam().set_state(1);
  ASSERT_TRUE(GetParam().write());
  const std::vector<uint8_t> new_bytes = ReadFileBytes(GetParam().target);
  ASSERT_NE(new_bytes, old_bytes_);

  int old_seen = 0, new_seen = 0;
  for (int attempt = 0; attempt < 25; ++attempt) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int state = 0;; state ^= 1) {
        GetParam().set_state(state);
        GetParam().write();
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(300 + 397 * attempt));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const std::vector<uint8_t> now = ReadFileBytes(GetParam().target);
    ASSERT_TRUE(now == old_bytes_ || now == new_bytes) << "attempt " << attempt << ": " << now.size() << " bytes";
    (now == old_bytes_ ? old_seen : new_seen)++;
  }
  // The next write in the living game simply replaces any leftover temporary file.
  GetParam().set_state(1);
  EXPECT_TRUE(GetParam().write());
  EXPECT_EQ(ReadFileBytes(GetParam().target), new_bytes);
  EXPECT_FALSE(fs::exists(std::string(GetParam().target) + ".tmp"));
  RecordProperty("old_versions_seen", old_seen);
  RecordProperty("new_versions_seen", new_seen);
}

INSTANTIATE_TEST_SUITE_P(Files, FailedWrite, ::testing::ValuesIn(kWriters),
                         [](const ::testing::TestParamInfo<Writer>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace vn
