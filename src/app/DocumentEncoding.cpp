// The document's encoding in the main window's terms: browser charset names, the checks
// before a save, and the messages.
#include "app/DocumentEncoding.h"

#include <string>

#include "editor/EditorStrings.h"
#include "platform/Cp1251.h"
#include "platform/TextCodec.h"

namespace {

QString NameOf(platform::TEncoding encoding) { return QString::fromUtf8(platform::EncodingName(encoding)); }

// "U+1F600 «😀»"; a character that cannot be shown (a control character) goes by its code alone.
QString Described(char32_t codePoint) {
  const QString code = QStringLiteral("U+%1").arg(static_cast<uint>(codePoint), 4, 16, QLatin1Char('0')).toUpper();
  if (!QChar::isPrint(codePoint)) return code;
  return code + QStringLiteral(" «") + QString::fromUcs4(&codePoint, 1) + QStringLiteral("»");
}

// What the first unreadable place of a file was: a character, or bytes that make none.
QString DescribedUnmapped(const platform::TUnmappedCharacter& character, platform::TEncoding encoding) {
  if (character.codePoint == platform::kMalformedCharacter) {
    return QStringLiteral("байты, не составляющие символа в кодировке %1, в строке %2")
        .arg(NameOf(encoding))
        .arg(character.line + 1);
  }
  return QStringLiteral("%1 в строке %2").arg(Described(character.codePoint)).arg(character.line + 1);
}

// The text as Save writes it, as far as a charset declaration is looked for.
std::string TextHead(const editor::TEditorStrings& lines) {
  std::string head;
  for (int i = 0; i < lines.Count() && head.size() < platform::kDeclarationWindow; ++i) {
    head += lines.Get(i);
    head += "\r\n";
  }
  return head;
}

}  // namespace

QString BrowserCharset(platform::TEncoding encoding) {
  switch (encoding) {
    case platform::TEncoding::Windows1251: return QStringLiteral("windows-1251");
    case platform::TEncoding::Utf8:
    case platform::TEncoding::Utf8Bom: return QStringLiteral("UTF-8");
    case platform::TEncoding::Utf16Le: return QStringLiteral("UTF-16LE");
    case platform::TEncoding::Utf16Be: return QStringLiteral("UTF-16BE");
    case platform::TEncoding::Koi8R: return QStringLiteral("KOI8-R");
    case platform::TEncoding::Cp866: return QStringLiteral("IBM866");
  }
  return {};
}

std::optional<TTextCharacter> FirstUnencodable(const editor::TEditorStrings& lines, platform::TEncoding encoding) {
  for (int row = 0; row < lines.Count(); ++row) {
    const std::string& line = lines.Get(row);
    const std::size_t at = platform::FirstUnencodable(line, encoding);
    if (at != std::string::npos) return TTextCharacter{row, static_cast<unsigned char>(line[at])};
  }
  return std::nullopt;
}

std::optional<QString> ContradictedDeclaration(const editor::TEditorStrings& lines, platform::TEncoding encoding) {
  if (!platform::ByteOrderMark(encoding).empty()) return std::nullopt;
  const std::string head = TextHead(lines);
  const std::optional<std::string_view> declared = platform::FindDeclaredCharset(head);
  if (!declared) return std::nullopt;
  const std::optional<platform::TEncoding> named = platform::EncodingFromCharset(*declared);
  if (!named || *named == encoding) return std::nullopt;
  return QString::fromStdU16String(platform::Cp1251ToUtf16(*declared)).trimmed();
}

QString ConflictMessage(platform::TEncodingConflict conflict) {
  const QString claim = conflict == platform::TEncodingConflict::ByteOrderMark
                            ? QStringLiteral("Файл начинается с метки порядка байтов UTF-8")
                            : QStringLiteral("Страница объявляет кодировку UTF-8 (meta charset)");
  return claim + QStringLiteral(", но байты файла не являются текстом в UTF-8. Файл открыт в кодировке "
                                "Windows-1251: его байты прочитаны как есть.");
}

QString ReadOnlyMessage(const platform::TUnmappedCharacter& character, platform::TEncoding encoding) {
  return QStringLiteral("Документ открыт только для чтения: в нём есть символы, которых нет в кодировке "
                        "Windows-1251 редактора (первый из них: %1). Его можно просматривать, копировать "
                        "и смотреть в просмотре, но не изменять: при сохранении эти символы были бы "
                        "заменены знаком «?».\n\nЕсли файл на самом деле в другой кодировке, откройте его "
                        "через «Файл → Открыть заново в кодировке».")
      .arg(DescribedUnmapped(character, encoding));
}

QString ReadOnlySaveMessage(const platform::TUnmappedCharacter& character, platform::TEncoding encoding) {
  return QStringLiteral("Документ открыт только для чтения и не сохранён: в нём есть символы, которых нет в "
                        "кодировке Windows-1251 редактора (первый из них: %1), и в файле они были бы "
                        "заменены знаком «?». Файл на диске остаётся как был.")
      .arg(DescribedUnmapped(character, encoding));
}

QString UnencodableMessage(TTextCharacter character, platform::TEncoding encoding, bool saving) {
  const QString what = QStringLiteral("В кодировке %1 нет символа %2 из строки %3.")
                           .arg(NameOf(encoding), Described(platform::Cp1251ToUnicode(character.code)))
                           .arg(character.row + 1);
  if (saving) {
    return what + QStringLiteral(" Документ не сохранён, чтобы символ не был заменён знаком «?»: выберите "
                                 "другую кодировку в меню «Файл → Кодировка» или уберите символ.");
  }
  return what + QStringLiteral(" Кодировка документа не изменена.");
}

QString DeclarationQuestion(const QString& declared, platform::TEncoding encoding) {
  return QStringLiteral("Страница объявляет кодировку «%1» (meta charset), а сохраняется в %2: браузер "
                        "покажет её текст искажённым. Исправьте объявление или выберите кодировку в меню "
                        "«Файл → Кодировка».\n\nСохранить всё равно?")
      .arg(declared, NameOf(encoding));
}
