// Window-message numbers the editor answers like a standard edit control, and the
// editor's private command message.
#pragma once

#include <cstdint>

namespace platform {

using TMessage = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

inline constexpr TMessage WM_GETTEXT = 0x000D;
inline constexpr TMessage WM_GETTEXTLENGTH = 0x000E;
inline constexpr TMessage WM_CHAR = 0x0102;
inline constexpr TMessage WM_CUT = 0x0300;
inline constexpr TMessage WM_COPY = 0x0301;
inline constexpr TMessage WM_PASTE = 0x0302;
inline constexpr TMessage WM_CLEAR = 0x0303;
inline constexpr TMessage WM_UNDO = 0x0304;
inline constexpr TMessage EM_GETSEL = 0x00B0;
inline constexpr TMessage EM_SETSEL = 0x00B1;
inline constexpr TMessage EM_CANUNDO = 0x00C6;
inline constexpr TMessage EM_SETREADONLY = 0x00CF;
inline constexpr TMessage WM_USER = 0x0400;
inline constexpr TMessage WM_EDITCOMMAND = WM_USER + 0x101;  // 0x0501

// Scroll-bar codes of WM_HSCROLL / WM_VSCROLL.
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_ENDSCROLL = 8;

}  // namespace platform
