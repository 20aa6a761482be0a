// The XP-style buttons' behaviour: the glyph cache, the push button's keys, mouse and
// default handling, the speed button's groups, repeat and layout, and the palette choice.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "widgets/XPButtons.h"
#include "widgets/XPGlyph.h"
#include "widgets/XPScheme.h"

namespace {

// A strip of images, each filled with its own colour.
QImage Strip(std::initializer_list<QColor> colours, int size) {
  QImage image(size * static_cast<int>(colours.size()), size, QImage::Format_ARGB32);
  QPainter painter(&image);
  int x = 0;
  for (const QColor& colour : colours) {
    painter.fillRect(x, 0, size, size, colour);
    x += size;
  }
  return image;
}

QColor GlyphPixel(TXPBGlyph& glyph, TXPButtonState state) {
  QImage canvas(20, 20, QImage::Format_ARGB32);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  glyph.Draw(painter, 0, 0, state);
  painter.end();
  return canvas.pixelColor(5, 5);
}

class Dialog : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.resize(300, 120);
    edit = new QLineEdit(&dialog);
    edit->setGeometry(10, 10, 100, 22);
    ok = new TXPButton(QStringLiteral("Готово"), &dialog);
    ok->setGeometry(10, 50, 90, 27);
    cancel = new TXPButton(QStringLiteral("Отмена"), &dialog);
    cancel->setGeometry(110, 50, 90, 27);
    cancel->SetCancel(true);
    cancel->SetModalResult(2);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    edit->setFocus();
  }

  QDialog dialog;
  QLineEdit* edit = nullptr;
  TXPButton* ok = nullptr;
  TXPButton* cancel = nullptr;
};

}  // namespace

TEST(XPGlyphCache, ButtonsOfOneGlyphSizeShareAListThatGoesWithItsLastImage) {
  ASSERT_EQ(TXPGlyphC::Instance(), nullptr);
  {
    TXPBGlyph first;
    TXPBGlyph second;
    TXPBGlyph other;
    first.SetBitmap(Strip({Qt::red}, 16));
    second.SetBitmap(Strip({Qt::blue}, 16));
    other.SetBitmap(Strip({Qt::green}, 24));
    ASSERT_NE(TXPGlyphC::Instance(), nullptr);
    EXPECT_EQ(first.ImageIndex(TXPButtonState::bsUp), 0);
    EXPECT_EQ(second.ImageIndex(TXPButtonState::bsUp), 1);
    EXPECT_EQ(first.ImageIndex(TXPButtonState::bsDisabled), 2);
    EXPECT_EQ(other.ImageIndex(TXPButtonState::bsUp), 0);
    TXPGlyphL& list16 = TXPGlyphC::Instance()->ListFor(16, 16);
    EXPECT_EQ(list16.Count(), 3);
    EXPECT_EQ(TXPGlyphC::Instance()->ListCount(), 2);

    // A released image frees its slot, and the next image takes the lowest free one.
    first.SetBitmap(Strip({Qt::red}, 16));
    EXPECT_EQ(list16.Count(), 1);
    EXPECT_EQ(first.ImageIndex(TXPButtonState::bsUp), 0);

    other.ReleaseImages();
    EXPECT_EQ(TXPGlyphC::Instance()->ListCount(), 1) << "the empty 24-pixel list is freed";
  }
  EXPECT_EQ(TXPGlyphC::Instance(), nullptr);
}

TEST(XPGlyphCache, AStripSplitsIntoImagesAndEveryStateShowsTheFirstOneGreyedWhenDisabled) {
  TXPBGlyph glyph;
  glyph.SetBitmap(Strip({Qt::red, Qt::blue, Qt::green, Qt::yellow}, 16));
  EXPECT_EQ(glyph.NumGlyphs(), 4);
  EXPECT_EQ(glyph.GlyphSize(), QSize(16, 16));
  glyph.SetBitmap(Strip({Qt::red, Qt::blue, Qt::green, Qt::yellow, Qt::black}, 16));
  EXPECT_EQ(glyph.NumGlyphs(), 1) << "five images are too many";
  glyph.SetBitmap(QImage(30, 20, QImage::Format_RGB32));
  EXPECT_EQ(glyph.NumGlyphs(), 1) << "not a whole multiple";

  glyph.SetBitmap(Strip({Qt::red, Qt::blue, Qt::green}, 16));
  for (TXPButtonState state : {TXPButtonState::bsUp, TXPButtonState::bsDown, TXPButtonState::bsExclusive}) {
    EXPECT_EQ(GlyphPixel(glyph, state), QColor(Qt::red));
  }
  EXPECT_NE(GlyphPixel(glyph, TXPButtonState::bsDisabled), QColor(Qt::red));

  // A bitmap without alpha is see-through where it has its bottom-left colour.
  QImage masked(16, 16, QImage::Format_RGB32);
  masked.fill(Qt::magenta);
  masked.setPixelColor(8, 8, Qt::black);
  glyph.SetBitmap(masked);
  EXPECT_EQ(GlyphPixel(glyph, TXPButtonState::bsUp), QColor(Qt::white));
}

TEST_F(Dialog, MouseClicksOnlyWhenReleasedOnTheButton) {
  QSignalSpy clicks(ok, &QAbstractButton::clicked);
  QTest::mousePress(ok, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(ok->IsDown());
  EXPECT_TRUE(ok->hasFocus());
  QMouseEvent out(QEvent::MouseMove, QPointF(200, 10), ok->mapToGlobal(QPointF(200, 10)), Qt::NoButton,
                  Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(ok, &out);
  EXPECT_FALSE(ok->IsDown());
  EXPECT_TRUE(ok->Pressing());
  QTest::mouseRelease(ok, Qt::LeftButton, {}, QPoint(200, 10));
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_FALSE(ok->Pressing());

  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(Dialog, SpaceClicksOnReleaseAndEnterOnTheFocusedButtonClicksOnce) {
  QSignalSpy clicks(ok, &QAbstractButton::clicked);
  ok->setFocus();
  QTest::keyPress(ok, Qt::Key_Space);
  EXPECT_TRUE(ok->IsDown());
  EXPECT_EQ(clicks.count(), 0);
  QTest::keyRelease(ok, Qt::Key_Space);
  EXPECT_FALSE(ok->IsDown());
  EXPECT_EQ(clicks.count(), 1);
  QTest::keyClick(ok, Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(Dialog, EscapeClicksTheCancelButtonWhichRejectsTheDialog) {
  QSignalSpy clicks(cancel, &QAbstractButton::clicked);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(Dialog, EnterInAFieldClicksOnlyTheDefaultButton) {
  QSignalSpy clicks(ok, &QAbstractButton::clicked);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_FALSE(ok->ActiveDefault());

  ok->SetDefault(true);
  EXPECT_TRUE(ok->ActiveDefault());
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 1);
  QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(clicks.count(), 1);

  // A focused push button is the active default instead.
  cancel->setFocus();
  EXPECT_TRUE(cancel->ActiveDefault());
  EXPECT_FALSE(ok->ActiveDefault());
  edit->setFocus();
  EXPECT_TRUE(ok->ActiveDefault());
  EXPECT_FALSE(cancel->ActiveDefault());
}

TEST_F(Dialog, TheCaptionsAcceleratorFocusesAndClicksTheButton) {
  ok->setText(QStringLiteral("&OK"));
  QSignalSpy clicks(ok, &QAbstractButton::clicked);
  QTest::keyClick(edit, Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_TRUE(ok->hasFocus());
}

TEST(XPScheme, TheAutomaticPaletteFollowsTheDesktopThemeName) {
  TXPButton button;
  for (const auto& [name, palette] : {std::pair<std::optional<QString>, TXPPalette>{"Metallic", xpPaletteSilver},
                                      {"homestead", xpPaletteGreen},
                                      {"NormalColor", xpPaletteBlue},
                                      {"Adwaita", xpPaletteBlue},
                                      {std::nullopt, xpPaletteBlue}}) {
    SetThemeNameQuery([name] { return name; });
    button.SetXPScheme(TXPScheme::xpAutomatic);
    EXPECT_EQ(button.Palette(), palette) << name.value_or("none").toStdString();
  }
  SetThemeNameQuery({});
  button.SetXPScheme(TXPScheme::xpOrange);
  EXPECT_EQ(button.Palette(), xpPaletteOrange);
}

TEST(XPSpeedButton, AGroupKeepsOneButtonDownAndOnlyAllowAllUpLetsItGo) {
  QWidget parent;
  TXPSpeedButton a(&parent);
  TXPSpeedButton b(&parent);
  a.SetGroupIndex(1);
  b.SetGroupIndex(1);
  parent.show();
  QSignalSpy clicks(&a, &QAbstractButton::clicked);

  QTest::mouseClick(&a, Qt::LeftButton);
  EXPECT_TRUE(a.Down());
  EXPECT_EQ(a.State(), TXPButtonState::bsExclusive);
  QTest::mouseClick(&a, Qt::LeftButton);
  EXPECT_TRUE(a.Down()) << "AllowAllUp is off";
  EXPECT_EQ(clicks.count(), 2);

  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_TRUE(b.Down());
  EXPECT_FALSE(a.Down());

  a.SetAllowAllUp(true);
  EXPECT_TRUE(b.AllowAllUp()) << "the group shares the setting";
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_FALSE(b.Down());

  TXPSpeedButton loose(&parent);
  loose.SetDown(true);
  EXPECT_FALSE(loose.Down()) << "no group, never down";
}

TEST(XPSpeedButton, HeldWithRepeatActionItClicksAgainUntilReleased) {
  TXPSpeedButton button;
  button.SetRepeatAction(true);
  button.show();
  QSignalSpy clicks(&button, &QAbstractButton::clicked);
  QTest::mousePress(&button, Qt::LeftButton);
  QTest::qWait(300);
  EXPECT_EQ(clicks.count(), 0);
  QTRY_VERIFY_WITH_TIMEOUT(clicks.count() >= 2, 2000);
  QTest::mouseRelease(&button, Qt::LeftButton);
  const int held = static_cast<int>(clicks.count());
  QTest::qWait(250);
  EXPECT_EQ(clicks.count(), held);
}

TEST(XPSpeedButton, ACaptionlessGlyphIsCentredAndShiftsWhilePressed) {
  TXPSpeedButton button;
  button.resize(26, 24);
  button.SetGlyphBitmap(Strip({Qt::red}, 16));
  button.SetHint(QStringLiteral("Новый"));
  EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(button.toolTip(), QStringLiteral("Новый"));
  EXPECT_EQ(button.accessibleName(), QStringLiteral("Новый"));
  button.show();
  EXPECT_EQ(button.CalcLayout().GlyphPos, QPoint(5, 4));
  QTest::mousePress(&button, Qt::LeftButton);
  EXPECT_EQ(button.CalcLayout().GlyphPos, QPoint(6, 5));
  QTest::mouseRelease(&button, Qt::LeftButton);

  // A glyph with a caption: the pair is centred, 4 pixels apart.
  button.resize(110, 26);
  button.SetCaption(QStringLiteral("Высота"));
  const TXPSpeedButton::TLayoutResult layout = button.CalcLayout();
  EXPECT_EQ(layout.TextRect.left(), layout.GlyphPos.x() + 16 + 4);
  EXPECT_EQ(layout.GlyphPos.x(), (110 - (16 + 4 + layout.TextRect.width()) + 1) / 2);
}
