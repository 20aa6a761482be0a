// ScriptedDialogs: the platform dialogs answered from a script, for the window tests.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "widgets/Dialogs.h"

// Answers each dialog from its own queue (an empty queue answers "cancel", "No" or no
// colour) and records what was asked, in order. Installs itself for its lifetime.
class ScriptedDialogs : public TPlatformDialogs {
 public:
  struct Asked {
    QString Kind;  // "open", "save", "question", "error", "warning", "color"
    QString Caption;
    QString Text;
    TFileDialogOptions Options;
  };

  ScriptedDialogs() { SetDialogs(this); }
  ~ScriptedDialogs() override { SetDialogs(nullptr); }

  std::deque<std::optional<QString>> OpenAnswers;
  std::deque<std::optional<QString>> SaveAnswers;
  std::deque<bool> YesNoAnswers;
  std::deque<std::optional<QColor>> ColorAnswers;
  std::vector<Asked> Log;

  std::optional<QString> OpenFile(QWidget*, const TFileDialogOptions& options) override {
    Log.push_back({"open", options.Title, {}, options});
    return Next(OpenAnswers, std::optional<QString>());
  }
  std::optional<QString> SaveFile(QWidget*, const TFileDialogOptions& options) override {
    Log.push_back({"save", options.Title, {}, options});
    return Next(SaveAnswers, std::optional<QString>());
  }
  bool AskYesNo(QWidget*, const QString& caption, const QString& text) override {
    Log.push_back({"question", caption, text, {}});
    return Next(YesNoAnswers, false);
  }
  void ShowError(QWidget*, const QString& caption, const QString& text) override {
    Log.push_back({"error", caption, text, {}});
  }
  void Inform(QWidget*, const QString& caption, const QString& text) override {
    Log.push_back({"warning", caption, text, {}});
  }
  std::optional<QColor> ChooseColor(QWidget*) override {
    Log.push_back({"color", {}, {}, {}});
    return Next(ColorAnswers, std::optional<QColor>());
  }

  // The kinds asked so far, e.g. {"question", "open"}.
  QStringList Kinds() const {
    QStringList kinds;
    for (const Asked& asked : Log) kinds << asked.Kind;
    return kinds;
  }

 private:
  template <typename T>
  static T Next(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T answer = queue.front();
    queue.pop_front();
    return answer;
  }
};
