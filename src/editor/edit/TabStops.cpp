// Tab stops of the string editor: the stop columns read from TabStops and the
// expansion of TAB characters into blanks.
#include <algorithm>
#include <climits>
#include <vector>

#include "editor/CustomEditor.h"
#include "platform/Errors.h"

namespace editor {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// The 1-based stop columns: entries separated by single spaces, read up to the first
// empty one; a non-number raises the conversion error.
std::vector<long long> ReadTabStops(const std::string& stops) {
  std::vector<long long> entries;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(stops.find(' ', start), stops.size());
    std::size_t first = start;
    std::size_t last = end;
    while (first < last && IsBlank(stops[first])) ++first;
    while (last > first && IsBlank(stops[last - 1])) --last;
    if (first == last) break;
    entries.push_back(platform::StrToInt(stops.substr(first, last - first)));
    if (end == stops.size()) break;
    start = end + 1;
  }
  return entries;
}

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The distance the last two stops repeat at beyond the list. A list whose last two
// entries are equal (or a single entry 2) would give no distance at all, and a falling
// list a negative one; both repeat every column instead.
long long RepeatDistance(long long previous, long long current) {
  return std::max(current - previous, 1LL);
}

}  // namespace

int TCustomEditor::TabStopColumn(int x, bool next) const {
  const std::vector<long long> entries = ReadTabStops(TabStops);
  const long long column = x;
  if (next) {
    long long previous = 0;
    long long current = 1;
    for (const long long entry : entries) {
      previous = current;
      current = entry - 1;
      if (current > column) return ClampToInt(current);
    }
    const long long distance = RepeatDistance(previous, current);
    return ClampToInt(column + distance - (column - current) % distance);
  }
  long long previous = 0;
  long long current = 0;
  for (const long long entry : entries) {
    previous = current;
    current = entry - 1;
    if (current >= column) return ClampToInt(previous);
  }
  const long long distance = RepeatDistance(previous, current);
  return ClampToInt(column - (distance - (column - current) % distance));
}

std::string TCustomEditor::TabsToBlanks(std::string_view s) const {
  if (s.find('\t') == std::string_view::npos) return std::string(s);
  // Every TAB becomes the distance to the first stop, whatever its column.
  const std::size_t width = static_cast<std::size_t>(std::max(TabStopColumn(0, true), 0));
  std::string result;
  result.reserve(s.size() + width * static_cast<std::size_t>(std::count(s.begin(), s.end(), '\t')));
  for (const char c : s) {
    if (c == '\t') result.append(width, ' ');
    else result.push_back(c);
  }
  return result;
}

}  // namespace editor
