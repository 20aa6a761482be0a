// The HTML highlighter's word lists, their case-insensitive lookup and the number,
// identifier and punctuation tests of the token rules.
#include "editor/html/HtmlWords.h"

#include <algorithm>
#include <cstring>

namespace editor {

// Stored in this order; "h" and "align" are two words of the list.
const char* const HtmlTagWords =
    "doctype a address applet area b base basefont bgsound big blink blockquote body br "
    "caption center cite code col colgroup comment dfn dir li div dl dt dd em embed font "
    "form frame frameset h align h1 h2 h3 h4 h5 h6 head hr html i iframe img input "
    "isindex kbd link listing map marquee menu meta multicol nextid nobr noframes "
    "noscript object ol option p plaintext pre s samp script select small sound spacer "
    "span strike strong style sub sup table tbody td textarea tfoot th thead title tr tt "
    "u ul var wbr xmp";

const char* const HtmlEntityWords =
    "Aacute aacute acirc Acirc acute AElig aelig agrave Agrave alefsym alpha Alpha AMP "
    "amp and ang Aring aring asymp atilde Atilde Auml auml bdquo beta Beta brvbar bull "
    "cap Ccedil ccedil cedil cent chi Chi circ clubs cong copy COPY crarr cup curren "
    "dagger Dagger dArr darr deg Delta delta diams divide eacute Eacute ecirc Ecirc "
    "Egrave egrave empty emsp ensp Epsilon epsilon equiv eta Eta ETH eth Euml euml euro "
    "exist fnof forall frac12 frac14 frac34 frasl Gamma gamma ge gt GT harr hArr hearts "
    "hellip iacute Iacute Icirc icirc iexcl Igrave igrave image infin int Iota iota "
    "iquest isin Iuml iuml kappa Kappa Lambda lambda lang laquo larr lArr lceil ldquo le "
    "lfloor lowast loz lrm lsaquo lsquo lt LT macr mdash micro middot minus mu Mu nabla "
    "nbsp ndash ne ni not notin nsub Ntilde ntilde Nu nu oacute Oacute ocirc Ocirc oelig "
    "OElig ograve Ograve oline Omega omega omicron Omicron oplus or ordf ordm Oslash "
    "oslash Otilde otilde otimes ouml Ouml para part permil perp phi Phi Pi pi piv "
    "plusmn pound Prime prime prod prop psi Psi quot QUOT radic rang raquo rArr rarr "
    "rceil rdquo real REG reg rfloor Rho rho rlm rsaquo rsquo sbquo scaron Scaron sdot "
    "sect shy Sigma sigma sigmaf sim spades sub sube sum sup sup1 sup2 sup3 supe szlig "
    "Tau tau there4 Theta theta thetasym thinsp THORN thorn tilde times trade Uacute "
    "uacute uArr uarr ucirc Ucirc ugrave Ugrave uml upsih upsilon Upsilon uuml Uuml "
    "weierp xi Xi Yacute yacute yen yuml Yuml zeta Zeta zwj zwnj";

const char* const SymbolChars = "#%&'()*+,-./:;<=>@[\\]^{|}~";

namespace {

char AsciiLower(char ch) {
  return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

bool IsAsciiLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
bool IsDecimalDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsHexDigit(char ch) {
  return IsDecimalDigit(ch) || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

// The part after an optional leading sign, which needs at least one character after it.
bool SplitSign(std::string_view token, std::string_view signs, char& sign, std::string_view& body) {
  sign = 0;
  body = token;
  if (!token.empty() && signs.find(token.front()) != std::string_view::npos) {
    if (token.size() < 2) return false;
    sign = token.front();
    body = token.substr(1);
  }
  return !body.empty();
}

}  // namespace

TWordList::TWordList(std::string_view words) {
  std::size_t pos = 0;
  while (pos < words.size()) {
    const std::size_t begin = words.find_first_not_of(' ', pos);
    if (begin == std::string_view::npos) break;
    std::size_t end = words.find(' ', begin);
    if (end == std::string_view::npos) end = words.size();
    std::string word(words.substr(begin, end - begin));
    std::transform(word.begin(), word.end(), word.begin(), AsciiLower);
    longest_ = std::max(longest_, word.size());
    words_.push_back(std::move(word));
    pos = end;
  }
  std::sort(words_.begin(), words_.end());
}

bool TWordList::Contains(std::string_view token) const {
  if (token.empty() || token.size() > longest_) return false;
  // Tokens are short once past the length check, so lower-casing goes to the stack.
  char lowered[64];
  if (token.size() > sizeof lowered) return false;
  std::transform(token.begin(), token.end(), lowered, AsciiLower);
  return std::binary_search(words_.begin(), words_.end(), std::string_view(lowered, token.size()),
                            [](std::string_view a, std::string_view b) { return a < b; });
}

const TWordList& HtmlTagList() {
  static const TWordList list(HtmlTagWords);
  return list;
}

const TWordList& HtmlEntityList() {
  static const TWordList list(HtmlEntityWords);
  return list;
}

bool IsIdentifier(std::string_view token) {
  if (token.empty() || !(IsAsciiLetter(token.front()) || token.front() == '_')) return false;
  return std::all_of(token.begin(), token.end(),
                     [](char ch) { return IsAsciiLetter(ch) || IsDecimalDigit(ch) || ch == '_'; });
}

bool IsIntegerNumber(std::string_view token) {
  if (token == "$") return false;
  char sign;
  std::string_view body;
  if (!SplitSign(token, "-$", sign, body)) return false;
  if (sign == '$') return std::all_of(body.begin(), body.end(), IsHexDigit);
  return std::all_of(body.begin(), body.end(), IsDecimalDigit);
}

bool IsRealNumber(std::string_view token) {
  if (token == ".") return false;
  char sign;
  std::string_view body;
  if (!SplitSign(token, "-", sign, body)) return false;
  int dots = 0;
  for (const char ch : body) {
    if (ch == '.') {
      if (++dots > 1) return false;
    } else if (!IsDecimalDigit(ch)) {
      return false;
    }
  }
  return true;
}

bool IsSymbolChar(char ch) { return ch != 0 && std::strchr(SymbolChars, ch) != nullptr; }

}  // namespace editor
