// MainWindowFixture: a real main window with its hidden palette, shown offscreen, and
// scripted dialogs; helpers that read the panels and the editor's lines.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedDialogs.h"
#include "app/DocumentStatus.h"
#include "app/Umain.h"
#include "app/Uprop.h"
#include "qt/EditorWidget.h"

class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    main_ = std::make_unique<TFmain>();
    new TFprop(main_.get());
  }
  void TearDown() override { main_.reset(); }

  TFmain& Main() { return *main_; }
  QString Panel(int index) { return main_->Status1->Text(index); }
  std::vector<std::string> EditorLines() {
    std::vector<std::string> lines;
    const auto& store = main_->Memo1->Editor().Lines();
    for (int i = 0; i < store.Count(); ++i) lines.push_back(store.Get(i));
    return lines;
  }
  void SetLines(const std::vector<std::string>& lines) {
    auto& store = main_->Memo1->Editor().Lines();
    store.Clear();
    for (const std::string& line : lines) store.Add(line);
  }
  // One real keystroke in the editor: the editor raises its change event.
  void TypeInEditor(char ch) {
    main_->Memo1->setFocus();
    QTest::keyClick(main_->Memo1, ch);
  }

  ScriptedDialogs dialogs_;
  std::unique_ptr<TFmain> main_;
};
