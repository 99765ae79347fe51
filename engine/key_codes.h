#pragma once
// The key codes the game names: Windows virtual-key numbers, as stored in the
// settings and key-name files.

namespace vn {

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;
inline constexpr int kKeyI = 73;
inline constexpr int kKeyL = 76;
inline constexpr int kKeyPad5 = 101;
inline constexpr int kKeyF1 = 112, kKeyF3 = 114, kKeyF12 = 123;
inline constexpr int kKeyLeftShift = 160, kKeyLeftControl = 162, kKeyLeftAlt = 164;

}  // namespace vn
