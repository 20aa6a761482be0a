// The main window.
#include "app/Umain.h"

TFmain* Fmain = nullptr;

TFmain::TFmain(QWidget* parent) : QMainWindow(parent) { Fmain = this; }

TFmain::~TFmain() {
  if (Fmain == this) Fmain = nullptr;
}

void TFmain::SendAsTyping(const std::string&) {}
