// The scrolling text box: where the text stands after n ticks, pausing and unpausing,
// the measured height, and dragging.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <vector>

#include "ModalScript.h"
#include "widgets/ImageDrawThread.h"
#include "widgets/ScrollText.h"

namespace {

// A credits box as the about window has it; the worker never ticks on its own here.
class ScrollTextTest : public ::testing::Test {
 protected:
  ScrollTextTest() {
    box.resize(265, 96);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    box.setFont(font);
    box.SetDelay(60000);
    box.SetItems({"Quorvel v. 2.0", "one", "", "two", "three", "four", "", "five", "2024"});
  }
  int Top() const { return box.TextPanel()->y(); }
  int TextHeight() const { return box.TextPanel()->height(); }
  std::vector<int> Steps(int ticks) {
    std::vector<int> steps;
    for (int i = 0; i < ticks; ++i) {
      const int before = Top();
      box.Tick();
      steps.push_back(before - Top());
    }
    return steps;
  }
  void Mouse(QEvent::Type type, int globalY) {
    const QPointF local(10, 10);
    QMouseEvent event(type, local, local, QPointF(300, globalY), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box.TextPanel(), &event);
  }

  TScrollText box;
};

}  // namespace

TEST_F(ScrollTextTest, EntersAtTheBottomMovesUpAndReentersAfterLeavingTheTop) {
  EXPECT_GT(TextHeight(), box.height());
  EXPECT_EQ(box.TextPanel()->width(), 265);
  box.Tick();
  EXPECT_EQ(Top(), -TextHeight() - 1) << "just past the exit edge";
  box.Tick();
  EXPECT_EQ(Top(), 96) << "at the entry edge";
  for (int i = 0; i < 10; ++i) box.Tick();
  EXPECT_EQ(Top(), 86);
  // 86 down to -TH-1, then back to the bottom edge.
  for (int i = 0; i < 86 + TextHeight() + 1; ++i) box.Tick();
  EXPECT_EQ(Top(), -TextHeight() - 1);
  box.Tick();
  EXPECT_EQ(Top(), 96);
}

TEST_F(ScrollTextTest, OtherDirectionsEnterFromTheirEdge) {
  box.SetScrollDirection(drFromTop);
  box.Tick();
  box.Tick();
  EXPECT_EQ(Top(), -TextHeight()) << "above the top edge, moving down";
  box.Tick();
  EXPECT_EQ(Top(), -TextHeight() + 1);
  box.SetScrollDirection(drFromLeft);
  box.Tick();
  EXPECT_EQ(box.TextPanel()->x(), -266);
  box.Tick();
  EXPECT_EQ(box.TextPanel()->x(), 265) << "re-enters at the right edge";
  EXPECT_EQ(Top(), 0);
}

TEST_F(ScrollTextTest, PauseSlowsToAStopAndUnpauseSpeedsUpFromTheReset) {
  box.SetScrollPixels(3);
  box.SetActive(true);
  Steps(5);
  box.Pause();
  EXPECT_EQ(Steps(3), (std::vector<int>{3, 2, 1}));
  EXPECT_TRUE(box.Active());
  EXPECT_EQ(Steps(1), (std::vector<int>{0}));
  EXPECT_FALSE(box.Active());
  EXPECT_TRUE(box.Thread()->Suspended());

  box.Unpause();
  EXPECT_TRUE(box.Active());
  EXPECT_FALSE(box.Thread()->Suspended());
  // From the reset position with steps 0, 1, then 2 (which wraps to the entry edge),
  // then the full 3.
  std::vector<int> positions;
  for (int i = 0; i < 5; ++i) {
    box.Tick();
    positions.push_back(box.Position());
  }
  const int th = TextHeight();
  EXPECT_EQ(positions, (std::vector<int>{-th, -th - 1, 96, 93, 90}));
}

TEST_F(ScrollTextTest, EmptyItemsGiveAPanelAsHighAsTheBox) {
  box.SetItems({});
  EXPECT_EQ(TextHeight(), 96);
  box.show();
  box.resize(265, 120);
  EXPECT_EQ(TextHeight(), 120);
}

TEST_F(ScrollTextTest, DraggingMovesTheTextWrapsAndHoldsTheTicks) {
  box.SetDelay(2);
  box.SetActive(true);
  box.Tick();
  box.Tick();  // at the bottom edge, 96
  Mouse(QEvent::MouseButtonPress, 500);
  Mouse(QEvent::MouseMove, 480);
  EXPECT_EQ(Top(), 76);
  ServeEvents(60);
  EXPECT_EQ(Top(), 76) << "ticks move nothing while the text is held";
  Mouse(QEvent::MouseMove, 480 - 76 - TextHeight() - 1);
  EXPECT_EQ(Top(), 96) << "dragged past the top: wraps to the bottom";
  Mouse(QEvent::MouseMove, 481);
  EXPECT_EQ(Top(), -TextHeight()) << "dragged past the bottom: wraps to the top";
  Mouse(QEvent::MouseButtonRelease, 481);
  ServeEvents(60);
  EXPECT_NE(Top(), -TextHeight()) << "scrolling goes on after the release";
}
