// The two facts about the display that the drawing helpers consult: whether
// the screen has more than a palette's colours (gradients and blended edges
// are drawn only then) and which desktop colour scheme the user picked.
#pragma once

#include "platform/Platform.h"
#include "platform/Registry.h"

namespace tandrel {

bool FullColorDisplay();
// 0 normal, 1 "HOMESTEAD", 2 "METALLIC".
int ThemeColorScheme();

// Reads both facts from the current platform the first time any widget
// module asks; later calls do nothing.
void InitializeDrawGlobals();
// Reads both facts from `platform` now (start-up, and tests that change the
// simulated display).
void ReadDrawGlobals(platform::Platform& platform);
// Reads the colour scheme again; framed panels call this on a theme change.
void RereadThemeColorScheme();

// The scheme named in the current user's ThemeManager key; 0 when the value
// is missing, unreadable or names another scheme.
int ReadThemeColorScheme(platform::Registry& registry);

}  // namespace tandrel
