// The about window: its memory figures, its credits scrolling while it is open, and
// closing it with Enter or Esc from the Help menu, the worker ending with it.
#include <gtest/gtest.h>
#include <sys/sysinfo.h>

#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QTest>

#include "MainWindowFixture.h"
#include "ModalScript.h"
#include "widgets/ImageDrawThread.h"
#include "widgets/ScrollText.h"
#include "widgets/Uabout.h"
#include "widgets/XPButtons.h"

TEST(AboutMemory, FormatsKilobytesGroupedAndTheFreeShare) {
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  EXPECT_EQ(FormatTotalMemory(2147483648ull, english), QStringLiteral("2,097,152 KB"));
  // Above 4 GB the true total, not a 32-bit remainder.
  EXPECT_EQ(FormatTotalMemory(17179869184ull, english), QStringLiteral("16,777,216 KB"));
  EXPECT_EQ(FormatFreeMemory(37), QStringLiteral("63 %"));
}

TEST(AboutMemory, ShowsThisMachinesTotalAsTheKernelReportsIt) {
  struct sysinfo info {};
  ASSERT_EQ(sysinfo(&info), 0);
  const double kernelKb = static_cast<double>(info.totalram) * info.mem_unit / 1024.0;
  auto* about = new TFAbout;
  QString shown = about->Lmemory->text();
  ASSERT_TRUE(shown.endsWith(QStringLiteral(" KB"))) << shown.toStdString();
  shown.chop(3);
  shown.remove(QLocale().groupSeparator());
  EXPECT_NEAR(shown.toDouble(), kernelKb, static_cast<double>(info.mem_unit));
  EXPECT_TRUE(about->LFree->text().endsWith(QStringLiteral(" %")));
  delete about;
}

class AboutWindowTest : public MainWindowFixture {
 protected:
  // Opens the window from its menu; inside, checks it and closes it with the key.
  void OpenAndCloseWith(Qt::Key key) {
    QPointer<TFAbout> seen;
    QPointer<TScrollText> credits;
    bool opened = false;
    int firstTop = 0;
    int laterTop = 0;
    ModalScript script([&](QWidget* modal) {
      seen = qobject_cast<TFAbout*>(modal);
      if (!seen) {
        modal->close();
        return;
      }
      credits = seen->ScrollText1;
      opened = true;
      // Wait until the text has entered at the bottom edge, then watch it rise.
      QElapsedTimer clock;
      clock.start();
      while (credits->TextPanel()->y() != 96 && clock.elapsed() < 2000) ServeEvents(1);
      firstTop = credits->TextPanel()->y();
      ServeEvents(250);
      laterTop = credits->TextPanel()->y();
      QTest::keyClick(modal, key);
    });
    Main().N_about->trigger();
    FlushDeletes();
    ASSERT_TRUE(opened) << "the about window did not open";
    EXPECT_EQ(firstTop, 96) << "the credits enter at the bottom edge";
    EXPECT_LT(laterTop, firstTop) << "the credits move upwards";
    EXPECT_GE(firstTop - laterTop, 2);
    EXPECT_TRUE(seen.isNull() && credits.isNull()) << "freed when closed";
    EXPECT_EQ(FAbout, nullptr);
    ServeEvents(60);  // no tick of the ended worker reaches anything now
  }
};

TEST_F(AboutWindowTest, EnterAndEscCloseTheWindowOpenedFromTheHelpMenu) {
  OpenAndCloseWith(Qt::Key_Return);
  OpenAndCloseWith(Qt::Key_Escape);
}

TEST(AboutWindow, ControlsStandAtTheirPlaces) {
  TFAbout about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе"));
  EXPECT_EQ(about.size(), QSize(348, 210));
  EXPECT_EQ(about.ScrollText1->geometry(), QRect(72, 14, 265, 96));
  EXPECT_EQ(about.XPButton1->geometry(), QRect(242, 177, 90, 26));
  EXPECT_EQ(about.XPButton1->text(), QStringLiteral("OK"));
  EXPECT_EQ(about.Lmemory->pos(), QPoint(255, 130));
  EXPECT_FALSE(about.Image1->pixmap().isNull());
  EXPECT_TRUE(about.ScrollText1->Items().first() == QStringLiteral("Quorvel v. 2.0"));
  EXPECT_EQ(about.ScrollText1->Items().size(), 9);
  EXPECT_TRUE(about.ScrollText1->Active());
}
