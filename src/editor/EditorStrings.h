// TEditorStrings: the editor's text as an ordered list of 8-bit lines without
// terminators, with the block operations that editing and undo are built from. The lines
// themselves live in a TLineModel; this class adds what the editor asks of them: tab
// expansion, the trailing-blank rule, padding to the caret and the undo records they make.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/EditorTypes.h"
#include "editor/model/LineModel.h"
#include "platform/Types.h"

namespace editor {

class TCustomEditor;

// What a line break at the very end of a text gives when the text is cut into lines.
enum class TFinalBreak { fbEmptyPiece, fbNoPiece };

// Cuts text into pieces at CR LF, a lone CR or a lone LF. A text without breaks is one
// piece; an empty text is one empty piece with fbEmptyPiece and no piece with fbNoPiece.
std::vector<std::string_view> SplitAtBreaks(std::string_view text, TFinalBreak finalBreak);

// Lines are indexed from 0; an empty document has no lines. Lines have no length limit
// and never hold a TAB: every way text comes in expands tabs first. Bad indexes raise
// "List index out of bounds (%d)" before anything changes. The store belongs to one
// editor and fires OnChange after every change of the list, or once when its own update
// bracket closes. Identity object: neither copyable nor movable.
class TEditorStrings : private TLineModelListener {
 public:
  explicit TEditorStrings(TCustomEditor& editor);
  TEditorStrings(const TEditorStrings&) = delete;
  TEditorStrings& operator=(const TEditorStrings&) = delete;

  // The lines as a plain list, for listeners that follow its changes.
  TLineModel& Model() { return model_; }

  int Count() const { return model_.Count(); }
  const std::string& Get(int index) const { return model_.Get(index); }
  // Add and Insert expand tabs and keep trailing blanks; they make no undo record.
  void Add(std::string_view s);
  // index may be Count (appends).
  void Insert(int index, std::string_view s);
  // Stores s as it is, except that without KeepTrailingBlanks a trailing run of
  // characters 0..32 is dropped and recorded (TDeleteTrailUndo, with the bytes dropped).
  void Put(int index, std::string_view s);
  // Delete and Clear keep the undo history.
  void Delete(int index);
  void Clear();

  // Every line followed by CR LF.
  std::string Text() const;
  // Replaces the whole text: tabs expanded, cut at CR LF, CR or LF, a NUL ends it. Empties
  // the undo history unless an update is open, then reports the whole text replaced.
  void SetText(std::string_view text);
  // SetText with the file's whole contents. A file that cannot be read (or a directory)
  // raises "Cannot open file "%s". %s" with the absolute name; the text is unchanged.
  void LoadWholeFile(const std::string& fileName);
  // Replaces all lines, empties the history, reports the whole text replaced.
  void Assign(std::vector<std::string> source);
  // Appends the lines and empties the history.
  void AppendLines(const std::vector<std::string>& source);

  // ---- Block operations used by editing and undo; positions are (column, row) ----
  // Stores s with tabs expanded and, without KeepTrailingBlanks, trailing 0..32 dropped
  // and recorded as Put records them.
  void ReplaceLine(int index, std::string_view s);
  // Undo of a dropped line end: puts bytes back into row y at column x as they were,
  // without the trailing-blank rule (the record below writes the row through it again).
  void RestoreDroppedEnd(int x, int y, std::string_view bytes);
  // Appends lines (each recorded as TReLineUndo) until the caret row exists, then pads
  // the caret row with blanks up to the caret column.
  void PadToCaret();
  // Inserts text at (x, y), appending lines up to row y and padding row y to column x.
  void InsertBlock(int x, int y, std::string_view text);
  // Deletes from first through last, both ends inclusive; last.X = -1 keeps all of row
  // last.Y and joins it to row first.Y. Rows past the end clamp to the end of the text.
  void DeleteBlock(TPosition first, TPosition last);
  // DeleteBlock and then InsertBlock of text at first, writing each row once: a row end
  // dropped between the two would be recorded from a row that no longer stands so.
  void ReplaceBlock(TPosition first, TPosition last, std::string_view text);
  // Inserts piece k of text at column x of row y + k, appending and padding rows.
  void InsertColumnBlock(int x, int y, std::string_view text);
  // Deletes columns first.X..last.X of rows first.Y..last.Y (rows clamped as in
  // DeleteBlock).
  void DeleteColumnBlock(TPosition first, TPosition last);
  // Where the last character of text lands when InsertBlock puts it at (x, y): column -1
  // when text ends with a line break.
  platform::TPoint BlockEnd(int x, int y, std::string_view text) const;

  // The list's own update bracket: OnChange fires once when it closes, if anything changed.
  void BeginUpdate() { model_.BeginUpdate(); }
  void EndUpdate() { model_.EndUpdate(); }

  std::function<void()> OnChange;

 private:
  // Clamps the rows of a block to the text as both deletions do (a start above the text
  // starts at (0, 0); an end below it runs to the end of the text); false when the block
  // starts below the text.
  bool ClampBlockRows(TPosition& first, TPosition& last) const;
  class TListUpdate;

  void LinesChanged() override;
  // Row y becomes line with text put in at column x (line padded up to it); the text's
  // line breaks open rows below. Every row is written once.
  void WriteAround(int x, int y, std::string_view line, std::string_view text);
  // What row first.Y holds once first..last is deleted: its head, padded up to first.X,
  // joined to what row last.Y keeps after last.X.
  std::string JoinedAround(TPosition first, TPosition last) const;
  // Inserts the pieces, tabs expanded, before line index as one move of the list.
  void InsertLines(int index, const std::vector<std::string_view>& pieces);
  // Records the end of s from column kept on, when there is one, as dropped from row index.
  void RecordDroppedEnd(int index, std::string_view s, std::size_t kept);

  TCustomEditor& editor_;
  TLineModel model_;
};

}  // namespace editor
