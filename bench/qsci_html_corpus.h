// A dense hand-written-style HTML document of any length, shared by the highlighting
// benchmarks so that every editor is measured on the same text.
#pragma once

#include <string>
#include <vector>

namespace bench_corpus {

// One line of the corpus: tags, attributes, quoted values, entities, comments and a tag
// that spans two rows, cycling through a fixed set with the row number mixed in.
inline std::string DenseHtmlLine(int row) {
  static const char* const patterns[] = {
      "<tr><td class=\"name\" width=120>Item &amp; #</td><td align=right>#.50</td></tr>",
      "<p>Some <b>bold</b> and <i>italic</i> text with <a href=\"page#.htm\">a link</a>.</p>",
      "<img src=\"img/pic#.png\" alt=\"Picture &laquo;#&raquo;\" border=0 width=64 height=48>",
      "<div style=\"color: red; margin: 0 auto\" id=block#>",
      "  <input type=\"text\" name=\"field#\" value=\"&lt;none&gt;\" size=30 maxlength=80>",
      "</div><!-- section # -->",
      "<table border=1 cellpadding=2",
      "       cellspacing=0 summary=\"table #\">",
      "  <font face=\"Arial\" size=2 color=red>&nbsp;Price: # &euro;</font><br>",
      "<h2 id=h#>Heading # &mdash; <span title='x y'>more</span></h2>",
  };
  std::string line = patterns[row % (sizeof patterns / sizeof *patterns)];
  const std::string number = std::to_string(row);
  for (std::size_t at = line.find('#'); at != std::string::npos; at = line.find('#', at + number.size()))
    line.replace(at, 1, number);
  return line;
}

// The first lineCount lines of the corpus.
inline std::vector<std::string> DenseHtml(int lineCount) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(lineCount));
  for (int row = 0; row < lineCount; ++row) lines.push_back(DenseHtmlLine(row));
  return lines;
}

}  // namespace bench_corpus
