// TIParser: the tokenizer that cuts one line of text into the tokens the HTML
// highlighter classifies.
#pragma once

#include <array>
#include <string_view>

namespace editor {

// Cuts one line at a time into HTML-style tokens: "<", "=", ">", a "/" right after "<",
// a double-quoted string (to the closing quote or the line end), and words running up to
// the next blank, "<", "=" or ">". Blanks (space, CR, LF) between tokens are skipped; a
// TAB is not a blank and joins a word. A NUL byte ends the line.
//
// Tokens are views into the line given to SetText, which must outlive them. The parser
// remembers the 10 most recent tokens of the line; token 0 is the newest.
class TIParser {
 public:
  static constexpr int RecentTokenCount = 10;

  // Starts a new line: the text start and the scan position point at its first character.
  void SetText(std::string_view line);

  // The next token; empty at the end of the line.
  std::string_view NextToken();

  // The character at the scan position after skipping TAB, CR, LF and space; NUL at the
  // end of the line.
  char NextNonBlankChar() const;

  // Recent token k (0 = newest), its 0-based start and one past its end in the line.
  // k must be 0..RecentTokenCount-1; a slot never filled on this line is empty at 0.
  std::string_view Token(int k) const;
  int TokenStart(int k) const;
  int TokenEnd(int k) const;

 private:
  struct TRecentToken {
    std::string_view Text;
    int LastOffset = -1;  // 0-based offset of the token's last character
  };

  std::size_t TokenLength(std::size_t start) const;
  const TRecentToken& Recent(int k) const;

  std::string_view line_;
  std::size_t pos_ = 0;
  std::array<TRecentToken, RecentTokenCount> recent_{};
  int newest_ = 0;
};

}  // namespace editor
