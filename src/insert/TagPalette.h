// The tag palette on the main window's page control: the snippet buttons, the media
// buttons, the inert PHP button and the bevels between groups, and their click handler.
#pragma once

class QObject;
class QWidget;
class TDocumentWindow;

// The six pages of the main window's page control that carry the palette.
struct TPaletteTabs {
  QWidget* TabBasic;
  QWidget* Tadvanced;
  QWidget* TabControl;
  QWidget* TabHypper;
  QWidget* TabMedia;
  QWidget* TabPHP;
};

// Places the palette's buttons and bevels on the six pages and wires the snippet buttons
// to BfontClick and the media buttons to BimageClick, both for the document. The buttons
// take no focus, so the editor keeps it.
void BuildTagPalette(TDocumentWindow& document, const TPaletteTabs& tabs);

// The shared click handler of the snippet buttons: inserts, by send-as-typing, the
// snippet whose key equals the sender's component name.
void BfontClick(TDocumentWindow& document, const QObject* sender);
