// Turns Qt key events into the editor's key-down data — a virtual key and the shift
// set — and the character message the platform would have produced for the key.
#pragma once

#include <cstdint>
#include <optional>

#include <Qt>

class QKeyEvent;
class QString;

struct TranslatedKey {
  std::uint16_t VirtualKey = 0;  // 0 for a key the editor has no code for
  std::uint8_t Shift = 0;
  // The character message's byte (Windows-1251), when the key makes one.
  std::optional<unsigned char> Char;
};

// Shift set bits from Qt's modifiers: Shift 1, Alt 2, Ctrl 4.
std::uint8_t ShiftStateOf(Qt::KeyboardModifiers modifiers);

// key, modifiers, text and the native scan code of a key press.
TranslatedKey TranslateKey(int key, Qt::KeyboardModifiers modifiers, const QString& text, quint32 scanCode);
TranslatedKey TranslateKey(const QKeyEvent& event);
