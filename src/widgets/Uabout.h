// TFAbout: the about window — the logo, the credits scrolling upwards, and this machine's
// physical memory figures. Made anew by each About command, shown modally, freed on close.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

#include "platform/MemoryStatus.h"

class QFrame;
class QLabel;
class QLocale;
class TScrollText;
class TXPButton;

class TFAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TFAbout(QWidget* parent = nullptr);
  ~TFAbout() override;

  QLabel* Image1 = nullptr;
  TScrollText* ScrollText1 = nullptr;
  QFrame* Bevel1 = nullptr;
  QLabel* L3 = nullptr;
  QLabel* Lmemory = nullptr;
  QLabel* L4 = nullptr;
  QLabel* LFree = nullptr;
  TXPButton* XPButton1 = nullptr;

  // Fills the memory labels from a status; FormCreate passes this machine's.
  void ShowMemory(const platform::TMemoryStatus& status);

 private:
  void FormCreate();
};

// The total as kilobytes, grouped in threes with the locale's separator: "2,097,152 KB".
QString FormatTotalMemory(std::uint64_t bytes, const QLocale& locale);
// The share not in use: "63 %".
QString FormatFreeMemory(std::uint32_t memoryLoad);

// The about window while it exists.
extern TFAbout* FAbout;
