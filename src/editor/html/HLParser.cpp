// The HTML-style tokenizer: token boundaries, the ring of recent tokens and the look
// past the current token.
#include "editor/html/HLParser.h"

#include <stdexcept>

namespace editor {

namespace {

bool IsSkippedBlank(char ch) { return ch == ' ' || ch == '\r' || ch == '\n'; }

// A word stops before these; everything else, TAB and quotes included, belongs to it.
bool EndsWord(char ch) { return ch == ' ' || ch == '<' || ch == '=' || ch == '>'; }

}  // namespace

void TIParser::SetText(std::string_view line) {
  // The line is scanned as a NUL-terminated string: a NUL byte inside it ends it.
  const std::size_t nul = line.find('\0');
  line_ = nul == std::string_view::npos ? line : line.substr(0, nul);
  pos_ = 0;
  recent_.fill(TRecentToken{});
  newest_ = 0;
}

std::size_t TIParser::TokenLength(std::size_t start) const {
  const char first = line_[start];
  if (first == '<' || first == '=' || first == '>') return 1;
  if (first == '/' && start > 0 && line_[start - 1] == '<') return 1;
  if (first == '"') {
    const std::size_t close = line_.find('"', start + 1);
    return close == std::string_view::npos ? line_.size() - start : close + 1 - start;
  }
  std::size_t end = start + 1;
  while (end < line_.size() && !EndsWord(line_[end])) ++end;
  return end - start;
}

std::string_view TIParser::NextToken() {
  while (pos_ < line_.size() && IsSkippedBlank(line_[pos_])) ++pos_;
  if (pos_ >= line_.size()) return {};
  const std::size_t start = pos_;
  const std::size_t length = TokenLength(start);
  pos_ = start + length;
  newest_ = (newest_ + 1) % RecentTokenCount;
  recent_[newest_] = TRecentToken{line_.substr(start, length), static_cast<int>(pos_) - 1};
  return recent_[newest_].Text;
}

char TIParser::NextNonBlankChar() const {
  std::size_t p = pos_;
  while (p < line_.size() && (IsSkippedBlank(line_[p]) || line_[p] == '\t')) ++p;
  return p < line_.size() ? line_[p] : '\0';
}

const TIParser::TRecentToken& TIParser::Recent(int k) const {
  if (k < 0 || k >= RecentTokenCount) throw std::out_of_range("TIParser: recent token index");
  return recent_[(newest_ - k + RecentTokenCount) % RecentTokenCount];
}

std::string_view TIParser::Token(int k) const { return Recent(k).Text; }

int TIParser::TokenStart(int k) const {
  const TRecentToken& token = Recent(k);
  return token.LastOffset + 1 - static_cast<int>(token.Text.size());
}

int TIParser::TokenEnd(int k) const { return Recent(k).LastOffset + 1; }

}  // namespace editor
