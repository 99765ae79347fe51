#include "engine/stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#ifdef __EMSCRIPTEN__
#include "engine/web_storage.h"
#endif

namespace vn {

namespace {

bool atomic_write_interrupt = false;

#if defined(__cpp_lib_bit_cast)
template <typename To, typename From>
To BitCast(const From& from) { return std::bit_cast<To>(from); }
#else
// The browser build's C++ library predates std::bit_cast.
template <typename To, typename From>
To BitCast(const From& from) {
  static_assert(sizeof(To) == sizeof(From));
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}
#endif

std::string NormalisePath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// A stream over a stdio file. stdio buffers, so ReadLine's byte-at-a-time reads
// stay cheap.
class FileStream : public TStream {
 public:
  FileStream(std::FILE* file, bool readable, int64_t size) : file_(file), readable_(readable) {
    size_ = size;
  }
  ~FileStream() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  bool Close() override {
    if (file_ == nullptr) return false;
    bool ok = !write_failed_ && std::fflush(file_) == 0;
    if (std::fclose(file_) != 0) ok = false;
    file_ = nullptr;
    return ok;
  }

 protected:
  size_t RawRead(void* out, size_t count) override {
    if (file_ == nullptr || !readable_) return 0;
    return std::fread(out, 1, count, file_);
  }
  size_t RawWrite(const void* data, size_t count) override {
    if (file_ == nullptr || readable_) return 0;
    const size_t written = std::fwrite(data, 1, count, file_);
    if (written < count) write_failed_ = true;
    return written;
  }

  std::FILE* file_;
  bool readable_;
  bool write_failed_ = false;
};

void SyncDirectoryOf(const std::string& path) {
  std::filesystem::path dir = std::filesystem::path(path).parent_path();
  if (dir.empty()) dir = ".";
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Writes "<target>.tmp"; only a complete, synced file is renamed over the
// target, so a crash or a full disk never leaves a half-written save behind.
class AtomicFileStream : public FileStream {
 public:
  AtomicFileStream(std::FILE* file, std::string target, std::string temp)
      : FileStream(file, false, 0), target_(std::move(target)), temp_(std::move(temp)) {}
  ~AtomicFileStream() override {
    // Dropped without Close: the write is abandoned and the old file stays.
    if (file_ == nullptr) return;
    std::fclose(file_);
    file_ = nullptr;
    RemoveTemp();
  }
  AtomicFileStream(const AtomicFileStream&) = delete;
  AtomicFileStream& operator=(const AtomicFileStream&) = delete;

  bool Close() override {
    if (file_ == nullptr) return false;
    bool ok = !write_failed_ && std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
    if (std::fclose(file_) != 0) ok = false;
    file_ = nullptr;
    if (!ok) {
      RemoveTemp();
      return false;
    }
    if (atomic_write_interrupt) return false;
    std::error_code error;
    std::filesystem::rename(temp_, target_, error);
    if (error) {
      RemoveTemp();
      return false;
    }
    SyncDirectoryOf(target_);
#ifdef __EMSCRIPTEN__
    KeepInBrowserStorage();
#endif
    return true;
  }

 private:
  void RemoveTemp() {
    std::error_code ignored;
    std::filesystem::remove(temp_, ignored);
  }

  std::string target_;
  std::string temp_;
};

class MemoryStream : public TStream {
 public:
  explicit MemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
    size_ = int64_t(bytes_.size());
  }
  bool Close() override {
    if (closed_) return false;
    closed_ = true;
    bytes_.clear();
    size_ = 0;
    position_ = 0;
    return true;
  }

 protected:
  size_t RawRead(void* out, size_t count) override {
    const size_t at = size_t(position_);
    if (closed_ || at >= bytes_.size()) return 0;
    const size_t n = std::min(count, bytes_.size() - at);
    std::copy_n(bytes_.begin() + std::ptrdiff_t(at), n, static_cast<uint8_t*>(out));
    return n;
  }
  // Memory streams only feed decoders; writing into one is a caller error.
  size_t RawWrite(const void*, size_t) override { return 0; }

 private:
  std::vector<uint8_t> bytes_;
  bool closed_ = false;
};

}  // namespace

int TStream::Eof() { return position_ >= size_ ? 1 : 0; }
int64_t TStream::Position() const { return position_; }
int64_t TStream::Size() const { return size_; }

void TStream::ReadBytes(void* out, size_t count) {
  if (count == 0) return;
  const size_t got = RawRead(out, count);
  position_ += int64_t(got);
  if (got < count) throw TStreamReadException();
}

int TStream::ReadByte() {
  uint8_t b = 0;
  ReadBytes(&b, 1);
  return b;
}

int TStream::ReadShort() {
  std::array<uint8_t, 2> b{};
  ReadBytes(b.data(), b.size());
  return b[0] | (b[1] << 8);
}

int32_t TStream::ReadInt() {
  std::array<uint8_t, 4> b{};
  ReadBytes(b.data(), b.size());
  const uint32_t bits = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  return int32_t(bits);  // two's complement, well defined since C++20
}

float TStream::ReadFloat() { return BitCast<float>(ReadInt()); }

std::string TStream::ReadLine() {
  std::string line;
  uint8_t b = 0;
  while (RawRead(&b, 1) == 1) {
    ++position_;
    if (b == 10 || b == 0) break;
    if (b == 13) continue;
    line.push_back(char(b));
  }
  return line;
}

void TStream::Skip(int64_t count) {
  std::array<uint8_t, 4096> scratch{};
  while (count > 0) {
    const size_t chunk = size_t(std::min<int64_t>(count, int64_t(scratch.size())));
    ReadBytes(scratch.data(), chunk);
    count -= int64_t(chunk);
  }
}

void TStream::WriteBytes(const void* data, size_t count) {
  if (count == 0) return;
  const size_t put = RawWrite(data, count);
  position_ += int64_t(put);
  size_ = std::max(size_, position_);
  if (put < count) throw TStreamWriteException();
}

void TStream::WriteByte(int value) {
  const uint8_t b = uint8_t(value & 0xFF);
  WriteBytes(&b, 1);
}

void TStream::WriteShort(int value) {
  const std::array<uint8_t, 2> b{uint8_t(value & 0xFF), uint8_t((value >> 8) & 0xFF)};
  WriteBytes(b.data(), b.size());
}

void TStream::WriteInt(int32_t value) {
  const uint32_t bits = uint32_t(value);
  const std::array<uint8_t, 4> b{uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
  WriteBytes(b.data(), b.size());
}

void TStream::WriteFloat(float value) { WriteInt(BitCast<int32_t>(value)); }

int TStream::WriteLine(const std::string& text) {
  try {
    WriteBytes(text.data(), text.size());
    const std::array<uint8_t, 2> line_end{13, 10};
    WriteBytes(line_end.data(), line_end.size());
  } catch (const TStreamWriteException&) {
    return 0;
  }
  return 1;
}

StreamRef OpenReadStream(const std::string& path) {
  std::FILE* file = std::fopen(NormalisePath(path).c_str(), "rbe");
  if (file == nullptr) return nullptr;
  // fopen happily opens a directory for reading; only regular files are streams.
  struct stat info {};
  if (::fstat(::fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fclose(file);
    return nullptr;
  }
  return std::make_shared<FileStream>(file, true, int64_t(info.st_size));
}

StreamRef OpenWriteStream(const std::string& path) {
  std::FILE* file = std::fopen(NormalisePath(path).c_str(), "wbe");
  if (file == nullptr) return nullptr;
  return std::make_shared<FileStream>(file, false, 0);
}

StreamRef OpenAtomicWriteStream(const std::string& path) {
  std::string target = NormalisePath(path);
  std::string temp = target + ".tmp";
  std::FILE* file = std::fopen(temp.c_str(), "wbe");
  if (file == nullptr) return nullptr;
  return std::make_shared<AtomicFileStream>(file, std::move(target), std::move(temp));
}

StreamRef OpenMemoryStream(std::vector<uint8_t> bytes) {
  return std::make_shared<MemoryStream>(std::move(bytes));
}

int GetFileKind(const std::string& path) {
  const std::string normal = NormalisePath(path);
  if (normal.find_first_of("<>") != std::string::npos) return 0;
  std::error_code error;
  const auto status = std::filesystem::status(normal, error);
  if (error) return 0;
  if (std::filesystem::is_regular_file(status)) return 1;
  if (std::filesystem::is_directory(status)) return 2;
  return 0;
}

TFileStamp GetFileStamp(const std::string& path) {
  std::error_code error;
  TFileStamp stamp;
  const std::string normal = NormalisePath(path);
  stamp.time = int64_t(std::filesystem::last_write_time(normal, error).time_since_epoch().count());
  if (error) return {};
  stamp.size = uint64_t(std::filesystem::file_size(normal, error));
  stamp.exists = !error;
  return error ? TFileStamp{} : stamp;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out) {
  const StreamRef stream = OpenReadStream(path);
  if (!stream) return false;
  std::vector<uint8_t> bytes(size_t(stream->Size()));
  try {
    stream->ReadBytes(bytes.data(), bytes.size());
  } catch (const TStreamReadException&) {
    return false;  // the file shrank while we read it
  }
  stream->Close();
  out = std::move(bytes);
  return true;
}

void SetAtomicWriteInterruptForTest(bool interrupt) { atomic_write_interrupt = interrupt; }

}  // namespace vn
