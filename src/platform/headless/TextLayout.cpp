// Headless DrawText layout.
#include "platform/headless/TextLayout.h"

#include <cstddef>

namespace tandrel::platform {
namespace {

struct Marked {
  char32_t c;
  bool underline;
};

// Ampersand prefixes: "&&" is one ampersand, "&x" underlines x; a final
// ampersand stays as it is.
std::vector<Marked> ApplyPrefixes(std::u32string_view text, bool noPrefix) {
  std::vector<Marked> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!noPrefix && text[i] == U'&' && i + 1 < text.size()) {
      ++i;
      out.push_back({text[i], text[i] != U'&'});
      continue;
    }
    out.push_back({text[i], false});
  }
  return out;
}

// Lines end at CR, LF or CR LF; a break at the very end starts no new line,
// and even empty text is one (empty) line, as DrawText measures them.
std::vector<std::vector<Marked>> SplitParagraphs(const std::vector<Marked>& chars,
                                                 bool singleLine) {
  std::vector<std::vector<Marked>> paragraphs(1);
  for (std::size_t i = 0; i < chars.size(); ++i) {
    const char32_t c = chars[i].c;
    if (c == U'\r' || c == U'\n') {
      if (singleLine) continue;
      if (c == U'\r' && i + 1 < chars.size() && chars[i + 1].c == U'\n') ++i;
      if (i + 1 < chars.size()) paragraphs.emplace_back();
      continue;
    }
    paragraphs.back().push_back(chars[i]);
  }
  return paragraphs;
}

class ParagraphBreaker {
 public:
  ParagraphBreaker(const std::vector<Marked>& chars, const FixedFontMetrics& metrics,
                   int rectWidth, unsigned format)
      : chars_(chars),
        metrics_(metrics),
        rectWidth_(rectWidth),
        wordBreak_((format & text_format::kWordBreak) != 0 &&
                   (format & text_format::kSingleLine) == 0),
        expandTabs_((format & text_format::kExpandTabs) != 0) {}

  void Run(std::vector<LaidLine>& out) {
    std::size_t start = 0;
    do {
      start = OneLine(start, out);
    } while (start < chars_.size());
  }

 private:
  int Advance(char32_t c, int x) const {
    if (c == U'\t') {
      if (!expandTabs_) return 0;
      const int stop = 8 * metrics_.narrowAdvance;
      return (x / stop + 1) * stop - x;
    }
    return AdvanceOf(metrics_, c);
  }

  // Lays out one line from `start`; returns where the next line starts.
  std::size_t OneLine(std::size_t start, std::vector<LaidLine>& out) {
    LaidLine line;
    int x = 0;
    std::size_t breakEnd = 0;    // glyph count of the line when broken at the last chance
    std::size_t breakNext = 0;   // where the next line would start then
    bool haveBreak = false;
    std::size_t i = start;
    for (; i < chars_.size(); ++i) {
      const char32_t c = chars_[i].c;
      const int advance = Advance(c, x);
      const bool wide = IsWideCodePoint(c);
      if (wordBreak_ && i > start && wide) {
        // A wide character may start a new line.
        breakEnd = line.glyphs.size();
        breakNext = i;
        haveBreak = true;
      }
      if (wordBreak_ && x + advance > rectWidth_ && haveBreak && i > start) {
        return Finish(line, breakEnd, breakNext, out);
      }
      line.glyphs.push_back({c, x, advance, chars_[i].underline});
      x += advance;
      if (wordBreak_ && c == U' ') {
        // A line may break after any space; the spaces that fit stay on it
        // and count in its width, the others start the next line.
        breakEnd = line.glyphs.size();
        breakNext = i + 1;
        haveBreak = true;
      } else if (wordBreak_ && wide) {
        breakEnd = line.glyphs.size();
        breakNext = i + 1;
        haveBreak = true;
      }
    }
    line.width = x;
    out.push_back(std::move(line));
    return i;
  }

  std::size_t Finish(LaidLine& line, std::size_t glyphCount, std::size_t next,
                     std::vector<LaidLine>& out) {
    line.glyphs.resize(glyphCount);
    line.width = line.glyphs.empty() ? 0 : line.glyphs.back().x + line.glyphs.back().advance;
    out.push_back(std::move(line));
    return next;
  }

  const std::vector<Marked>& chars_;
  const FixedFontMetrics& metrics_;
  int rectWidth_;
  bool wordBreak_;
  bool expandTabs_;
};

}  // namespace

std::vector<LaidLine> LayOutText(std::u32string_view text, const FixedFontMetrics& metrics,
                                 int rectWidth, unsigned format) {
  std::vector<LaidLine> lines;
  const auto chars = ApplyPrefixes(text, (format & text_format::kNoPrefix) != 0);
  for (const auto& paragraph :
       SplitParagraphs(chars, (format & text_format::kSingleLine) != 0)) {
    if (paragraph.empty()) {
      lines.emplace_back();
      continue;
    }
    ParagraphBreaker(paragraph, metrics, rectWidth, format).Run(lines);
  }
  return lines;
}

}  // namespace tandrel::platform
