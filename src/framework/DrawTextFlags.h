// The DrawText format flags and SetTextAlign flags under their Windows names
// and values, for code above the platform seam (which never sees
// <windows.h>, so the names cannot clash).
#pragma once

#include "platform/Surface.h"

namespace tandrel {

inline constexpr unsigned DT_LEFT = platform::text_format::kLeft;
inline constexpr unsigned DT_CENTER = platform::text_format::kCenter;
inline constexpr unsigned DT_RIGHT = platform::text_format::kRight;
inline constexpr unsigned DT_VCENTER = platform::text_format::kVCenter;
inline constexpr unsigned DT_BOTTOM = platform::text_format::kBottom;
inline constexpr unsigned DT_WORDBREAK = platform::text_format::kWordBreak;
inline constexpr unsigned DT_SINGLELINE = platform::text_format::kSingleLine;
inline constexpr unsigned DT_EXPANDTABS = platform::text_format::kExpandTabs;
inline constexpr unsigned DT_NOCLIP = platform::text_format::kNoClip;
inline constexpr unsigned DT_CALCRECT = platform::text_format::kCalcRect;
inline constexpr unsigned DT_NOPREFIX = platform::text_format::kNoPrefix;
inline constexpr unsigned DT_END_ELLIPSIS = platform::text_format::kEndEllipsis;
inline constexpr unsigned DT_RTLREADING = platform::text_format::kRtlReading;

inline constexpr unsigned TA_LEFT = platform::text_align::kLeft;
inline constexpr unsigned TA_RIGHT = platform::text_align::kRight;
inline constexpr unsigned TA_CENTER = platform::text_align::kCenter;
inline constexpr unsigned TA_TOP = platform::text_align::kTop;
inline constexpr unsigned TA_BOTTOM = platform::text_align::kBottom;
inline constexpr unsigned TA_BASELINE = platform::text_align::kBaseline;
inline constexpr unsigned TA_RTLREADING = platform::text_align::kRtlReading;

}  // namespace tandrel
