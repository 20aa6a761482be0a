// The case commands: upper, lower and toggled case of the selection, by the letter pairs
// of the Windows-1251 code page (Latin and Cyrillic).
#include <array>
#include <string>

#include "editor/CustomEditor.h"

namespace editor {

namespace {

// Upper-case letter -> lower-case letter for every pair of the code page; other bytes map
// to themselves.
std::array<unsigned char, 256> MakeLowerTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
  // А..Я -> а..я.
  for (int c = 0xC0; c <= 0xDF; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
  // The letters outside the two main rows: Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Ё Є Ї І Ѕ.
  constexpr std::array<std::array<unsigned char, 2>, 15> pairs{{
      {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
      {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
      {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
  }};
  for (const auto& [upper, lower] : pairs) table[upper] = lower;
  return table;
}

std::array<unsigned char, 256> MakeUpperTable(const std::array<unsigned char, 256>& lower) {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
  for (int c = 0; c < 256; ++c) {
    const unsigned char l = lower[static_cast<std::size_t>(c)];
    if (l != c) table[l] = static_cast<unsigned char>(c);
  }
  return table;
}

const std::array<unsigned char, 256>& LowerTable() {
  static const std::array<unsigned char, 256> table = MakeLowerTable();
  return table;
}

const std::array<unsigned char, 256>& UpperTable() {
  static const std::array<unsigned char, 256> table = MakeUpperTable(LowerTable());
  return table;
}

unsigned char Converted(TCommand code, unsigned char c) {
  const unsigned char upper = UpperTable()[c];
  if (code == ecUpperCase) return upper;
  const unsigned char lower = LowerTable()[c];
  if (code == ecLowerCase) return lower;
  // Toggling: whatever is already upper case (letters without case too) goes down.
  return c == upper ? lower : upper;
}

}  // namespace

void TCustomEditor::ChangeCase(TCommand code) {
  if (ReadOnly) return;
  // Uncut, a selection ending below the text would read as empty and the replacement
  // would delete the rows it still covers.
  CutSelectionToText();
  std::string text = SelectionText();
  for (char& c : text) c = static_cast<char>(Converted(code, static_cast<unsigned char>(c)));
  ReplaceSelection(text);
}

}  // namespace editor
