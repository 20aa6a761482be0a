// Key translation: Qt keys and X key codes to virtual keys, and the character rules of
// the platform (Ctrl+letter gives a control code, Alt gives none, Enter gives CR …).
#include "qt/KeyMap.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QString>
#include <array>
#include <utility>

#include "platform/Cp1251.h"
#include "platform/Types.h"
#include "platform/VirtualKeys.h"

namespace {

using platform::TVirtualKey;

constexpr TVirtualKey VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD,
                      VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC,
                      VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;

// Keys without a character of their own.
TVirtualKey SpecialKey(int key) {
  switch (key) {
    case Qt::Key_Backspace: return platform::VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return platform::VK_TAB;
    case Qt::Key_Return: case Qt::Key_Enter: return platform::VK_RETURN;
    case Qt::Key_Shift: return platform::VK_SHIFT;
    case Qt::Key_Control: return platform::VK_CONTROL;
    case Qt::Key_Alt: return platform::VK_MENU;
    case Qt::Key_Pause: return platform::VK_PAUSE;
    case Qt::Key_CapsLock: return platform::VK_CAPITAL;
    case Qt::Key_Escape: return platform::VK_ESCAPE;
    case Qt::Key_Space: return platform::VK_SPACE;
    case Qt::Key_PageUp: return platform::VK_PRIOR;
    case Qt::Key_PageDown: return platform::VK_NEXT;
    case Qt::Key_End: return platform::VK_END;
    case Qt::Key_Home: return platform::VK_HOME;
    case Qt::Key_Left: return platform::VK_LEFT;
    case Qt::Key_Up: return platform::VK_UP;
    case Qt::Key_Right: return platform::VK_RIGHT;
    case Qt::Key_Down: return platform::VK_DOWN;
    case Qt::Key_Insert: return platform::VK_INSERT;
    case Qt::Key_Delete: return platform::VK_DELETE;
    default: break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<TVirtualKey>(platform::VK_F1 + (key - Qt::Key_F1));
  return 0;
}

// The key of a Latin letter, digit or US-layout symbol, shifted or not.
TVirtualKey PrintableKey(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<TVirtualKey>(key);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<TVirtualKey>(key);
  static constexpr std::pair<char, TVirtualKey> symbols[] = {
      {'!', '1'}, {'@', '2'}, {'#', '3'}, {'$', '4'}, {'%', '5'}, {'^', '6'}, {'&', '7'}, {'*', '8'},
      {'(', '9'}, {')', '0'}, {';', VK_OEM_1}, {':', VK_OEM_1}, {'=', VK_OEM_PLUS}, {'+', VK_OEM_PLUS},
      {',', VK_OEM_COMMA}, {'<', VK_OEM_COMMA}, {'-', VK_OEM_MINUS}, {'_', VK_OEM_MINUS},
      {'.', VK_OEM_PERIOD}, {'>', VK_OEM_PERIOD}, {'/', VK_OEM_2}, {'?', VK_OEM_2}, {'`', VK_OEM_3},
      {'~', VK_OEM_3}, {'[', VK_OEM_4}, {'{', VK_OEM_4}, {'\\', VK_OEM_5}, {'|', VK_OEM_5},
      {']', VK_OEM_6}, {'}', VK_OEM_6}, {'\'', VK_OEM_7}, {'"', VK_OEM_7}};
  for (const auto& [ch, vk] : symbols)
    if (key == ch) return vk;
  return 0;
}

// Russian-layout letters stand on the keys of the Latin letters: the same virtual keys.
TVirtualKey CyrillicKey(int key) {
  static const QString order = QString::fromUtf8("ФИСВУАПРШОЛДЬТЩЗЙКЫЕГМЦЧНЯ");
  const int index = order.indexOf(QChar(key));
  if (index >= 0) return static_cast<TVirtualKey>('A' + index);
  static constexpr std::pair<char16_t, TVirtualKey> others[] = {
      {u'Х', VK_OEM_4}, {u'Ъ', VK_OEM_6}, {u'Ж', VK_OEM_1}, {u'Э', VK_OEM_7},
      {u'Б', VK_OEM_COMMA}, {u'Ю', VK_OEM_PERIOD}, {u'Ё', VK_OEM_3}};
  for (const auto& [ch, vk] : others)
    if (key == ch) return vk;
  return 0;
}

// X key codes of the main block (evdev + 8): the physical key whatever the layout.
TVirtualKey ScanCodeKey(quint32 scanCode) {
  static constexpr std::array<TVirtualKey, 62> table = {
      /*10*/ '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', VK_OEM_MINUS, VK_OEM_PLUS, 0, 0,
      /*24*/ 'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', VK_OEM_4, VK_OEM_6, 0, 0,
      /*38*/ 'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', VK_OEM_1, VK_OEM_7, VK_OEM_3, 0, VK_OEM_5,
      /*52*/ 'Z', 'X', 'C', 'V', 'B', 'N', 'M', VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2};
  if (scanCode < 10 || scanCode >= 10 + table.size()) return 0;
  return table[scanCode - 10];
}

bool UsesXKeyCodes() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

std::optional<unsigned char> CharacterOf(TVirtualKey vk, std::uint8_t shift, const QString& text) {
  const bool ctrl = (shift & platform::ssCtrl) != 0;
  const bool alt = (shift & platform::ssAlt) != 0;
  if (alt && !ctrl) return std::nullopt;  // Alt makes a system character, not a typed one
  if (ctrl && !alt) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<unsigned char>(vk - 'A' + 1);
    switch (vk) {
      case platform::VK_RETURN: return 10;
      case platform::VK_BACK: return 127;
      case platform::VK_SPACE: return ' ';
      case VK_OEM_4: return 27;
      case VK_OEM_5: return 28;
      case VK_OEM_6: return 29;
      default: return std::nullopt;
    }
  }
  switch (vk) {
    case platform::VK_BACK: return 8;
    case platform::VK_TAB: return 9;
    case platform::VK_RETURN: return 13;
    case platform::VK_ESCAPE: return 27;
    default: break;
  }
  if (text.isEmpty() || !text.at(0).isPrint()) return std::nullopt;
  const int byte = platform::UnicodeToCp1251(text.at(0).unicode());
  if (byte < 0) return std::nullopt;
  return static_cast<unsigned char>(byte);
}

}  // namespace

std::uint8_t ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  std::uint8_t shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= platform::ssShift;
  if (modifiers & Qt::AltModifier) shift |= platform::ssAlt;
  if (modifiers & Qt::ControlModifier) shift |= platform::ssCtrl;
  return shift;
}

TranslatedKey TranslateKey(int key, Qt::KeyboardModifiers modifiers, const QString& text, quint32 scanCode) {
  TranslatedKey result;
  result.Shift = ShiftStateOf(modifiers);
  // Back-Tab is Tab with Shift held, whatever else Qt made of it.
  if (key == Qt::Key_Backtab) result.Shift |= platform::ssShift;
  result.VirtualKey = SpecialKey(key);
  if (result.VirtualKey == 0 && UsesXKeyCodes()) result.VirtualKey = ScanCodeKey(scanCode);
  if (result.VirtualKey == 0) result.VirtualKey = PrintableKey(key);
  if (result.VirtualKey == 0) result.VirtualKey = CyrillicKey(key);
  result.Char = CharacterOf(result.VirtualKey, result.Shift, text);
  return result;
}

TranslatedKey TranslateKey(const QKeyEvent& event) {
  return TranslateKey(event.key(), event.modifiers(), event.text(), event.nativeScanCode());
}
