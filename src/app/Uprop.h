// TFprop: the attribute palette, a small tool window beside the main window.
#pragma once

#include <QWidget>

class QFrame;
class TFmain;

// The floating attribute palette. It lives for the whole run; closing it with its own
// close box only hides it. Each showing places it near the right edge of the screen.
// Each of its ten buttons types one attribute (with a blank on each side) into the main
// window's editor and hands the focus back to the editor.
class TFprop : public QWidget {
  Q_OBJECT

 public:
  // The parent is the main window, which receives the attributes.
  explicit TFprop(QWidget* parent = nullptr);
  ~TFprop() override;

  QFrame* P1 = nullptr;

  // The click handler of every button: types the attribute keyed by the sender's name
  // (nothing for an unknown name), then gives the focus back to the main window.
  void BheightClick(const QObject* sender);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Left := screen width − window width − 20, Top := 117.
  void FormShow();
  void CreateButtons();
  TFmain* MainWindow() const;
};

// The attribute palette, set when it is created.
extern TFprop* Fprop;
