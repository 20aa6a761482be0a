// Opening a 50 MB page read as Windows-1251, as always, against the same page saved in
// UTF-8, detected and decoded; the detection and the decoding alone in memory. The peak of
// resident memory one read adds is reported too.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Cp1251.h"
#include "platform/EncodingDetection.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"

namespace {

using platform::TEncoding;

constexpr std::size_t PageBytes = 50 * 1000 * 1000;  // of the UTF-8 file

// A line of each page, in Windows-1251 codes, numbered: Russian prose; a catalogue where
// markup outweighs the Russian text; markup alone.
std::string PageLine(int page, int index) {
  const std::string number = std::to_string(index);
  switch (page) {
    case 0:
      return platform::Utf16ToCp1251(u"<p>Съешь же ещё этих мягких французских булок, да выпей чаю. Глава № ") +
             number + "</p>";
    case 1:
      return "<div class=\"item\"><a href=\"/catalogue/item-" + number + ".html\" title=\"" +
             platform::Utf16ToCp1251(u"Товар ") + number + "\">" + platform::Utf16ToCp1251(u"Чайник электрический") +
             "</a> <span class=\"price\">1 234 " + platform::Utf16ToCp1251(u"руб.") + "</span></div>";
    default: return "<p class=\"row\">" + number + "</p><a href=\"#top\">top</a>";
  }
}

// The page in Windows-1251 codes, CR LF after each line; its UTF-8 form is 50 MB.
std::string PageText(int page) {
  std::string text;
  std::size_t utf8Size = 0;
  for (int i = 0; utf8Size < PageBytes; ++i) {
    const std::string line = PageLine(page, i) + "\r\n";
    std::string utf8;
    platform::EncodeText(line, TEncoding::Utf8, utf8);
    utf8Size += utf8.size();
    text += line;
  }
  return text;
}

std::string PageBytesIn(int page, TEncoding encoding) {
  std::string bytes;
  platform::EncodeText(PageText(page), encoding, bytes);
  return bytes;
}

// The page files, each written once per run; all are removed at exit.
const std::string& PagePath(int page, TEncoding encoding) {
  static std::map<std::pair<int, TEncoding>, std::string> paths;
  const auto [it, added] = paths.try_emplace({page, encoding});
  if (added) {
    if (paths.size() == 1) {
      std::atexit([] {
        for (const auto& [key, path] : paths) std::filesystem::remove(path);
      });
    }
    it->second = (std::filesystem::temp_directory_path() /
                  ("quorvel-bench-" + std::to_string(::getpid()) + "-" + std::to_string(page) + "-" +
                   std::to_string(static_cast<int>(encoding)) + ".html"))
                     .string();
    std::ofstream(it->second, std::ios::binary) << PageBytesIn(page, encoding);
  }
  return it->second;
}

// A field of /proc/self/status, in MiB.
double StatusMiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string key; status >> key;) {
    if (key == field) {
      double kib = 0;
      status >> kib;
      return kib / 1024.0;
    }
  }
  return 0;
}

// Opens the page as the main window will: in the encoding its bytes tell, or as
// Windows-1251 bytes the way every page was read before encodings.
std::vector<std::string> ReadPage(const std::string& path, bool detect) {
  std::optional<platform::TTextFileReader> reader;
  if (detect) {
    reader.emplace(path, std::nullopt);
  } else {
    reader.emplace(path);
  }
  return reader->ReadAllLines();
}

// What one read adds to the resident memory at its peak. It runs in a child process
// that has given its free heap back first, so no memory of earlier runs hides its own.
double PeakMiBOfOneRead(const std::string& path, bool detect) {
  int channel[2];
  if (::pipe(channel) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const double before = StatusMiB("VmRSS:");
    benchmark::DoNotOptimize(ReadPage(path, detect));
    const double peak = StatusMiB("VmHWM:") - before;
    [[maybe_unused]] const ssize_t sent = ::write(channel[1], &peak, sizeof peak);
    ::_exit(0);
  }
  double peak = -1;
  [[maybe_unused]] const ssize_t got = ::read(channel[0], &peak, sizeof peak);
  ::waitpid(child, nullptr, 0);
  ::close(channel[0]);
  ::close(channel[1]);
  return peak;
}

void ReadLines(benchmark::State& state, TEncoding saved, bool detect) {
  const std::string& path = PagePath(static_cast<int>(state.range(0)), saved);
  std::size_t lines = 0;
  for (auto _ : state) lines = ReadPage(path, detect).size();
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["peak_MiB"] = PeakMiBOfOneRead(path, detect);
}

void BM_ReadWindows1251(benchmark::State& state) { ReadLines(state, TEncoding::Windows1251, false); }
BENCHMARK(BM_ReadWindows1251)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReadWindows1251Detected(benchmark::State& state) { ReadLines(state, TEncoding::Windows1251, true); }
BENCHMARK(BM_ReadWindows1251Detected)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReadUtf8Detected(benchmark::State& state) { ReadLines(state, TEncoding::Utf8, true); }
BENCHMARK(BM_ReadUtf8Detected)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DetectUtf8InMemory(benchmark::State& state) {
  const std::string bytes = PageBytesIn(static_cast<int>(state.range(0)), TEncoding::Utf8);
  for (auto _ : state) benchmark::DoNotOptimize(platform::DetectEncoding(bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_DetectUtf8InMemory)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DecodeUtf8InMemory(benchmark::State& state) {
  const std::string bytes = PageBytesIn(static_cast<int>(state.range(0)), TEncoding::Utf8);
  std::string text;
  for (auto _ : state) {
    text.clear();
    platform::DecodeText(bytes, TEncoding::Utf8, true, text);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeUtf8InMemory)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
