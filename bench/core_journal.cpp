// The recovery journal's costs: appending a keystroke and a 1,000-line paste (what the
// editor pays per change), and recovering a 50 MB page against reading it as a document.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "journal/Journal.h"
#include "journal/Orphans.h"
#include "platform/TextFile.h"

namespace {

using Lines = std::vector<std::string>;

constexpr int PageLines = 1'000'000;
// 48 characters and CR LF: 50 bytes a line, 50 MB in all, as the line store's benchmark.
constexpr int LineLength = 48;

std::string MakeLine(int index) {
  std::string line = "<p class=\"row\">" + std::to_string(index) + "</p>";
  line.resize(LineLength, 'x');
  return line;
}

Lines MakeText(int count) {
  Lines text;
  text.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) text.push_back(MakeLine(i));
  return text;
}

journal::TLineAt LinesOf(const Lines& lines) {
  return [&lines](std::size_t i) { return std::string_view(lines[i]); };
}

std::int64_t WallClock() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// A folder of our own under the temporary folder, removed at exit.
const std::string& Folder() {
  static const std::string folder = [] {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("quorvel-journal-bench-" + std::to_string(::getpid()))).string();
    std::atexit([] { std::filesystem::remove_all(Folder()); });
    return path;
  }();
  return folder;
}

// The program's timer compacts the journal; here that is kept out of the measured time.
void CompactWhenDue(benchmark::State& state, journal::TJournal& journal, const Lines& text) {
  if (!journal.CompactionDue()) return;
  state.PauseTiming();
  journal.Compact(text.size(), LinesOf(text));
  state.ResumeTiming();
}

// A key typed on a line of a 1,000-line page: one row replaced.
void BM_AppendKeystroke(benchmark::State& state) {
  Lines text = MakeText(1000);
  journal::TJournal journal(Folder(), {}, text.size(), LinesOf(text), WallClock);
  std::string& row = text[500];
  for (auto _ : state) {
    row.back() = static_cast<char>('a' + row.size() % 26);
    journal.Replace(500, 1, 1, [&row](std::size_t) { return std::string_view(row); });
    CompactWhenDue(state, journal, text);
  }
  if (journal.Failed()) state.SkipWithError(journal.TakeError().value_or("").c_str());
  journal.Remove();
}
BENCHMARK(BM_AppendKeystroke);

// 1,000 lines pasted into a 1,000-line page (taken out again, unmeasured, after each).
void BM_AppendPaste1000Lines(benchmark::State& state) {
  const Lines text = MakeText(1000);
  const Lines paste = MakeText(1000);
  journal::TJournal journal(Folder(), {}, text.size(), LinesOf(text), WallClock);
  for (auto _ : state) {
    journal.Replace(500, 0, paste.size(), LinesOf(paste));
    state.PauseTiming();
    journal.Replace(500, paste.size(), 0, LinesOf(paste));
    if (journal.CompactionDue()) journal.Compact(text.size(), LinesOf(text));
    state.ResumeTiming();
  }
  if (journal.Failed()) state.SkipWithError(journal.TakeError().value_or("").c_str());
  journal.Remove();
}
BENCHMARK(BM_AppendPaste1000Lines)->Unit(benchmark::kMicrosecond);

const Lines& Page() {
  static const Lines page = MakeText(PageLines);
  return page;
}

// The first change after an open or a save begins the journal with the whole text.
void BM_Begin50MB(benchmark::State& state) {
  for (auto _ : state) {
    journal::TJournal journal(Folder(), {}, Page().size(), LinesOf(Page()), WallClock);
    state.PauseTiming();
    journal.Remove();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Begin50MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// The 50 MB page as a document file, for the comparison with opening it.
const std::string& PageFile() {
  static const std::string path = [] {
    const std::string file = Folder() + "-page.html";
    std::ofstream out(file, std::ios::binary);
    for (const std::string& line : Page()) out << line << "\r\n";
    std::atexit([] { std::filesystem::remove(PageFile()); });
    return file;
  }();
  return path;
}

void BM_ReadDocument50MB(benchmark::State& state) {
  for (auto _ : state) {
    platform::TTextFileReader reader(PageFile());
    Lines lines;
    for (std::string line; reader.ReadLine(line);) lines.push_back(line);
    benchmark::DoNotOptimize(lines.data());
  }
}
BENCHMARK(BM_ReadDocument50MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// An orphaned journal of the 50 MB page with a session's typing after its snapshot.
const std::string& OrphanFolder() {
  static const std::string folder = [] {
    const std::string path = Folder() + "/orphans";
    Lines text = Page();
    journal::TJournal journal(path, {}, text.size(), LinesOf(text), WallClock);
    for (int key = 0; key < 10'000; ++key) {
      std::string& row = text[static_cast<std::size_t>(key % 1000) * 997];
      row += 'k';
      journal.Replace(static_cast<std::size_t>(key % 1000) * 997, 1, 1, [&row](std::size_t) { return std::string_view(row); });
    }
    return path;
  }();
  return folder;
}

void BM_ListOrphans50MB(benchmark::State& state) {
  const std::string& folder = OrphanFolder();
  for (auto _ : state) benchmark::DoNotOptimize(journal::FindOrphanedJournals(folder));
}
BENCHMARK(BM_ListOrphans50MB)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Recover50MB(benchmark::State& state) {
  std::vector<journal::TOrphanJournal> orphans = journal::FindOrphanedJournals(OrphanFolder());
  for (auto _ : state) {
    const journal::TRecoveredText text = orphans.at(0).Recover();
    if (text.lines.size() != PageLines) state.SkipWithError("the page did not come back whole");
  }
}
BENCHMARK(BM_Recover50MB)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
