// The main window's Preview and Settings commands.
#pragma once

class TDocumentWindow;

// Saves a modified document first (stops when it stays modified), then shows the
// preview of the test URL or the file.
void RunPreviewCommand(TDocumentWindow& document);
// Opens the test URL settings dialog.
void RunSettingsCommand(TDocumentWindow& document);
