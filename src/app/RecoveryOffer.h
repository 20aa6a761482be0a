// The start-up offer of the journals that programs which died left behind.
#pragma once

#include <string>

class TDocumentJournal;
class TFmain;

// Offers the journals in `folder` whose program is gone, newest change first, one dialog
// each; journals that hold no change are removed unasked. "Восстановить" puts the text in
// the window as a modified document under its own name (nothing is written to the file
// until the user saves) and ends the offer: the journals not yet offered stay for a later
// start. "Удалить" removes a journal, "Позже" keeps it. True when a document was restored.
bool OfferRecovery(TFmain& window, TDocumentJournal& journal, const std::string& folder);
