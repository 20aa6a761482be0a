// The program's main block.
#include <QApplication>

#include "qt/EditorWidget.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  EditorWidget memo;
  memo.resize(800, 600);
  memo.show();
  return app.exec();
}
