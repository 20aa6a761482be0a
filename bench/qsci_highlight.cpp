// Side-by-side highlighting costs on the same dense HTML documents: this editor's
// colouring and its window's paint against QScintilla with its HTML lexer, per keystroke
// and per full view. Runs offscreen; built only when QScintilla is installed, and only
// for this comparison.
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <memory>

#include "../tests/core/FakeHost.h"
#include "editor/html/HLEditor.h"
#include "editor/html/Memo1Settings.h"
#include "qsci_html_corpus.h"
#include "qt/EditorWidget.h"

namespace {

constexpr int DocumentRows = 65536;
constexpr int ViewRows = 50;
constexpr int ViewColumns = 120;
constexpr int EditedRow = 10;

using Sci = QsciScintillaBase;

// QScintilla with its HTML lexer holding the document, sized to show about ViewRows rows.
struct QsciDocument {
  QsciDocument() {
    editor.setUtf8(false);
    editor.setLexer(&lexer);
    editor.resize(1000, 800);
    QByteArray text;
    for (const auto& line : bench_corpus::DenseHtml(DocumentRows)) {
      text.append(line.data(), static_cast<qsizetype>(line.size()));
      text.append('\n');
    }
    editor.SendScintilla(Sci::SCI_SETTEXT, 0UL, text.constData());
    editor.show();
    QApplication::processEvents();
  }
  long LineStart(int row) {
    return editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(row));
  }
  long LineEnd(int row) {
    return editor.SendScintilla(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(row));
  }
  // Styles what a repaint of the top view needs, from where styling stopped being valid.
  void StyleView() {
    const long from = editor.SendScintilla(Sci::SCI_GETENDSTYLED);
    editor.SendScintilla(Sci::SCI_COLOURISE, static_cast<unsigned long>(from), LineStart(ViewRows));
  }

  QsciScintilla editor;
  QsciLexerHTML lexer;
};

QsciDocument& Qsci() {
  static QsciDocument document;
  return document;
}

// This editor as the program configures Memo1, on the same document.
struct OwnDocument {
  OwnDocument() {
    editor::ConfigureMemo1(memo);
    for (const auto& line : bench_corpus::DenseHtml(DocumentRows)) memo.Lines().Add(line);
    memo.TextEdited(0, 0, editor::taWholeText, "");
  }
  void ColourView() {
    for (int row = 0; row < ViewRows; ++row) memo.ComputeLineAttrs(row, 0, ViewColumns);
    benchmark::DoNotOptimize(memo.View().Attrs);
  }
  testing_support::FakeHost host;
  editor::THLEditor memo{host};
};

OwnDocument& Own() {
  static OwnDocument document;
  return document;
}

// A keystroke that opens a tag at the end of a row near the top, then its removal; each
// text change is followed by the styling the top view needs to repaint.
void BM_Keystroke_Quorvel(benchmark::State& state) {
  OwnDocument& doc = Own();
  const int column = doc.memo.LineLength(EditedRow);
  for (auto _ : state) {
    doc.memo.Lines().InsertBlock(column, EditedRow, "<");
    doc.memo.TextEdited(column, EditedRow, editor::taInsert, "<");
    doc.ColourView();
    doc.memo.Lines().DeleteBlock({column, EditedRow}, {column, EditedRow});
    doc.memo.TextEdited(column, EditedRow, editor::taDelete, "<");
    doc.ColourView();
  }
  state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_Keystroke_Quorvel)->Unit(benchmark::kMicrosecond);

void BM_Keystroke_QScintilla(benchmark::State& state) {
  QsciDocument& doc = Qsci();
  const long position = doc.LineEnd(EditedRow);
  for (auto _ : state) {
    doc.editor.SendScintilla(Sci::SCI_INSERTTEXT, static_cast<unsigned long>(position), "<");
    doc.StyleView();
    doc.editor.SendScintilla(Sci::SCI_DELETERANGE, static_cast<unsigned long>(position), 1L);
    doc.StyleView();
  }
  state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_Keystroke_QScintilla)->Unit(benchmark::kMicrosecond);

// Colouring the whole top view from scratch (items: rows).
void BM_ColourView_Quorvel(benchmark::State& state) {
  OwnDocument& doc = Own();
  for (auto _ : state) doc.ColourView();
  state.SetItemsProcessed(state.iterations() * ViewRows);
}
BENCHMARK(BM_ColourView_Quorvel)->Unit(benchmark::kMicrosecond);

void BM_ColourView_QScintilla(benchmark::State& state) {
  QsciDocument& doc = Qsci();
  const long viewEnd = doc.LineStart(ViewRows);
  for (auto _ : state) doc.editor.SendScintilla(Sci::SCI_COLOURISE, 0UL, viewEnd);
  state.SetItemsProcessed(state.iterations() * ViewRows);
}
BENCHMARK(BM_ColourView_QScintilla)->Unit(benchmark::kMicrosecond);

// The program's editor window, configured as Memo1 and holding the same document.
struct OwnWindow {
  OwnWindow() {
    editor::THLEditor& memo = widget.Editor();
    editor::ConfigureMemo1(memo);
    for (const auto& line : bench_corpus::DenseHtml(DocumentRows)) memo.Lines().Add(line);
    memo.TextEdited(0, 0, editor::taWholeText, "");
    widget.resize(1000, 800);
    widget.show();
    QApplication::processEvents();
  }
  EditorWidget widget;
};

// A full repaint of the editor window into an offscreen pixmap: every row coloured,
// drawn and shown.
void BM_PaintView_Quorvel(benchmark::State& state) {
  static OwnWindow window;
  editor::THLEditor& memo = window.widget.Editor();
  for (auto _ : state) {
    memo.View().InvalidateControl();
    benchmark::DoNotOptimize(window.widget.grab());
  }
  state.counters["rowsOnScreen"] = memo.View().VisibleRowCount;
}
BENCHMARK(BM_PaintView_Quorvel)->Unit(benchmark::kMicrosecond);

// A full repaint of the QScintilla widget into an offscreen pixmap.
void BM_PaintView_QScintilla(benchmark::State& state) {
  QsciDocument& doc = Qsci();
  for (auto _ : state) benchmark::DoNotOptimize(doc.editor.grab());
  state.counters["rowsOnScreen"] =
      static_cast<double>(doc.editor.SendScintilla(Sci::SCI_LINESONSCREEN));
}
BENCHMARK(BM_PaintView_QScintilla)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
