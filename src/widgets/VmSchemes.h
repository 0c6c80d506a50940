// Panel, frame and gradient colours of the widget set: the desktop scheme's
// colours when a themed desktop asks for the Office look, otherwise colours
// derived from the system's button colours.
#pragma once

#include "platform/Geometry.h"
#include "widgets/VmDrawTypes.h"

namespace tandrel {

struct TSchemeColors {
  TColor light = clNone;
  TColor medium = clNone;
  TColor dark = clNone;
  friend bool operator==(const TSchemeColors&, const TSchemeColors&) = default;
};

// The three colours of desktop scheme 0, 1 or 2 (any other value: 0).
TSchemeColors SchemeColorsOf(int scheme);

// Whether the windows are drawn by the platform's visual themes. This
// program's manifest does not ask for version 6 of the common controls, so
// the answer is always no and every widget takes its own drawing path.
bool VisualThemesEnabled();

struct TPanelColors {
  TColor light = clNone;
  TColor medium = clNone;
  friend bool operator==(const TPanelColors&, const TPanelColors&) = default;
};
struct TGradientColors {
  TColor stopColor = clNone;
  TColor startColor = clNone;
  TColor frameColor = clNone;
  friend bool operator==(const TGradientColors&, const TGradientColors&) = default;
};

TPanelColors SchemePanelColors(TVmGradientColorStyle style);
TColor SchemeFrameColor(TVmGradientColorStyle style);
TGradientColors SchemeGradientColors(TVmGradientColorStyle style);

// Element colours of the visual theme; the widgets ask only for the
// group-box caption colour.
enum class TThemedElement { GroupBoxCaption };
TColor ThemedElementColor(TThemedElement element);

}  // namespace tandrel
