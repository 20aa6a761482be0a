// The document's encoding in the main window's terms: the charset name the browser knows,
// what in the text an encoding cannot hold or its meta tag contradicts, and the messages
// that tell the user about it.
#pragma once

#include <QString>
#include <optional>

#include "platform/EncodingDetection.h"
#include "platform/Encodings.h"
#include "platform/TextFile.h"

namespace editor {
class TEditorStrings;
}

// The name a browser knows the encoding by: "windows-1251", "UTF-8", "UTF-16LE",
// "UTF-16BE", "KOI8-R", "IBM866".
QString BrowserCharset(platform::TEncoding encoding);

// A character of the editor's text: its 0-based row and its Windows-1251 code.
struct TTextCharacter {
  int row = 0;
  unsigned char code = 0;
};

// The first character of the text that `encoding` has no byte for (only KOI8-R and CP866
// lack some); none when it holds them all.
std::optional<TTextCharacter> FirstUnencodable(const editor::TEditorStrings& lines, platform::TEncoding encoding);

// The charset the page's meta tag declares, as written there, when it names a known
// encoding other than `encoding`; none otherwise. A file with a byte-order mark is
// shown by its mark whatever the page declares, so it never contradicts.
std::optional<QString> ContradictedDeclaration(const editor::TEditorStrings& lines, platform::TEncoding encoding);

// Why a file that claimed UTF-8 was opened as Windows-1251.
QString ConflictMessage(platform::TEncodingConflict conflict);
// Why a document opened read-only, naming its first character without a Windows-1251 code.
QString ReadOnlyMessage(const platform::TUnmappedCharacter& character, platform::TEncoding encoding);
// Why Save and Save As refuse a read-only document.
QString ReadOnlySaveMessage(const platform::TUnmappedCharacter& character, platform::TEncoding encoding);
// Why a document cannot be written in `encoding`: `saving` for a Save, else for a choice
// of the encoding.
QString UnencodableMessage(TTextCharacter character, platform::TEncoding encoding, bool saving);
// The question Save asks before writing a page whose meta tag declares another encoding.
QString DeclarationQuestion(const QString& declared, platform::TEncoding encoding);
