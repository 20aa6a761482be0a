// The line store on a 1,000,000-line, 50 MB document: loading and holding it, and the
// single-line operations far down the text; resident memory is reported as a counter.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "../tests/core/FakeHost.h"
#include "editor/Editor.h"

namespace {

constexpr int DocumentLines = 1'000'000;
// 48 characters and CR LF: 50 bytes a line, 50 MB in all.
constexpr int LineLength = 48;

std::string MakeLine(int index) {
  std::string line = "<p class=\"row\">" + std::to_string(index) + "</p>";
  line.resize(LineLength, 'x');
  return line;
}

// The document file, written once per run and removed at exit.
const std::string& DocumentPath() {
  static const std::string path = [] {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("quorvel-bench-" + std::to_string(::getpid()) + ".html");
    std::ofstream out(file, std::ios::binary);
    for (int i = 0; i < DocumentLines; ++i) out << MakeLine(i) << "\r\n";
    std::atexit([] { std::filesystem::remove(DocumentPath()); });
    return file.string();
  }();
  return path;
}

double ResidentMiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      double kib = 0;
      status >> kib;
      return kib / 1024.0;
    }
  }
  return 0;
}

// Heap bytes in use, small blocks and mapped ones.
double HeapMiB() {
  const struct mallinfo2 info = ::mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// One editor holding the loaded document, shared by the single-line benchmarks.
struct LoadedDocument {
  LoadedDocument() { editor.Lines().LoadWholeFile(DocumentPath()); }
  testing_support::FakeHost host;
  editor::TEditor editor{host};
};

editor::TEditorStrings& Document() {
  static LoadedDocument* document = new LoadedDocument;
  return document->editor.Lines();
}

void BM_LoadWholeFile(benchmark::State& state) {
  const std::string& path = DocumentPath();
  testing_support::FakeHost host;
  editor::TEditor editor(host);
  for (auto _ : state) editor.Lines().LoadWholeFile(path);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
  state.counters["lines"] = editor.Lines().Count();
  state.counters["rss_MiB"] = ResidentMiB();
}
BENCHMARK(BM_LoadWholeFile)->Unit(benchmark::kMillisecond)->Iterations(3);

// What holding the document costs: the heap it takes, and the process's resident size.
void BM_HoldDocument(benchmark::State& state) {
  const double heapBefore = HeapMiB();
  editor::TEditorStrings& lines = Document();
  for (auto _ : state) benchmark::DoNotOptimize(lines.Count());
  state.counters["lines"] = lines.Count();
  state.counters["heap_MiB_held"] = HeapMiB() - heapBefore;
  state.counters["rss_MiB"] = ResidentMiB();
}
BENCHMARK(BM_HoldDocument)->Iterations(1);

void BM_Add(benchmark::State& state) {
  editor::TEditorStrings& lines = Document();
  const int count = lines.Count();
  const std::string line = MakeLine(count);
  for (auto _ : state) lines.Add(line);
  while (lines.Count() > count) lines.Delete(lines.Count() - 1);
}
BENCHMARK(BM_Add);

void BM_InsertInTheMiddle(benchmark::State& state) {
  editor::TEditorStrings& lines = Document();
  const int middle = lines.Count() / 2;
  const std::string line = MakeLine(middle);
  int inserted = 0;
  for (auto _ : state) {
    lines.Insert(middle, line);
    ++inserted;
  }
  for (; inserted > 0; --inserted) lines.Delete(middle);
}
BENCHMARK(BM_InsertInTheMiddle)->Unit(benchmark::kMicrosecond);

// The first insert far from the last edit: each one at the other end of the text, so that
// the store's gap crosses nearly all of it; the delete at the same place moves nothing.
void BM_InsertAtTheOtherEnd(benchmark::State& state) {
  editor::TEditorStrings& lines = Document();
  const int ends[2] = {10, lines.Count() - 10};
  const std::string line = MakeLine(0);
  int place = 0;
  for (auto _ : state) {
    const int at = ends[place++ % 2];
    lines.Insert(at, line);
    lines.Delete(at);
  }
}
BENCHMARK(BM_InsertAtTheOtherEnd)->Unit(benchmark::kMillisecond);

void BM_ReplaceLine(benchmark::State& state) {
  editor::TEditorStrings& lines = Document();
  const std::string line = MakeLine(-1) + "   ";
  for (auto _ : state) lines.ReplaceLine(900'000, line);
}
BENCHMARK(BM_ReplaceLine);

void BM_Get(benchmark::State& state) {
  editor::TEditorStrings& lines = Document();
  for (auto _ : state) benchmark::DoNotOptimize(lines.Get(900'000).data());
}
BENCHMARK(BM_Get);

}  // namespace
