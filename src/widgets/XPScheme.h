// The colour palettes of the XP-style push button and how the automatic one is chosen.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

enum class TXPScheme { xpBlue, xpSilver, xpGreen, xpAutomatic, xpOrange };

// The palettes a push button paints with.
enum TXPPalette { xpPaletteBlue = 0, xpPaletteSilver = 1, xpPaletteGreen = 2, xpPaletteOrange = 3 };

// A gradient's top and bottom colours, as $00BBGGRR.
struct TXPGradient {
  std::uint32_t Start;
  std::uint32_t End;
};

struct TXPPushColors {
  TXPGradient Normal;
  TXPGradient Hot;
  TXPGradient Pressing;
  TXPGradient Pressed;  // the button is down (held by the mouse or Space)
  TXPGradient Disabled;
  TXPGradient FocusFrame;
  TXPGradient HotFrame;
  std::uint32_t Border;
};

const TXPPushColors& PushColors(TXPPalette palette);

// Outline colours shared by every palette.
inline constexpr std::uint32_t kXPDisabledBorder = 0x9AAAB8;
inline constexpr std::uint32_t kXPCorner = 0xDC9898;
inline constexpr std::uint32_t kXPDisabledCorner = 0xE8EBEE;

// The desktop's visual-style colour name, or nothing when the desktop tells none.
using TThemeNameQuery = std::function<std::optional<QString>()>;

// Replaces the query (tests); an empty function restores the desktop's.
void SetThemeNameQuery(TThemeNameQuery query);

// "NormalColor" is blue, "Metallic" silver, "HomeStead" green (any case); anything else,
// or no name, is blue.
TXPPalette PaletteForThemeName(const std::optional<QString>& name);

// The palette a scheme paints with; xpAutomatic asks the desktop.
TXPPalette PaletteForScheme(TXPScheme scheme);
