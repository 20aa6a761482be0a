// The media dialog over the real main window: the tag Bok types for each kind, the check
// boxes and their fields, the file browser, and closing without inserting.
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include "MainWindowFixture.h"
#include "insert/Uimage.h"
#include "widgets/PageControl.h"
#include "widgets/XPButtons.h"

namespace {

class MediaDialog : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Main().resize(800, 600);
    Main().show();
    QApplication::processEvents();
  }

  // A dialog of the kind, shown (not modally) so its show handler runs.
  TFimage* Open(int tag) {
    auto* dialog = new TFimage(Main());
    dialog->Tag = tag;
    dialog->show();
    QApplication::processEvents();
    return dialog;
  }

  void Check(QCheckBox* box, TSpinField* field, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    ASSERT_TRUE(box->isChecked());
    field->Edit()->setText(text);
  }

  // Clicks Bok and waits for the dialog to free itself.
  void ClickOk(TFimage* dialog) {
    QPointer<TFimage> guard(dialog);
    QTest::mouseClick(dialog->Bok, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
  }

  std::vector<std::string> Typed() { return EditorLines(); }
};

TEST_F(MediaDialog, StartsWithItsCaptionSizeAndDisabledFields) {
  TFimage* dialog = Open(1);
  EXPECT_EQ(dialog->windowTitle(), "Выбор файла");
  EXPECT_EQ(dialog->size(), QSize(420, 332));
  EXPECT_TRUE(dialog->Efile->text().isEmpty());
  for (TSpinField* field : {dialog->eHeight, dialog->eWidth, dialog->eBorder}) EXPECT_FALSE(field->isEnabled());
  EXPECT_EQ(dialog->eHeight->Value(), 100);
  EXPECT_EQ(dialog->eWidth->Value(), 100);
  EXPECT_EQ(dialog->eBorder->Value(), 1);
  QTest::mouseClick(dialog->bWidth, Qt::LeftButton, {}, QPoint(6, dialog->bWidth->height() / 2));
  EXPECT_TRUE(dialog->eWidth->isEnabled());
  EXPECT_NE(dialog->eWidth->Edit()->palette().color(QPalette::Base),
            dialog->eHeight->Edit()->palette().color(QPalette::Base));
  QTest::mouseClick(dialog->bWidth, Qt::LeftButton, {}, QPoint(6, dialog->bWidth->height() / 2));
  EXPECT_FALSE(dialog->eWidth->isEnabled());
  dialog->close();
}

TEST_F(MediaDialog, ImageTags) {
  ClickOk(Open(1));
  EXPECT_EQ(Typed(), std::vector<std::string>{"<img src=\"\">"});
  EXPECT_EQ(Panel(2), "*");

  SetLines({});
  Main().Memo1->Editor().MoveCaretTo(0, 0);
  TFimage* dialog = Open(1);
  dialog->Efile->setText(QStringLiteral("C:\\p\\a.gif"));
  Check(dialog->bWidth, dialog->eWidth, "100");
  Check(dialog->bBorder, dialog->eBorder, "1");
  ClickOk(dialog);
  EXPECT_EQ(Typed(), std::vector<std::string>{"<img border=\"1\" width=\"100\" src=\"C:\\p\\a.gif\">"});
}

TEST_F(MediaDialog, VideoTagWithHeight) {
  TFimage* dialog = Open(2);
  dialog->Efile->setText(QStringLiteral("f.avi"));
  Check(dialog->bHeight, dialog->eHeight, "100");
  ClickOk(dialog);
  EXPECT_EQ(Typed(), std::vector<std::string>{"<img height=\"100\" dynsrc=\"f.avi\" src=\"\">"});
}

TEST_F(MediaDialog, SoundTagHasNoSizesAndItsBoxesCannotBeChecked) {
  TFimage* dialog = Open(3);
  for (QCheckBox* box : {dialog->bBorder, dialog->bHeight, dialog->bWidth}) {
    EXPECT_FALSE(box->isEnabled());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    EXPECT_FALSE(box->isChecked());
  }
  dialog->Efile->setText(QStringLiteral("s.wav"));
  ClickOk(dialog);
  EXPECT_EQ(Typed(), std::vector<std::string>{"<bgsound src=\"s.wav\">"});
}

TEST_F(MediaDialog, FieldTextThatIsNotAnIntegerCountsAsZeroAndArrowsStep) {
  TFimage* dialog = Open(1);
  Check(dialog->bHeight, dialog->eHeight, "");
  Check(dialog->bBorder, dialog->eBorder, "x7");
  Check(dialog->bWidth, dialog->eWidth, "-5");
  QTest::keyClick(dialog->eWidth->Edit(), Qt::Key_Up);
  QTest::keyClick(dialog->eWidth->Edit(), Qt::Key_Up);
  // The arrows stop at the largest integer rather than wrapping round.
  dialog->eBorder->Edit()->setText("2147483647");
  QTest::keyClick(dialog->eBorder->Edit(), Qt::Key_Up);
  EXPECT_EQ(dialog->eBorder->Value(), 2147483647);
  dialog->eBorder->Edit()->setText("x7");
  ClickOk(dialog);
  EXPECT_EQ(Typed(), std::vector<std::string>{"<img border=\"0\" height=\"0\" width=\"-3\" src=\"\">"});
}

TEST_F(MediaDialog, CancelEscAndAnUnknownKindInsertNothing) {
  QPointer<TFimage> dialog = Open(1);
  QTest::mouseClick(dialog->Bcancel, Qt::LeftButton);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(dialog.isNull());

  dialog = Open(2);
  QTest::keyClick(dialog->Efile, Qt::Key_Escape);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(dialog.isNull());

  ClickOk(Open(0));
  EXPECT_EQ(Typed(), std::vector<std::string>{});
  EXPECT_EQ(Panel(2), "");
}

TEST_F(MediaDialog, BrowseSelectsTheKindsFilterAndTakesTheChosenPath) {
  dialogs_.OpenAnswers = {QStringLiteral("/home/u/clip.avi"), std::nullopt};
  TFimage* dialog = Open(2);
  QTest::mouseClick(dialog->Bselect, Qt::LeftButton);
  ASSERT_EQ(dialogs_.Log.size(), 1u);
  EXPECT_EQ(dialogs_.Log[0].Caption, "Выбор файла");
  EXPECT_EQ(dialogs_.Log[0].Options.FilterIndex, 2);
  EXPECT_EQ(dialogs_.Log[0].Options.Filter,
            "Файлы (bmp, jpg, gif)|*.bmp;*.jpg;*.gif|Файлы (avi, mpg, mpeg)|*.avi;*.mpg;*.mpeg|"
            "Файлы (wav, mp3)|*.wav;*.mp3|Все файлы|*.*");
  EXPECT_EQ(dialog->Efile->text(), "/home/u/clip.avi");
  // Cancelling the browser keeps the name already there.
  QTest::mouseClick(dialog->Bselect, Qt::LeftButton);
  EXPECT_EQ(dialog->Efile->text(), "/home/u/clip.avi");
  dialog->close();
}

TEST_F(MediaDialog, ThePalettesMediaButtonsOpenTheirKind) {
  const std::pair<const char*, int> buttons[] = {{"Bimage", 1}, {"Bvideo", 2}, {"Bsound", 3}};
  for (const auto& [name, tag] : buttons) {
    auto* button = Main().PageControl1->findChild<TXPSpeedButton*>(QString::fromUtf8(name));
    ASSERT_NE(button, nullptr) << name;
    Main().PageControl1->setCurrentWidget(button->parentWidget());
    QApplication::processEvents();
    int seenTag = -1;
    QTimer::singleShot(0, [&seenTag] {
      ASSERT_NE(Fimage, nullptr);
      seenTag = Fimage->Tag;
      EXPECT_TRUE(Fimage->isModal());
      Fimage->Efile->setText(QStringLiteral("m"));
      QTest::mouseClick(Fimage->Bok, Qt::LeftButton);
    });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(seenTag, tag) << name;
  }
  EXPECT_EQ(Typed(), std::vector<std::string>{"<img src=\"m\"><img dynsrc=\"m\" src=\"\"><bgsound src=\"m\">"});
}

}  // namespace
