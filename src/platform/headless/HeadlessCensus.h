// What the program holds of the simulated system at one moment: windows,
// timers, tray icons and drawing objects. Two censuses taken around any
// stretch of work that returns the program to the same state must be equal.
#pragma once

#include <cstddef>
#include <string>

namespace tandrel::platform {

class HeadlessPlatform;

struct ObjectCensus {
  std::size_t windows = 0, timers = 0, trayIcons = 0;
  std::size_t deviceContexts = 0, bitmaps = 0, pens = 0, brushes = 0, fonts = 0, regions = 0,
              icons = 0;
  friend bool operator==(const ObjectCensus&, const ObjectCensus&) = default;
};

ObjectCensus TakeCensus(HeadlessPlatform& platform);
// "windows 12, timers 3, ..." on one line.
std::string Describe(const ObjectCensus& census);

}  // namespace tandrel::platform
