// The send-as-typing insertion: the main window feeds a text to the editor one character
// message at a time, so the editor's own typing rules decide what each character does.
#include <QString>

#include "app/Umain.h"
#include "platform/Messages.h"
#include "qt/EditorWidget.h"

void TFmain::SendAsTyping(const std::string& text) {
  for (const char ch : text) {
    // The editor is looked up again for every character, and each message is handled to
    // completion (change event included) before the next one is sent.
    auto* memo = findChild<EditorWidget*>(QStringLiteral("Memo1"));
    if (memo == nullptr) continue;
    memo->Editor().Perform(platform::WM_CHAR, static_cast<unsigned char>(ch), 0);
  }
}
