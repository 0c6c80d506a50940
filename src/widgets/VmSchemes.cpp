// Scheme colours.
#include "widgets/VmSchemes.h"

#include "widgets/VmColors.h"
#include "widgets/VmDrawGlobals.h"

namespace tandrel {
namespace {

bool UsesDesktopScheme(TVmGradientColorStyle style) {
  return style == gcsMSOffice && VisualThemesEnabled();
}

}  // namespace

TSchemeColors SchemeColorsOf(int scheme) {
  switch (scheme) {
    case 1: return TSchemeColors{0xEDFFFF, 0x92C7B8, 0x77A17F};  // HOMESTEAD
    case 2: return TSchemeColors{0xFFF9F9, 0xD0BCBD, 0xB19F9F};  // METALLIC
    default: return TSchemeColors{0xFFEFE3, 0xEABB99, 0xBF7F57};  // normal
  }
}

bool VisualThemesEnabled() { return false; }

TPanelColors SchemePanelColors(TVmGradientColorStyle style) {
  if (UsesDesktopScheme(style)) {
    const TSchemeColors scheme = SchemeColorsOf(ThemeColorScheme());
    return TPanelColors{scheme.light, scheme.medium};
  }
  return TPanelColors{clWindow, ShadeDarker(clBtnFace, 10)};
}

TColor SchemeFrameColor(TVmGradientColorStyle style) {
  if (UsesDesktopScheme(style)) return SchemeColorsOf(ThemeColorScheme()).dark;
  return ShadeLighter(clBtnShadow, 30);
}

TGradientColors SchemeGradientColors(TVmGradientColorStyle style) {
  if (UsesDesktopScheme(style)) {
    const TSchemeColors scheme = SchemeColorsOf(ThemeColorScheme());
    return TGradientColors{scheme.medium, scheme.light, scheme.medium};
  }
  return TGradientColors{ShadeDarker(clBtnFace, 20), clWindow, ShadeDarker(clBtnFace, 40)};
}

TColor ThemedElementColor(TThemedElement element) {
  // Themes are never in effect here (see VisualThemesEnabled), so the
  // element colours are the classic face colour.
  static_cast<void>(element);
  return clBtnFace;
}

}  // namespace tandrel
