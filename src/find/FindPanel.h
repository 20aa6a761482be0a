// TFindPanel: the find and replace bar above the status bar — the search field that finds
// as you type, the options, the replace field and its buttons, and what the last search
// found.
#pragma once

#include <QFrame>
#include <memory>
#include <optional>

#include "editor/search/SearchPattern.h"
#include "editor/search/SearchRegion.h"
#include "editor/search/TextSearch.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class TDocumentWindow;
class TSearchRunner;
class TXPButton;
class TXPSpeedButton;

namespace editor::search {
class TMatchMarks;
}

// Lives as long as its window and is shown by Open. Typing in Efind selects the first
// match from where the search began; Enter finds the next in the chosen direction,
// Shift+Enter the one before; Esc hides the panel and gives the keyboard back to the
// editor with the match still selected. While the panel is shown the matches in view are
// marked and Lcount tells how many the document (or the selection) holds.
class TFindPanel : public QFrame {
  Q_OBJECT

 public:
  explicit TFindPanel(TDocumentWindow& document, QWidget* parent = nullptr);
  ~TFindPanel() override;

  QLabel* Lfind = nullptr;
  QLineEdit* Efind = nullptr;
  TXPButton* Bnext = nullptr;
  TXPButton* Bprior = nullptr;
  QCheckBox* Ccase = nullptr;
  QCheckBox* Cwords = nullptr;
  QCheckBox* Cregex = nullptr;
  QCheckBox* Csel = nullptr;
  QRadioButton* Rdown = nullptr;
  QRadioButton* Rup = nullptr;
  TXPSpeedButton* Bclose = nullptr;
  QLabel* Lreplace = nullptr;
  QLineEdit* Ereplace = nullptr;
  TXPButton* Breplace = nullptr;
  TXPButton* BreplaceAll = nullptr;
  QLabel* Lmessage = nullptr;
  QLabel* Lcount = nullptr;

  // Shows the panel (with the replace row or without) and puts the keyboard in Efind. A
  // selection within one row becomes the text to find; one over several rows checks
  // "В выделенном" and becomes the region searched.
  void Open(bool replace);
  // Hides the panel and hands the keyboard to the editor.
  void Close();
  // The next match in the chosen direction, or (previous) in the other one. With nothing
  // to find the panel opens for it.
  void FindNext(bool previous = false);
  void ReplaceCurrent();
  void ReplaceAllMatches();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateFindRow();
  void CreateOptionsRow();
  void CreateReplaceRow();
  // The pattern of the field and the options; false (with the reason shown) when there is
  // nothing to search for.
  bool RebuildPattern();
  // The search text in Windows-1251, or nothing (with the reason shown) when it holds a
  // character the code page has not.
  std::optional<std::string> DocumentBytes(const QString& text, const QString& what);
  void TypedInField();
  void OptionsChanged();
  void SelectionOptionToggled(bool checked);
  void DocumentChanged();
  void Recount();
  void ShowFound(const editor::search::TTextMatch& match, bool wrapped);
  // Tells where a match shown stands: past the last column, or found after the wrap.
  void SayFound(const editor::search::TTextMatch& match, bool wrapped);
  void ShowNotFound();
  void ShowStopped(int row);
  void ShowCount(long long count);
  void Say(const QString& message);
  bool Backward(bool previous) const;

  TDocumentWindow& document_;
  std::unique_ptr<TSearchRunner> runner_;
  std::unique_ptr<editor::search::TMatchMarks> marks_;
  std::shared_ptr<const editor::search::TSearchPattern> pattern_;
  editor::search::TSearchRegion region_;
  // Where finding as you type starts: the caret (or the selection's start) when the
  // panel opened or the user last moved away from the match shown.
  editor::TPosition anchor_;
  std::optional<editor::search::TTextMatch> shown_;
  bool lastBackward_ = false;
};
