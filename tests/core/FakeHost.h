// A host for core tests: fixed-width text metrics, a surface that records what is drawn,
// a manual timer list, an in-memory clipboard and counters for invalidation and scrolling.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Host.h"

namespace testing_support {

// Every character is 8 pixels wide and 15 high, whatever the font.
class RecordingSurface : public platform::Surface {
 public:
  struct Run {
    int X, Y;
    std::string Text;
    int Advance;
    platform::TFontStyles Style;
    platform::TColor Fore, Back;
  };
  struct Fill {
    platform::TRect Rect;
    platform::TColor Color;
  };

  void SetFont(const platform::TFontSpec& font) override { Font = font; }
  int TextWidth(std::string_view text) override { return 8 * static_cast<int>(text.size()); }
  int TextHeight(std::string_view) override { return 15; }
  void FillRect(const platform::TRect& rect, platform::TColor color) override {
    Fills.push_back({rect, color});
  }
  void TextRun(int x, int y, std::string_view bytes, int advance, platform::TFontStyles style,
               platform::TColor fore, platform::TColor back, const platform::TRect&) override {
    Runs.push_back({x, y, std::string(bytes), advance, style, fore, back});
  }
  void VerticalLine(int x, int top, int bottom, int width, platform::TColor color) override {
    Lines.push_back({platform::TRect{x, top, x + width, bottom}, color});
  }
  void FrameRect(const platform::TRect& rect, platform::TColor color) override {
    Frames.push_back({rect, color});
  }
  void Reset() {
    Runs.clear();
    Fills.clear();
    Lines.clear();
    Frames.clear();
  }

  platform::TFontSpec Font;
  std::vector<Run> Runs;
  std::vector<Fill> Fills;
  std::vector<Fill> Lines;
  std::vector<Fill> Frames;
};

class FakeHost : public platform::Host {
 public:
  platform::Surface& Canvas() override { return Surface; }
  platform::TSize ClientSize() const override { return Size; }
  bool HasWindow() const override { return true; }
  bool IsVisible() const override { return Visible; }
  bool IsEnabled() const override { return true; }
  bool Focused() const override { return Focus; }
  void SetFocus() override { Focus = true; }

  void InvalidateAll() override { ++InvalidateAllCount; }
  void InvalidateRect(const platform::TRect& rect) override { Invalidated.push_back(rect); }
  void ScrollPixels(int dx, int dy, const platform::TRect&, const platform::TRect&) override {
    Scrolls.push_back({dx, dy});
  }
  void UpdateWindow() override { ++UpdateWindowCount; }

  // A new caret starts hidden, like the platform's: CaretShown counts shows minus hides.
  void CreateCaret(int width, int height) override {
    CaretSize = {width, height};
    CaretShown = 0;
  }
  void DestroyCaret() override {
    CaretSize.reset();
    CaretShown = 0;
  }
  void ShowCaret() override { ++CaretShown; }
  void HideCaret() override { --CaretShown; }
  void SetCaretPos(int x, int y) override { CaretPos = {x, y}; }

  void SetScrollInfo(platform::TScrollBarKind kind, const platform::TScrollInfo& info) override {
    ScrollInfo[kind] = info;
  }
  int ScrollTrackPos(platform::TScrollBarKind kind) const override {
    const auto it = TrackPos.find(kind);
    return it == TrackPos.end() ? 0 : it->second;
  }

  void SetTimer(int id, int milliseconds) override {
    Timers[id] = milliseconds;
    ++TimerStarts[id];
  }
  void KillTimer(int id) override { Timers.erase(id); }

  void PostEditCommand(std::uint16_t code) override { Posted.push_back(code); }
  void Beep() override { ++Beeps; }

  void SetClipboard(const std::string& text, std::optional<int> privateFormat) override {
    Clipboard = text;
    ClipboardFormat = privateFormat;
  }
  std::optional<std::string> ClipboardText() const override { return Clipboard; }
  std::optional<int> ClipboardPrivateFormat() const override { return ClipboardFormat; }

  RecordingSurface Surface;
  platform::TSize Size{640, 480};
  bool Visible = true;
  bool Focus = true;
  int InvalidateAllCount = 0;
  std::vector<platform::TRect> Invalidated;
  std::vector<platform::TPoint> Scrolls;
  int UpdateWindowCount = 0;
  std::optional<platform::TPoint> CaretSize;
  platform::TPoint CaretPos;
  int CaretShown = 0;
  std::map<platform::TScrollBarKind, platform::TScrollInfo> ScrollInfo;
  std::map<platform::TScrollBarKind, int> TrackPos;
  std::map<int, int> Timers;
  std::map<int, int> TimerStarts;  // how often each timer was (re)started
  std::vector<std::uint16_t> Posted;
  int Beeps = 0;
  std::optional<std::string> Clipboard;
  std::optional<int> ClipboardFormat;
};

}  // namespace testing_support
