// View costs at 10 and 1,000,000 lines: a full paint of a 1280×900 view, a caret move,
// a one-row scroll with its repaint, and Page Down. Counters report what was painted.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "editor/Editor.h"
#include "platform/Host.h"

namespace {

// A surface that measures with fixed metrics and only counts what it is asked to draw.
class CountingSurface : public platform::Surface {
 public:
  void SetFont(const platform::TFontSpec&) override {}
  int TextWidth(std::string_view text) override { return 8 * static_cast<int>(text.size()); }
  int TextHeight(std::string_view) override { return 15; }
  void FillRect(const platform::TRect&, platform::TColor) override { ++Fills; }
  void TextRun(int, int, std::string_view bytes, int, platform::TFontStyles, platform::TColor, platform::TColor,
               const platform::TRect&) override {
    ++Runs;
    Characters += static_cast<long>(bytes.size());
  }
  void VerticalLine(int, int, int, int, platform::TColor) override {}
  void FrameRect(const platform::TRect&, platform::TColor) override {}
  long Fills = 0, Runs = 0, Characters = 0;
};

// A window of 1280×900 that remembers the last area it was asked to repaint.
class BenchHost : public platform::Host {
 public:
  platform::Surface& Canvas() override { return surface; }
  platform::TSize ClientSize() const override { return {1280, 900}; }
  bool HasWindow() const override { return true; }
  bool IsVisible() const override { return true; }
  bool IsEnabled() const override { return true; }
  bool Focused() const override { return true; }
  void SetFocus() override {}
  void InvalidateAll() override { invalid = platform::TRect{0, 0, 1280, 900}; }
  void InvalidateRect(const platform::TRect& rect) override { invalid = rect; }
  void ScrollPixels(int, int, const platform::TRect&, const platform::TRect&) override { ++scrolls; }
  void UpdateWindow() override {}
  void CreateCaret(int, int) override {}
  void DestroyCaret() override {}
  void ShowCaret() override {}
  void HideCaret() override {}
  void SetCaretPos(int, int) override {}
  void SetScrollInfo(platform::TScrollBarKind, const platform::TScrollInfo&) override {}
  int ScrollTrackPos(platform::TScrollBarKind) const override { return 0; }
  void SetTimer(int, int) override {}
  void KillTimer(int) override {}
  void PostEditCommand(std::uint16_t) override {}
  void Beep() override {}
  void SetClipboard(const std::string&, std::optional<int>) override {}
  std::optional<std::string> ClipboardText() const override { return std::nullopt; }
  std::optional<int> ClipboardPrivateFormat() const override { return std::nullopt; }

  CountingSurface surface;
  platform::TRect invalid;
  long scrolls = 0;
};

struct Document {
  BenchHost host;
  editor::TEditor editor{host};
};

// One document per size, made once: filling a million lines is not what is measured.
Document& DocumentOf(int lines) {
  static std::map<int, std::unique_ptr<Document>> documents;
  std::unique_ptr<Document>& doc = documents[lines];
  if (!doc) {
    doc = std::make_unique<Document>();
    const std::string text = "  <p align=\"center\">Paragraph with <b>bold</b> text.</p>";
    for (int i = 0; i < lines; ++i) doc->editor.Lines().Add(text);
    doc->editor.WindowCreated();
    doc->editor.Paint(platform::TRect{0, 0, 1280, 900});
  }
  return *doc;
}

void Report(benchmark::State& state, const CountingSurface& s, long before) {
  state.counters["runs/op"] = benchmark::Counter(static_cast<double>(s.Runs - before) / state.iterations());
}

void BM_FullPaint(benchmark::State& state) {
  Document& doc = DocumentOf(static_cast<int>(state.range(0)));
  // The long document is painted from its middle; the short one shows all its rows.
  doc.editor.View().SetLeftTop(0, doc.editor.LineCount() > 100 ? doc.editor.LineCount() / 2 : 0);
  const long before = doc.host.surface.Runs;
  for (auto _ : state) doc.editor.Paint(platform::TRect{0, 0, 1280, 900});
  Report(state, doc.host.surface, before);
}

void BM_CaretMove(benchmark::State& state) {
  Document& doc = DocumentOf(static_cast<int>(state.range(0)));
  const long before = doc.host.surface.Runs;
  bool right = true;
  for (auto _ : state) {
    doc.editor.Command(right ? editor::ecRight : editor::ecLeft);
    right = !right;
  }
  Report(state, doc.host.surface, before);
}

// One row down and its repaint, then one row up and its repaint.
void BM_OneRowScroll(benchmark::State& state) {
  Document& doc = DocumentOf(static_cast<int>(state.range(0)));
  doc.editor.View().SetLeftTop(0, doc.editor.LineCount() > 100 ? 1000 : 0);
  const int top = doc.editor.View().TopRow;
  const long before = doc.host.surface.Runs;
  for (auto _ : state) {
    doc.editor.View().ScrollView(true, top + 1);
    doc.editor.Paint(doc.host.invalid);
    doc.editor.View().ScrollView(true, top);
    doc.editor.Paint(doc.host.invalid);
  }
  state.counters["runs/scroll"] = benchmark::Counter(static_cast<double>(doc.host.surface.Runs - before) /
                                                     (2.0 * static_cast<double>(state.iterations())));
}

// Page Down and Page Up in turn: the editor's own work, without the repaint it asks for.
void BM_PageDown(benchmark::State& state) {
  Document& doc = DocumentOf(static_cast<int>(state.range(0)));
  doc.editor.SetCaret(0, doc.editor.LineCount() / 2);
  bool down = true;
  for (auto _ : state) {
    doc.editor.Command(down ? editor::ecPageDown : editor::ecPageUp);
    down = !down;
  }
}

BENCHMARK(BM_FullPaint)->Arg(10)->Arg(1000000);
BENCHMARK(BM_CaretMove)->Arg(10)->Arg(1000000);
BENCHMARK(BM_OneRowScroll)->Arg(10)->Arg(1000000);
BENCHMARK(BM_PageDown)->Arg(10)->Arg(1000000);

}  // namespace
