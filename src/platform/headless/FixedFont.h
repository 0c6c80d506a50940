// The headless font: every character is a box in a fixed-width cell whose
// size follows the font height, so that text layout is deterministic and
// testable. Wide (East Asian) characters take a square cell, all others a
// cell half as wide; bold widens every cell by one pixel.
#pragma once

#include <string>
#include <string_view>

#include "platform/Surface.h"

namespace tandrel::platform {

struct FixedFontMetrics {
  int em = 12;          // character height
  int lineHeight = 15;  // em plus internal leading (TextHeight)
  int ascent = 12;      // from the top of the line to the baseline
  int narrowAdvance = 6;
  int wideAdvance = 12;
  int internalLeading = 3;
};

FixedFontMetrics MetricsOf(const FontSpec& font);

bool IsWideCodePoint(char32_t c);
int AdvanceOf(const FixedFontMetrics& metrics, char32_t c);

// UTF-8 to code points; malformed bytes become U+FFFD.
std::u32string DecodeUtf8(std::string_view text);

int LineWidth(const FixedFontMetrics& metrics, std::u32string_view line);

}  // namespace tandrel::platform
