// TSymbolColor and TColors: the highlighter's colour set of eleven named entries.
#pragma once

#include "platform/Colors.h"
#include "platform/Types.h"

namespace editor {

// The look of one class of token. Copying copies all three values.
struct TSymbolColor {
  platform::TFontStyles Style = 0;
  platform::TColor ForeColor = platform::clWindowText;
  platform::TColor BackColor = platform::clWindow;
  bool operator==(const TSymbolColor&) const = default;
};

// The eleven entries the highlighter colours tokens with, in published order. A
// default-constructed set holds the class defaults; copying a set copies every entry
// onto its namesake.
struct TColors {
  TSymbolColor Comment{platform::fsItalic, platform::clOlive};
  TSymbolColor Number{0, platform::clNavy};
  TSymbolColor Strings{0, platform::clPurple};
  TSymbolColor Symbol{0, platform::clBlue};
  TSymbolColor Reserved{platform::fsBold};
  TSymbolColor Identifier{};
  TSymbolColor Preproc{0, platform::clGreen};
  TSymbolColor FunctionCall{};
  TSymbolColor Declaration{};
  TSymbolColor Statement{platform::fsBold};
  TSymbolColor PlainText{};
  bool operator==(const TColors&) const = default;
};

// The colour set of the main window's editor Memo1: yellow, aqua and orange on navy.
TColors Memo1Colors();

}  // namespace editor
