// The XP-style buttons' pixels: gradient bitmaps, and the faces, frames, borders and
// corners of the push and speed buttons in each palette and state, compared with the
// colour tables at chosen pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <cmath>
#include <cstdint>

#include "widgets/XPButtons.h"
#include "widgets/XPPaint.h"

namespace {

QColor Bgr(std::uint32_t value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

int Round(double value) { return static_cast<int>(std::nearbyint(value)); }

// What row `row` of a vertical dithered gradient of `height` rows shows where the bands are
// shorter than the steps (no random rows): the band covering it, or the last band starting
// on it.
QColor GradientRow(std::uint32_t start, std::uint32_t end, int steps, int height, int row) {
  const auto bandStart = [&](int i) { return static_cast<int>(std::lround(double(i) * height / steps)); };
  int band = 0;
  for (int i = 0; i < steps; ++i) {
    if (bandStart(i) <= row && row < bandStart(i + 1)) band = i;
  }
  for (int i = 1; i < steps; ++i) {
    if (bandStart(i) == row) band = i;
  }
  const QColor a = Bgr(start);
  const QColor b = Bgr(end);
  const auto channel = [&](int from, int to) { return from + Round(double(band) * (to - from) / (steps - 1)); };
  return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()));
}

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

// A dialog-like parent with a known background, holding the button and a line edit.
class ButtonHost : public ::testing::Test {
 protected:
  void SetUp() override {
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, kParent);
    host.setPalette(palette);
    host.resize(300, 100);
    edit = new QLineEdit(&host);
    edit->setGeometry(0, 60, 100, 20);
  }

  QImage Shot(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32); }

  const QColor kParent{0x12, 0x34, 0x56};
  QDialog host;
  QLineEdit* edit = nullptr;
};

using PushButtonPixels = ButtonHost;
using SpeedButtonPixels = ButtonHost;

struct PaletteCase {
  TXPScheme scheme;
  std::uint32_t normal[2];
  std::uint32_t hot[2];
  std::uint32_t pressed[2];
  std::uint32_t disabled[2];
  std::uint32_t focusFrame[2];
  std::uint32_t hotFrame[2];
  std::uint32_t border;
};

const PaletteCase kPaletteCases[] = {
    {TXPScheme::xpBlue, {0xFFFFFF, 0xE7EBEF}, {0xFFFFFF, 0xE7EBEF}, {0xCED8D9, 0xE4E4E4}, {0xFFFFFF, 0xE7EBEF},
     {0xFFE7CE, 0xEF846D}, {0x9DDDFF, 0x46BEFF}, 0x993333},
    {TXPScheme::xpSilver, {0xFDFDFD, 0xDFCCCD}, {0xFDFDFD, 0xE7D7D6}, {0xDFCCCD, 0xFDFDFD}, {0xFFFFFF, 0xE7EBEF},
     {0xFFE7CE, 0xEF846D}, {0x9DDDFF, 0x46BEFF}, 0x993333},
    {TXPScheme::xpGreen, {0xF2FFFE, 0xDBEEF3}, {0xF2FFFE, 0xDBEEF3}, {0xCCE3EC, 0xCCE3EC}, {0xE9F2F6, 0xE9F2F6},
     {0x9CD8C2, 0x47B48D}, {0x82D3FF, 0x0096E7}, 0x286851},
    {TXPScheme::xpOrange, {0xEAF4FF, 0x6FB5FB}, {0xEAF4FF, 0x83BFFC}, {0x6FB5FB, 0xEAF4FF}, {0xE9F2F6, 0xE9F2F6},
     {0xFFE7CE, 0xEF846D}, {0xFFFFFF, 0xBEBEBE}, 0x993333},
};

}  // namespace

TEST(XPGradient, BandsRunFromTheFirstColourToTheSecondInEachDirection) {
  const QColor black(0, 0, 0);
  const QColor grey(254, 254, 254);
  const QImage down = MakeGradientBitmap(20, 510, black, grey, 255, gdVertical, false);
  EXPECT_EQ(At(down, 19, 0), black);
  EXPECT_EQ(At(down, 0, 254), QColor(127, 127, 127));
  EXPECT_EQ(At(down, 19, 509), grey);
  const QImage up = MakeGradientBitmap(20, 510, black, grey, 255, gdVerticalReversed, false);
  EXPECT_EQ(At(up, 0, 0), grey);
  const QImage across = MakeGradientBitmap(40, 3, black, grey, 2, gdHorizontal, true);
  EXPECT_EQ(At(across, 0, 2), black);
  EXPECT_EQ(At(across, 39, 2), grey);
  EXPECT_EQ(XPMulDiv(3, 28, 16), 5);   // 5.25
  EXPECT_EQ(XPMulDiv(15, 24, 16), 23);  // 22.5 goes up
}

TEST_F(PushButtonPixels, FacesFramesBordersAndCornersFollowEachPalette) {
  for (const PaletteCase& c : kPaletteCases) {
    SCOPED_TRACE(static_cast<int>(c.scheme));
    auto* button = new TXPButton(QStringLiteral("Готово"), &host);
    button->setGeometry(10, 10, 110, 28);
    button->SetXPScheme(c.scheme);
    const int w = 110;
    const int h = 28;
    host.show();

    // Idle: a full face in the normal colours inside the one-pixel border.
    QImage image = Shot(*button);
    EXPECT_EQ(At(image, 0, 0), kParent);
    EXPECT_EQ(At(image, w - 1, h - 1), kParent);
    EXPECT_EQ(At(image, 1, 0), Bgr(0xDC9898));
    EXPECT_EQ(At(image, 0, h - 2), Bgr(0xDC9898));
    EXPECT_EQ(At(image, 1, 1), Bgr(c.border));
    EXPECT_EQ(At(image, w - 2, h - 2), Bgr(c.border));
    EXPECT_EQ(At(image, 50, 0), Bgr(c.border));
    EXPECT_EQ(At(image, w - 1, 14), Bgr(c.border));
    EXPECT_EQ(At(image, 2, 1), GradientRow(c.normal[0], c.normal[1], 255, h, 1));
    EXPECT_EQ(At(image, 2, h - 2), GradientRow(c.normal[0], c.normal[1], 255, h, h - 2));

    // Hot: the hot frame rings a face inset by 3 pixels.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    image = Shot(*button);
    EXPECT_EQ(At(image, 2, 1), Bgr(c.hotFrame[0]));
    EXPECT_EQ(At(image, 2, h - 2), Bgr(c.hotFrame[1]));
    EXPECT_EQ(At(image, 3, 3), GradientRow(c.hot[0], c.hot[1], 255, h - 6, 0));
    EXPECT_EQ(At(image, 50, 20), GradientRow(c.hot[0], c.hot[1], 255, h - 6, 17));

    // Held down: the full face in the pressed colours.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(50, 14));
    image = Shot(*button);
    EXPECT_EQ(At(image, 2, 1), GradientRow(c.pressed[0], c.pressed[1], 255, h, 1));
    EXPECT_EQ(At(image, 2, h - 2), GradientRow(c.pressed[0], c.pressed[1], 255, h, h - 2));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 14));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);

    // Disabled: its own face, border and corner colours in every palette.
    button->setEnabled(false);
    image = Shot(*button);
    EXPECT_EQ(At(image, 1, 1), Bgr(0x9AAAB8));
    EXPECT_EQ(At(image, 1, 0), Bgr(0xE8EBEE));
    EXPECT_EQ(At(image, 2, 1), GradientRow(c.disabled[0], c.disabled[1], 255, h, 1));
    EXPECT_EQ(At(image, 60, h - 3), GradientRow(c.disabled[0], c.disabled[1], 255, h, h - 3));
    delete button;
  }
}

TEST_F(PushButtonPixels, ADefaultButtonShowsTheFocusFrameWhileAnotherKindOfControlHasTheFocus) {
  for (const PaletteCase& c : kPaletteCases) {
    SCOPED_TRACE(static_cast<int>(c.scheme));
    auto* button = new TXPButton(QStringLiteral("OK"), &host);
    button->setGeometry(10, 10, 90, 27);
    button->SetXPScheme(c.scheme);
    host.show();
    edit->setFocus();
    QImage image = Shot(*button);
    EXPECT_EQ(At(image, 2, 1), GradientRow(c.normal[0], c.normal[1], 255, 27, 1)) << "not default: no frame";

    button->SetDefault(true);
    image = Shot(*button);
    EXPECT_TRUE(button->ActiveDefault());
    EXPECT_EQ(At(image, 2, 1), Bgr(c.focusFrame[0]));
    EXPECT_EQ(At(image, 2, 25), Bgr(c.focusFrame[1]));
    EXPECT_EQ(At(image, 3, 3), GradientRow(c.normal[0], c.normal[1], 255, 21, 0));
    delete button;
  }
}

TEST_F(SpeedButtonPixels, TheRaisedButtonsFaceBorderAndCornersInEachState) {
  auto* button = new TXPSpeedButton(&host);
  button->setGeometry(4, 5, 26, 24);
  host.show();
  const int w = 26;
  const int h = 24;

  QImage image = Shot(*button);
  EXPECT_EQ(At(image, 0, 0), kParent);
  EXPECT_EQ(At(image, 1, 1), Bgr(0x934E24));
  EXPECT_EQ(At(image, 1, 0), Bgr(0xDC9898));
  for (const QPoint& p : {QPoint(2, 1), QPoint(w - 3, 1), QPoint(2, h - 2), QPoint(1, 2), QPoint(w - 2, 2),
                          QPoint(1, h - 3), QPoint(w - 3, h - 2), QPoint(w - 2, h - 3)}) {
    EXPECT_EQ(At(image, p.x(), p.y()), Bgr(0xEFCFCF)) << p.x() << "," << p.y();
  }
  EXPECT_EQ(At(image, 10, 1), GradientRow(0xFFFFFF, 0xE7EBEF, 255, h, 1));

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(button, &enter);
  image = Shot(*button);
  EXPECT_TRUE(button->MouseInControl());
  EXPECT_EQ(At(image, 10, 1), Bgr(0xAEE2FF));
  EXPECT_EQ(At(image, 10, 3), GradientRow(0xFFFFFF, 0xE7EBEF, 255, h - 6, 0));

  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  image = Shot(*button);
  EXPECT_EQ(At(image, 10, 1), GradientRow(0xE0E0E0, 0xE4E4E4, 255, h, 1));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));

  button->setEnabled(false);
  image = Shot(*button);
  EXPECT_EQ(At(image, 1, 1), GradientRow(0xE7EBEF, 0xFFFFFF, 255, h, 1)) << "no border when disabled";
  EXPECT_EQ(At(image, 10, h - 2), GradientRow(0xE7EBEF, 0xFFFFFF, 255, h, h - 2));
}

TEST_F(SpeedButtonPixels, AFlatButtonShowsItsFaceOnlyUnderTheMouseOrDown) {
  auto* button = new TXPSpeedButton(&host);
  button->SetFlat(true);
  button->setGeometry(4, 3, 34, 30);
  host.show();

  // Idle, the parent's background shows through.
  QImage image = Shot(*button);
  EXPECT_EQ(At(image, 1, 1), kParent);
  EXPECT_EQ(At(image, 15, 15), kParent);

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(button, &enter);
  image = Shot(*button);
  EXPECT_EQ(At(image, 1, 1), Bgr(0xC8C8C8));
  EXPECT_EQ(At(image, 1, 0), Bgr(0xE0E0E0));
  EXPECT_EQ(At(image, 2, 1), Bgr(0xF2F2F2));
  EXPECT_EQ(At(image, 10, 1), GradientRow(0xFFFFFF, 0xEEEEEE, 255, 27, 1));
  // The shaded band at the right and the bottom.
  EXPECT_EQ(At(image, 32, 15), GradientRow(0xEAEAEA, 0xD7D7D7, 255, 30, 15));

  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  image = Shot(*button);
  EXPECT_EQ(At(image, 1, 1), Bgr(0x9AAAB8));
  EXPECT_EQ(At(image, 10, 1), GradientRow(0xE0E0E0, 0xE4E4E4, 255, 30, 1));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
}
