// TTipOfDay: a component that, when executed, shows a small modal dialog with one tip
// out of a list, a button that steps to the next tip, a check box that asks for the tips
// at start-up, and a close button.
#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class QCheckBox;
class QDialog;
class QLabel;
class QAbstractButton;

enum TTipOfDayOption { toShowOnStartUp = 1, toUseAppStorage = 2, toShowWhenFormShown = 4 };
using TTipOfDayOptions = int;  // a set of TTipOfDayOption bits
enum TTipOfDayStyle { tsVC, tsStandard };

// Where the "show on start-up" choice is kept between runs, when a program keeps it.
class TAppStorage {
 public:
  virtual ~TAppStorage() = default;
  virtual bool ReadBoolean(const QString& path, bool defaultValue) = 0;
  virtual void WriteBoolean(const QString& path, bool value) = 0;
};

// The settings of one of the dialog's buttons.
struct TButtonPersistent {
  QString Caption;
  // A flat speed button instead of a push button.
  bool Flat = false;
  // While the pointer is over the button its caption uses HotTrackFont.
  bool HotTrack = false;
  QFont HotTrackFont;
};

class TTipOfDay : public QObject {
  Q_OBJECT

 public:
  explicit TTipOfDay(QObject* owner = nullptr);
  ~TTipOfDay() override;

  TAppStorage* AppStorage = nullptr;
  QString AppStoragePath;
  TButtonPersistent ButtonNext;
  TButtonPersistent ButtonClose;
  QString CheckBoxText;
  QColor Color;
  QString HeaderText;
  std::function<void(TTipOfDay*)> OnAfterExecute;
  std::function<void(TTipOfDay*, bool& canShow)> OnCanShow;
  TTipOfDayOptions Options = toShowOnStartUp;
  QStringList Tips;
  QString Title;

  bool DefaultFonts() const { return defaultFonts_; }
  // True puts back the default tip and header fonts.
  void SetDefaultFonts(bool value);
  const QFont& HeaderFont() const { return headerFont_; }
  void SetHeaderFont(const QFont& font);
  const QFont& TipFont() const { return tipFont_; }
  void SetTipFont(const QFont& font);
  TTipOfDayStyle Style() const { return style_; }
  void SetStyle(TTipOfDayStyle style);

  // Shows the dialog modally if it may be shown; returns when it is closed. Does
  // nothing while the dialog is already open.
  void Execute();

  // Called once the owning form has its settings: sets up the start-up showing.
  void Loaded();

  // The tip on display while the dialog is open.
  int CurrentTip() const { return current_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Run(bool startUp);
  bool MayShow(bool startUp);
  QDialog* CreateDialog();
  QAbstractButton* CreateButton(QDialog& dialog, const TButtonPersistent& settings, const QRect& geometry);
  void ShowTip();
  void NextTip();
  void ApplyDefaultFonts();

  bool defaultFonts_ = true;
  QFont headerFont_;
  QFont tipFont_;
  TTipOfDayStyle style_ = tsVC;
  int current_ = 0;
  QPointer<QLabel> tipLabel_;
  QPointer<QCheckBox> checkBox_;
  QPointer<QAbstractButton> nextButton_;
  bool executing_ = false;
  QPointer<QObject> hookedForm_;
  bool waitingForStartUp_ = false;
};
