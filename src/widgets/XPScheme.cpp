// Push button palettes and the desktop theme query.
#include "widgets/XPScheme.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

// Normal, hot, pressing, pressed, disabled, focus frame, hot frame, border.
const TXPPushColors kPalettes[] = {
    {{0xFFFFFF, 0xE7EBEF}, {0xFFFFFF, 0xE7EBEF}, {0xFFFFFF, 0xE7EBEF}, {0xCED8D9, 0xE4E4E4},
     {0xFFFFFF, 0xE7EBEF}, {0xFFE7CE, 0xEF846D}, {0x9DDDFF, 0x46BEFF}, 0x993333},
    {{0xFDFDFD, 0xDFCCCD}, {0xFDFDFD, 0xE7D7D6}, {0xFDFDFD, 0xDFCCCD}, {0xDFCCCD, 0xFDFDFD},
     {0xFFFFFF, 0xE7EBEF}, {0xFFE7CE, 0xEF846D}, {0x9DDDFF, 0x46BEFF}, 0x993333},
    {{0xF2FFFE, 0xDBEEF3}, {0xF2FFFE, 0xDBEEF3}, {0xF2FFFE, 0xDBEEF3}, {0xCCE3EC, 0xCCE3EC},
     {0xE9F2F6, 0xE9F2F6}, {0x9CD8C2, 0x47B48D}, {0x82D3FF, 0x0096E7}, 0x286851},
    {{0xEAF4FF, 0x6FB5FB}, {0xEAF4FF, 0x83BFFC}, {0xEAF4FF, 0x6FB5FB}, {0x6FB5FB, 0xEAF4FF},
     {0xE9F2F6, 0xE9F2F6}, {0xFFE7CE, 0xEF846D}, {0xFFFFFF, 0xBEBEBE}, 0x993333},
};

TThemeNameQuery& Query() {
  static TThemeNameQuery query;
  return query;
}

// The desktop's theme name, where the desktop keeps one in its settings file.
std::optional<QString> DesktopThemeName() {
  const QString path =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/gtk-3.0/settings.ini");
  const QSettings settings(path, QSettings::IniFormat);
  const QVariant name = settings.value(QStringLiteral("Settings/gtk-theme-name"));
  if (!name.isValid()) return std::nullopt;
  return name.toString();
}

}  // namespace

const TXPPushColors& PushColors(TXPPalette palette) { return kPalettes[palette]; }

void SetThemeNameQuery(TThemeNameQuery query) { Query() = std::move(query); }

TXPPalette PaletteForThemeName(const std::optional<QString>& name) {
  if (!name) return xpPaletteBlue;
  if (name->compare(QLatin1String("Metallic"), Qt::CaseInsensitive) == 0) return xpPaletteSilver;
  if (name->compare(QLatin1String("HomeStead"), Qt::CaseInsensitive) == 0) return xpPaletteGreen;
  return xpPaletteBlue;
}

TXPPalette PaletteForScheme(TXPScheme scheme) {
  switch (scheme) {
    case TXPScheme::xpBlue: return xpPaletteBlue;
    case TXPScheme::xpSilver: return xpPaletteSilver;
    case TXPScheme::xpGreen: return xpPaletteGreen;
    case TXPScheme::xpOrange: return xpPaletteOrange;
    case TXPScheme::xpAutomatic: break;
  }
  return PaletteForThemeName(Query() ? Query()() : DesktopThemeName());
}
