// The tray icon's tooltip as the shell record takes it: UTF-16, cut to what
// the chosen record layout holds, never inside a surrogate pair.
#pragma once

#include <cstddef>
#include <string_view>
#include <string>

namespace tandrel {

// Characters of tip text the two record layouts hold, the zero not counted.
inline constexpr std::size_t kShortTipLength = 63;
inline constexpr std::size_t kExtendedTipLength = 127;

// `text` (UTF-8) converted and cut to at most `maxUnits` UTF-16 units. A
// surrogate pair that would be split by the cut is left out whole.
std::u16string CutTrayTip(std::string_view text, std::size_t maxUnits);

}  // namespace tandrel
