// What the journal tests share: a private folder per test, a fixed clock, lines handed
// over from a vector, and random texts.
#pragma once

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "journal/Journal.h"

namespace journal_test {

using Lines = std::vector<std::string>;

// A fresh folder per test, emptied and removed afterwards (one level of subfolders).
struct TempFolder {
  std::string path;
  TempFolder() {
    char pattern[] = "/tmp/quorvel-journal-XXXXXX";
    path = mkdtemp(pattern);
  }
  ~TempFolder() { RemoveTree(path); }
  std::string operator/(const std::string& name) const { return path + "/" + name; }
  Lines Entries() const { return EntriesOf(path); }

  static Lines EntriesOf(const std::string& folder) {
    Lines names;
    DIR* dir = opendir(folder.c_str());
    while (dirent* entry = dir ? readdir(dir) : nullptr) {
      if (entry->d_name[0] != '.' || entry->d_name[1] > '.') names.push_back(entry->d_name);
    }
    if (dir) closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
  }
  static void RemoveTree(const std::string& folder) {
    for (const std::string& name : EntriesOf(folder)) {
      const std::string inner = folder + "/" + name;
      struct stat info {};
      if (lstat(inner.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) RemoveTree(inner);
      unlink(inner.c_str());
    }
    rmdir(folder.c_str());
  }
};

inline journal::TLineAt LinesOf(const Lines& lines, std::size_t from = 0) {
  return [&lines, from](std::size_t i) { return std::string_view(lines[from + i]); };
}

inline journal::TJournal::TWallClock FixedClock(std::int64_t now = 1'700'000'000'000) {
  return [now] { return now; };
}

inline std::string ReadBytes(const std::string& path) {
  std::ostringstream out;
  out << std::ifstream(path, std::ios::binary).rdbuf();
  return out.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Lines of any bytes, line ends and NULs included: the journal stores bytes as they are.
inline Lines RandomLines(std::mt19937& random, std::size_t count) {
  Lines lines(count);
  for (std::string& line : lines) {
    line.resize(random() % 12);
    for (char& c : line) c = static_cast<char>(random() % 4 == 0 ? random() % 256 : 'a' + random() % 26);
  }
  return lines;
}

}  // namespace journal_test

namespace journal_test {

// Makes one random change to `text` and tells the journal the same, as the program would.
inline void RandomEdit(std::mt19937& random, Lines& text, journal::TJournal& journal) {
  const std::size_t index = random() % (text.size() + 1);
  const std::size_t removed = std::min<std::size_t>(random() % 4, text.size() - index);
  const Lines added = RandomLines(random, random() % 4);
  const auto at = text.begin() + static_cast<std::ptrdiff_t>(index);
  text.insert(text.erase(at, at + static_cast<std::ptrdiff_t>(removed)), added.begin(), added.end());
  journal.Replace(index, removed, added.size(), LinesOf(added));
}

inline std::size_t FileSize(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0;
}

}  // namespace journal_test
