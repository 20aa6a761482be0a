// The tag palette: its buttons and bevels on the main window's pages, and the shared
// click handler that inserts a button's snippet.
#include "insert/TagPalette.h"

#include <QFont>
#include <QFrame>
#include <QIcon>
#include <QString>

#include "insert/Snippets.h"
#include "insert/Uimage.h"
#include "widgets/DocumentWindow.h"
#include "widgets/XPButtons.h"

namespace {

constexpr int ButtonTop = 3;
constexpr int ButtonWidth = 34;
constexpr int ButtonHeight = 30;
constexpr int GlyphSize = 24;

QWidget* PageOf(const TPaletteTabs& tabs, insert::TPalettePage page) {
  switch (page) {
    case insert::TPalettePage::TabBasic: return tabs.TabBasic;
    case insert::TPalettePage::Tadvanced: return tabs.Tadvanced;
    case insert::TPalettePage::TabControl: return tabs.TabControl;
    case insert::TPalettePage::TabHypper: return tabs.TabHypper;
    case insert::TPalettePage::TabMedia: return tabs.TabMedia;
    case insert::TPalettePage::TabPHP: return tabs.TabPHP;
  }
  return nullptr;
}

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QIcon Glyph(std::string_view name) {
  return QIcon(QStringLiteral(":/icons/palette/%1.svg").arg(ToQString(name)));
}

// A flat 34 x 30 speed button at its place on a page, with its hint.
TXPSpeedButton* AddButton(QWidget* page, std::string_view name, int left, std::string_view hint) {
  auto* button = new TXPSpeedButton(page);
  button->setObjectName(ToQString(name));
  button->setGeometry(left, ButtonTop, ButtonWidth, ButtonHeight);
  button->setIconSize(QSize(GlyphSize, GlyphSize));
  button->SetHint(ToQString(hint));
  button->SetFlat(true);
  return button;
}

// The thin vertical bevel between two groups of buttons.
void AddBevel(QWidget* page, int left) {
  auto* bevel = new QFrame(page);
  bevel->setFrameShape(QFrame::VLine);
  bevel->setFrameShadow(QFrame::Sunken);
  bevel->setLineWidth(1);
  bevel->setGeometry(left, 6, 2, 24);
}

QFont BoldFont(const QString& family, int pixelHeight) {
  QFont font(family);
  font.setPixelSize(pixelHeight);
  font.setBold(true);
  return font;
}

// The Tadvanced buttons letter their faces in bold: the heading and paragraph buttons in a
// serif face, the rest (the preformatted-text button's "Pre") in the dialog face.
void StyleAdvancedButton(TXPSpeedButton* button, std::string_view name) {
  if (name == "Bh1" || name == "Bp") {
    button->setFont(BoldFont(QStringLiteral("Times New Roman"), 15));
  } else {
    button->setFont(BoldFont(QStringLiteral("MS Sans Serif"), 11));
  }
}

void AddSnippetButtons(TDocumentWindow& document, const TPaletteTabs& tabs) {
  for (const insert::TSnippetButton& entry : insert::SnippetTable) {
    TXPSpeedButton* button = AddButton(PageOf(tabs, entry.Page), entry.Name, entry.Left, entry.Hint);
    if (entry.Name == "Bpre") {
      button->SetCaption(QStringLiteral("Pre"));
    } else {
      button->SetGlyph(Glyph(entry.Name));
    }
    if (entry.Page == insert::TPalettePage::Tadvanced) StyleAdvancedButton(button, entry.Name);
    QObject::connect(button, &TXPSpeedButton::clicked, button, [&document, button] { BfontClick(document, button); });
  }
}

// The media buttons open the media dialog, which tells them apart by their Tag.
void AddMediaButtons(TDocumentWindow& document, const TPaletteTabs& tabs) {
  struct TMediaButton {
    std::string_view Name;
    QWidget* Page;
    int Left;
    std::string_view Hint;
    int Tag;
  };
  const TMediaButton buttons[] = {
      {"Bimage", tabs.TabBasic, 274, "изображение", 1},
      {"Bvideo", tabs.TabMedia, 8, "видеоклип", 2},
      {"Bsound", tabs.TabMedia, 42, "звукозапись", 3},
  };
  for (const TMediaButton& entry : buttons) {
    TXPSpeedButton* button = AddButton(entry.Page, entry.Name, entry.Left, entry.Hint);
    button->SetGlyph(Glyph(entry.Name));
    button->setProperty("Tag", entry.Tag);
    QObject::connect(button, &TXPSpeedButton::clicked, button, [&document, button] { BimageClick(document, button); });
  }
}

}  // namespace

void BuildTagPalette(TDocumentWindow& document, const TPaletteTabs& tabs) {
  AddSnippetButtons(document, tabs);
  AddMediaButtons(document, tabs);
  // The PHP page's second button has no hint, no glyph and no action; a screen reader
  // says so rather than announcing a button without a name.
  AddButton(tabs.TabPHP, "SpeedButton1", 42, "")->setAccessibleName(QStringLiteral("нет действия"));
  for (const int left : {45, 156, 268}) AddBevel(tabs.TabBasic, left);
  AddBevel(tabs.Tadvanced, 180);
}

void BfontClick(TDocumentWindow& document, const QObject* sender) {
  if (sender == nullptr) return;
  const QByteArray name = sender->objectName().toUtf8();
  insert::ForEachSnippetOf(std::string_view(name.constData(), static_cast<std::size_t>(name.size())),
                           [&document](std::string_view snippet) { document.SendAsTyping(std::string(snippet)); });
}
