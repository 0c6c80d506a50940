// DrawText's layout for the headless font: line breaks, word breaking,
// tab expansion and ampersand prefixes, as positioned glyphs per line.
#pragma once

#include <string_view>
#include <vector>

#include "platform/headless/FixedFont.h"

namespace tandrel::platform {

struct LaidGlyph {
  char32_t c = 0;
  int x = 0;        // offset from the line's start
  int advance = 0;
  bool underline = false;  // the character after a prefix '&'
};

struct LaidLine {
  std::vector<LaidGlyph> glyphs;
  int width = 0;
};

// Lays out `text` for a rectangle `rectWidth` wide by the text_format bits
// (word break, single line, expand tabs, no prefix).
std::vector<LaidLine> LayOutText(std::u32string_view text, const FixedFontMetrics& metrics,
                                 int rectWidth, unsigned format);

}  // namespace tandrel::platform
