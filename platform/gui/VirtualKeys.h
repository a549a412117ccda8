// Key codes and mouse-state flags as the input handlers receive them.
//
// Keys arrive as the old virtual-key codes (letters and digits as their upper-case ASCII code,
// Tab 9, Enter 13, Escape 27, ...), mouse messages carry the button and modifier flags, and the
// wheel counts 120 per notch. The host windows translate Qt's events into these.
#pragma once
#include <cstdint>

namespace vt {

enum : uint32_t {
  kMkLButton = 0x0001,
  kMkRButton = 0x0002,
  kMkShift = 0x0004,
  kMkControl = 0x0008,
  kMkMButton = 0x0010,
};

constexpr int32_t kWheelDelta = 120;

enum : uint32_t {
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkReturn = 0x0D,
  kVkShift = 0x10,
  kVkControl = 0x11,
  kVkMenu = 0x12,
  kVkPause = 0x13,
  kVkCapital = 0x14,
  kVkEscape = 0x1B,
  kVkSpace = 0x20,
  kVkPrior = 0x21,
  kVkNext = 0x22,
  kVkEnd = 0x23,
  kVkHome = 0x24,
  kVkLeft = 0x25,
  kVkUp = 0x26,
  kVkRight = 0x27,
  kVkDown = 0x28,
  kVkInsert = 0x2D,
  kVkDelete = 0x2E,
  kVkF1 = 0x70,  // F1..F24 follow in order
  kVkAdd = 0x6B,
  kVkSubtract = 0x6D,
};

// Key-message flag: the key was already down (auto-repeat).
constexpr uint32_t kKeyRepeatFlag = 0x4000;

// 0 when the Qt key has no code here.
uint32_t VirtualKeyFromQt(int qtKey);
// Flags from Qt's button and modifier masks (Qt::MouseButtons, Qt::KeyboardModifiers as ints).
uint32_t MouseFlagsFromQt(int buttons, int modifiers);

}  // namespace vt
