#pragma once
// Byte streams over local files and memory. Every multi-byte value is
// little-endian; text is one byte per character (ISO-8859-1).
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vn {

// Base of the two stream errors; what() is the exact message players may see on stderr.
struct TStreamException : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// Raised when a fixed-width read runs past the end of the data.
struct TStreamReadException : TStreamException {
  TStreamReadException() : TStreamException("Error reading from stream") {}
};
// Raised when a value cannot be written completely.
struct TStreamWriteException : TStreamException {
  TStreamWriteException() : TStreamException("Error writing to stream") {}
};

// A byte stream with a position. Reads past the end throw TStreamReadException,
// failed writes throw TStreamWriteException.
class TStream {
 public:
  virtual ~TStream() = default;

  int Eof();                  // 1 when the position equals the size
  int64_t Position() const;   // bytes from the start
  int64_t Size() const;       // bytes in the stream

  int ReadByte();             // 0..255
  int ReadShort();            // 0..65535
  int32_t ReadInt();          // signed two's complement
  float ReadFloat();          // IEEE-754 single
  std::string ReadLine();     // up to LF or NUL or end; CR dropped; never throws
  void ReadBytes(void* out, size_t count);  // all or TStreamReadException
  void Skip(int64_t count);                 // moves forward (count <= 0: nothing); past the end throws

  void WriteByte(int value);      // low 8 bits
  void WriteShort(int value);     // low 16 bits
  void WriteInt(int32_t value);
  void WriteFloat(float value);
  int WriteLine(const std::string& text);  // text bytes then 13, 10; 1 on success
  void WriteBytes(const void* data, size_t count);

  // Flushes and closes. For a stream from OpenAtomicWriteStream this is the
  // commit: the data is synced and renamed over the target. Returns false when
  // anything failed (the target then still holds its old contents), and for a
  // stream that is already closed. A closed stream fails every later read or write.
  virtual bool Close() = 0;

 protected:
  virtual size_t RawRead(void* out, size_t count) = 0;
  virtual size_t RawWrite(const void* data, size_t count) = 0;
  int64_t position_ = 0;
  int64_t size_ = 0;
};

using StreamRef = std::shared_ptr<TStream>;

// Opens an existing regular file for reading; nullptr when it cannot be opened
// or is not a regular file (a directory, a device).
// Backslashes in the path become forward slashes.
StreamRef OpenReadStream(const std::string& path);
// Creates or truncates a file for writing; nullptr when it cannot be created.
StreamRef OpenWriteStream(const std::string& path);
// Writes to "<path>.tmp"; Close() syncs and renames it over path, so an
// interrupted or failed write never destroys the previous file. nullptr when the
// temporary file cannot be created (for example a missing directory). A stream
// dropped without Close is abandoned: the temporary file is removed.
StreamRef OpenAtomicWriteStream(const std::string& path);
// A read stream over bytes in memory (decoders, fuzzing, tests); writes to it
// fail with TStreamWriteException.
StreamRef OpenMemoryStream(std::vector<uint8_t> bytes);

// 0 nothing there, 1 regular file, 2 directory. Paths containing '<' or '>' give 0.
int GetFileKind(const std::string& path);
inline constexpr int kFileKindRegular = 1;

// What tells a changed file from the one seen before without reading it: the time
// of its last change and its size. A missing file gives the stamp with exists false.
struct TFileStamp {
  bool exists = false;
  int64_t time = 0;    // of the last change, in ticks of the file system's clock
  uint64_t size = 0;   // bytes
  bool operator==(const TFileStamp&) const = default;
};
TFileStamp GetFileStamp(const std::string& path);

// Reads a whole file into memory; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out);

// Test hook: when set, atomic writes stop right before the rename, as if the
// process had been killed there (the temporary file is left behind).
void SetAtomicWriteInterruptForTest(bool interrupt);

}  // namespace vn
