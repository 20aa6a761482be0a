// The attribute palette window.
#include "app/Uprop.h"

#include <QGuiApplication>
#include <QScreen>

TFprop* Fprop = nullptr;

TFprop::TFprop(QWidget* parent) : QWidget(parent, Qt::Tool) {
  Fprop = this;
  setObjectName(QStringLiteral("Fprop"));
  setWindowTitle(QStringLiteral("Свойства"));
  setFixedSize(115, 298);
}

TFprop::~TFprop() {
  if (Fprop == this) Fprop = nullptr;
}

void TFprop::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

void TFprop::FormShow() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const int screenWidth = screen ? screen->geometry().width() : 0;
  move(screenWidth - frameGeometry().width() - 20, 117);
}
