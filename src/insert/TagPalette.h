// The tag palette on the main window's page control: the snippet buttons, the media
// buttons, the inert PHP button and the bevels between groups, and their click handler.
#pragma once

class QObject;
class TFmain;

// Places the palette's buttons and bevels on the six pages of main.PageControl1 (the
// pages must exist) and wires the snippet buttons to BfontClick. The buttons take no
// focus, so the editor keeps it.
void BuildTagPalette(TFmain& main);

// The shared click handler of the snippet buttons: inserts, by send-as-typing, the
// snippet whose key equals the sender's component name.
void BfontClick(TFmain& main, const QObject* sender);
