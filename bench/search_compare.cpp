// Find, count and replace on a 50 MB Windows-1251 HTML page, side by side with the
// peers' own search: QTextDocument::find of QPlainTextEdit and findFirst of QScintilla
// (when it is installed). The floor is a memchr scan of the same rows. Prints Markdown.
//
//   search_compare [--mb=50] [--replaced=100000]
#include <QApplication>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#if defined(QUORVEL_HAVE_QSCINTILLA)
#include <Qsci/qsciscintilla.h>
#endif

#include "editor/Commands.h"
#include "editor/html/Memo1Settings.h"
#include "editor/search/Replace.h"
#include "platform/Cp1251.h"
#include "qsci_html_corpus.h"
#include "qt/EditorWidget.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace editor::search;

double MsSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

// The best of a few runs: the machine is shared, the fastest run is the cost itself.
double Best(int runs, const std::function<void()>& action) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    action();
    best = std::min(best, MsSince(start));
  }
  return best;
}

long PeakRssKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

// "Привет" and the word found once, at the very end, in Windows-1251.
const std::string kGreeting = "\xcf\xf0\xe8\xe2\xe5\xf2";
const std::string kLastWord = "\xc7\xc0\xc2\xc5\xd0\xd8\xc5\xcd\xc8\xc5";  // ЗАВЕРШЕНИЕ
const std::string kGreetingRow = "<p>" + kGreeting + ", \xec\xe8\xf0!</p>";

// The corpus rows up to `bytes`, `greetings` of them (spread evenly) carrying "Привет",
// and the last row the only one with ЗАВЕРШЕНИЕ.
std::vector<std::string> MakePage(std::size_t bytes, int greetings) {
  std::vector<std::string> rows;
  std::size_t size = 0;
  const std::size_t extra = static_cast<std::size_t>(greetings) * kGreetingRow.size();
  for (int row = 0; size + extra < bytes; ++row) {
    rows.push_back(bench_corpus::DenseHtmlLine(row));
    size += rows.back().size() + 2;
  }
  const std::size_t step = rows.size() / static_cast<std::size_t>(greetings);
  for (int i = 0; i < greetings; ++i) rows[static_cast<std::size_t>(i) * step] += kGreetingRow;
  rows.push_back("<p>" + kLastWord + "</p>");
  return rows;
}

struct Row {
  std::string what, ours, floor, plain, qsci;
};
std::vector<Row> table;

std::string Ms(double ms) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, ms < 10 ? "%.2f ms" : "%.0f ms", ms);
  return buffer;
}

std::string Ratio(double ours, double floor) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, " (%.1f×)", ours / floor);
  return buffer;
}

QString Unicode(const std::string& bytes) { return QString::fromStdU16String(platform::Cp1251ToUtf16(bytes)); }

// ---- This program ----

struct OwnResults {
  double floorRows = 0, floorFlat = 0;
  double findPlain = 0, findCaseless = 0, findRegex = 0;
  double countPlain = 0, countRegex = 0;
  long long counted = 0;
  double longestSlice = 0;
  std::vector<double> sliceMs;
  int slices = 0;
  double replaceAll = 0, undo = 0;
  long long replaced = 0;
  bool sameAfterUndo = false;
  long rssGrowthKiB = 0;
  std::size_t pageBytes = 0;
};

// memchr for a byte the text lacks, over every row of the line store: reading the same
// bytes in the same rows with the fastest scan there is.
double FloorRows(const editor::TEditorStrings& lines) {
  return Best(9, [&] {
    std::size_t hits = 0;
    for (int i = 0; i < lines.Count(); ++i) {
      const std::string& row = lines.Get(i);
      hits += std::memchr(row.data(), '\x01', row.size()) != nullptr;
    }
    if (hits != 0) std::abort();
  });
}

double FindAtEnd(const editor::TEditorStrings& lines, const TSearchPattern& pattern) {
  return Best(9, [&] {
    TFindScan scan(lines, pattern, TSearchRegion::WholeText(), {0, 0}, false, true);
    if (scan.Run(NoDeadline()) != TFindScan::fsFound || scan.Match().Row != lines.Count() - 1) std::abort();
  });
}

double CountAll(const editor::TEditorStrings& lines, const TSearchPattern& pattern, long long& counted) {
  return Best(3, [&] {
    TMatchCount count(lines, pattern, TSearchRegion::WholeText());
    count.Run(NoDeadline());
    counted = count.Count();
  });
}

OwnResults RunOwn(const std::vector<std::string>& page) {
  OwnResults r;
  EditorWidget widget;
  editor::THLEditor& memo = widget.Editor();
  editor::ConfigureMemo1(memo);
  widget.resize(1000, 800);
  widget.show();
  memo.Lines().Assign(page);
  memo.ShowFromTop();
  QApplication::processEvents();
  const editor::TEditorStrings& lines = memo.Lines();
  for (const std::string& row : page) r.pageBytes += row.size() + 2;

  r.floorRows = FloorRows(lines);
  std::string flat;
  flat.reserve(r.pageBytes);
  for (const std::string& row : page) flat.append(row).append("\r\n");
  r.floorFlat = Best(5, [&] {
    if (std::memchr(flat.data(), '\x01', flat.size()) != nullptr) std::abort();
  });
  flat = std::string();

  r.findPlain = FindAtEnd(lines, TSearchPattern(kLastWord, {true, false, false}));
  r.findCaseless = FindAtEnd(lines, TSearchPattern(kLastWord, {false, false, false}));
  r.findRegex = FindAtEnd(lines, TSearchPattern(kLastWord.substr(0, 9) + "[\xc5\xdf]</p>", {true, false, true}));
  long long regexCount = 0;
  r.countPlain = CountAll(lines, TSearchPattern(kGreeting, {true, false, false}), r.counted);
  r.countRegex = CountAll(lines, TSearchPattern(kGreeting + ",\\s", {true, false, true}), regexCount);
  if (regexCount != r.counted) std::abort();

  // Finding as you type: the slices the window runs between keys (6 ms each, as the find
  // panel's runner), up to the match at the end and through the count after it.
  const TSearchPattern typed(kLastWord, {false, false, false});
  TFindScan scan(lines, typed, TSearchRegion::WholeText(), {0, 0}, false, true);
  TMatchCount count(lines, typed, TSearchRegion::WholeText());
  for (bool done = false; !done; ++r.slices) {
    const auto start = Clock::now();
    if (scan.Status() == TFindScan::fsRunning) {
      scan.Run(start + std::chrono::milliseconds(6));
    } else {
      done = count.Run(start + std::chrono::milliseconds(6));
    }
    r.sliceMs.push_back(MsSince(start));
    r.longestSlice = std::max(r.longestSlice, r.sliceMs.back());
  }
  std::sort(r.sliceMs.begin(), r.sliceMs.end());

  // Replace All, then its one undo, each with the repaint it causes.
  const long rssBefore = PeakRssKiB();
  TSearchRegion whole = TSearchRegion::WholeText();
  const TSearchPattern greeting(kGreeting, {true, false, false});
  auto start = Clock::now();
  r.replaced = ReplaceAll(memo, greeting, whole, "\xc7\xe4\xf0\xe0\xe2\xf1\xf2\xe2\xf3\xe9\xf2\xe5").Count;
  QApplication::processEvents();
  r.replaceAll = MsSince(start);
  start = Clock::now();
  memo.Command(editor::ecUndo);
  QApplication::processEvents();
  r.undo = MsSince(start);
  r.rssGrowthKiB = PeakRssKiB() - rssBefore;
  r.sameAfterUndo = lines.Count() == static_cast<int>(page.size());
  for (int i = 0; r.sameAfterUndo && i < lines.Count(); ++i) r.sameAfterUndo = lines.Get(i) == page[static_cast<std::size_t>(i)];
  return r;
}

// ---- The peers ----

struct PeerResults {
  double find = -1, findRegex = -1, count = -1;
  long long counted = 0;
};

PeerResults RunPlain(const std::vector<std::string>& page) {
  PeerResults r;
  QPlainTextEdit edit;
  std::string bytes;
  for (const std::string& row : page) bytes.append(row).append("\n");
  edit.setPlainText(Unicode(bytes));
  bytes = std::string();
  QTextDocument& document = *edit.document();
  const QString last = Unicode(kLastWord);
  const QTextDocument::FindFlags exact = QTextDocument::FindCaseSensitively;
  r.find = Best(3, [&] {
    if (document.find(last, QTextCursor(&document), exact).isNull()) std::abort();
  });
  const QRegularExpression regex(Unicode(kLastWord.substr(0, 9)) + QStringLiteral("[ЕЯ]</p>"));
  r.findRegex = Best(3, [&] {
    if (document.find(regex, QTextCursor(&document)).isNull()) std::abort();
  });
  const QString greeting = Unicode(kGreeting);
  r.count = Best(1, [&] {
    r.counted = 0;
    for (QTextCursor c = document.find(greeting, QTextCursor(&document), exact); !c.isNull();
         c = document.find(greeting, c, exact)) {
      ++r.counted;
    }
  });
  return r;
}

#if defined(QUORVEL_HAVE_QSCINTILLA)
PeerResults RunQsci(const std::vector<std::string>& page) {
  PeerResults r;
  QsciScintilla edit;
  edit.setUtf8(false);
  std::string bytes;
  for (const std::string& row : page) bytes.append(row).append("\r\n");
  edit.SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, bytes.c_str());
  bytes = std::string();
  // Without UTF-8 the expression goes to Scintilla as Latin-1 bytes: these are the
  // Windows-1251 bytes of the words.
  const QString last = QString::fromLatin1(kLastWord);
  r.find = Best(3, [&] {
    if (!edit.findFirst(last, false, true, false, false, true, 0, 0)) std::abort();
  });
  const QString regex = QString::fromLatin1(kLastWord.substr(0, 9) + "[\xc5\xdf]</p>");
  r.findRegex = Best(3, [&] {
    if (!edit.findFirst(regex, true, true, false, false, true, 0, 0)) std::abort();
  });
  const QString greeting = QString::fromLatin1(kGreeting);
  r.count = Best(1, [&] {
    r.counted = 0;
    for (bool found = edit.findFirst(greeting, false, true, false, false, true, 0, 0); found; found = edit.findNext()) {
      ++r.counted;
    }
  });
  return r;
}
#endif

std::string PeerCell(double ms, double floor) { return ms < 0 ? "–" : Ms(ms) + Ratio(ms, floor); }

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::size_t megabytes = 50;
  int greetings = 100000;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--mb=", 0) == 0) megabytes = std::stoul(arg.substr(5));
    if (arg.rfind("--replaced=", 0) == 0) greetings = std::stoi(arg.substr(11));
  }
  const std::vector<std::string> page = MakePage(megabytes << 20, greetings);
  const OwnResults own = RunOwn(page);
  const PeerResults plain = RunPlain(page);
  PeerResults qsci;
#if defined(QUORVEL_HAVE_QSCINTILLA)
  qsci = RunQsci(page);
#endif

  const double floor = own.floorRows;
  std::printf("Page: %.1f MiB in %zu rows; floor (memchr over every row): %s; memchr over the file's "
              "bytes in one block: %s\n\n",
              static_cast<double>(own.pageBytes) / (1 << 20), page.size(), Ms(floor).c_str(), Ms(own.floorFlat).c_str());
  std::printf("| operation | Quorvel | QPlainTextEdit (QTextDocument::find) | QScintilla (findFirst) |\n");
  std::printf("|---|---|---|---|\n");
  std::printf("| find the word at the end, case sensitive | %s | %s | %s |\n", PeerCell(own.findPlain, floor).c_str(),
              PeerCell(plain.find, floor).c_str(), PeerCell(qsci.find, floor).c_str());
  std::printf("| the same, ignoring case | %s | – | – |\n", PeerCell(own.findCaseless, floor).c_str());
  std::printf("| find it with a regular expression | %s | %s | %s |\n", PeerCell(own.findRegex, floor).c_str(),
              PeerCell(plain.findRegex, floor).c_str(), PeerCell(qsci.findRegex, floor).c_str());
  std::printf("| count a word's %lld matches | %s | %s | %s |\n", own.counted, PeerCell(own.countPlain, floor).c_str(),
              PeerCell(plain.count, floor).c_str(), PeerCell(qsci.count, floor).c_str());
  std::printf("| count them with a regular expression | %s | – | – |\n", PeerCell(own.countRegex, floor).c_str());
  std::printf("| typing: slices between two keys to the end and the count: median / longest (%d slices) | %s / %s | – | – |\n",
              own.slices, Ms(own.sliceMs[own.sliceMs.size() / 2]).c_str(), Ms(own.longestSlice).c_str());
  std::printf("| Replace All of %lld matches, with its repaint | %s | – | – |\n", own.replaced, Ms(own.replaceAll).c_str());
  std::printf("| its one Ctrl+Z (text back byte for byte: %s) | %s | – | – |\n", own.sameAfterUndo ? "yes" : "NO",
              Ms(own.undo).c_str());
  std::printf("| memory the two take at their peak, over the page's size | %.2f× (%ld MiB) | – | – |\n",
              static_cast<double>(own.rssGrowthKiB) * 1024 / static_cast<double>(own.pageBytes), own.rssGrowthKiB / 1024);
  if (plain.counted != own.counted || (qsci.counted != 0 && qsci.counted != own.counted)) {
    std::printf("\nCOUNTS DIFFER: QPlainTextEdit %lld, QScintilla %lld\n", plain.counted, qsci.counted);
  }
  return 0;
}
