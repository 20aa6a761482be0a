// Finding a pattern in one row (plain text or PCRE2, whole words judged by the editor's
// own word separators) and expanding the replacement of a match.
#include "editor/search/SearchPattern.h"

#include <algorithm>

#include "editor/CustomEditorBase.h"

namespace editor::search {

namespace {

bool IsWordChar(std::string_view row, int i) { return !IsWordSeparator(static_cast<unsigned char>(row[static_cast<std::size_t>(i)])); }

// The group that "\d", "$d" or "${d}" at `at` names, and the length of the reference;
// -1 when there is none there.
int GroupReference(std::string_view s, std::size_t at, std::size_t& length) {
  const auto digit = [&](std::size_t i) { return i < s.size() && s[i] >= '0' && s[i] <= '9'; };
  if (s[at] == '$' && at + 3 < s.size() && s[at + 1] == '{' && digit(at + 2) && s[at + 3] == '}') {
    length = 4;
    return s[at + 2] - '0';
  }
  if (digit(at + 1)) {
    length = 2;
    return s[at + 1] - '0';
  }
  return -1;
}

}  // namespace

TSearchPattern::TSearchPattern(std::string text, const TSearchOptions& options)
    : text_(std::move(text)), options_(options) {
  if (text_.empty()) return;
  if (options_.Regex) {
    regex_ = std::make_unique<TRegexMatcher>(text_, options_.MatchCase);
    usable_ = regex_->Ok();
    hasKey_ = usable_ && regex_->RequiredByte(key_, keyOther_);
  } else {
    literal_ = std::make_unique<TLiteralFinder>(text_, options_.MatchCase);
    usable_ = true;
    hasKey_ = true;
    key_ = literal_->Key();
    keyOther_ = literal_->KeyOtherCase();
  }
}

bool TSearchPattern::Usable() const { return usable_; }

const TRegexError* TSearchPattern::RegexError() const {
  return regex_ != nullptr && !regex_->Ok() ? &regex_->Error() : nullptr;
}

bool TSearchPattern::IsWholeWord(std::string_view row, int start, int end) const {
  const int length = static_cast<int>(row.size());
  // A match that begins or ends with a separator needs no bound on that side: "<p" is
  // found in "a<p>" as in " <p>".
  if (start < end && IsWordChar(row, start) && start > 0 && IsWordChar(row, start - 1)) return false;
  if (start < end && IsWordChar(row, end - 1) && end < length && IsWordChar(row, end)) return false;
  return true;
}

bool TSearchPattern::FindIn(std::string_view row, int from, int limit, bool notEmptyAtFrom, TRowMatch& match) const {
  if (!Usable()) return false;
  limit = std::clamp(limit, 0, static_cast<int>(row.size()));
  from = std::max(from, 0);
  if (from > limit) return false;
  if (literal_ != nullptr) {
    // A plain needle is never empty, so an empty match cannot come up.
    for (std::size_t at = static_cast<std::size_t>(from);;) {
      at = literal_->Find(row, at, static_cast<std::size_t>(limit));
      if (at == std::string_view::npos) return false;
      const int start = static_cast<int>(at);
      const int end = start + static_cast<int>(literal_->Size());
      if (!options_.WholeWords || IsWholeWord(row, start, end)) {
        match.Column = start;
        match.Length = end - start;
        return true;
      }
      ++at;
    }
  }
  const std::string_view subject = row.substr(0, static_cast<std::size_t>(limit));
  for (std::size_t at = static_cast<std::size_t>(from); at <= subject.size();) {
    if (!regex_->Match(subject, at, notEmptyAtFrom && at == static_cast<std::size_t>(from), match.Groups)) return false;
    const int start = match.Groups.Spans[0];
    const int end = match.Groups.Spans[1];
    if (!options_.WholeWords || IsWholeWord(row, start, end)) {
      match.Column = start;
      match.Length = end - start;
      return true;
    }
    at = static_cast<std::size_t>(start) + 1;
  }
  return false;
}

bool TSearchPattern::FindAfter(std::string_view row, const TRowMatch& previous, int limit, TRowMatch& match) const {
  if (previous.Length > 0) return FindIn(row, previous.End(), limit, false, match);
  // After an empty match the next one may not be empty at the same place.
  return FindIn(row, previous.Column, limit, true, match);
}

std::string TSearchPattern::Expand(std::string_view row, const TRowMatch& match, std::string_view replacement) const {
  if (!options_.Regex) return std::string(replacement);
  std::string out;
  out.reserve(replacement.size());
  for (std::size_t i = 0; i < replacement.size(); ++i) {
    const char c = replacement[i];
    if (c != '\\' && c != '$') {
      out.push_back(c);
      continue;
    }
    std::size_t length = 0;
    const int group = GroupReference(replacement, i, length);
    if (group >= 0) {
      const int start = match.Groups.Spans[static_cast<std::size_t>(2 * group)];
      const int end = match.Groups.Spans[static_cast<std::size_t>(2 * group + 1)];
      if (start >= 0 && end >= start) out.append(row.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
      i += length - 1;
    } else if (i + 1 < replacement.size() && (replacement[i + 1] == '\\' || replacement[i + 1] == '$') &&
               (c == '\\' || replacement[i + 1] == '$')) {
      // "\\", "\$" and "$$" stand for the second character.
      out.push_back(replacement[i + 1]);
      ++i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace editor::search
