// TCustomEditorBase: the editor control over text supplied by a subclass. It holds the
// model state — caret, selection, options, colours, bookmarks, bracket highlighting, the
// undo buffer, the update lock and the notifications — and owns three parts that hold
// the rest: the view (TEditorView: layout, scrolling, painting, the system caret), the
// key dispatcher (TKeyDispatcher: keys, commands, macros) and the mouse handler
// (TMouseHandler: clicks, drags, the wheel). The window entry points forward to them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "editor/Commands.h"
#include "editor/EditorTypes.h"
#include "editor/EditorView.h"
#include "editor/KeyDispatcher.h"
#include "editor/LineAttrs.h"
#include "editor/MouseHandler.h"
#include "editor/UndoBuffer.h"
#include "platform/Colors.h"
#include "platform/Host.h"
#include "platform/Messages.h"
#include "platform/Surface.h"
#include "platform/Types.h"

namespace editor {

using platform::TColor;

// The set of word separators shared by word moves, double-click word selection and
// bracket highlighting; every other byte (TAB and 128..255 included) is a word character.
bool IsWordSeparator(unsigned char ch);

// A bookmark: a caret position and whether it is set.
struct TBookmark {
  int X = 0;
  int Y = 0;
  bool Valid = false;
};

// Bracket highlighting options and the two ranges shown now (the bracket or word at the
// caret and its match). A range with FirstCol -1 is empty.
struct TBracketHighlighting {
  struct TRange {
    int FirstCol = -1, Row = 0, LastCol = -1, LastRow = 0;
  };
  bool Active = false;
  TColor BorderColor = platform::clSilver;
  TColor Color = platform::clNone;
  TColor FontColor = platform::clNone;
  bool CaseSensitiveWordPairs = true;
  // Entries "open=close".
  std::vector<std::string> WordPairs;
  std::array<TRange, 2> Ranges;
};

// Row marks: a marked row is painted in one of three fixed colour pairs.
class TLineInformationList {
 public:
  // Style 1 white on red, 2 white on navy, 3 white on maroon; 0 removes the mark.
  void SetMark(int row, int style);
  // 0 for a row without a mark.
  int StyleOf(int row) const;
  void Clear() { marks_.clear(); }

 private:
  std::map<int, int> marks_;
};

// The editor base. Positions are (column, row) from 0; columns run 0..MaxColumn and
// the caret may stand beyond the end of its line. The control is neither copyable nor
// movable; it talks to its window only through Host. Its entry points mirror the window
// messages (window creation, focus, resize, paint, keys, mouse, scroll bars, timers).
class TCustomEditorBase {
 public:
  explicit TCustomEditorBase(platform::Host& host);
  virtual ~TCustomEditorBase();
  TCustomEditorBase(const TCustomEditorBase&) = delete;
  TCustomEditorBase& operator=(const TCustomEditorBase&) = delete;

  // ---- What the base needs of the text (supplied by the string editor) ----
  virtual int LineCount() const = 0;
  virtual int LineLength(int row) const = 0;
  // The row's text where it is kept, not copied (a long line is read without copying
  // it); nullptr for a row outside the text. Valid until the text changes.
  virtual const std::string* StoredLine(int row) const = 0;
  // A copy of the row's text; false for a row outside the text.
  bool LineText(int row, std::string& text) const {
    const std::string* line = StoredLine(row);
    if (line != nullptr) text = *line;
    return line != nullptr;
  }

  // ---- What the base needs of the string editor ----
  // Inserts one typed character (codes 0..255); not called when ReadOnly.
  virtual void TypeChar(unsigned char ch) = 0;
  // The editing handler for the codes the dispatcher does not run itself; may change
  // the caret target and useSetCaret; answers whether it finished the command.
  virtual bool EditCommand(TCommand code, TPosition& caret, bool& useSetCaret) = 0;
  // Deletes the selection (every block format); nothing when nothing is selected.
  virtual void RemoveSelection() = 0;

  // ---- Caret and selection state ----
  int CaretX = 0;
  int CaretY = 0;
  TSelection Sel;
  int GroupDepth = 0;
  // Set by every plain caret move; read only when KeepSelection is on.
  bool SelectionDropped = false;

  // ---- Colours and font ----
  // Text background and the plain-text font; what a row shows past its text.
  TColor Color = platform::clWindow;
  platform::TFontSpec Font;
  TColor GutterColor = platform::clBtnFace;
  TColor SelForeColor = platform::clHighlightText;
  TColor SelBackColor = platform::clHighlight;
  // Property setters: each repaints or re-lays out what the change affects.
  void SetColor(TColor color);
  void SetFont(const platform::TFontSpec& font);
  void SetGutterColor(TColor color);
  void SetSelForeColor(TColor color);
  void SetSelBackColor(TColor color);

  // ---- Options ----
  bool InsertMode = true;
  bool ReadOnly = false;
  bool CursorBeyondEOF = false;
  bool BeepOnError = true;
  bool KeepSelection = false;
  bool TypingReplacesSelection = true;
  // A double click selects the caret line instead of the word.
  bool DoubleClickLine = false;
  void SetInsertMode(bool insert);
  void SetReadOnly(bool readOnly);
  // Runs the block-format command, so a format change always repaints and notifies.
  void SetSelBlockFormat(TSelBlockFormat format);

  // ---- Caret and selection operations ----
  void SetCaret(int x, int y);
  void MoveCaretTo(int x, int y);
  void ExtendSelection(int x, int y);
  void SelectRange(int begX, int begY, int endX, int endY);
  void SelectWholeText();
  void CancelSelection();
  void DropSelectionOnMove();
  bool CanStartSelection() const;

  // Character offsets over the whole text, every line break counting 2.
  platform::TPoint OffsetToPos(int offset) const;
  int PosToOffset(int x, int y) const;
  int SelStart() const;
  void SetSelStart(int offset);
  int SelLength() const;
  void SetSelLength(int length);
  // EM_GETSEL and EM_SETSEL.
  platform::LRESULT PerformSelectionMessage(platform::TMessage msg, platform::WPARAM wParam,
                                            platform::LPARAM lParam);

  std::array<TBookmark, 10> Bookmarks;
  void SetBookmark(int index);
  void GotoBookmark(int index);
  // Scrolls a set bookmark into view and answers its position; false when it is not set.
  bool ScrollToBookmark(int index, TPosition& pos);

  // ---- Word moves (shared with the editing handler) ----
  // The column a word-left scan from column x of row y reaches: the start of the word
  // before x, or 0. Assumes x is not beyond the end of the row.
  int WordLeftColumn(int x, int y) const;
  // The position a word-right move from (x, y) reaches, the next row's start at a line end.
  platform::TPoint WordRightPosition(int x, int y) const;
  // Runs ecWordLeft, ecWordRight, ecSelWordLeft or ecSelWordRight from pos the way the
  // dispatcher's caret commands do; answers false for any other code. The editing handler
  // calls it for these four codes.
  bool WordMoveCommand(TCommand code, TPosition& pos, bool& useSetCaret);
  // The word at column x of row y by the double-click rule: 1-based start and end
  // (exclusive) positions in the row; false when the row is not a line.
  bool WordBoundsAt(int x, int y, int& start, int& end) const;

  // ---- Painting hooks and decorations ----
  // Per-row colouring hook: writes entries of View().Attrs for the row about to be painted,
  // after the defaults and before line marks, brackets and the selection. The base
  // version changes nothing.
  virtual void ComputeLineAttrs(int row, int colBeg, int colEnd);
  TBracketHighlighting BracketHighlighting;
  TLineInformationList LineInformation;
  // Finds the bracket or paired word at the caret and its match, and repaints the rows
  // of the old and new ranges.
  void UpdateBracketHighlighting();

  // ---- The parts ----
  TEditorView& View() { return view_; }
  const TEditorView& View() const { return view_; }
  TKeyDispatcher& Dispatcher() { return dispatcher_; }
  TMouseHandler& Mouse() { return mouse_; }

  // ---- Window entry points, handed to the part that holds each ----
  void WindowCreated() { view_.WindowCreated(); }
  void Resized() { view_.UpdateLayout(); }
  void Paint(const platform::TRect& clip) { view_.Paint(clip); }
  void ScrollMessage(platform::TScrollBarKind kind, int code) { view_.ScrollMessage(kind, code); }
  void KeyDown(std::uint16_t& key, std::uint8_t shift) { dispatcher_.KeyDown(key, shift); }
  void KeyPress(char& ch) { dispatcher_.KeyPress(ch); }
  void SendText(std::string_view text) { dispatcher_.SendText(text); }
  void Command(TCommand code) { dispatcher_.Command(code); }
  void MouseDown(TMouseButton button, std::uint8_t shift, int x, int y) { mouse_.MouseDown(button, shift, x, y); }
  void MouseMove(std::uint8_t shift, bool leftHeld, int x, int y) { mouse_.MouseMove(shift, leftHeld, x, y); }
  void MouseUp(TMouseButton button, std::uint8_t shift, int x, int y) { mouse_.MouseUp(button, shift, x, y); }
  void DblClick(int x, int y) { mouse_.DblClick(x, y); }
  void MouseWheel(std::uint8_t shift, int delta) { mouse_.MouseWheel(shift, delta); }
  void MouseHWheel(std::uint8_t shift, int delta) { mouse_.MouseHWheel(shift, delta); }
  void FocusEnter();
  void FocusLeave();
  void Timer(int id);
  static constexpr int DragScrollTimerId = 1;
  static constexpr int CompletionTimerId = 2;

  // ---- Update lock ----
  int UpdateLock = 0;
  void OpenUpdate();
  void CloseUpdate();

  bool Modified = false;

  TUndoBuffer& UndoBuffer() { return *undoBuffer_; }

  // ---- Notifications ----
  // Caret, mode and format changes; refreshes bracket highlighting, then OnChangeStatus.
  void StatusChanged();
  std::function<void()> OnChangeStatus;
  std::function<void()> OnSelectionChange;
  std::function<void()> OnScroll;
  // May set key to 0 to swallow it.
  std::function<void(std::uint16_t& key, std::uint8_t shift)> OnKeyDown;
  // May change the character.
  std::function<void(char& ch)> OnKeyPress;
  std::function<void(TMouseButton, std::uint8_t shift, int x, int y)> OnMouseDown;
  std::function<void(std::uint8_t shift, int x, int y)> OnMouseMove;
  std::function<void(TMouseButton, std::uint8_t shift, int x, int y)> OnMouseUp;
  std::function<void()> OnDblClick;
  std::function<void(platform::Surface&)> OnPaintGutter;
  std::function<void(const std::string& text, int row, TLineAttrs& attrs)> OnGetLineAttr;
  // The commands the control does not run itself but hands to its owner (ecFind and
  // ecReplace); without a handler they do nothing.
  std::function<void(TCommand code)> OnOwnerCommand;
  // Gutter clicks and double clicks, with the row under the pointer.
  std::function<void(int row)> OnGutterClick;
  std::function<void(int row)> OnGutterDblClick;

  platform::Host& Host() { return host_; }

 protected:
  // ---- Hooks for the parts built on top of the base ----
  // The completion popup: offered every key-down first (true: it took the key), handed
  // Backspace's character, closed by a mouse press or focus loss, opened by its commands.
  enum TCompletionMode { cmIdentifiers, cmTemplates };
  virtual bool CompletionKeyDown(std::uint16_t key, std::uint8_t shift);
  virtual void CompletionKeyPress(char ch);
  virtual void CloseCompletion(bool apply);
  virtual void OpenCompletion(TCompletionMode mode);
  // The completion's auto-popup timer went off.
  virtual void CompletionTimer();
  // The clipboard handlers of ecCopy, ecCut and ecPaste, and the block indent of
  // ecIndentBlock / ecUnindentBlock (rows at a column for a column block, else the
  // selected lines). The base editor has no clipboard or block editing: they do nothing.
  virtual void Copy();
  virtual void Cut();
  virtual void Paste();
  virtual void IndentRows(int x, int y1, int y2);
  virtual void UnindentRows(int x, int y1, int y2);
  virtual void IndentSelection();
  virtual void UnindentSelection();

  platform::Host& host_;

 private:
  // The parts run the hooks above.
  friend class TEditorView;
  friend class TKeyDispatcher;
  friend class TMouseHandler;

  // Bracket helper.
  bool FindBracketMatch();

  std::unique_ptr<TUndoBuffer> undoBuffer_;
  TEditorView view_;
  TKeyDispatcher dispatcher_;
  TMouseHandler mouse_;
};

}  // namespace editor
