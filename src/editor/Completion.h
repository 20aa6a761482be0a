// The completion popup: TCompletionBase drops a list below the caret and answers the
// editor's key hooks; TCompletion fills it from identifier and template lists and
// replaces the word at the caret with the chosen entry.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PopupList.h"
#include "platform/Surface.h"
#include "platform/Types.h"

namespace editor {

class TCustomEditorBase;
class TEditor;

// How the list draws its items. The list is always owner-drawn with rows of one height:
// lbStandard means exactly that.
enum TListBoxStyle : std::uint8_t { lbStandard, lbOwnerDrawFixed };

// The completion events, published on the editor. Setting Cancel keeps the list closed.
using TOnCompletion = std::function<void(TEditor& sender, bool& cancel)>;
// May change the text that replaces OldString (identifiers only).
using TOnCompletionApply =
    std::function<void(TEditor& sender, const std::string& oldString, std::string& newString)>;
// Replaces the list's own drawing of an item; the handler fills the whole rectangle.
using TOnCompletionDrawItem = std::function<void(platform::Surface& surface, int index,
                                                 const platform::TRect& rect, bool selected)>;

// The popup mechanics, whatever fills the list: the auto-popup timer, the dropped state,
// the keys a dropped list takes, placement below (or above) the caret, and closing with
// or without applying the selection. The list window comes from the editor's host when
// the list is first shown; a host without one never drops a list.
class TCompletionBase : public platform::PopupListClient {
 public:
  enum TMode : std::uint8_t { cmIdentifiers, cmTemplates };
  // The list's border, one pixel on every side.
  static constexpr int BorderWidth = 1;

  explicit TCompletionBase(TCustomEditorBase& editor);
  ~TCompletionBase() override;
  TCompletionBase(const TCompletionBase&) = delete;
  TCompletionBase& operator=(const TCompletionBase&) = delete;

  // ---- Properties ----
  int DropDownCount = 6;
  // Pixels; 0 makes the list as wide as the editor plus its two borders.
  int DropDownWidth = 300;
  // Typing starts the auto-popup timer.
  bool Enabled = false;
  int ItemHeight = 13;
  // The auto-popup delay in milliseconds.
  int Interval = 800;
  TListBoxStyle ListBoxStyle = lbStandard;

  // ---- What the editor calls ----
  // Offered every key-down first; true: the key was consumed.
  bool KeyDown(std::uint16_t key);
  // A typed character: a separator before it is inserted, a word character (and
  // Backspace, #8) after it.
  void KeyPress(char ch);
  // Ctrl+Space (identifiers) and Ctrl+J (templates).
  virtual void Open(TMode mode);
  // Closes a dropped list, applying its selection when apply is set.
  void Close(bool apply);
  // The auto-popup timer went off.
  void TimerTick();

  bool Dropped() const { return dropped_; }
  TMode Mode() const { return mode_; }
  // The item the list has selected, -1 for none.
  int ItemIndex() const;
  // The items the list shows now.
  const std::vector<std::string>& Items() const { return items_; }
  // The list window, once a list was dropped.
  platform::PopupList* List() { return list_.get(); }

  // ---- platform::PopupListClient ----
  void DrawListItem(platform::Surface& surface, int index, const platform::TRect& rect,
                    bool selected) override;
  void ListReleased(bool inside) override;

 protected:
  struct TMatch {
    int Index = -1;      // the first item starting with the word, -1 for none
    bool Exact = false;  // that item's name is the word itself
  };

  // Drops the list in mode; alwaysShow is false for the timer, which shows a list only
  // when it offers something other than the word already typed.
  void Show(TMode mode, bool alwaysShow);
  void SetMode(TMode mode) { mode_ = mode; }
  std::vector<std::string>& MutableItems() { return items_; }

  // ---- What the filling part supplies ----
  // Raises the mode's event; answers Cancel.
  virtual bool RaiseModeEvent(TMode mode) = 0;
  // The mode's source list is empty.
  virtual bool SourceEmpty(TMode mode) const = 0;
  // Fills Items() for mode from the word at the caret.
  virtual void BuildItems(TMode mode) = 0;
  // The selection for the word at the caret among Items().
  virtual TMatch FindSelection() const = 0;
  // Replaces the word at the caret with item index of Items() (one undo step).
  virtual void ApplyItem(int index) = 0;
  virtual void DrawItem(platform::Surface& surface, int index, const platform::TRect& rect,
                        bool selected) = 0;

 private:
  platform::PopupList* EnsureList();
  platform::TRect DropDownBounds(platform::PopupList& list) const;
  void StopTimer();

  TCustomEditorBase& editor_;
  std::unique_ptr<platform::PopupList> list_;
  TMode mode_ = cmIdentifiers;
  // The auto-popup timer always opens the identifier list.
  TMode timerMode_ = cmIdentifiers;
  bool dropped_ = false;
  std::vector<std::string> items_;
};

// Completion from two string lists. An identifier item is "name=shown text"; a template
// item is "name=description=body", where the body's CRLF marker is a line break that
// keeps the word's indentation and its CaretChar marks where the caret goes.
class TCompletion : public TCompletionBase {
 public:
  explicit TCompletion(TEditor& editor);

  std::vector<std::string> Identifiers;
  std::vector<std::string> Templates;
  char CaretChar = '|';
  std::string CRLF = "/n";
  std::string Separator = "=";

  // Templates: a body whose name is the word at the caret goes in at once, without a list.
  void Open(TMode mode) override;

  // Field k of an item: the text after the k-th Separator up to the next one (field 0
  // is the text before the first); empty when the item has fewer fields.
  std::string Field(std::string_view item, int k) const;
  // The template body as it is inserted for a word starting at wordColumn: CRLF markers
  // become line breaks indented to wordColumn, and CaretChar is removed. caretMark
  // receives the column and row, counted within the result, of the first CaretChar, or
  // nothing when there is none.
  std::string ExpandTemplate(std::string_view body, int wordColumn,
                             std::optional<platform::TPoint>& caretMark) const;

 protected:
  bool RaiseModeEvent(TMode mode) override;
  bool SourceEmpty(TMode mode) const override;
  void BuildItems(TMode mode) override;
  TMatch FindSelection() const override;
  void ApplyItem(int index) override;
  void DrawItem(platform::Surface& surface, int index, const platform::TRect& rect,
                bool selected) override;

 private:
  // Replaces the word at the caret by text as one undo step.
  void ReplaceWordAtCaret(std::string text);

  TEditor& editor_;
};

// The word at a caret: the run of non-delimiter characters around the character left of
// column x in line. Start and End are columns (End exclusive); an empty run, Start = End
// = x, when that character is a delimiter or does not exist.
struct TCaretWord {
  int Start = 0;
  int End = 0;
  std::string Text;
};
TCaretWord WordAtColumn(std::string_view line, int x);

}  // namespace editor
