// TEMPORARY link stubs; each function moves to its real file as it is written.
#include "engine/input.h"
#include "engine/numbers.h"
#include "engine/platform.h"
#include "engine/random.h"
#include "engine/stream.h"
#include "engine/timing.h"
#include <cstdlib>
namespace vn {
int TStream::Eof() { return position_ >= size_; }
int64_t TStream::Position() const { return position_; }
int64_t TStream::Size() const { return size_; }
int TStream::ReadByte() { throw TStreamReadException(); }
int TStream::ReadShort() { throw TStreamReadException(); }
int32_t TStream::ReadInt() { throw TStreamReadException(); }
float TStream::ReadFloat() { throw TStreamReadException(); }
std::string TStream::ReadLine() { return {}; }
void TStream::ReadBytes(void*, size_t) { throw TStreamReadException(); }
void TStream::Skip(int64_t) {}
void TStream::WriteByte(int) {}
void TStream::WriteShort(int) {}
void TStream::WriteInt(int32_t) {}
void TStream::WriteFloat(float) {}
int TStream::WriteLine(const std::string&) { return 0; }
void TStream::WriteBytes(const void*, size_t) {}
StreamRef OpenReadStream(const std::string&) { return nullptr; }
StreamRef OpenWriteStream(const std::string&) { return nullptr; }
StreamRef OpenAtomicWriteStream(const std::string&) { return nullptr; }
StreamRef OpenMemoryStream(std::vector<uint8_t>) { return nullptr; }
int GetFileKind(const std::string&) { return 0; }
bool ReadWholeFile(const std::string&, std::vector<uint8_t>&) { return false; }
void SetAtomicWriteInterruptForTest(bool) {}
double SinDeg(double) { return 0; }
double CosDeg(double) { return 0; }
double Atan2Deg(double, double) { return 0; }
double FloatMod(double a, double) { return a; }
int32_t AbsInt(int32_t a) { return a < 0 ? -a : a; }
int32_t Trunc(double v) { return static_cast<int32_t>(v); }
void SeedRandom(int32_t) {}
int32_t RandomSeedFromEnvironment() { return 1; }
int32_t GetRandomState() { return 4660; }
int32_t RandomStep() { return 4660; }
double RandUnit() { return 0; }
int32_t RandRange(int32_t a, int32_t) { return a; }
double RandRangeFloat(double a, double) { return a; }
int32_t ClockMillis() { return 0; }
void DelayMillis(int32_t) {}
std::shared_ptr<TTimer> TTimer::Create(float) { return std::make_shared<TTimer>(); }
TTimer::~TTimer() = default;
int TTimer::Wait() { return 1; }
void UseVirtualClock(bool, int32_t) {}
bool IsVirtualClock() { return true; }
void AdvanceVirtualClock(int32_t) {}
int IsKeyDown(int) { return 0; }
int TakeKeyHits(int) { return 0; }
void ClearKeys() {}
int GetMouseX() { return 0; }
int GetMouseY() { return 0; }
int IsMouseDown(int) { return 0; }
int TakeMouseHits(int) { return 0; }
void ClearMouseButtons() {}
void SetMouseVisible(int) {}
int TakeCloseRequest() { return 0; }
int IsPadButtonDown(int, int) { return 0; }
int TakePadButtonHits(int, int) { return 0; }
float GetPadX(int) { return 0; }
float GetPadY(int) { return 0; }
void ClearPadButtons(int) {}
void PollInput() {}
uint8_t KeyCodeFromScancode(int) { return 0; }
int ScancodeFromKeyCode(int) { return 0; }
void InjectScancode(int, bool, bool) {}
void InjectKey(int, bool) {}
void InjectMouseMove(int, int) {}
void InjectMouseButton(int, bool) {}
void InjectCloseRequest() {}
void InjectFocusLost() {}
void InjectPadButton(int, bool) {}
void InjectPadAxis(int, float) {}
void ResetInputForTest() {}
void SetHeadless(bool) {}
bool IsHeadless() { return true; }
bool InitPlatform() { return true; }
void ShutdownPlatform() {}
void ExitProgram(int status) { std::exit(status); }
}  // namespace vn
