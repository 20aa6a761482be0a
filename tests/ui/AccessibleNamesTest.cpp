// Every control of every window has a name a screen reader can say: its hint where it
// has one, else its caption or the label beside it. (The preview window's are checked
// with its other tests.)
#include <QAccessible>

#include "AccessibleTree.h"
#include "MainWindowFixture.h"
#include "ModalScript.h"
#include "app/MainTip.h"
#include "app/Uprop.h"
#include "insert/Uimage.h"
#include "preview/Usetting.h"
#include "widgets/TipOfDay.h"
#include "widgets/Uabout.h"

namespace {

class AccessibleNames : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Main().show();
    QApplication::processEvents();
  }
};

}  // namespace

TEST_F(AccessibleNames, MainWindowAndAttributePalette) {
  EXPECT_EQ(UnnamedControls(&Main()), "");
  ASSERT_NE(Fprop, nullptr);
  EXPECT_EQ(UnnamedControls(Fprop), "");
}

TEST_F(AccessibleNames, MediaSettingsAndAboutDialogs) {
  auto* media = new TFimage(Main());
  media->Tag = 1;
  media->show();
  EXPECT_EQ(UnnamedControls(media), "");
  delete media;

  auto* settings = new TFsetting(Main(), &Main());
  EXPECT_EQ(UnnamedControls(settings), "");
  delete settings;

  TFAbout about;
  EXPECT_EQ(UnnamedControls(&about), "");
}

TEST_F(AccessibleNames, TipOfTheDay) {
  std::string unnamed = "not shown";
  ModalScript look([&](QWidget* dialog) {
    unnamed = UnnamedControls(dialog);
    dialog->close();
  });
  MainTip(Main()).Execute();
  EXPECT_EQ(unnamed, "");
}
