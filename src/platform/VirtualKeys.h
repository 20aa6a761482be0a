// Virtual-key codes of the keyboard, as the key-binding table and the key-down
// path use them.
#pragma once

#include <cstdint>

namespace platform {

using TVirtualKey = std::uint16_t;

inline constexpr TVirtualKey VK_BACK = 0x08;
inline constexpr TVirtualKey VK_TAB = 0x09;
inline constexpr TVirtualKey VK_RETURN = 0x0D;
inline constexpr TVirtualKey VK_SHIFT = 0x10;
inline constexpr TVirtualKey VK_CONTROL = 0x11;
inline constexpr TVirtualKey VK_MENU = 0x12;  // Alt
inline constexpr TVirtualKey VK_PAUSE = 0x13;
inline constexpr TVirtualKey VK_CAPITAL = 0x14;
inline constexpr TVirtualKey VK_ESCAPE = 0x1B;
inline constexpr TVirtualKey VK_SPACE = 0x20;
inline constexpr TVirtualKey VK_PRIOR = 0x21;  // Page Up
inline constexpr TVirtualKey VK_NEXT = 0x22;   // Page Down
inline constexpr TVirtualKey VK_END = 0x23;
inline constexpr TVirtualKey VK_HOME = 0x24;
inline constexpr TVirtualKey VK_LEFT = 0x25;
inline constexpr TVirtualKey VK_UP = 0x26;
inline constexpr TVirtualKey VK_RIGHT = 0x27;
inline constexpr TVirtualKey VK_DOWN = 0x28;
inline constexpr TVirtualKey VK_INSERT = 0x2D;
inline constexpr TVirtualKey VK_DELETE = 0x2E;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A.
inline constexpr TVirtualKey VK_0 = 0x30;
inline constexpr TVirtualKey VK_A = 0x41;
inline constexpr TVirtualKey VK_F1 = 0x70;
inline constexpr TVirtualKey VK_F2 = 0x71;
inline constexpr TVirtualKey VK_F3 = 0x72;
inline constexpr TVirtualKey VK_F11 = 0x7A;
inline constexpr TVirtualKey VK_F12 = 0x7B;

inline constexpr TVirtualKey VkLetter(char upper) { return static_cast<TVirtualKey>(upper); }
inline constexpr TVirtualKey VkDigit(int d) { return static_cast<TVirtualKey>(VK_0 + d); }

}  // namespace platform
