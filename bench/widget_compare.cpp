// Side-by-side costs of three editor windows on the same generated Windows-1251 HTML
// files: this program's EditorWidget (set up as Memo1, also with the document's recovery
// journal on), QScintilla with its HTML lexer and QPlainTextEdit. Every operation is a
// real key event followed by the paint it causes. Each editor and file runs in a child
// process of its own, so that its peak resident memory is its own. Prints one Markdown
// table.
//
//   widget_compare [--sizes=1k,1m,10m,50m,1klines,1mlines,longline] [--editors=ours,journal,plain,qsci]
//                  [--ops=letter,enter,deleteline,firstenter,paste,lt,pair,begin,recover]
//                  [--keys=200] [--budget=1.5] [--dir=/tmp]
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/DocumentJournal.h"
#include "editor/html/Memo1Settings.h"
#include "journal/DocumentStamp.h"
#include "journal/Orphans.h"
#include "platform/Cp1251.h"
#include "platform/TextFile.h"
#include "qsci_html_corpus.h"
#include "qt/EditorWidget.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// ---- Generated files ----

struct TestFile {
  std::string key;    // flag name
  std::string title;  // table name
};

const std::vector<TestFile> kFiles = {
    {"1k", "1 KB"},         {"1m", "1 MB"},           {"10m", "10 MB"},
    {"50m", "50 MB"},       {"1klines", "1,000 lines"},   {"1mlines", "1,000,000 lines"},
    {"longline", "one 200,000-byte line"},
};

// Every seventh row carries Russian text in Windows-1251.
std::string CorpusLine(int row) {
  std::string line = bench_corpus::DenseHtmlLine(row);
  if (row % 7 == 3) line += "<p>\xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0!</p>";
  return line;
}

void Generate(const std::string& key, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  if (key == "longline") {
    std::string line;
    for (int row = 0; line.size() < 200000; ++row) line += CorpusLine(row);
    line.resize(200000);
    out << line << "\r\n";
    return;
  }
  // The two files of short list rows differ only in their number of lines: the cost of a
  // line break at 1,000,000 lines is compared with its cost at 1,000.
  if (key == "1klines" || key == "1mlines") {
    const int rows = key == "1klines" ? 1000 : 1000000;
    for (int row = 0; row < rows; ++row) out << "<li>item " << row << "</li>\r\n";
    return;
  }
  const std::size_t target = key == "1k" ? 1024 : key == "1m" ? 1u << 20 : key == "10m" ? 10u << 20 : 50u << 20;
  std::size_t written = 0;
  for (int row = 0; written < target; ++row) {
    const std::string line = CorpusLine(row);
    out << line << "\r\n";
    written += line.size() + 2;
  }
}

std::string ReadAll(const std::string& path) {
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    std::fseek(f, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
  }
  return bytes;
}

// The floor for Open: the file read into memory in one go and its lines counted.
double ReadAndCountMs(const std::string& path) {
  double best = 1e30;
  for (int i = 0; i < 3; ++i) {
    const auto start = Clock::now();
    const std::string bytes = ReadAll(path);
    volatile long lines = std::count(bytes.begin(), bytes.end(), '\n');
    (void)lines;
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

// ---- The editors behind one interface ----

class Subject {
 public:
  virtual ~Subject() = default;
  virtual QWidget& Widget() = 0;
  // The key events go here.
  virtual QWidget& KeyTarget() { return Widget(); }
  virtual void Open(const std::string& path) = 0;
  virtual int LineCount() = 0;
  // Caret at (column, row), the row scrolled into the view.
  virtual void GoTo(int column, int row) = 0;
  virtual bool HasDeleteLine() const = 0;
  virtual void DeleteLineKey() = 0;
};

class OwnSubject : public Subject {
 public:
  OwnSubject() { editor::ConfigureMemo1(widget_.Editor()); }
  QWidget& Widget() override { return widget_; }
  // As the main window opens a document: one reading pass, then the view at the top.
  void Open(const std::string& path) override {
    platform::TTextFileReader reader(path);
    std::vector<std::string> text;
    for (std::string line; reader.ReadLine(line);) text.push_back(std::move(line));
    widget_.Editor().Lines().Assign(std::move(text));
    widget_.Editor().ShowFromTop();
  }
  int LineCount() override { return widget_.Editor().LineCount(); }
  void GoTo(int column, int row) override {
    editor::THLEditor& memo = widget_.Editor();
    memo.View().SetLeftTop(0, std::max(row - 10, 0));
    memo.MoveCaretTo(column, row);
  }
  bool HasDeleteLine() const override { return true; }
  void DeleteLineKey() override { QTest::keyClick(&widget_, Qt::Key_Y, Qt::ControlModifier); }

 protected:
  EditorWidget& Memo() { return widget_; }

 private:
  EditorWidget widget_;
};

// Our editor with the document's recovery journal on, kept as the main window keeps it:
// ended before Open replaces the text and begun again at idle after it, every change
// appended, flushes on a worker.
class JournalledSubject : public OwnSubject {
 public:
  explicit JournalledSubject(std::string folder) : folder_(std::move(folder)) { Attach(); }
  ~JournalledSubject() override {
    journal_.reset();
    std::filesystem::remove_all(folder_);
  }
  void Open(const std::string& path) override {
    journal_->Stop();
    path_ = path;
    OwnSubject::Open(path);
    journal_->Restart();
  }
  // The journal of the stored text begins again (as after a save).
  void Restart() { journal_->Restart(); }
  // Off: the journal ends and the lines are not followed; on: it begins again.
  void Follow(bool on) {
    if (on) {
      journal_->Restart();
    } else {
      journal_->Stop();
    }
  }
  // Left as a killed program leaves it, the journal is recovered as the start-up offer
  // does it: the orphans listed before the offer is shown, then the one chosen replayed
  // and its text shown. The milliseconds of each.
  std::pair<double, double> Recover() {
    journal_.reset();
    // As at start: the window holds an empty page when the offer restores a text.
    Memo().Editor().Lines().Clear();
    QApplication::processEvents();
    const auto listing = Clock::now();
    std::vector<journal::TOrphanJournal> orphans = journal::FindOrphanedJournals(folder_);
    const double listedMs = MsSince(listing);
    if (orphans.empty()) return {0, 0};
    const auto restoring = Clock::now();
    journal::TRecoveredText text = orphans.front().Recover();
    Memo().Editor().Lines().Assign(std::move(text.lines));
    Memo().Editor().ShowFromTop();
    QApplication::processEvents();
    const double restoredMs = MsSince(restoring);
    orphans.front().Remove();
    Attach();
    return {listedMs, restoredMs};
  }

 private:
  void Attach() {
    TDocumentJournal::TSettings settings;
    settings.folder = folder_;
    settings.stamp = [this] {
      const journal::TDocumentStamp named{path_, "windows-1251"};
      return path_.empty() ? named : journal::StampFile(path_, "windows-1251").value_or(named);
    };
    settings.tell = [](const std::string& message) { std::fprintf(stderr, "journal: %s\n", message.c_str()); };
    journal_ = std::make_unique<TDocumentJournal>(Memo().Editor().Lines().Model(), std::move(settings));
  }

  std::string folder_;
  std::string path_;
  std::unique_ptr<TDocumentJournal> journal_;
};

class PlainSubject : public Subject {
 public:
  PlainSubject() {
    edit_.setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font("Courier New");
    font.setPixelSize(13);
    edit_.setFont(font);
  }
  QWidget& Widget() override { return edit_; }
  void Open(const std::string& path) override {
    const std::string bytes = ReadAll(path);
    edit_.setPlainText(QString::fromStdU16String(platform::Cp1251ToUtf16(bytes)));
  }
  int LineCount() override { return edit_.blockCount(); }
  void GoTo(int column, int row) override {
    QTextCursor cursor(edit_.document()->findBlockByNumber(row));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
    edit_.setTextCursor(cursor);
    edit_.ensureCursorVisible();
  }
  bool HasDeleteLine() const override { return false; }
  void DeleteLineKey() override {}

 private:
  QPlainTextEdit edit_;
};

class QsciSubject : public Subject {
 public:
  QsciSubject() {
    edit_.setUtf8(false);
    edit_.setLexer(&lexer_);
  }
  QWidget& Widget() override { return edit_; }
  void Open(const std::string& path) override {
    const std::string bytes = ReadAll(path);
    edit_.SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, bytes.c_str());
    edit_.SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
  }
  int LineCount() override { return edit_.lines(); }
  void GoTo(int column, int row) override {
    edit_.setCursorPosition(row, column);
    edit_.ensureLineVisible(row);
  }
  bool HasDeleteLine() const override { return true; }
  void DeleteLineKey() override {
    QTest::keyClick(&edit_, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
  }

 private:
  QsciScintilla edit_;
  QsciLexerHTML lexer_;
};

std::unique_ptr<Subject> MakeSubject(const std::string& name, const std::string& file) {
  if (name == "ours") return std::make_unique<OwnSubject>();
  if (name == "journal") {
    const std::filesystem::path beside = file.empty() ? std::filesystem::temp_directory_path()
                                                      : std::filesystem::path(file).parent_path();
    const std::string folder = "quorvel-bench-journal-" + std::to_string(getpid());
    return std::make_unique<JournalledSubject>((beside / folder).string());
  }
  if (name == "plain") return std::make_unique<PlainSubject>();
  return std::make_unique<QsciSubject>();
}

// ---- Measuring in the child ----

struct Samples {
  std::vector<double> ms;
  double Mean() const {
    double sum = 0;
    for (double m : ms) sum += m;
    return ms.empty() ? 0 : sum / static_cast<double>(ms.size());
  }
  double Median() const {
    if (ms.empty()) return 0;
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
  }
  double P99() const {
    if (ms.empty()) return 0;
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    return sorted[std::min(sorted.size() - 1, static_cast<std::size_t>(0.99 * static_cast<double>(sorted.size())))];
  }
};

// Everything the event loop has pending, the paint of the changed area included.
void Settle() { QApplication::processEvents(); }

double Timed(const std::function<void()>& action) {
  const auto start = Clock::now();
  action();
  Settle();
  return MsSince(start);
}

struct ChildOptions {
  std::string editor, file, key;
  int keys = 200;
  double budget = 1.5;
  std::string ops;  // empty: all of them
  bool Wants(const char* op) const { return ops.empty() || ("," + ops + ",").find("," + std::string(op) + ",") != std::string::npos; }
};

// Up to `count` timed runs of `step`, stopping early once the budget is spent.
Samples Repeat(int count, double budgetMs, const std::function<double()>& step) {
  Samples s;
  const auto start = Clock::now();
  for (int i = 0; i < count && (i < 5 || MsSince(start) < budgetMs); ++i) s.ms.push_back(step());
  return s;
}

void Report(const char* op, const Samples& s) {
  std::printf("RESULT %s %.4f %.4f %zu\n", op, s.Mean(), s.P99(), s.ms.size());
}

// The same step with the journal off and on in alternating blocks, so that the load of
// the machine falls on both alike; reported as the two medians.
void ReportPaired(const char* op, JournalledSubject& subject, int rounds, int block,
                  const std::function<double()>& step) {
  Samples off, on;
  for (int round = 0; round < rounds; ++round) {
    for (const bool journalOn : {false, true}) {
      subject.Follow(journalOn);
      Settle();
      for (int i = 0; i < block; ++i) (journalOn ? on : off).ms.push_back(step());
    }
  }
  std::printf("RESULT %s %.4f %.4f %zu\n", op, off.Median(), on.Median(), on.ms.size());
}

// The first row from `row` on that starts with a tag, so that Enter at its end gives no
// indent.
int RowStartingWithTag(Subject& subject, int row) {
  if (subject.LineCount() > 20) {
    while (bench_corpus::DenseHtmlLine(row)[0] == ' ') ++row;
  }
  return row;
}

int MiddleRow(Subject& subject) { return RowStartingWithTag(subject, subject.LineCount() / 2); }

int RunChild(const ChildOptions& o) {
  std::unique_ptr<Subject> subject = MakeSubject(o.editor, o.file);
  auto* const journalled = dynamic_cast<JournalledSubject*>(subject.get());
  QWidget& w = subject->Widget();
  w.resize(1000, 800);
  w.show();
  w.activateWindow();
  w.setFocus();
  Settle();
  if (o.file.empty()) {  // the empty program
    std::printf("RESULT open 0 0 1\nRSS %ld\n", PeakRssKiB());
    return 0;
  }
  const double budget = o.budget * 1000;
  Samples open;
  open.ms.push_back(Timed([&] { subject->Open(o.file); }));
  Report("open", open);
  std::printf("RSS %ld\n", PeakRssKiB());
  std::fflush(stdout);
  if (journalled != nullptr && o.Wants("begin")) {
    Report("begin", Repeat(3, budget, [&] { return Timed([&] { journalled->Restart(); }); }));
  }

  QWidget& k = subject->KeyTarget();
  const bool longLine = o.key == "longline";
  const int row = longLine ? 0 : MiddleRow(*subject);
  // Enter at the end of a row, then Backspace joining the rows again; before the letters,
  // which lengthen the row until its end would lie right of the view.
  if (!longLine) {
    subject->GoTo(0, row);
    QTest::keyClick(&k, Qt::Key_End);
    Settle();
    Samples enter, join;
    const auto pairStart = Clock::now();
    for (int i = 0; o.Wants("enter") && i < o.keys && (i < 5 || MsSince(pairStart) < 2 * budget); ++i) {
      enter.ms.push_back(Timed([&] { QTest::keyClick(&k, Qt::Key_Return); }));
      join.ms.push_back(Timed([&] { QTest::keyClick(&k, Qt::Key_Backspace); }));
    }
    if (!enter.ms.empty()) Report("enter", enter);
    if (!join.ms.empty()) Report("join", join);
  }

  // Letters typed where the row is in view; every 40 letters the caret goes back (not
  // timed), so that the view never scrolls sideways.
  subject->GoTo(longLine ? 40 : 5, row);
  Settle();
  int typed = 0;
  const auto letter = [&] {
    if (++typed % 40 == 0) {
      subject->GoTo(longLine ? 40 : 5, row);
      Settle();
    }
    return Timed([&] { QTest::keyClick(&k, Qt::Key_A); });
  };
  if (o.Wants("letter")) Report("letter", Repeat(o.keys, budget, letter));
  if (journalled != nullptr && o.Wants("pair")) ReportPaired("letterpair", *journalled, 10, 20, letter);
  if (longLine) {
    // The first "<" on the row turns the rest of it into a tag.
    if (o.Wants("lt")) Report("lt", Repeat(1, budget, [&] { return Timed([&] { QTest::keyClick(&k, '<'); }); }));
    return 0;
  }

  if (subject->HasDeleteLine() && o.Wants("deleteline")) {
    subject->GoTo(0, row);
    Settle();
    Report("deleteline", Repeat(o.keys, budget, [&] { return Timed([&] { subject->DeleteLineKey(); }); }));
  }

  // The first Enter at a new place: each one at the other end of the text from the last
  // edit, so that whatever an editor keeps at its last edit has to move across the text.
  // An untimed Backspace at the same place takes each one back.
  if (o.Wants("firstenter")) {
    const int last = subject->LineCount() - 1;
    const int ends[2] = {RowStartingWithTag(*subject, std::min(10, last)), RowStartingWithTag(*subject, std::max(last - 20, 0))};
    int place = 0;
    Report("firstenter", Repeat(o.keys / 4, budget, [&] {
             subject->GoTo(0, ends[place++ % 2]);
             QTest::keyClick(&k, Qt::Key_End);
             Settle();
             const double ms = Timed([&] { QTest::keyClick(&k, Qt::Key_Return); });
             QTest::keyClick(&k, Qt::Key_Backspace);
             Settle();
             return ms;
           }));
  }

  if (!o.Wants("paste")) return 0;
  QString thousand;
  for (int i = 0; i < 1000; ++i) thousand += QString::fromStdString(bench_corpus::DenseHtmlLine(i)) + "\n";
  QApplication::clipboard()->setText(thousand);
  subject->GoTo(0, MiddleRow(*subject));
  Settle();
  const auto paste = [&] { return Timed([&] { QTest::keyClick(&k, Qt::Key_V, Qt::ControlModifier); }); };
  Report("paste", Repeat(o.keys / 10, budget, paste));
  if (journalled != nullptr && o.Wants("pair")) ReportPaired("pastepair", *journalled, 10, 4, paste);
  if (journalled != nullptr && o.Wants("recover")) {
    const auto [listedMs, restoredMs] = journalled->Recover();
    Report("listed", Samples{{listedMs}});
    Report("recover", Samples{{restoredMs}});
  }
  return 0;
}

// ---- The parent: runs the children and prints the table ----

struct Result {
  std::map<std::string, std::pair<double, double>> ops;  // op -> mean, p99
  long openRssKiB = 0;
  long peakRssKiB = 0;
  bool ran = false;
};

Result RunInChild(const std::string& self, const std::string& editor, const std::string& file,
                  const std::string& key, int keys, double budget, const std::string& ops) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], 1);
    close(fds[0]);
    close(fds[1]);
    const std::string a1 = "--child=" + editor, a2 = "--file=" + file, a3 = "--key=" + key,
                      a4 = "--keys=" + std::to_string(keys), a5 = "--budget=" + std::to_string(budget), a6 = "--ops=" + ops;
    execl(self.c_str(), self.c_str(), a1.c_str(), a2.c_str(), a3.c_str(), a4.c_str(), a5.c_str(),
          a6.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string out;
  char buf[4096];
  for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  Result r;
  r.ran = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  r.peakRssKiB = usage.ru_maxrss;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream in(line);
    std::string tag, op;
    in >> tag;
    if (tag == "RSS") in >> r.openRssKiB;
    if (tag != "RESULT") continue;
    double mean = 0, p99 = 0;
    in >> op >> mean >> p99;
    r.ops[op] = {mean, p99};
  }
  return r;
}

std::string Ms(double ms) {
  char buf[32];
  if (ms < 1) std::snprintf(buf, sizeof buf, "%.3f", ms);
  else if (ms < 100) std::snprintf(buf, sizeof buf, "%.1f", ms);
  else std::snprintf(buf, sizeof buf, "%.0f", ms);
  return buf;
}

std::string Cell(const Result& r, const std::string& op) {
  if (!r.ran && r.ops.empty()) return "failed";
  const auto it = r.ops.find(op);
  if (it == r.ops.end()) return "–";
  if (op == "open" || op == "lt" || op == "listed" || op == "recover") return Ms(it->second.first) + " ms";
  if (op == "letterpair" || op == "pastepair") {
    char extra[32];
    std::snprintf(extra, sizeof extra, " (%+.1f µs)", (it->second.second - it->second.first) * 1000);
    return Ms(it->second.first) + " / " + Ms(it->second.second) + " ms" + extra;
  }
  return Ms(it->second.first) + " / " + Ms(it->second.second) + " ms";
}

std::vector<std::string> SplitList(const std::string& s) {
  std::vector<std::string> items;
  std::stringstream in(s);
  for (std::string item; std::getline(in, item, ',');)
    if (!item.empty()) items.push_back(item);
  return items;
}

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string, std::string> flags;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const std::size_t eq = arg.find('=');
    if (arg.rfind("--", 0) != 0 || eq == std::string::npos) {
      std::fprintf(stderr,
                   "usage: %s [--sizes=1k,1m,10m,50m,1klines,1mlines,longline] [--editors=ours,journal,plain,qsci] "
                   "[--keys=200] [--budget=1.5] [--dir=/tmp]\n",
                   argv[0]);
      return 2;
    }
    flags[arg.substr(2, eq - 2)] = arg.substr(eq + 1);
  }
  const auto flag = [&](const char* name, const char* fallback) {
    const auto it = flags.find(name);
    return it == flags.end() ? std::string(fallback) : it->second;
  };
  const int keys = std::stoi(flag("keys", "200"));
  const double budget = std::stod(flag("budget", "1.5"));

  if (flags.count("child")) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RunChild({flag("child", ""), flag("file", ""), flag("key", ""), keys, budget, flag("ops", "")});
  }

  const std::string self = "/proc/self/exe";
  const std::vector<std::string> sizes = SplitList(flag("sizes", "1k,1m,10m,50m,1klines,1mlines,longline"));
  const std::vector<std::string> editors = SplitList(flag("editors", "ours,journal,plain,qsci"));
  const std::string dir = flag("dir", "/tmp");
  const std::string ops = flag("ops", "");
  const std::map<std::string, std::string> names = {
      {"ours", "Quorvel"}, {"journal", "Quorvel, journal on"}, {"plain", "QPlainTextEdit"},
      {"qsci", "QScintilla (HTML lexer)"}};

  std::map<std::string, Result> empty;
  for (const std::string& e : editors) empty[e] = RunInChild(self, e, "", "", keys, budget, ops);

  std::string header = "| file | operation |", rule = "|---|---|";
  for (const std::string& e : editors) {
    header += " " + names.at(e) + " |";
    rule += "---|";
  }
  std::vector<std::string> rows;
  for (const std::string& key : sizes) {
    const auto file = std::find_if(kFiles.begin(), kFiles.end(), [&](const TestFile& f) { return f.key == key; });
    if (file == kFiles.end()) {
      std::fprintf(stderr, "unknown size %s\n", key.c_str());
      return 2;
    }
    const std::string path = dir + "/quorvel-bench-" + key + ".htm";
    Generate(key, path);
    const double floorMs = ReadAndCountMs(path);
    const std::string fileSize = std::to_string(ReadAll(path).size() >> 10) + " KiB";
    std::map<std::string, Result> results;
    for (const std::string& e : editors) {
      std::fprintf(stderr, "%s: %s...\n", file->title.c_str(), e.c_str());
      results[e] = RunInChild(self, e, path, key, keys, budget, ops);
    }
    const auto row = [&](const std::string& title, const std::function<std::string(const Result&, const std::string&)>& cell) {
      std::string line = "| " + file->title + " | " + title + " |";
      for (const std::string& e : editors) line += " " + cell(results[e], e) + " |";
      rows.push_back(line);
    };
    row("open (read + count lines: " + Ms(floorMs) + " ms)", [](const Result& r, const std::string&) { return Cell(r, "open"); });
    row("peak RSS at open, over the empty program (file " + fileSize + ")", [&](const Result& r, const std::string& e) {
      return std::to_string((r.openRssKiB - empty[e].openRssKiB) >> 10) + " MiB";
    });
    row("peak RSS of the whole run", [](const Result& r, const std::string&) {
      return std::to_string(r.peakRssKiB >> 10) + " MiB";
    });
    const std::vector<std::pair<std::string, std::string>> ops = {
        {"letter", "letter, mean / p99"},       {"lt", "first \"<\" on the row"},
        {"enter", "Enter, mean / p99"},         {"join", "Backspace joining rows, mean / p99"},
        {"deleteline", "delete line, mean / p99"},
        {"firstenter", "first Enter at a new place (the other end of the text), mean / p99"},
        {"paste", "paste 1,000 lines, mean / p99"},
        {"letterpair", "letter, journal off / on, medians of alternating blocks"},
        {"pastepair", "paste 1,000 lines, journal off / on, medians of alternating blocks"},
        {"begin", "journal begun at idle after an open or a save, mean / p99"},
        {"listed", "journal listed for the offer at start (read and summed up)"},
        {"recover", "restored from the journal (replayed and shown)"}};
    for (const auto& [op, title] : ops) {
      const bool any = std::any_of(editors.begin(), editors.end(), [&](const std::string& e) { return results[e].ops.count(op); });
      if (any) row(title, [&op](const Result& r, const std::string&) { return Cell(r, op); });
    }
  }
  std::printf("Empty program, peak RSS:");
  for (const std::string& e : editors) std::printf(" %s %ld MiB;", names.at(e).c_str(), empty[e].openRssKiB >> 10);
  std::printf("\n\n%s\n%s\n", header.c_str(), rule.c_str());
  for (const std::string& r : rows) std::printf("%s\n", r.c_str());
  return 0;
}
