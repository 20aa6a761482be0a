// The settings dialog of the test address: what it shows, what "Готово", "Отмена",
// Esc and the file button do to the test-URL panel, and the Settings command around it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "app/DocumentStatus.h"
#include "app/Umain.h"
#include "preview/DefaultTestUrl.h"
#include "preview/PreviewCommands.h"
#include "preview/Usetting.h"
#include "widgets/Dialogs.h"
#include "widgets/XPButtons.h"

namespace {

constexpr int TestUrlPanel = 4;

// An open dialog answered from a script; it also keeps what it was asked with.
class ScriptedOpenDialog : public TPlatformDialogs {
 public:
  std::optional<QString> answer;
  std::optional<TFileDialogOptions> askedWith;

  std::optional<QString> OpenFile(QWidget*, const TFileDialogOptions& options) override {
    askedWith = options;
    return answer;
  }
  std::optional<QString> SaveFile(QWidget*, const TFileDialogOptions&) override {
    ADD_FAILURE() << "unexpected save dialog";
    return std::nullopt;
  }
  bool AskYesNo(QWidget*, const QString&, const QString&) override { return false; }
  void ShowError(QWidget*, const QString&, const QString& text) override {
    ADD_FAILURE() << "unexpected error box: " << text.toStdString();
  }
  void Inform(QWidget*, const QString&, const QString& text) override {
    ADD_FAILURE() << "unexpected warning: " << text.toStdString();
  }
  std::optional<QColor> ChooseColor(QWidget*) override { return std::nullopt; }
};

void FlushDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// A settings dialog for the main window's document, shown on its own.
class SettingDialogTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetDialogs(nullptr);
    delete dialog.data();
    FlushDeferredDeletes();
  }
  void Open() {
    dialog = new TFsetting(main);
    dialog->show();
    QCoreApplication::processEvents();
  }
  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  // The dialog has closed and freed itself.
  bool Gone() {
    FlushDeferredDeletes();
    return dialog.isNull() && Fsetting == nullptr;
  }

  TFmain main;
  TStatusPanels& panels = *main.Status1;
  QPointer<TFsetting> dialog;
};

TEST_F(SettingDialogTest, OffersTheLoopbackServerAndDoneMakesItTheTestUrl) {
  Open();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Настройки"));
  EXPECT_EQ(dialog->size(), QSize(519, 195));
  EXPECT_EQ(dialog->E_url->text(), QStringLiteral("http://127.0.0.1/"));
  EXPECT_STREQ(LoopbackTestUrl, "http://127.0.0.1/");
  Click(dialog->Bok);
  EXPECT_EQ(panels.Text(TestUrlPanel), QStringLiteral("http://127.0.0.1/"));
  EXPECT_TRUE(Gone());
}

TEST_F(SettingDialogTest, DoneTakesTheTextExactlyAsTyped) {
  Open();
  dialog->E_url->clear();
  QTest::keyClicks(dialog->E_url, QStringLiteral("  http://site:81/a b "));
  Click(dialog->Bok);
  EXPECT_EQ(panels.Text(TestUrlPanel), QStringLiteral("  http://site:81/a b "));

  // An empty address is a value too: the preview goes back to the file.
  Open();
  dialog->E_url->clear();
  Click(dialog->Bok);
  EXPECT_EQ(panels.Text(TestUrlPanel), QString());
  EXPECT_TRUE(Gone());
}

TEST_F(SettingDialogTest, CancelEscAndTheFrameChangeNothing) {
  panels.SetText(TestUrlPanel, QStringLiteral("http://kept/"));
  Open();
  dialog->E_url->setText(QStringLiteral("http://edited/"));
  Click(dialog->Bcancel);
  EXPECT_TRUE(Gone());

  Open();
  dialog->E_url->setText(QStringLiteral("http://edited/"));
  QTest::keyClick(dialog->E_url, Qt::Key_Escape);
  EXPECT_TRUE(Gone());

  Open();
  dialog->E_url->setText(QStringLiteral("http://edited/"));
  dialog->close();
  EXPECT_TRUE(Gone());
  EXPECT_EQ(panels.Text(TestUrlPanel), QStringLiteral("http://kept/"));
}

TEST_F(SettingDialogTest, EnterInTheAddressDoesNotCloseTheDialog) {
  Open();
  QTest::keyClick(dialog->E_url, Qt::Key_Return);
  QCoreApplication::processEvents();
  ASSERT_FALSE(dialog.isNull());
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(panels.Text(TestUrlPanel), QString());
}

TEST_F(SettingDialogTest, FileButtonPutsTheChosenPathIntoTheAddress) {
  ScriptedOpenDialog openDialog;
  SetDialogs(&openDialog);
  Open();
  openDialog.answer = QStringLiteral("/home/user/site/index.html");
  Click(dialog->Bopen);
  EXPECT_EQ(dialog->E_url->text(), QStringLiteral("/home/user/site/index.html"));
  ASSERT_TRUE(openDialog.askedWith.has_value());
  EXPECT_EQ(openDialog.askedWith->Title, QString());
  EXPECT_EQ(openDialog.askedWith->Filter, QString());

  // Cancelling the file dialog keeps the address; nothing is written before "Готово".
  openDialog.answer = std::nullopt;
  Click(dialog->Bopen);
  EXPECT_EQ(dialog->E_url->text(), QStringLiteral("/home/user/site/index.html"));
  EXPECT_EQ(panels.Text(TestUrlPanel), QString());
}

// Runs the Settings command and hands its dialog to `act` once it is shown. A dialog
// that `act` leaves open is closed after five seconds, so a failing test cannot hang.
void RunSettingsWith(TFmain& main, const std::function<void(TFsetting&)>& act) {
  QObject scope;
  QTimer::singleShot(0, &scope, [&] {
    if (Fsetting) act(*Fsetting);
  });
  QTimer::singleShot(5000, &scope, [] {
    if (QWidget* open = QApplication::activeModalWidget()) {
      ADD_FAILURE() << "settings dialog left open";
      open->close();
    }
  });
  RunSettingsCommand(main);
  FlushDeferredDeletes();
}

TEST(SettingsCommand, ShowsTheCurrentTestUrlOrTheDefault) {
  TFmain main;
  TStatusPanels& panels = *main.Status1;
  EXPECT_EQ(panels.Text(TestUrlPanel), QString()) << "no test address at start";

  QString shown;
  RunSettingsWith(main, [&](TFsetting& dialog) {
    shown = dialog.E_url->text();
    dialog.E_url->setText(QStringLiteral("http://localhost:8000/"));
    QTest::mouseClick(dialog.Bok, Qt::LeftButton);
  });
  EXPECT_EQ(shown, QStringLiteral("http://127.0.0.1/"));
  EXPECT_EQ(panels.Text(TestUrlPanel), QStringLiteral("http://localhost:8000/"));

  RunSettingsWith(main, [&](TFsetting& dialog) {
    shown = dialog.E_url->text();
    dialog.E_url->clear();
    QTest::mouseClick(dialog.Bcancel, Qt::LeftButton);
  });
  EXPECT_EQ(shown, QStringLiteral("http://localhost:8000/"));
  EXPECT_EQ(panels.Text(TestUrlPanel), QStringLiteral("http://localhost:8000/"));

  RunSettingsWith(main, [&](TFsetting& dialog) {
    dialog.E_url->clear();
    QTest::mouseClick(dialog.Bok, Qt::LeftButton);
  });
  EXPECT_EQ(panels.Text(TestUrlPanel), QString());

  RunSettingsWith(main, [&](TFsetting& dialog) {
    shown = dialog.E_url->text();
    QTest::keyClick(dialog.E_url, Qt::Key_Escape);
  });
  EXPECT_EQ(shown, QStringLiteral("http://127.0.0.1/"));
  EXPECT_EQ(Fsetting, nullptr);
}

}  // namespace
