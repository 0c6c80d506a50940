// The drawing helpers' display facts, read once at start-up.
#include "widgets/VmDrawGlobals.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tandrel {
namespace {

struct DrawGlobals {
  bool initialized = false;
  bool fullColorDisplay = true;
  int themeColorScheme = 0;
};

DrawGlobals& Globals() {
  static DrawGlobals globals;
  return globals;
}

std::string UpperAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

bool FullColorDisplay() { return Globals().fullColorDisplay; }
int ThemeColorScheme() { return Globals().themeColorScheme; }

int ReadThemeColorScheme(platform::Registry& registry) {
  const auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser,
                                    "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager",
                                    platform::kKeyRead, false);
  if (!key) return 0;
  const auto name = key->ReadString("ColorName");
  if (!name) return 0;
  const std::string upper = UpperAscii(*name);
  if (upper == "HOMESTEAD") return 1;
  if (upper == "METALLIC") return 2;
  return 0;
}

void ReadDrawGlobals(platform::Platform& platform) {
  DrawGlobals& globals = Globals();
  globals.fullColorDisplay = platform.painting().ScreenNumColors() == -1;
  globals.themeColorScheme = ReadThemeColorScheme(platform.registry());
  globals.initialized = true;
}

void InitializeDrawGlobals() {
  if (!Globals().initialized) ReadDrawGlobals(platform::Current());
}

void RereadThemeColorScheme() {
  Globals().themeColorScheme = ReadThemeColorScheme(platform::Current().registry());
}

}  // namespace tandrel
