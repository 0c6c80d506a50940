// The enumerations the drawing helpers and the widgets share: frame sides,
// frame styles, gradient directions and the style switches of the widgets.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace tandrel {

enum TSide : std::uint8_t { sdLeft, sdTop, sdRight, sdBottom };

// A set of sides, stored as bits (left = 1, top = 2, right = 4, bottom = 8).
class TSides {
 public:
  constexpr TSides() = default;
  constexpr TSides(std::initializer_list<TSide> sides) {
    for (TSide side : sides) bits_ |= Bit(side);
  }
  static constexpr TSides FromBits(unsigned bits) {
    TSides sides;
    sides.bits_ = static_cast<std::uint8_t>(bits & 15u);
    return sides;
  }
  constexpr unsigned Bits() const { return bits_; }
  constexpr bool Contains(TSide side) const { return (bits_ & Bit(side)) != 0; }
  friend constexpr bool operator==(TSides, TSides) = default;

 private:
  static constexpr std::uint8_t Bit(TSide side) { return static_cast<std::uint8_t>(1u << side); }
  std::uint8_t bits_ = 0;
};

inline constexpr TSides kAllSides{sdLeft, sdTop, sdRight, sdBottom};

// The frame-style catalogue; fsFlatRounded exists only for panel borders.
enum TFrameStyleEx : std::uint8_t {
  fsNone,
  fsFlat,
  fsGroove,
  fsBump,
  fsLowered,
  fsButtonDown,
  fsRaised,
  fsButtonUp,
  fsStatus,
  fsPopup,
  fsFlatBold,
  fsFlatRounded,
};
using TFrameStyle = TFrameStyleEx;  // fsNone..fsFlatBold

enum TGradientDirection : std::uint8_t {
  gdDiagonalUp,
  gdDiagonalDown,
  gdHorizontalEnd,
  gdHorizontalCenter,
  gdHorizontalBox,
  gdVerticalEnd,
  gdVerticalCenter,
  gdVerticalBox,
  gdSquareBox,
  gdBigSquareBox,
};

enum TVmGradientColorStyle : std::uint8_t { gcsSystem, gcsMSOffice, gcsCustom };
enum TVmVisualStyle : std::uint8_t { vsClassic, vsWinXP, vsGradient };
enum TFramingPreference : std::uint8_t { fpCustomFraming, fpXPThemes };
enum TVmHotTrackColorType : std::uint8_t { htctComplement, htctActual };
enum TVmButtonHotTrackStyle : std::uint8_t { htsInterior, htsFrame };

}  // namespace tandrel
