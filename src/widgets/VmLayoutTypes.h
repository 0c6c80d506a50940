// Small enumerations that several widget families share: vertical
// placement of captions and glyphs, and the caption text styles.
#pragma once

#include <cstdint>

namespace tandrel {

enum TAlignmentVertical : std::uint8_t { avTop, avCenter, avBottom };

enum TTextStyle : std::uint8_t { tsNormal, tsRaised, tsRecessed, tsShadow };

}  // namespace tandrel
