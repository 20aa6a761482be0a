// The colour set the main window gives its editor Memo1.
#include "editor/html/Colors.h"

namespace editor {

namespace {

// Memo1's reserved words: 33023, an orange.
constexpr platform::TColor Memo1Orange = 0x000080FF;

TSymbolColor OnNavy(platform::TColor fore, platform::TFontStyles style = 0) {
  return TSymbolColor{style, fore, platform::clNavy};
}

}  // namespace

TColors Memo1Colors() {
  using namespace platform;
  TColors colors;
  colors.Comment = OnNavy(clOlive, fsItalic);
  colors.Number = OnNavy(clYellow);
  colors.Strings = OnNavy(clAqua);
  colors.Symbol = OnNavy(clYellow);
  colors.Reserved = OnNavy(Memo1Orange, fsBold);
  colors.Identifier = OnNavy(clYellow);
  colors.Preproc = OnNavy(clAqua);
  colors.FunctionCall = OnNavy(clTeal);
  colors.Declaration = OnNavy(clPurple);
  colors.Statement = OnNavy(clYellow, fsBold);
  colors.PlainText = OnNavy(clYellow);
  return colors;
}

}  // namespace editor
