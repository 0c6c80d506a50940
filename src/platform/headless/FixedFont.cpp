// Metrics of the headless fixed font.
#include "platform/headless/FixedFont.h"

#include "platform/Utf.h"

namespace tandrel::platform {

FixedFontMetrics MetricsOf(const FontSpec& font) {
  FixedFontMetrics m;
  if (font.height < 0) {
    m.em = -font.height;
    m.lineHeight = m.em + m.em / 4;
  } else if (font.height > 0) {
    m.lineHeight = font.height;
    m.em = font.height - font.height / 5;
  } else {
    m.em = 12;
    m.lineHeight = 15;
  }
  if (m.em < 1) m.em = 1;
  if (m.lineHeight < m.em) m.lineHeight = m.em;
  m.internalLeading = m.lineHeight - m.em;
  const int descent = m.em / 4;
  m.ascent = m.lineHeight - descent;
  const int boldExtra = font.bold ? 1 : 0;
  m.narrowAdvance = (m.em + 1) / 2 + boldExtra;
  m.wideAdvance = m.em + boldExtra;
  return m;
}

bool IsWideCodePoint(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

int AdvanceOf(const FixedFontMetrics& metrics, char32_t c) {
  return IsWideCodePoint(c) ? metrics.wideAdvance : metrics.narrowAdvance;
}

std::u32string DecodeUtf8(std::string_view text) {
  const std::u16string wide = Utf8ToUtf16(text);
  std::u32string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t unit = wide[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF) {
      out.push_back(0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                    (static_cast<char32_t>(wide[i + 1]) - 0xDC00));
      ++i;
    } else {
      out.push_back(unit);
    }
  }
  return out;
}

int LineWidth(const FixedFontMetrics& metrics, std::u32string_view line) {
  int width = 0;
  for (char32_t c : line) width += AdvanceOf(metrics, c);
  return width;
}

}  // namespace tandrel::platform
