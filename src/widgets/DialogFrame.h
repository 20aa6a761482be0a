// The frame the program's small modal dialogs share: fixed size, caption, font, freed on
// close, and the bottom panel with its background and the "Готово" / "Отмена" pair.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QDialog;
class QFrame;
class QLabel;
class TXPButton;

// Names the dialog, gives it its caption and "MS Sans Serif" at fontPixels, fixes its
// client size and frees it when it closes.
void SetUpFixedDialog(QDialog& dialog, const QString& name, const QString& caption, int fontPixels,
                      QSize client);

// The bottom panel `P1`: a lowered bevel 40 pixels high along the dialog's bottom edge, a
// stretched background image, and the buttons `Bok` "Готово" and `Bcancel` "Отмена".
// Neither button is a default one, so Enter in a field does not close the dialog; Esc
// clicks `Bcancel`, which rejects the dialog. The caller connects `Bok`.
struct TOkCancelPanel {
  QFrame* Panel;
  QLabel* Background;
  TXPButton* Ok;
  TXPButton* Cancel;
};
TOkCancelPanel CreateOkCancelPanel(QDialog& dialog, const QString& backgroundImage, QRect ok, QRect cancel);
