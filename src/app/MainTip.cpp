// The main window's tips.
#include "app/MainTip.h"

#include <QMainWindow>

#include "preview/DefaultTestUrl.h"
#include "widgets/TipOfDay.h"

namespace {

void ConfigureTip(TTipOfDay& tip) {
  tip.ButtonNext.Caption = QStringLiteral("Следующая");
  tip.ButtonClose.Caption = QStringLiteral("Закрыть");
  tip.HeaderText = QStringLiteral("Знаете ли вы...");
  tip.Title = QStringLiteral("Подсказка");
  // Without toShowOnStartUp the start-up call finds nothing to show: the tips come from
  // the menu only.
  tip.Options = toShowWhenFormShown;
  tip.Tips = {
      QStringLiteral("Через меню Проект - просмотр, или нажав на одноименную кнопку можно вызвать окно "
                     "предварительного просмотра"),
      QStringLiteral("Для тестирования web-сервера, необходимо в настройках программы ввести тестируемый URL"),
      QStringLiteral("Если не указан явно тестируемый URL, то при просмотре будет вызван локальный файл"),
      QStringLiteral("По умолчанию для тестирования web-сервера предложен ") + QLatin1String(LoopbackTestUrl),
  };
}

}  // namespace

TTipOfDay& MainTip(QMainWindow& form) {
  if (auto* tip = form.findChild<TTipOfDay*>(QStringLiteral("Tip"), Qt::FindDirectChildrenOnly)) return *tip;
  auto* tip = new TTipOfDay(&form);
  tip->setObjectName(QStringLiteral("Tip"));
  ConfigureTip(*tip);
  tip->Loaded();
  return *tip;
}
