#pragma once
// The default key bindings as the gameplay tests press them.
namespace vn::test {

inline constexpr int kRight = 39, kLeft = 37, kUp = 38, kDown = 40;
inline constexpr int kAction = 162, kJump = 32, kDrawWeapon = 160, kLook = 76;
inline constexpr int kF1 = 112, kF3 = 114, kEscape = 27, kLeftAlt = 164, kPad5 = 101;

// A level 40 x 20 cells whose row 15 is solid floor: characters standing on it have y 448.
inline constexpr int kFloorRow = 15;
inline constexpr int kStandY = (kFloorRow - 1) * 32;

}  // namespace vn::test
