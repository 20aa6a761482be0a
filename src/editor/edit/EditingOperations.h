// The editing commands of the string editor that EditCommand and TypeChar hand work to,
// with the small text helpers they share.
#pragma once

#include <string>
#include <string_view>

#include "editor/Commands.h"
#include "editor/CustomEditor.h"

namespace editor::editing {

inline constexpr std::string_view LineBreak = "\r\n";

// Where the dispatcher places the caret after an editing command, and whether it does so
// with a caret record (SetCaret) or without one (MoveCaretTo). An operation that records
// a text change clears UseSetCaret, so no separate caret record follows it.
struct TCaretTarget {
  TPosition& Pos;
  bool& UseSetCaret;
};

// The text of a row, or an empty string for a row outside the store (a caret left below
// the text by a shorter load must not reach past the store).
std::string LineOrEmpty(const TCustomEditor& editor, int row);
// S without its trailing characters of code 0..32.
std::string_view WithoutTrailingControls(std::string_view s);
// True when every character of S has a code of 0..32 (also for an empty S).
bool OnlyBlanksAndControls(std::string_view s);

// Typed characters (Editing.cpp).
void TypePrintable(TCustomEditor& editor, unsigned char ch);
void TypeLineBreak(TCustomEditor& editor);
void TypeOverwriteLineBreak(TCustomEditor& editor);

// Editing commands (EditingCommands.cpp).
void Tab(TCustomEditor& editor, TCommand code, TCaretTarget caret);
void Backspace(TCustomEditor& editor, TCaretTarget caret);
void BackspaceWord(TCustomEditor& editor, TCaretTarget caret);
void DeleteCharacter(TCustomEditor& editor, TCaretTarget caret);
// Answers whether the command finished (a row was deleted), so the caret stays put.
bool DeleteLine(TCustomEditor& editor);

}  // namespace editor::editing
