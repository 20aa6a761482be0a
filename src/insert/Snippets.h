// The tag palette's snippet table: for each snippet button, its component name (the key
// of the shared click handler), its page, its position, its hint and the HTML it inserts.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace insert {

// The six pages of the palette, in their order on the page control.
enum class TPalettePage { TabBasic, Tadvanced, TabControl, TabHypper, TabMedia, TabPHP };

struct TSnippetButton {
  std::string_view Name;     // component name; the click handler's key (case-sensitive)
  TPalettePage Page;
  int Left;                  // horizontal position on its page
  std::string_view Hint;     // UTF-8, shown as the button's tooltip
  std::string_view Snippet;  // one line, starting with a blank; ASCII, so also CP1251
};

inline constexpr std::size_t SnippetButtonCount = 33;

// The table in its order. The names and hints do not always match what a snippet does
// (Bcher underlines, Bsubmit is a submit field): the snippets are what counts.
extern const std::array<TSnippetButton, SnippetButtonCount> SnippetTable;

// Runs insert with the snippet of every key equal to name. Every key is compared, with
// no early exit; names are unique, so a click inserts at most one snippet, and a name
// that is not a key inserts nothing.
void ForEachSnippetOf(std::string_view name, const std::function<void(std::string_view)>& insert);

}  // namespace insert
