// The page control's tabs: one row when they fit, several rows (the chosen tab's row next
// to the pages, which move down) when they do not; the mouse chooses pages and no tab
// takes the keyboard; a screen reader finds a page tab list.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

#include "widgets/PageControl.h"

namespace {

const char* const kCaptions[] = {"Стандартные", "Дополнительные", "Управление", "Гиперссылки", "Мультимедиа", "  PHP  "};

class PageTabs : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(900, 120);
    editor = new QLineEdit(&window);
    editor->setGeometry(0, 100, 100, 20);
    pages = new TPageControl(&window);
    for (const char* caption : kCaptions) pages->addTab(new QWidget, QString::fromUtf8(caption));
    window.show();
    QApplication::setActiveWindow(&window);
    editor->setFocus();
  }

  int Width(int from, int to) const {
    int width = 0;
    for (int i = from; i < to; ++i) width += pages->tab(i)->NaturalSize().width();
    return width;
  }
  int FullWidth() const { return Width(0, pages->count()); }
  // Room for three tabs a row (and the chosen tab's 2-pixel sides), not for four.
  int TwoRowWidth() const { return std::max(Width(0, 3), Width(3, 6)) + 4; }

  QWidget window;
  QLineEdit* editor = nullptr;
  TPageControl* pages = nullptr;
};

}  // namespace

TEST_F(PageTabs, AWideControlKeepsOneRowAndANarrowOneWrapsAndMovesThePagesDown) {
  pages->setGeometry(0, 0, FullWidth() + 20, 90);
  ASSERT_EQ(pages->RowCount(), 1);
  const int oneRowPageTop = pages->widget(0)->mapTo(pages, QPoint(0, 0)).y();
  for (int i = 1; i < pages->count(); ++i) {
    EXPECT_EQ(pages->tab(i)->y(), pages->tab(1)->y());
    EXPECT_GT(pages->tab(i)->x(), pages->tab(i - 1)->x());
  }
  QSignalSpy rows(pages, &TPageControl::rowCountChanged);
  pages->resize(TwoRowWidth(), 90);
  ASSERT_LT(TwoRowWidth() - 4, Width(0, 4));
  EXPECT_EQ(pages->RowCount(), 2);
  EXPECT_EQ(rows.count(), 1);
  EXPECT_EQ(pages->widget(0)->mapTo(pages, QPoint(0, 0)).y(), oneRowPageTop + pages->RowHeight());
  // Every tab is whole and inside the control; the rows fill its width.
  for (int i = 0; i < pages->count(); ++i) {
    EXPECT_TRUE(pages->rect().contains(pages->tab(i)->geometry())) << i;
    EXPECT_GE(pages->tab(i)->width(), pages->tab(i)->NaturalSize().width()) << i;
  }
  const std::vector<int>& lastRow = pages->Rows().back();
  EXPECT_EQ(pages->tab(lastRow.back())->geometry().right(), pages->width() - 3);
  // The chosen tab's row lies next to the pages.
  const int firstRowTop = pages->tab(1)->y();
  EXPECT_GT(firstRowTop, pages->tab(lastRow.back())->y());
}

TEST_F(PageTabs, TheMouseChoosesAPageAndItsRowMovesDownButTheKeyboardStaysPut) {
  pages->setGeometry(0, 0, TwoRowWidth(), 90);
  const int back = pages->Rows().back().back();
  const QPoint centre = pages->tab(back)->rect().center();
  QTest::mousePress(pages->tab(back), Qt::LeftButton, {}, centre);
  QTest::mouseRelease(pages->tab(back), Qt::LeftButton, {}, centre);
  EXPECT_EQ(pages->currentIndex(), back);
  EXPECT_EQ(pages->currentWidget(), pages->widget(back));
  EXPECT_GT(pages->tab(back)->y(), pages->tab(1)->y());
  EXPECT_TRUE(editor->hasFocus());
  for (int i = 0; i < pages->count(); ++i) {
    EXPECT_EQ(pages->tab(i)->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(pages->tab(i)->accessibleName(), QString::fromUtf8(kCaptions[i]));
  }
}

TEST_F(PageTabs, AScreenReaderFindsAPageTabListWithTheChosenPageSelected) {
  pages->setGeometry(0, 0, FullWidth() + 20, 90);
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(pages);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->role(), QAccessible::PageTabList);
  ASSERT_EQ(list->childCount(), 6);
  const auto selected = [&] {
    QList<int> tabs;
    for (int i = 0; i < list->childCount(); ++i) {
      if (list->child(i)->state().selected) tabs << i;
    }
    return tabs;
  };
  for (int i = 0; i < list->childCount(); ++i) {
    QAccessibleInterface* tab = list->child(i);
    EXPECT_EQ(tab->role(), QAccessible::PageTab) << i;
    EXPECT_EQ(tab->text(QAccessible::Name), QString::fromUtf8(kCaptions[i]));
    EXPECT_TRUE(tab->state().selectable);
    EXPECT_EQ(list->indexOfChild(tab), i);
    EXPECT_EQ(tab->parent()->object(), pages);
    // Each tab holds its page, and the page leads back to its tab.
    ASSERT_EQ(tab->childCount(), 1);
    EXPECT_EQ(tab->child(0)->object(), pages->widget(i));
    EXPECT_EQ(tab->child(0)->parent()->object(), pages->tab(i));
  }
  EXPECT_EQ(selected(), QList<int>{0});

  // The press action chooses the page, as a click does.
  QAccessibleInterface* fourth = list->child(3);
  ASSERT_NE(fourth->actionInterface(), nullptr);
  fourth->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(pages->currentIndex(), 3);
  EXPECT_EQ(selected(), QList<int>{3});
  // A point on the page leads through the chosen tab.
  const QPoint onPage = pages->widget(3)->mapToGlobal(QPoint(5, 5));
  EXPECT_EQ(list->childAt(onPage.x(), onPage.y()), fourth);
}
