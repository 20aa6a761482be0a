// The tip of the day: the main window's tips, Next cycling, the check box taken into
// Options however the dialog closes, and the start-up showing.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <set>

#include "MainWindowFixture.h"
#include "ModalScript.h"
#include "app/MainTip.h"
#include "preview/DefaultTestUrl.h"
#include "widgets/TipOfDay.h"

namespace {

QString TipText(QWidget* dialog) { return dialog->findChild<QLabel*>(QStringLiteral("TipLabel"))->text(); }
QPushButton* Button(QWidget* dialog, const char* name) {
  return dialog->findChild<QPushButton*>(QLatin1String(name));
}

}  // namespace

using TipOfDayTest = MainWindowFixture;

TEST_F(TipOfDayTest, MenuShowsTheTipsAndNextCyclesThemAll) {
  const TTipOfDay& tip = MainTip(Main());
  ASSERT_EQ(tip.Tips.size(), 4);
  EXPECT_EQ(tip.Tips[3], QStringLiteral("По умолчанию для тестирования web-сервера предложен ") +
                             QLatin1String(LoopbackTestUrl));
  QStringList shown;
  QString title;
  ModalScript script([&](QWidget* dialog) {
    title = dialog->windowTitle();
    for (int i = 0; i < 5; ++i) {
      shown << TipText(dialog);
      if (i < 4) QTest::mouseClick(Button(dialog, "NextButton"), Qt::LeftButton);
    }
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  Main().N_tip->trigger();
  EXPECT_EQ(title, QStringLiteral("Подсказка"));
  ASSERT_EQ(shown.size(), 5);
  EXPECT_EQ(std::set<QString>(shown.begin(), shown.end()).size(), 4u) << "every tip once";
  EXPECT_EQ(shown[4], shown[0]) << "after the last comes the first";
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(TipOfDayTest, CheckBoxIsTakenIntoOptionsOnEnterAndEscape) {
  TTipOfDay& tip = MainTip(Main());
  ModalScript tick([](QWidget* dialog) {
    dialog->findChild<QCheckBox*>()->setChecked(true);
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  tip.Execute();
  EXPECT_TRUE(tip.Options & toShowOnStartUp);
  ModalScript clear([](QWidget* dialog) {
    auto* box = dialog->findChild<QCheckBox*>();
    EXPECT_TRUE(box->isChecked());
    box->setChecked(false);
    QTest::keyClick(dialog, Qt::Key_Return);  // the close button is the default one
  });
  tip.Execute();
  EXPECT_FALSE(tip.Options & toShowOnStartUp);
  EXPECT_TRUE(tip.Options & toShowWhenFormShown);
}

TEST(TipOfDay, FewerThanTwoTipsDisableNextAndExecutingAgainWhileOpenDoesNothing) {
  TTipOfDay tip;
  tip.Tips = {QStringLiteral("only")};
  bool nextEnabled = true;
  QWidget* nested = nullptr;
  QString text;
  ModalScript script([&](QWidget* dialog) {
    nextEnabled = Button(dialog, "NextButton")->isEnabled();
    text = TipText(dialog);
    tip.Execute();  // returns at once: the dialog is already open
    nested = QApplication::activeModalWidget();
    dialog->close();
  });
  int after = 0;
  tip.OnAfterExecute = [&after](TTipOfDay*) { ++after; };
  tip.Execute();
  EXPECT_FALSE(nextEnabled);
  EXPECT_EQ(text, QStringLiteral("only"));
  EXPECT_EQ(after, 1);
  EXPECT_NE(nested, nullptr);

  tip.Tips.clear();
  ModalScript empty([&](QWidget* dialog) {
    nextEnabled = Button(dialog, "NextButton")->isEnabled();
    text = TipText(dialog);
    dialog->close();
  });
  tip.Execute();
  EXPECT_FALSE(nextEnabled);
  EXPECT_TRUE(text.isEmpty());
}

TEST(TipOfDay, StartUpShowingFollowsTheOptionsAtTheFirstActivation) {
  for (const bool showOnStartUp : {false, true}) {
    QWidget form;
    auto* tip = new TTipOfDay(&form);
    tip->Options = toShowWhenFormShown | (showOnStartUp ? toShowOnStartUp : 0);
    tip->Tips = {QStringLiteral("a"), QStringLiteral("b")};
    int shown = 0;
    tip->OnAfterExecute = [&shown](TTipOfDay*) { ++shown; };
    ModalScript script([](QWidget* dialog) { dialog->close(); });
    tip->Loaded();
    for (int activation = 0; activation < 2; ++activation) {
      QEvent activate(QEvent::WindowActivate);
      QCoreApplication::sendEvent(&form, &activate);
      ServeEvents(30);
    }
    EXPECT_EQ(shown, showOnStartUp ? 1 : 0) << "once at most, and only when the options allow it";
  }
}
