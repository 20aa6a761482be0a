// The main window's document journal: the document it stamps, where its failure is told,
// and the window's document commands that end and restart it.
#pragma once

#include <memory>
#include <string>

class TDocumentJournal;
class TFmain;

// A journal of the window's document in `folder`, following the window's commands for as
// long as it lives. Destroy it before the window.
std::unique_ptr<TDocumentJournal> AttachDocumentJournal(TFmain& window, const std::string& folder);
