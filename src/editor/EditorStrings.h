// TEditorStrings: the editor's text as an ordered list of 8-bit lines without
// terminators, with the block operations that editing and undo are built from.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace editor {

class TCustomEditor;

// Lines are indexed from 0; an empty document has no lines. Lines have no length limit.
// The store belongs to one editor and reports every change through its change event.
class TEditorStrings {
 public:
  explicit TEditorStrings(TCustomEditor& editor);
  TEditorStrings(const TEditorStrings&) = delete;
  TEditorStrings& operator=(const TEditorStrings&) = delete;

  int Count() const { return static_cast<int>(lines_.size()); }
  // "List index out of bounds (%d)" outside 0..Count-1.
  const std::string& Get(int index) const;
  void Add(std::string_view s);
  void Insert(int index, std::string_view s);
  void Put(int index, std::string_view s);
  void Delete(int index);
  void Clear();

  // Every line followed by CR LF.
  std::string Text() const;
  void SetText(std::string_view text);
  // "Cannot open file "%s". %s" when the file cannot be opened.
  void LoadWholeFile(const std::string& fileName);
  void Assign(const std::vector<std::string>& source);
  void AppendLines(const std::vector<std::string>& source);

  // ---- Block operations used by editing and undo ----
  void ReplaceLine(int index, std::string_view s);
  void PadToCaret();
  void InsertBlock(int x, int y, std::string_view text);
  void DeleteBlock(int x1, int y1, int x2, int y2);
  void InsertColumnBlock(int x, int y, std::string_view text);
  void DeleteColumnBlock(int x1, int y1, int x2, int y2);

  // The list's own update bracket: the change event fires once when it closes.
  void BeginUpdate();
  void EndUpdate();

 private:
  void Changed();

  TCustomEditor& editor_;
  std::vector<std::string> lines_;
  int updateCount_ = 0;
  bool changedInUpdate_ = false;
};

}  // namespace editor
