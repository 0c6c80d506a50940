// The version stamp put into the main window's caption.
#pragma once

#include <string>

namespace tandrel {

inline constexpr char kVersionText[] = "2.9";
inline constexpr char kVersionPlaceholder[] = "$V$";

// The text with every "$V$", in any letter case, replaced by version. Never
// throws: on any failure the text comes back unchanged.
std::string StampVersion(const std::string& text, const std::string& version) noexcept;

}  // namespace tandrel
