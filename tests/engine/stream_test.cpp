#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "engine/stream.h"
#include "tests/support/harness.h"

namespace vn {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string FileText(const std::string& path) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadWholeFile(path, bytes)) << path;
  return {bytes.begin(), bytes.end()};
}

// Expects the exact error text the player would see on stderr.
template <typename Error>
void ExpectStreamError(const std::function<void()>& action, const char* text) {
  try {
    action();
    ADD_FAILURE() << "no stream error";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), text);
  }
}

class Stream : public testing::Test {
 protected:
  test::TempGameDir dir_;
};

TEST_F(Stream, FixedWidthValuesAreLittleEndianAndWrapToTheirWidth) {
  StreamRef out = OpenWriteStream("data\\values.dat");  // backslashes become slashes
  ASSERT_TRUE(out);
  out->WriteByte(-1);
  out->WriteShort(70000);
  out->WriteInt(-2);
  out->WriteFloat(1.5f);
  ASSERT_TRUE(out->Close());
  EXPECT_EQ(FileText("data/values.dat"), "\xFF\x70\x11\xFE\xFF\xFF\xFF\x00\x00\xC0\x3F"s);

  StreamRef in = OpenReadStream("data/values.dat");
  ASSERT_TRUE(in);
  EXPECT_EQ(in->ReadByte(), 255);
  EXPECT_EQ(in->ReadShort(), 4464);
  EXPECT_EQ(in->ReadInt(), -2);
  EXPECT_EQ(in->Eof(), 0);
  EXPECT_EQ(in->ReadFloat(), 1.5f);
  EXPECT_EQ(in->Eof(), 1);
}

TEST_F(Stream, ShortReadsThrowTheReadErrorText) {
  const std::vector<std::pair<size_t, std::function<void(TStream&)>>> cases = {
      {0, [](TStream& s) { s.ReadByte(); }},
      {1, [](TStream& s) { s.ReadShort(); }},
      {3, [](TStream& s) { s.ReadInt(); }},
      {2, [](TStream& s) { s.ReadFloat(); }},
      {4, [](TStream& s) { s.Skip(5); }},
  };
  for (const auto& [available, read] : cases) {
    StreamRef in = OpenMemoryStream(std::vector<uint8_t>(available, 7));
    ExpectStreamError<TStreamReadException>([&] { read(*in); }, "Error reading from stream");
  }
}

TEST_F(Stream, ReadLineEndsAtLineFeedNulOrEndAndDropsCarriageReturns) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"ab\r\ncd", {"ab", "cd"}},
      {"a\0b\n"s, {"a", "b"}},
      {"x\ry\n", {"xy"}},
      {"\n\n", {"", ""}},
      {"Gr\xFC\xDF", {"Gr\xFC\xDF"}},  // one byte per character, high bytes kept
      {"", {}},                       // empty: at the end at once
  };
  for (const auto& [bytes, expected] : cases) {
    StreamRef in = OpenMemoryStream(Bytes(bytes));
    std::vector<std::string> lines;
    while (!in->Eof()) lines.push_back(in->ReadLine());
    EXPECT_EQ(lines, expected) << bytes;
    EXPECT_EQ(in->ReadLine(), "") << "reading at the end never fails";
  }
}

TEST_F(Stream, WriteLineEndsWithCarriageReturnLineFeedAndReportsFailure) {
  StreamRef out = OpenWriteStream("data/lines.txt");
  ASSERT_TRUE(out);
  EXPECT_EQ(out->WriteLine("T\xFCr"), 1);
  EXPECT_EQ(out->WriteLine(""), 1);
  ASSERT_TRUE(out->Close());
  EXPECT_EQ(FileText("data/lines.txt"), "T\xFCr\r\n\r\n");

  // A stream that cannot take the bytes says so instead of claiming success.
  StreamRef read_only = OpenMemoryStream({});
  EXPECT_EQ(read_only->WriteLine("x"), 0);
  ExpectStreamError<TStreamWriteException>([&] { read_only->WriteInt(1); }, "Error writing to stream");
}

TEST_F(Stream, FileKindsAndWhatCannotBeOpened) {
  std::ofstream("data/a<b") << "x";
  EXPECT_EQ(GetFileKind("data\\a<b"), 0);
  EXPECT_EQ(GetFileKind("data"), 2);
  EXPECT_EQ(GetFileKind("data/missing.dat"), 0);
  fs::rename("data/a<b", "data/ab");
  EXPECT_EQ(GetFileKind("data\\ab"), 1);

  EXPECT_FALSE(OpenReadStream("data/missing.dat"));
  EXPECT_FALSE(OpenReadStream("data"));  // a directory is not a stream
  EXPECT_FALSE(OpenWriteStream("no/such/dir/file.dat"));
  std::vector<uint8_t> untouched{1, 2};
  EXPECT_FALSE(ReadWholeFile("data/missing.dat", untouched));
  EXPECT_EQ(untouched, (std::vector<uint8_t>{1, 2}));
}

class AtomicWrite : public Stream {
 protected:
  void SetUp() override { std::ofstream("data/save.sg") << "old"; }
  void TearDown() override { SetAtomicWriteInterruptForTest(false); }
  static StreamRef WriteNew() {
    StreamRef out = OpenAtomicWriteStream("data/save.sg");
    if (out) out->WriteLine("new");
    return out;
  }
};

TEST_F(AtomicWrite, CloseReplacesTheTargetCompletely) {
  StreamRef out = WriteNew();
  ASSERT_TRUE(out);
  EXPECT_EQ(FileText("data/save.sg"), "old") << "nothing visible before the commit";
  EXPECT_TRUE(out->Close());
  EXPECT_EQ(FileText("data/save.sg"), "new\r\n");
  EXPECT_FALSE(fs::exists("data/save.sg.tmp"));
}

TEST_F(AtomicWrite, InterruptedOrAbandonedWritesKeepTheOldFile) {
  WriteNew().reset();
  EXPECT_EQ(FileText("data/save.sg"), "old");
  EXPECT_FALSE(fs::exists("data/save.sg.tmp"));

  SetAtomicWriteInterruptForTest(true);
  StreamRef out = WriteNew();
  ASSERT_TRUE(out);
  EXPECT_FALSE(out->Close());
  EXPECT_EQ(FileText("data/save.sg"), "old");
  EXPECT_TRUE(fs::exists("data/save.sg.tmp")) << "the kill happened before the rename";

  // The next save simply writes over the leftover.
  SetAtomicWriteInterruptForTest(false);
  out = WriteNew();
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->Close());
  EXPECT_EQ(FileText("data/save.sg"), "new\r\n");
}

TEST_F(AtomicWrite, FailuresAreReportedAndCleanedUp) {
  EXPECT_FALSE(OpenAtomicWriteStream("no/such/dir/save.sg"));
  EXPECT_FALSE(fs::exists("no"));

  // A directory standing where the file should go: the rename fails.
  fs::create_directory("data/taken");
  StreamRef out = OpenAtomicWriteStream("data/taken");
  ASSERT_TRUE(out);
  out->WriteInt(5);
  EXPECT_FALSE(out->Close());
  EXPECT_EQ(GetFileKind("data/taken"), 2);
  EXPECT_FALSE(fs::exists("data/taken.tmp"));
}

void ThrowReadError() { throw TStreamReadException(); }
void FailLikeAShortSettingsFile() noexcept { ThrowReadError(); }

TEST(StreamDeathTest, AnUncaughtStreamErrorEndsTheProgramWithItsText) {
  // A fresh process: a forked copy could not shut down SDL's timer thread.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(FailLikeAShortSettingsFile(), testing::ExitedWithCode(255), "^Error reading from stream\n$");
}

}  // namespace
}  // namespace vn
