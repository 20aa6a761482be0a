// The document journal's cost on the editing path, without the window's noise: a replaced
// line (a keystroke) and 1,000 inserted lines (a paste) in the line model, with the main
// window's journal following it and with the journal off.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QCoreApplication>
#include <filesystem>
#include <string>
#include <vector>

#include "app/DocumentJournal.h"

namespace {

std::vector<std::string> Lines(int count, const char* stem) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back(stem + std::to_string(i) + "</p>");
  return lines;
}

// A 1,000-line page in the model and its journal, on (range 1) or off.
struct TPage {
  explicit TPage(bool on)
      : folder((std::filesystem::temp_directory_path() / ("quorvel-listener-bench-" + std::to_string(getpid())))
                   .string()),
        journal(model, {folder, [] { return journal::TDocumentStamp{}; }, [](const std::string&) {}}) {
    model.ReplaceAll(Lines(1000, "<li class=\"row\">item "));
    journal.Restart();
    if (!on) journal.Stop();
    QCoreApplication::processEvents();
  }
  ~TPage() {
    journal.Stop();
    std::filesystem::remove_all(folder);
  }

  editor::TLineModel model;
  std::string folder;
  TDocumentJournal journal;
};

void BM_ReplacedLine(benchmark::State& state) {
  TPage page(state.range(0) == 1);
  int typed = 0;
  for (auto _ : state) {
    std::string line = page.model.Get(500);
    // The row grows by a letter and starts again now and then, as typing does.
    if (++typed % 64 == 0) line.resize(20);
    line += 'a';
    page.model.Replace(500, std::move(line));
  }
}
BENCHMARK(BM_ReplacedLine)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Paste1000(benchmark::State& state) {
  TPage page(state.range(0) == 1);
  const std::vector<std::string> block = Lines(1000, "<p class=\"dense\">pasted html row number ");
  for (auto _ : state) {
    page.model.Insert(500, block);
    state.PauseTiming();
    page.model.Remove(500, 1000);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Paste1000)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
