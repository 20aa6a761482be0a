// The page control's accessible tree: page tab list, page tabs, and a page under each tab.
#include "widgets/PageControlAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QStackedWidget>

#include "widgets/PageControl.h"

namespace {

int IndexOfTab(const TPageControl& control, const TPageTab* tab) {
  for (int i = 0; i < control.count(); ++i) {
    if (control.tab(i) == tab) return i;
  }
  return -1;
}

TPageControl* ControlOfTab(const TPageTab& tab) { return qobject_cast<TPageControl*>(tab.parentWidget()); }

// The tab whose page the widget is, or null: pages sit in the control's page stack.
TPageTab* TabOfPage(const QWidget& page) {
  auto* stack = qobject_cast<QStackedWidget*>(page.parentWidget());
  auto* control = stack != nullptr ? qobject_cast<TPageControl*>(stack->parentWidget()) : nullptr;
  return control != nullptr ? control->tab(control->indexOf(&page)) : nullptr;
}

// The list: its children are the tabs in order. The page area belongs to the chosen tab,
// so a point on the page leads through that tab to the page's controls.
class PageTabListAccessible : public QAccessibleWidget {
 public:
  explicit PageTabListAccessible(TPageControl* control) : QAccessibleWidget(control, QAccessible::PageTabList) {}

  int childCount() const override { return Control().count(); }
  QAccessibleInterface* child(int index) const override {
    TPageTab* tab = Control().tab(index);
    return tab != nullptr ? QAccessible::queryAccessibleInterface(tab) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr ? IndexOfTab(Control(), qobject_cast<const TPageTab*>(child->object())) : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    if (QAccessibleInterface* tab = QAccessibleWidget::childAt(x, y)) return tab;
    const QWidget* page = Control().currentWidget();
    if (page == nullptr || !QRect(page->mapToGlobal(QPoint(0, 0)), page->size()).contains(x, y)) return nullptr;
    return child(Control().currentIndex());
  }

 private:
  TPageControl& Control() const { return *static_cast<TPageControl*>(widget()); }
};

// One tab: selectable, selected while its page is shown; its press action shows the page,
// as a click does. Its one child is its page.
class PageTabAccessible : public QAccessibleWidget {
 public:
  explicit PageTabAccessible(TPageTab* tab) : QAccessibleWidget(tab, QAccessible::PageTab) {}

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.selectable = true;
    s.selected = Tab().Selected();
    return s;
  }
  int childCount() const override { return Page() != nullptr ? 1 : 0; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 && Page() != nullptr ? QAccessible::queryAccessibleInterface(Page()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && child->object() != nullptr && child->object() == Page() ? 0 : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    QAccessibleInterface* page = child(0);
    return page != nullptr && page->rect().contains(x, y) ? page : nullptr;
  }
  QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }
  void doAction(const QString& actionName) override {
    if (actionName == pressAction()) {
      Tab().click();
      return;
    }
    QAccessibleWidget::doAction(actionName);
  }

 private:
  TPageTab& Tab() const { return *static_cast<TPageTab*>(widget()); }
  QWidget* Page() const {
    const TPageControl* control = ControlOfTab(Tab());
    return control != nullptr ? control->widget(IndexOfTab(*control, &Tab())) : nullptr;
  }
};

// A page: an ordinary widget whose parent, to assistive technology, is its tab.
class PageAccessible : public QAccessibleWidget {
 public:
  explicit PageAccessible(QWidget* page) : QAccessibleWidget(page) {}

  QAccessibleInterface* parent() const override {
    TPageTab* tab = TabOfPage(*widget());
    return tab != nullptr ? QAccessible::queryAccessibleInterface(tab) : QAccessibleWidget::parent();
  }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  if (className == QLatin1String("TPageControl")) return new PageTabListAccessible(static_cast<TPageControl*>(widget));
  if (className == QLatin1String("TPageTab")) return new PageTabAccessible(static_cast<TPageTab*>(widget));
  // Asked for the plain widget only once no interface of the page's own class was found.
  if (className == QLatin1String("QWidget") && TabOfPage(*widget) != nullptr) return new PageAccessible(widget);
  return nullptr;
}

}  // namespace

void InstallPageControlAccessible() {
  static const bool installed = (QAccessible::installFactory(&Factory), true);
  (void)installed;
}
