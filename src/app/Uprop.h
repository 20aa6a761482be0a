// TFprop: the attribute palette, a small tool window beside the main window.
#pragma once

#include <QWidget>

// The floating attribute palette. It lives for the whole run; closing it with its own
// close box only hides it. Each showing places it near the right edge of the screen.
class TFprop : public QWidget {
  Q_OBJECT

 public:
  explicit TFprop(QWidget* parent = nullptr);
  ~TFprop() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Left := screen width − window width − 20, Top := 117.
  void FormShow();
};

// The attribute palette, set when it is created.
extern TFprop* Fprop;
